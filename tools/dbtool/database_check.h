// Checks a model database for what the window would offer but the database cannot answer.
#pragma once

#include <string>
#include <vector>

#include "platform/profile_ini.h"

namespace tessavo {

struct DatabaseCheck {
    // Per model, in model order: "VR50: no RATE record for NTSC, 4 channels, CIF (...)".
    std::vector<std::string> missing;
    // Per key: "[QUAL] 17: 6 fields, needs at least 7".
    std::vector<std::string> malformed;
    std::size_t models = 0;
    bool Clean() const { return missing.empty() && malformed.empty(); }
};

// Reads the database as the program does (without a translation table: the source texts are
// what the records must agree on) and walks every model, standard, channel count, channel kind
// (analog, IP), resolution, quality and camera type that the window offers: an empty frame-rate
// list (no RATE record) and a rate of "0" for want of a QUAL or HIS record are reported. Models
// served by the built-in tables need no QUAL record.
DatabaseCheck CheckDatabase(const ProfileIni& ini);

}  // namespace tessavo
