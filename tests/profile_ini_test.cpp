// Private-profile reading and writing: lookups, value clean-up, hostile input, key updates, saving.
#include "platform/profile_ini.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace tessavo {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tessavo-ini-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::size_t EntryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(ProfileIniRead, FindsKeysAsTheProfileReaderDoes) {
    const ProfileIni ini = ProfileIni::FromBytes(
        "top=before any section\n"
        "[Model]\n"
        "Cnt=2\n"
        "  Key One  =  spaced value  \n"
        "dup=first\n"
        "dup=second\n"
        "DUP=third\n"
        "dq=\"quoted  \"\n"
        "sq='single'\n"
        "mixed=\"mixed'\n"
        "lone=\"\n"
        "inner=a\"b\"\n"
        "blankquoted= \t \" x \"  \n"
        "twice=\"\"x\"\"\n"
        "novalue=\n"
        "just a line without equals\n"
        "eq=a=b\n"
        "tab\t=\tvalue\t\n"
        "  [ Second ]  trailing text\n"
        "k=second section\n"
        "[open=1\n"
        "[model]\n"
        "Cnt=99\n"
        "extra=only in the duplicate section\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Model", "Cnt", "2"},
        {"MODEL", "CNT", "2"},
        {"model", "cnt", "2"},
        {"Model", "extra", "<none>"},
        {"Model", "key one", "spaced value"},
        {"Model", "KEY ONE", "spaced value"},
        {"Model", "dup", "first"},
        {"Model", "dq", "quoted  "},
        {"Model", "sq", "single"},
        {"Model", "mixed", "\"mixed'"},
        {"Model", "lone", "\""},
        {"Model", "inner", "a\"b\""},
        {"Model", "blankquoted", " x "},
        {"Model", "twice", "\"x\""},
        {"Model", "novalue", ""},
        {"Model", "just a line without equals", "<none>"},
        {"Model", "eq", "a=b"},
        {"Model", "tab", "value"},
        {"Model", "top", "<none>"},
        {"", "top", "<none>"},
        {"Second", "k", "second section"},
        {"second", "[open", "1"},
        {"open", "1", "<none>"},
        {"Missing", "k", "<none>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetString(c.section, c.key, "<none>"), c.expected)
            << "[" << c.section << "] " << c.key;
    }
}

TEST(ProfileIniRead, CutsValuesAtTheBufferSize) {
    const std::size_t max = ProfileIni::kMaxValueLength;
    struct Case {
        std::size_t length;
        bool quoted;
    } cases[] = {{max - 1, false}, {max, false}, {max + 1, false},
                 {100000, false},  {max, true},  {max + 1, true}};
    for (const Case& c : cases) {
        std::string body(c.length, 'v');
        body.back() = 'E';
        const std::string value = c.quoted ? "\"" + body + "\"" : body;
        const ProfileIni ini = ProfileIni::FromBytes("[S]\nk=" + value + "\nafter=1\n");
        const std::string got = ini.GetString("S", "k", "");
        EXPECT_EQ(got, body.substr(0, max)) << c.length << (c.quoted ? " quoted" : "");
        EXPECT_EQ(ini.GetString("S", "after", ""), "1");
    }
}

TEST(ProfileIniRead, LineEndsDoNotChangeValues) {
    const char* variants[] = {
        "[S]\nA=1\nB = two \n[T]\nC=3\n",
        "[S]\r\nA=1\r\nB = two \r\n[T]\r\nC=3\r\n",
        "[S]\r\nA=1\nB = two \r\n[T]\nC=3",
        "\n\n[S]\n\nA=1\n\nB = two \n\n[T]\n\nC=3\n\n",
    };
    for (const char* text : variants) {
        const ProfileIni ini = ProfileIni::FromBytes(text);
        EXPECT_EQ(ini.GetString("S", "A", "-"), "1") << text;
        EXPECT_EQ(ini.GetString("S", "B", "-"), "two") << text;
        EXPECT_EQ(ini.GetString("T", "C", "-"), "3") << text;
    }
    // Only LF ends a line; a lone CR inside a value belongs to it.
    EXPECT_EQ(ProfileIni::FromBytes("[S]\nk=a\rb\n").GetString("S", "k", ""), "a\rb");
}

TEST(ProfileIniRead, SkipsAByteOrderMarkSavedByAnEditor) {
    const ProfileIni ini = ProfileIni::FromFile(TESSAVO_TEST_DATA "/ini_editor_saved.ini");
    EXPECT_EQ(ini.GetString("MODEL", "CNT", "-"), "1");
    EXPECT_EQ(ini.GetString("MODEL", "0", "-"), "VR50|VR50|Y|Y|N|Y|N|0|");
    EXPECT_EQ(ini.GetString("QUAL", "CNT", "-"), "0");

    // Only at the very start: elsewhere the mark is text, and the line is no section line.
    const ProfileIni later = ProfileIni::FromBytes("[A]\nx=1\n\xEF\xBB\xBF[B]\ny=2\n");
    EXPECT_EQ(later.GetString("A", "y", "-"), "2");
    EXPECT_EQ(later.GetString("B", "y", "-"), "-");
}

TEST(ProfileIniRead, SurvivesBinaryJunkAndHugeLines) {
    std::mt19937 random(20240611);
    const char alphabet[] = {'\0', '\n', '\r', '[', ']', '=', '"', '\'', ' ', 'a', 'K', '\xff'};
    std::string junk(1 << 20, '\0');
    for (char& c : junk) {
        const unsigned pick = random() % 24;
        c = pick < sizeof alphabet ? alphabet[pick] : static_cast<char>(random());
    }
    junk += "\n[Tail]\nkey=after junk\n";
    const ProfileIni ini = ProfileIni::FromBytes(junk);
    EXPECT_EQ(ini.GetString("tail", "KEY", "-"), "after junk");
    for (const char* key : {"a", "K", "", "aK", "\"a\""}) {
        const std::string value = ini.GetString("a", key, "");
        EXPECT_LE(value.size(), ProfileIni::kMaxValueLength);
        EXPECT_EQ(value.find('\0'), std::string::npos);
    }
    EXPECT_EQ(ProfileIni::FromBytes(ini.ToText()).GetString("TAIL", "key", "-"), "after junk");

    // A NUL ends the value, as the system's zero-terminated text would.
    const std::string withNul("[S]\nk= ab\0cd \n", 14);
    EXPECT_EQ(ProfileIni::FromBytes(withNul).GetString("S", "k", "-"), "ab");

    const std::string hugeName(3'000'000, 'N');
    const std::string hugeValue(5'000'000, 'v');
    const ProfileIni huge =
        ProfileIni::FromBytes("[" + hugeName + "]\n" + hugeName + "=" + hugeValue + "\n" +
                              std::string(4'000'000, 'x') + "\n[S]\nk=" + hugeValue + "\n");
    EXPECT_EQ(huge.GetString(hugeName, hugeName, "").size(), ProfileIni::kMaxValueLength);
    EXPECT_EQ(huge.GetString("S", "k", "").size(), ProfileIni::kMaxValueLength);
}

TEST(ProfileIniRead, MissingOrUnreadableFileReadsEmpty) {
    TempDir dir;
    for (const fs::path& path : {dir.path() / "absent.ini", dir.path()}) {
        const ProfileIni ini = ProfileIni::FromFile(path.string());
        EXPECT_EQ(ini.GetString("MODEL", "CNT", "0"), "0") << path;
        EXPECT_EQ(ini.ToText(), "") << path;
    }
}

TEST(ProfileIniWrite, UpdatesTheFirstKeyInPlace) {
    ProfileIni ini = ProfileIni::FromBytes(
        "; kept\r\n[A]\r\nx=1\r\n; note\r\n  Y = "
        "2\r\ny=shadowed\r\n\r\n[B]\r\nz=3\r\n[a]\r\nY=9\r\n");
    ASSERT_TRUE(ini.SetString("a", "y", "new value"));
    EXPECT_EQ(ini.GetString("A", "Y", "-"), "new value");
    EXPECT_EQ(ini.ToText(),
              "; kept\r\n[A]\r\nx=1\r\n; note\r\nY=new value\r\ny=shadowed\r\n\r\n[B]\r\nz=3\r\n"
              "[a]\r\nY=9\r\n");
}

TEST(ProfileIniWrite, AppendsKeysAndSections) {
    ProfileIni ini = ProfileIni::FromBytes("[A]\nx=1\n\n\n[B]\nz=3\n");
    ASSERT_TRUE(ini.SetString("A", "w", "4"));
    ASSERT_TRUE(ini.SetString("A", "v", "5"));
    ASSERT_TRUE(ini.SetString("C", "k", "v"));
    ASSERT_TRUE(ini.SetString("c", "K", "updated"));
    ASSERT_TRUE(ini.SetString("B", "z", "30"));
    EXPECT_EQ(ini.ToText(), "[A]\nx=1\nw=4\nv=5\n\n\n[B]\nz=30\n[C]\nk=updated\n");
    EXPECT_EQ(ini.GetString("a", "W", "-"), "4");
    EXPECT_EQ(ini.GetString("C", "k", "-"), "updated");

    // A key written into a section that holds only its header.
    ProfileIni bare = ProfileIni::FromBytes("[E]\r\n\r\n[F]\r\n");
    ASSERT_TRUE(bare.SetString("E", "k", "1"));
    EXPECT_EQ(bare.ToText(), "[E]\r\nk=1\r\n\r\n[F]\r\n");
}

TEST(ProfileIniWrite, NewFileUsesLfAndKeepsAByteOrderMark) {
    ProfileIni fresh;
    ASSERT_TRUE(fresh.SetString("MODEL", "0", "VR50|VR50|Y|Y|N|Y|N|0|"));
    ASSERT_TRUE(fresh.SetString("MODEL", "CNT", "1"));
    EXPECT_EQ(fresh.ToText(), "[MODEL]\n0=VR50|VR50|Y|Y|N|Y|N|0|\nCNT=1\n");

    ProfileIni marked = ProfileIni::FromFile(TESSAVO_TEST_DATA "/ini_editor_saved.ini");
    ASSERT_TRUE(marked.SetString("QUAL", "CNT", "2"));
    EXPECT_EQ(
        marked.ToText(),
        "\xEF\xBB\xBF[MODEL]\r\nCNT=1\r\n0=VR50|VR50|Y|Y|N|Y|N|0|\r\n\r\n[QUAL]\r\nCNT=2\r\n");
}

TEST(ProfileIniWrite, RefusesWhatALineCannotHold) {
    const std::string original = "[A]\nx=1\n";
    struct Case {
        std::string section, key, value;
    } cases[] = {
        {"A]B", "k", "v"},
        {"A", "k=x", "v"},
        {"A", "x", "line\nbreak"},
        {"A", "x", "cr\r"},
        {"A", std::string("k\0", 2), "v"},
        {"A\n", "k", "v"},
        {"A", "", "v"},
        {"  ", "k", "v"},
        {"A", "[k]", "v"},
    };
    for (const Case& c : cases) {
        ProfileIni ini = ProfileIni::FromBytes(original);
        EXPECT_FALSE(ini.SetString(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(ini.ToText(), original);
    }
}

TEST(ProfileIniSave, ReplacesTheFileWhole) {
    TempDir dir;
    const fs::path target = dir.path() / "HddInfo.ini";
    WriteBytes(target, "[MODEL]\nCNT=0\n");
    ::chmod(target.c_str(), 0640);

    ProfileIni ini = ProfileIni::FromFile(target.string());
    ASSERT_TRUE(ini.SetString("MODEL", "CNT", "1"));
    ASSERT_TRUE(ini.SetString("QUAL", "CNT", "0"));
    std::string error;
    ASSERT_TRUE(ini.SaveAtomically(target.string(), &error)) << error;

    EXPECT_EQ(ReadBytes(target), "[MODEL]\nCNT=1\n[QUAL]\nCNT=0\n");
    EXPECT_EQ(EntryCount(dir.path()), 1u) << "temporary file left behind";
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ProfileIni::FromFile(target.string()).GetString("qual", "cnt", "-"), "0");

    // A new file in a folder given without a path.
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const bool saved = ini.SaveAtomically("relative.ini", &error);
    fs::current_path(previous);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(ReadBytes(dir.path() / "relative.ini"), ini.ToText());
}

TEST(ProfileIniSave, FailureLeavesTheOldFileWhole) {
    TempDir dir;
    ProfileIni ini;
    ASSERT_TRUE(ini.SetString("MODEL", "CNT", "5"));
    std::string error;

    // The target is a folder with content: the rename must fail and nothing may be left over.
    const fs::path folderTarget = dir.path() / "HddInfo.ini";
    fs::create_directory(folderTarget);
    WriteBytes(folderTarget / "inside", "kept");
    EXPECT_FALSE(ini.SaveAtomically(folderTarget.string(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(folderTarget / "inside"), "kept");
    EXPECT_EQ(EntryCount(dir.path()), 1u) << "temporary file left behind";

    error.clear();
    EXPECT_FALSE(ini.SaveAtomically((dir.path() / "no such folder" / "x.ini").string(), &error));
    EXPECT_FALSE(error.empty());
}

TEST(ProfileIniSave, UnwritableFolderLeavesTheOldFileWhole) {
    TempDir dir;
    const fs::path locked = dir.path() / "locked";
    fs::create_directory(locked);
    const fs::path target = locked / "HddInfo.ini";
    WriteBytes(target, "[MODEL]\nCNT=0\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::FILE* probe = std::fopen((locked / "probe").c_str(), "wb")) {
        std::fclose(probe);
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }

    ProfileIni ini = ProfileIni::FromFile(target.string());
    ASSERT_TRUE(ini.SetString("MODEL", "CNT", "7"));
    std::string error;
    EXPECT_FALSE(ini.SaveAtomically(target.string(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(target), "[MODEL]\nCNT=0\n");
    EXPECT_EQ(EntryCount(locked), 1u);
}

}  // namespace
}  // namespace tessavo
