// Loads HddInfo.ini into the four record arrays; every string field passes through translate.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "model/records.h"
#include "platform/profile_ini.h"

namespace tessavo {

// Upper bound on a section's CNT: far above any real database, small enough that a corrupt
// count cannot exhaust memory. A larger CNT is read as this many records.
constexpr int32_t kMaxRecordsPerSection = 200000;

// Cuts a record value at every "|" (and at a line break inside it, as a line list would); a
// "|" at the very end starts no further field, so "a|b|" and "a|b" both give a and b.
std::vector<std::string> FieldSplit(std::string_view value);

ModelDatabase LoadModelDatabase(const ProfileIni& ini, TranslationTable& table);
ModelDatabase LoadModelDatabaseFile(const std::string& path, TranslationTable& table);

}  // namespace tessavo
