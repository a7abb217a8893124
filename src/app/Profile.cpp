#include "app/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace calvetta {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The text a C caller would see: up to the first NUL.
std::string_view CText(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

enum class LineKind { Other, Section, Key };

struct Line {
    std::size_t begin = 0;  // offset of the text in the content
    std::size_t end = 0;    // end of the text, before the line end
    std::size_t next = 0;   // start of the following line
    LineKind kind = LineKind::Other;
    std::string_view name;    // section or key name, trimmed
    std::size_t valueAt = 0;  // Key: offset of the value's first non-blank byte (or the end)
};

struct Parsed {
    std::vector<Line> lines;
    std::string_view eol = "\r\n";
};

Line Classify(std::string_view content, std::size_t begin, std::size_t end) {
    Line line;
    line.begin = begin;
    line.end = end;
    const std::string_view text = content.substr(begin, end - begin);
    const std::string_view body = Trim(text);
    if (body.empty() || body.front() == ';' || body.front() == '#') return line;
    if (body.front() == '[') {
        const std::size_t close = body.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(body.substr(1, close - 1));
            return line;
        }
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return line;
    line.kind = LineKind::Key;
    line.name = Trim(text.substr(0, eq));
    std::size_t v = begin + eq + 1;
    while (v < end && IsBlank(content[v]))
        ++v;
    line.valueAt = v;
    return line;
}

Parsed Parse(std::string_view content) {
    Parsed p;
    std::size_t pos = content.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
    bool styleSeen = false;
    while (pos < content.size()) {
        std::size_t nl = content.find('\n', pos);
        std::size_t next = nl == std::string_view::npos ? content.size() : nl + 1;
        std::size_t end = nl == std::string_view::npos ? content.size() : nl;
        // A CR before the LF, or a lone CR that ends the file, belongs to the line end.
        const bool crlf = end > pos && content[end - 1] == '\r';
        if (crlf) --end;
        if (!styleSeen && nl != std::string_view::npos) {
            p.eol = crlf ? "\r\n" : "\n";
            styleSeen = true;
        }
        Line line = Classify(content, pos, end);
        line.next = next;
        p.lines.push_back(line);
        pos = next;
    }
    return p;
}

std::string_view ValueOf(std::string_view content, const Line& line) {
    std::string_view value = Trim(content.substr(line.valueAt, line.end - line.valueAt));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Index of the first key line named key inside a section named section.
std::optional<std::size_t> FindKeyLine(const Parsed& p, std::string_view section,
                                       std::string_view key) {
    bool inSection = false;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Line& line = p.lines[i];
        if (line.kind == LineKind::Section) {
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::Key && SameName(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

bool HasLineEnd(const Line& line) {
    return line.next > line.end;
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.empty() || key.find('=') != std::string_view::npos) return false;
    return key.front() != '[' && key.front() != ';' && key.front() != '#';
}

// ---- files ---------------------------------------------------------------

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char buf[8192];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return failed ? ReadResult::Failed : ReadResult::Ok;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Replaces the file at target with content: written to a new file in the
// same folder, flushed to disk, then renamed over the target, so that a crash
// leaves either the old or the new file whole.  The temporary file never
// outlives a failure.
bool ReplaceFile(const std::filesystem::path& target, std::string_view content) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target.string() + ".tmp-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    // The replacement keeps the permissions of the file it replaces.
    struct stat st {};
    bool ok = true;
    if (::stat(target.c_str(), &st) == 0) ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string_view CutAtCharBoundary(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    std::size_t n = maxBytes;
    // Step back while the first byte left out continues the character before it.
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return s.substr(0, n);
}

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
    section = Trim(CText(section));
    key = Trim(CText(key));
    const Parsed p = Parse(content);
    const auto at = FindKeyLine(p, section, key);
    if (!at) return std::nullopt;
    return std::string(ValueOf(content, p.lines[*at]));
}

std::optional<std::string> SetProfileValue(std::string_view content, std::string_view section,
                                           std::string_view key, std::string_view value) {
    section = Trim(CText(section));
    key = Trim(CText(key));
    value = CText(value);
    if (!Storable(section, key, value)) return std::nullopt;

    const Parsed p = Parse(content);
    std::string out;
    out.reserve(content.size() + section.size() + key.size() + value.size() + 8);

    if (const auto at = FindKeyLine(p, section, key)) {
        // Keep the key as it was spelled and the blanks after '='.
        const Line& line = p.lines[*at];
        out.append(content.substr(0, line.valueAt));
        out.append(value);
        out.append(content.substr(line.end));
        return out;
    }

    // Insert after the last key line of the first section of that name (or
    // after its header when it has no keys): blank lines and comments that
    // follow stay where they are.
    std::optional<std::size_t> insertAfter;
    bool inSection = false;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Line& line = p.lines[i];
        if (line.kind == LineKind::Section) {
            if (insertAfter) break;
            inSection = SameName(line.name, section);
            if (inSection) insertAfter = i;
        } else if (inSection && line.kind == LineKind::Key) {
            insertAfter = i;
        }
    }

    std::string keyLine;
    keyLine.append(key).append("=").append(value).append(p.eol);

    if (insertAfter) {
        const Line& line = p.lines[*insertAfter];
        out.append(content.substr(0, line.next));
        if (!HasLineEnd(line)) out.append(p.eol);
        out.append(keyLine);
        out.append(content.substr(line.next));
        return out;
    }

    out.append(content);
    if (!p.lines.empty()) {
        const Line& last = p.lines.back();
        if (!HasLineEnd(last)) out.append(p.eol);
        // One blank line between the last section and the new one.
        if (!Trim(content.substr(last.begin, last.end - last.begin)).empty()) out.append(p.eol);
    }
    out.append("[").append(section).append("]").append(p.eol);
    out.append(keyLine);
    return out;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
    if (bufferSize == 0) return {};
    std::string content;
    std::optional<std::string> value;
    if (ReadWholeFile(path, content) == ReadResult::Ok) {
        value = FindProfileValue(content, section, key);
    }
    const std::string_view text = value ? std::string_view(*value) : CText(defaultValue);
    return std::string(CutAtCharBoundary(text, bufferSize - 1));
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path) {
    namespace fs = std::filesystem;
    fs::path target(path);
    // Replace the file a link points to, not the link.
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }

    std::string content;
    if (ReadWholeFile(target.string(), content) == ReadResult::Failed) return false;
    const std::optional<std::string> updated = SetProfileValue(content, section, key, value);
    if (!updated) return false;
    return ReplaceFile(target, *updated);
}

}  // namespace calvetta
