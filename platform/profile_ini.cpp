// Private-profile INI files: one read into memory, lookups by folded name, atomic rewrite.
#include "platform/profile_ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/text.h"

namespace tessavo {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsBlankLine(std::string_view line) {
    for (char c : line) {
        if (!IsBlank(c))
            return false;
    }
    return true;
}

// The section name of a "[name]" line; false for any other line.
bool ParseSectionLine(std::string_view line, std::string& name) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size() || line[i] != '[')
        return false;
    const std::size_t close = line.find(']', i + 1);
    if (close == std::string_view::npos)
        return false;
    name = Trim(line.substr(i + 1, close - i - 1));
    return true;
}

std::string ValueOfLine(std::string_view line) {
    std::string_view raw = line.substr(line.find('=') + 1);
    raw = raw.substr(0, raw.find('\0'));
    std::string value = Trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > ProfileIni::kMaxValueLength)
        value.resize(ProfileIni::kMaxValueLength);
    return value;
}

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool Fail(std::string* error, std::string reason) {
    if (error)
        *error = std::move(reason);
    return false;
}

}  // namespace

ProfileIni ProfileIni::FromFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
        const bool failed = std::ferror(file) != 0;
        std::fclose(file);
        if (failed)
            bytes.clear();
    }
    return FromBytes(bytes);
}

ProfileIni ProfileIni::FromBytes(std::string_view bytes) {
    ProfileIni ini;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        ini.bom_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    const std::size_t firstBreak = bytes.find('\n');
    ini.crlf_ =
        firstBreak != std::string_view::npos && firstBreak > 0 && bytes[firstBreak - 1] == '\r';

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        if (end > pos && bytes[end - 1] == '\r')
            --end;
        std::string line(bytes.substr(pos, end - pos));
        pos = next;

        std::string name;
        if (ParseSectionLine(line, name)) {
            const std::string folded = AsciiLower(name);
            ini.sectionIndex_.try_emplace(folded, ini.sections_.size());
            ini.sections_.push_back(Section{std::move(name), {}, {}});
            ini.sections_.back().lines.push_back(std::move(line));
        } else if (ini.sections_.empty()) {
            ini.preamble_.push_back(std::move(line));
        } else {
            ini.AddLine(ini.sections_.back(), std::move(line));
        }
    }
    return ini;
}

void ProfileIni::AddLine(Section& section, std::string line) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos)
        section.keys.try_emplace(AsciiLower(Trim(std::string_view(line).substr(0, eq))),
                                 section.lines.size());
    section.lines.push_back(std::move(line));
}

const ProfileIni::Section* ProfileIni::FindSection(std::string_view name) const {
    const auto it = sectionIndex_.find(AsciiLower(Trim(name)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

ProfileIni::Section* ProfileIni::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::string ProfileIni::GetString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    const Section* found = FindSection(section);
    if (!found)
        return std::string(fallback);
    const auto it = found->keys.find(AsciiLower(Trim(key)));
    if (it == found->keys.end())
        return std::string(fallback);
    return ValueOfLine(found->lines[it->second]);
}

bool ProfileIni::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const auto breaksLine = [](std::string_view text) {
        return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
    };
    const std::string sectionName = Trim(section);
    const std::string keyName = Trim(key);
    if (breaksLine(section) || breaksLine(key) || breaksLine(value) || sectionName.empty() ||
        keyName.empty() || Contains(sectionName, "]") || Contains(keyName, "=") ||
        keyName.front() == '[')
        return false;

    Section* target = FindSection(sectionName);
    if (!target) {
        sectionIndex_.try_emplace(AsciiLower(sectionName), sections_.size());
        sections_.push_back(Section{sectionName, {"[" + sectionName + "]"}, {}});
        target = &sections_.back();
    }

    const auto it = target->keys.find(AsciiLower(keyName));
    if (it != target->keys.end()) {
        std::string& line = target->lines[it->second];
        line = Trim(std::string_view(line).substr(0, line.find('='))) + "=" + std::string(value);
        return true;
    }

    // Blank lines that end the section stay between it and the next one.
    std::size_t at = target->lines.size();
    while (at > 1 && IsBlankLine(target->lines[at - 1])) --at;
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                         keyName + "=" + std::string(value));
    target->keys.emplace(AsciiLower(keyName), at);
    return true;
}

std::string ProfileIni::ToText() const {
    const std::string_view eol = crlf_ ? "\r\n" : "\n";
    std::string text;
    if (bom_)
        text.append(kUtf8Bom);
    const auto put = [&](const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            text.append(line);
            text.append(eol);
        }
    };
    put(preamble_);
    for (const Section& section : sections_) put(section.lines);
    return text;
}

bool ProfileIni::SaveAtomically(const std::string& path, std::string* error) const {
    namespace fs = std::filesystem;
    static std::atomic<unsigned> counter{0};

    const fs::path target(path);
    if (target.filename().empty())
        return Fail(error, "no file name in \"" + path + "\"");
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) +
                          "-" + std::to_string(counter++)))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Fail(error, "cannot create a temporary file in \"" + folder.string() +
                               "\": " + ErrnoText(errno));

    const auto abandon = [&](const std::string& what, int code) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, what + " \"" + temp + "\": " + ErrnoText(code));
    };

    // The replacement keeps the permissions of the file it replaces.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    if (!WriteAll(fd, ToText()))
        return abandon("cannot write", errno);
    if (::fsync(fd) != 0)
        return abandon("cannot flush", errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon("cannot close", errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Fail(error, "cannot replace \"" + path + "\": " + ErrnoText(code));
    }

    // Best effort: make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace tessavo
