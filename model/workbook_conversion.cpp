// Turns the maintained workbook HddInfo.xlsx into the model database file HddInfo.ini.
#include "model/workbook_conversion.h"

#include <filesystem>
#include <fstream>

#include "platform/numbers.h"
#include "platform/profile_ini.h"
#include "platform/text.h"
#include "platform/xlsx_workbook.h"

namespace tessavo {

namespace {

// "1,234,567.5" -> "1234567.5" when the grouping is exactly what a number format shows (first
// group 1 to 3 digits, then groups of 3 up to the decimal separator); false otherwise, so that
// text such as "1,2" stays "not a number".
bool UngroupThousands(std::string_view text, std::string& out) {
    const NumberSeparators& sep = Separators();
    if (sep.thousands == sep.decimal)
        return false;
    const std::string trimmed = Trim(text);
    std::size_t i = 0;
    out.clear();
    if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+'))
        out.push_back(trimmed[i++]);
    int group = 0;
    int groups = 0;
    for (; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c >= '0' && c <= '9') {
            out.push_back(c);
            ++group;
        } else if (c == sep.thousands) {
            if (group == 0 || group > 3 || (groups > 0 && group != 3))
                return false;
            ++groups;
            group = 0;
        } else {
            break;
        }
    }
    if (groups == 0 || group != 3)
        return false;
    const std::string_view rest = std::string_view(trimmed).substr(i);
    if (rest.find(sep.thousands) != std::string_view::npos)
        return false;
    out.append(rest);
    return true;
}

const char* YesNo(bool value) {
    return value ? "Y" : "N";
}

void AddField(std::string& value, std::string_view field) {
    value.append(field);
    value.push_back('|');
}

bool WorkbookExists(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// A file that is there but cannot be read would otherwise read as empty, and the atomic
// replacement would drop every key the conversion does not write.
bool ExistsButUnreadable(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    return !in.is_open();
}

}  // namespace

double CellNumber(std::string_view text) {
    double value = 0;
    if (TryParseFloat(text, value))
        return value;
    std::string plain;
    if (UngroupThousands(text, plain) && TryParseFloat(plain, value))
        return value;
    return 0;
}

int32_t CellInteger(std::string_view text) {
    int32_t value = 0;
    if (TryParseInt(text, value))
        return value;
    std::string plain;
    if (UngroupThousands(text, plain) && TryParseInt(plain, value))
        return value;
    return 0;
}

std::string ModelValue(const TModel& model) {
    std::string value;
    AddField(value, model.Code);
    AddField(value, model.Name);
    AddField(value, YesNo(model.Ch4));
    AddField(value, YesNo(model.Ch8));
    AddField(value, YesNo(model.Ch12));
    AddField(value, YesNo(model.Ch16));
    AddField(value, YesNo(model.Hybrid));
    AddField(value, FormatInt(model.FirstIpChannel));
    return value;
}

std::string QualityValue(const TQualitySize& quality) {
    std::string value;
    AddField(value, quality.Model);
    AddField(value, quality.Standard);
    AddField(value, quality.Resolution);
    AddField(value, quality.Quality);
    AddField(value, quality.Camera);
    AddField(value, FormatGeneral(quality.FrameSize));
    AddField(value, YesNo(quality.Flag));
    return value;
}

std::string RateValue(const TRate& rate) {
    std::string value;
    AddField(value, rate.Model);
    AddField(value, rate.Standard);
    AddField(value, rate.Channels);
    AddField(value, rate.Resolution);
    AddField(value, rate.MaxFps);
    return value;
}

std::string HiSiliconValue(const THiSiliconData& his) {
    std::string value;
    AddField(value, his.Model);
    AddField(value, his.Standard);
    AddField(value, his.Channels);
    AddField(value, his.Resolution);
    AddField(value, his.Quality);
    for (const double rate : his.DataRates) AddField(value, FormatGeneral(rate));
    return value;
}

ConversionPaths ConversionPaths::InFolder(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '/')
        base.push_back('/');
    return {base + "HddInfo.xlsx", base + "HddInfo.ini"};
}

ConversionResult ConvertWorkbook(const ConversionPaths& paths, const ModelDatabase& current,
                                 const ProgressStep& step) {
    ConversionResult result;
    result.database = current;
    if (!WorkbookExists(paths.workbook))
        return result;

    auto progress = [&] {
        if (step)
            step();
    };
    std::string error;
    ModelDatabase& db = result.database;
    // Each array is emptied when its worksheet is reached, so after a failure the arrays hold
    // what was read up to it.
    const bool read = [&] {
        const std::unique_ptr<XlsxWorkbook> book = XlsxWorkbook::Open(paths.workbook, error);
        if (!book)
            return false;
        auto eachRow = [&](int32_t position, auto&& take) {
            XlsxWorksheet sheet;
            if (!book->Worksheet(position, sheet, error))
                return false;
            for (int32_t row = 2; row <= sheet.UsedRowCount(); ++row) {
                if (!sheet.CellText(row, 1).empty())
                    take(sheet, row);
            }
            return true;
        };
        // No room limit: a database with more than 999 models keeps them all.
        db.Models.clear();
        if (!eachRow(1, [&](const XlsxWorksheet& s, int32_t r) {
                if (s.CellText(r, 3) != "Y")
                    return;
                progress();
                TModel m;
                m.Code = s.CellText(r, 1);
                m.Name = s.CellText(r, 2);
                m.Ch4 = s.CellText(r, 4) == "Y";
                m.Ch8 = s.CellText(r, 5) == "Y";
                m.Ch12 = s.CellText(r, 6) == "Y";
                m.Ch16 = s.CellText(r, 7) == "Y";
                const std::string h = s.CellText(r, 8);
                m.Hybrid = h != "N";
                m.FirstIpChannel = CellInteger(h);
                db.Models.push_back(std::move(m));
            })) {
            return false;
        }
        db.QualitySizes.clear();
        if (!eachRow(2, [&](const XlsxWorksheet& s, int32_t r) {
                progress();
                TQualitySize q;
                q.Model = s.CellText(r, 1);
                q.Standard = s.CellText(r, 2);
                q.Resolution = s.CellText(r, 3);
                q.Quality = s.CellText(r, 4);
                q.Camera = s.CellText(r, 5);
                q.FrameSize = CellNumber(s.CellText(r, 6));
                q.Flag = s.CellText(r, 7) == "Y";
                db.QualitySizes.push_back(std::move(q));
            })) {
            return false;
        }
        db.Rates.clear();
        if (!eachRow(3, [&](const XlsxWorksheet& s, int32_t r) {
                progress();
                TRate rate;
                rate.Model = s.CellText(r, 1);
                rate.Standard = s.CellText(r, 2);
                rate.Channels = s.CellText(r, 3);
                rate.Resolution = s.CellText(r, 4);
                rate.MaxFps = s.CellText(r, 5);
                db.Rates.push_back(std::move(rate));
            })) {
            return false;
        }
        db.HiSilicon.clear();
        return eachRow(4, [&](const XlsxWorksheet& s, int32_t r) {
            progress();
            THiSiliconData his;
            his.Model = s.CellText(r, 1);
            his.Standard = s.CellText(r, 2);
            his.Channels = s.CellText(r, 3);
            his.Resolution = s.CellText(r, 4);
            his.Quality = s.CellText(r, 5);
            for (int32_t k = 0; k < 10; ++k) his.DataRates[k] = CellNumber(s.CellText(r, 6 + k));
            db.HiSilicon.push_back(std::move(his));
        });
    }();
    if (!read) {
        result.outcome = ConversionOutcome::ReadFailed;
        result.messages.push_back(
            {MessageIcon::Warning, std::string(kLoadingErrorText) + "\r\n" + error});
        return result;
    }

    // All keys are set in memory and the file replaced once: a failure cannot leave a database
    // that is half old and half new.
    std::string& reason = result.reason;
    bool written = true;
    if (ExistsButUnreadable(paths.ini)) {
        reason = "cannot read \"" + paths.ini + "\"";
        written = false;
    } else {
        ProfileIni ini = ProfileIni::FromFile(paths.ini);
        auto section = [&](const char* name, const auto& records, auto&& valueOf) {
            for (std::size_t i = 0; i < records.size() && written; ++i) {
                const std::string key = FormatInt(static_cast<int64_t>(i));
                // A line break in a cell cannot go into a line-based file.
                if (!ini.SetString(name, key, valueOf(records[i]))) {
                    reason = std::string("[") + name + "] " + key + ": a line break in a cell";
                    written = false;
                }
            }
            if (written)
                ini.SetString(name, "CNT", FormatInt(static_cast<int64_t>(records.size())));
        };
        section("MODEL", db.Models, ModelValue);
        section("QUAL", db.QualitySizes, QualityValue);
        section("RATE", db.Rates, RateValue);
        section("HIS", db.HiSilicon, HiSiliconValue);
        written = written && ini.SaveAtomically(paths.ini, &reason);
    }
    if (!written) {
        result.outcome = ConversionOutcome::WriteFailed;
        result.messages.push_back(
            {MessageIcon::Error, ReplaceAll(kUnableToWriteText, "%s", paths.ini)});
        return result;
    }
    result.outcome = ConversionOutcome::Converted;
    return result;
}

}  // namespace tessavo
