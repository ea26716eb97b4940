// Test helpers: workbooks written with libxlsxwriter, and ways to damage them afterwards.
#pragma once

#include <xlsxwriter.h>
#include <zip.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace tessavo::testing {

// A fresh folder per test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / ("tessavo_" + name);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(std::string_view name) const { return (path_ / name).string(); }
    std::string Path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One cell of a test sheet: text, a number, or nothing.
struct TestCell {
    TestCell() = default;
    TestCell(const char* text) {
        if (*text)
            value = std::string(text);
    }
    TestCell(std::string text) {
        if (!text.empty())
            value = std::move(text);
    }
    TestCell(double number) : value(number) {}
    TestCell(int number) : value(static_cast<double>(number)) {}
    std::variant<std::monostate, std::string, double> value;
};
using TestRow = std::vector<TestCell>;
using TestSheet = std::vector<TestRow>;  // row 1 first

// A workbook being written; closes (and so writes the file) on Close or destruction.
class TestWorkbook {
  public:
    explicit TestWorkbook(const std::string& path, bool inlineStrings = false) {
        lxw_workbook_options options{};
        options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
        book_ = workbook_new_opt(path.c_str(), &options);
    }
    ~TestWorkbook() { Close(); }
    lxw_workbook* Book() { return book_; }
    lxw_worksheet* AddSheet(const char* name = nullptr) {
        return workbook_add_worksheet(book_, name);
    }
    lxw_format* NumberFormat(const char* code) {
        lxw_format* format = workbook_add_format(book_);
        format_set_num_format(format, code);
        return format;
    }
    // Writes rows from row 1; empty cells are left out.
    lxw_worksheet* AddSheet(const TestSheet& rows, const char* name = nullptr) {
        lxw_worksheet* sheet = AddSheet(name);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const auto& v = rows[r][c].value;
                const auto row = static_cast<lxw_row_t>(r);
                const auto col = static_cast<lxw_col_t>(c);
                if (const auto* text = std::get_if<std::string>(&v))
                    worksheet_write_string(sheet, row, col, text->c_str(), nullptr);
                else if (const auto* number = std::get_if<double>(&v))
                    worksheet_write_number(sheet, row, col, *number, nullptr);
            }
        }
        return sheet;
    }
    void Close() {
        if (book_) {
            EXPECT_EQ(workbook_close(book_), LXW_NO_ERROR);
            book_ = nullptr;
        }
    }

  private:
    lxw_workbook* book_ = nullptr;
};

// Replaces (or adds) one part of a written package.
inline void ReplacePart(const std::string& path, const std::string& part, std::string content) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), 0, &code);
    ASSERT_NE(zip, nullptr);
    static std::vector<std::string> keep;  // the data must live until zip_close
    keep.push_back(std::move(content));
    zip_source_t* source = zip_source_buffer(zip, keep.back().data(), keep.back().size(), 0);
    ASSERT_NE(source, nullptr);
    ASSERT_GE(zip_file_add(zip, part.c_str(), source, ZIP_FL_OVERWRITE), 0);
    ASSERT_EQ(zip_close(zip), 0);
}

inline void RemovePart(const std::string& path, const std::string& part) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), 0, &code);
    ASSERT_NE(zip, nullptr);
    const zip_int64_t index = zip_name_locate(zip, part.c_str(), 0);
    ASSERT_GE(index, 0) << part;
    ASSERT_EQ(zip_delete(zip, static_cast<zip_uint64_t>(index)), 0);
    ASSERT_EQ(zip_close(zip), 0);
}

inline std::string ReadPartText(const std::string& path, const std::string& part) {
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!zip)
        return {};
    std::string out;
    zip_stat_t st;
    if (zip_stat(zip, part.c_str(), 0, &st) == 0) {
        out.resize(static_cast<std::size_t>(st.size));
        zip_file_t* file = zip_fopen(zip, part.c_str(), 0);
        if (file) {
            zip_fread(file, out.data(), out.size());
            zip_fclose(file);
        }
    }
    zip_discard(zip);
    return out;
}

// Rewrites the uncompressed size that the package declares for `part`, in its local header and
// in the central directory, leaving the data as it is.
inline void PatchDeclaredSize(const std::string& path, const std::string& part, uint32_t size) {
    std::string bytes = ReadBytes(path);
    auto u16 = [&](std::size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
               (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
    };
    auto put32 = [&](std::size_t at, uint32_t value) {
        for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
    };
    int patched = 0;
    for (std::size_t at = 0; at + 46 <= bytes.size(); ++at) {
        if (bytes.compare(at, 4, "PK\x01\x02") == 0) {  // central directory entry
            const uint32_t nameLength = u16(at + 28);
            if (bytes.compare(at + 46, nameLength, part) == 0 && nameLength == part.size()) {
                put32(at + 24, size);
                ++patched;
            }
        } else if (bytes.compare(at, 4, "PK\x03\x04") == 0) {  // local header
            const uint32_t nameLength = u16(at + 26);
            if (bytes.compare(at + 30, nameLength, part) == 0 && nameLength == part.size()) {
                put32(at + 22, size);
                ++patched;
            }
        }
    }
    ASSERT_GE(patched, 1) << part;
    WriteBytes(path, bytes);
}

}  // namespace tessavo::testing
