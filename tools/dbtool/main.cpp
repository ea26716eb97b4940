// tessavo-dbtool: maintenance of the model database outside the window.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "database_check.h"
#include "model/workbook_conversion.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace {

constexpr const char* kUsage =
    "usage: tessavo-dbtool [--decimal=C] [--thousands=C] (convert | check) [DIR]\n"
    "  convert  reads DIR/HddInfo.xlsx and updates DIR/HddInfo.ini (DIR defaults to .)\n"
    "  check    lists what the window would offer but DIR/HddInfo.ini cannot answer, and\n"
    "           malformed records; exit status 0 only when there is nothing to list\n"
    "  --decimal, --thousands  the separators the program uses on the target machine\n"
    "                          (default . and ,); numbers are read and written with them\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

void Print(const tessavo::ConversionMessage& message) {
    // Message boxes break lines with CR LF; a terminal wants LF.
    const std::string text = tessavo::ReplaceAll(message.text, "\r\n", "\n");
    const char* prefix = message.icon == tessavo::MessageIcon::Error     ? "error: "
                         : message.icon == tessavo::MessageIcon::Warning ? "warning: "
                                                                         : "";
    std::FILE* out = message.icon == tessavo::MessageIcon::None ? stdout : stderr;
    std::fprintf(out, "%s%s\n", prefix, text.c_str());
    std::fflush(out);
}

int Convert(const std::string& folder) {
    const tessavo::ConversionPaths paths = tessavo::ConversionPaths::InFolder(folder);
    const tessavo::ConversionResult result = tessavo::ConvertWorkbook(paths, {});
    for (const tessavo::ConversionMessage& message : result.messages) Print(message);
    if (!result.reason.empty())
        std::fprintf(stderr, "tessavo-dbtool: %s\n", result.reason.c_str());
    if (result.outcome == tessavo::ConversionOutcome::NoWorkbook)
        std::fprintf(stderr, "tessavo-dbtool: no workbook %s\n", paths.workbook.c_str());
    if (result.ShowsEnd())
        Print({tessavo::MessageIcon::None, tessavo::kConversionEndText});
    return result.outcome == tessavo::ConversionOutcome::Converted ? 0 : 1;
}

int Check(const std::string& folder) {
    const std::string path = tessavo::ConversionPaths::InFolder(folder).ini;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "tessavo-dbtool: no database %s\n", path.c_str());
        return 1;
    }
    const tessavo::DatabaseCheck check =
        tessavo::CheckDatabase(tessavo::ProfileIni::FromFile(path));
    for (const std::string& line : check.malformed) std::printf("malformed %s\n", line.c_str());
    for (const std::string& line : check.missing) std::printf("missing %s\n", line.c_str());
    std::printf("%s: %s models, %s\n", path.c_str(),
                tessavo::FormatInt(static_cast<int64_t>(check.models)).c_str(),
                check.Clean() ? "nothing missing" : "see above");
    return check.Clean() ? 0 : 1;
}

bool SeparatorOption(std::string_view arg, std::string_view name, char& out) {
    if (arg.substr(0, name.size()) != name)
        return false;
    const std::string_view value = arg.substr(name.size());
    if (value.size() != 1)
        return false;
    out = value[0];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    tessavo::NumberSeparators separators = tessavo::Separators();
    std::size_t i = 0;
    for (; i < args.size() && args[i].substr(0, 2) == "--"; ++i) {
        if (!SeparatorOption(args[i], "--decimal=", separators.decimal) &&
            !SeparatorOption(args[i], "--thousands=", separators.thousands)) {
            return Usage();
        }
    }
    if (separators.decimal == separators.thousands)
        return Usage();
    tessavo::SetSeparators(separators);
    if (i >= args.size())
        return Usage();
    const std::string_view command = args[i++];
    const std::string folder = i < args.size() ? std::string(args[i++]) : std::string(".");
    if (i != args.size())
        return Usage();
    if (command == "convert")
        return Convert(folder);
    if (command == "check")
        return Check(folder);
    return Usage();
}
