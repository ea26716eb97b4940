// Reads spreadsheet workbooks (.xlsx) far enough to give each worksheet cell's displayed text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessavo {

// A part of the package (one zip entry) larger than this, uncompressed, is refused.
constexpr uint64_t kMaxXlsxPartSize = 256ull * 1024 * 1024;
// Deflate tops out near 1000:1; real sheet XML packs 5 to 30:1. Parts above the floor whose
// declared ratio beats the limit are refused as a probable zip bomb.
constexpr uint64_t kXlsxRatioCheckFloor = 4ull * 1024 * 1024;
constexpr uint64_t kMaxXlsxCompressionRatio = 200;

// Highest row a spreadsheet knows; a larger used range is read as ending here.
constexpr int32_t kMaxXlsxRows = 1048576;
constexpr int32_t kMaxXlsxColumns = 16384;

// Displayed text of a number in a cell's format, with the separators of numbers.h.
// `formatCode` is the sheet's number format as stored in the file ("General", "#,##0.00",
// "0\"FPS\"", ...). Formats we do not render (dates, times, fractions) fall back to General.
std::string FormatCellNumber(double value, std::string_view formatCode);
// General format as a spreadsheet shows it in a column of standard width: the text fits in 11
// characters (a minus sign aside), else it switches to scientific notation such as 1.23457E+11.
std::string FormatGeneralCell(double value);
// Displayed text of a text cell in a cell's format (the text section of the format, if any).
std::string FormatCellText(std::string_view text, std::string_view formatCode);

class XlsxWorksheet {
  public:
    XlsxWorksheet() = default;

    // The last row of the used range when it starts at row 1: the row of the sheet's
    // <dimension ref> lower-right corner when present, else the highest row holding a cell
    // (0 for a sheet without cells).
    int32_t UsedRowCount() const { return usedRowCount_; }
    // Displayed text of the cell; row and column are 1-based (column A = 1); empty for an empty
    // or absent cell.
    std::string CellText(int32_t row, int32_t column) const;

  private:
    friend class XlsxWorkbook;
    enum class CellKind : uint8_t { Number, SharedString, String, Boolean, Error };
    struct Cell {
        CellKind kind = CellKind::Number;
        uint32_t style = 0;
        std::string value;  // raw <v> text, or the string itself for String
    };
    static uint64_t Key(int32_t row, int32_t column) {
        return static_cast<uint64_t>(row) * kMaxXlsxColumns + static_cast<uint64_t>(column);
    }

    std::unordered_map<uint64_t, Cell> cells_;
    int32_t usedRowCount_ = 0;
    // Shared with the workbook so a sheet outlives it safely.
    std::shared_ptr<const std::vector<std::string>> sharedStrings_;
    std::shared_ptr<const std::vector<std::string>> styleFormats_;  // cellXfs index -> format
};

class XlsxWorkbook {
  public:
    // On failure `error` holds a readable reason and the result is null. Never throws.
    static std::unique_ptr<XlsxWorkbook> Open(const std::string& path, std::string& error);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // Worksheets only (chart sheets do not count), in the workbook's order.
    int32_t WorksheetCount() const { return static_cast<int32_t>(sheetParts_.size()); }
    // Loads the worksheet at 1-based `position`; false with a reason when it is missing or
    // damaged. Never throws.
    bool Worksheet(int32_t position, XlsxWorksheet& out, std::string& error) const;

  private:
    struct Zip;
    XlsxWorkbook();
    bool ReadPart(const std::string& name, std::string& bytes, std::string& error) const;
    bool Load(std::string& error);

    std::unique_ptr<Zip> zip_;
    std::vector<std::string> sheetParts_;
    std::shared_ptr<std::vector<std::string>> sharedStrings_;
    std::shared_ptr<std::vector<std::string>> styleFormats_;
};

}  // namespace tessavo
