#include "app/Profile.h"

#include <unordered_map>
#include <vector>

#include "app/FileOps.h"

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

// The name as SameName compares it.
std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
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

// What to add after line before another line can follow it: nothing when it
// ends in LF; an LF when the file stops after its CR (a line end cut off,
// which would otherwise glue the next line onto this one's value); the
// file's line end when the line has none.
std::string_view LineEndToAdd(std::string_view content, const Line& line, std::string_view eol) {
    if (line.next == line.end) return eol;
    return content[line.next - 1] == '\n' ? "" : "\n";
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.empty() || key.find('=') != std::string_view::npos) return false;
    return key.front() != '[' && key.front() != ';' && key.front() != '#';
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
    return SetProfileValues(content, section,
                            {{std::string(CText(key)), std::string(CText(value))}});
}

std::optional<std::string> SetProfileValues(std::string_view content, std::string_view section,
                                            const std::vector<ProfileEntry>& entries) {
    section = Trim(CText(section));
    const Parsed p = Parse(content);

    // Where each key of the section is read from (its first line in any
    // section of that name), and the line after which new keys go: the last
    // key line of the first section of that name, or its header.
    std::unordered_map<std::string, std::size_t> lineOf;
    std::optional<std::size_t> insertAfter;
    bool inSection = false;
    bool inFirst = false;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Line& line = p.lines[i];
        if (line.kind == LineKind::Section) {
            inSection = SameName(line.name, section);
            inFirst = inSection && !insertAfter;
            if (inFirst) insertAfter = i;
        } else if (inSection && line.kind == LineKind::Key) {
            lineOf.emplace(Lower(line.name), i);
            if (inFirst) insertAfter = i;
        }
    }

    // Each entry as if it were written on its own after the ones before it:
    // a key already there (or added by an earlier entry) gets the later value.
    std::vector<std::optional<std::string_view>> replaced(p.lines.size());
    std::vector<std::pair<std::string_view, std::string_view>> added;
    std::unordered_map<std::string, std::size_t> addedAt;
    for (const auto& [entryKey, entryValue] : entries) {
        const std::string_view key = Trim(CText(entryKey));
        const std::string_view value = CText(entryValue);
        if (!Storable(section, key, value)) return std::nullopt;
        std::string name = Lower(key);
        if (const auto at = lineOf.find(name); at != lineOf.end()) {
            replaced[at->second] = value;
        } else if (const auto seen = addedAt.find(name); seen != addedAt.end()) {
            added[seen->second].second = value;
        } else {
            addedAt.emplace(std::move(name), added.size());
            added.emplace_back(key, value);
        }
    }

    std::string out;
    std::size_t size = content.size() + section.size() + 8;
    for (const auto& [key, value] : added)
        size += key.size() + value.size() + 3;
    out.reserve(size);
    const auto appendAdded = [&] {
        for (const auto& [key, value] : added)
            out.append(key).append("=").append(value).append(p.eol);
    };

    // Replaced values keep the key as it was spelled and the blanks after '='.
    out.append(content.substr(0, p.lines.empty() ? content.size() : p.lines.front().begin));
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Line& line = p.lines[i];
        if (replaced[i]) {
            out.append(content.substr(line.begin, line.valueAt - line.begin));
            out.append(*replaced[i]);
            out.append(content.substr(line.end, line.next - line.end));
        } else {
            out.append(content.substr(line.begin, line.next - line.begin));
        }
        // New keys after the section's last key line: blank lines and
        // comments that follow stay where they are.
        if (insertAfter == i && !added.empty()) {
            out.append(LineEndToAdd(content, line, p.eol));
            appendAdded();
        }
    }
    if (!insertAfter && !added.empty()) {
        // A new section at the end, after one blank line.
        if (!p.lines.empty()) {
            const Line& last = p.lines.back();
            out.append(LineEndToAdd(content, last, p.eol));
            if (!Trim(content.substr(last.begin, last.end - last.begin)).empty()) out.append(p.eol);
        }
        out.append("[").append(section).append("]").append(p.eol);
        appendAdded();
    }
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
    return WritePrivateProfileValues(section,
                                     {{std::string(CText(key)), std::string(CText(value))}}, path);
}

bool WritePrivateProfileValues(std::string_view section, const std::vector<ProfileEntry>& entries,
                               const std::string& path) {
    const std::string target = ResolveLink(path);
    std::string content;
    if (ReadWholeFile(target, content) == ReadResult::Failed) return false;
    const std::optional<std::string> updated = SetProfileValues(content, section, entries);
    if (!updated) return false;
    return ReplaceFile(target, *updated);
}

ProfileSnapshot::ProfileSnapshot(std::string content) : content_(std::move(content)) {
    const Parsed p = Parse(content_);
    std::unordered_map<std::string, Span>* keys = nullptr;
    for (const Line& line : p.lines) {
        if (line.kind == LineKind::Section) {
            keys = &sections_[Lower(line.name)];
        } else if (keys != nullptr && line.kind == LineKind::Key) {
            // The first of two equal keys is the one read, also across two
            // sections of the same name.
            const std::string_view value = ValueOf(content_, line);
            const Span span{static_cast<std::size_t>(value.data() - content_.data()), value.size()};
            keys->emplace(Lower(line.name), span);
        }
    }
}

ProfileSnapshot ProfileSnapshot::FromFile(const std::string& path) {
    std::string content;
    if (ReadWholeFile(path, content) != ReadResult::Ok) content.clear();
    return ProfileSnapshot(std::move(content));
}

std::optional<std::string_view> ProfileSnapshot::Find(std::string_view section,
                                                      std::string_view key) const {
    const auto s = sections_.find(Lower(Trim(CText(section))));
    if (s == sections_.end()) return std::nullopt;
    const auto k = s->second.find(Lower(Trim(CText(key))));
    if (k == s->second.end()) return std::nullopt;
    return std::string_view(content_).substr(k->second.at, k->second.size);
}

}  // namespace calvetta
