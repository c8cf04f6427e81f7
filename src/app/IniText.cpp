// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IniText.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kTopLevelSection = "General";

std::string_view Trimmed(std::string_view text) {
    const auto nFirst = text.find_first_not_of(kBlanks);
    if (nFirst == std::string_view::npos) return {};
    const auto nLast = text.find_last_not_of(kBlanks);
    return text.substr(nFirst, nLast - nFirst + 1);
}

// One line of the text and the line end that follows it ("" for the last
// line of a file without a final line end).
struct TextLine {
    std::string_view body;
    std::string_view end;
};

std::vector<TextLine> SplitLines(std::string_view text) {
    std::vector<TextLine> lines;
    while (!text.empty()) {
        const auto nEnd = text.find_first_of("\r\n");
        if (nEnd == std::string_view::npos) {
            lines.push_back({text, {}});
            break;
        }
        const bool bCrLf = text[nEnd] == '\r' && nEnd + 1 < text.size() && text[nEnd + 1] == '\n';
        const std::size_t nEndSize = bCrLf ? 2 : 1;
        lines.push_back({text.substr(0, nEnd), text.substr(nEnd, nEndSize)});
        text.remove_prefix(nEnd + nEndSize);
    }
    return lines;
}

char Unescaped(char c) {
    switch (c) {
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case '0': return '\0';
        default: return c;
    }
}

// The text between the quotes; anything after the closing quote is a comment.
std::string QuotedValue(std::string_view text) {
    std::string value;
    for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            value += Unescaped(text[++i]);
        else
            value += text[i];
    }
    return value;
}

std::string ValueOf(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '"') return QuotedValue(text);
    return std::string(Trimmed(text.substr(0, text.find(';'))));
}

// A header's name, or nullopt for one that could not be written back as a
// header or a key ("[a=b", "[;x]"): the keys under it are skipped.
std::optional<std::string> SectionOf(std::string_view line) {
    line.remove_prefix(1);
    const std::string_view name = Trimmed(line.substr(0, line.find(']')));
    if (name.find('=') != std::string_view::npos) return std::nullopt;
    if (!name.empty() && std::string_view("[;#").find(name.front()) != std::string_view::npos)
        return std::nullopt;
    return name == kTopLevelSection ? std::string() : std::string(name);
}

bool NeedsQuotes(std::string_view value) {
    if (value.empty()) return false;
    if (kBlanks.find(value.front()) != std::string_view::npos) return true;
    if (kBlanks.find(value.back()) != std::string_view::npos) return true;
    for (const char c : value) {
        if (c == '"' || c == ';' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return true;
    }
    return false;
}

std::string Quoted(std::string_view value) {
    std::string text = "\"";
    for (const char c : value) {
        switch (c) {
            case '"': text += "\\\""; break;
            case '\\': text += "\\\\"; break;
            case '\n': text += "\\n"; break;
            case '\r': text += "\\r"; break;
            case '\t': text += "\\t"; break;
            case '\0': text += "\\0"; break;
            default: text += c;
        }
    }
    return text + '"';
}

}  // namespace

IniValues ParseIniText(std::string_view text) {
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    IniValues values;
    std::optional<std::string> section = std::string();
    for (const TextLine& rawLine : SplitLines(text)) {
        const std::string_view line = Trimmed(rawLine.body);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            section = SectionOf(line);
            continue;
        }
        if (!section) continue;
        const std::string& strSection = *section;
        const auto nEquals = line.find('=');
        if (nEquals == std::string_view::npos) continue;
        const std::string_view key = Trimmed(line.substr(0, nEquals));
        if (key.empty()) continue;
        const std::string strPath =
            strSection.empty() ? std::string(key) : strSection + '/' + std::string(key);
        values[strPath] = ValueOf(line.substr(nEquals + 1));
    }
    return values;
}

namespace {

// Where a quoted value's closing quote is, backslash escapes skipped; npos
// when the quote is never closed.
std::size_t ClosingQuote(std::string_view quoted) {
    for (std::size_t i = 1; i < quoted.size(); ++i) {
        if (quoted[i] == '\\')
            ++i;
        else if (quoted[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

// A "KEY=value" line with another value: the blanks around it, its quotes
// and a comment after it stay.
std::string WithValue(std::string_view line, std::string_view value) {
    const auto nEquals = line.find('=');
    const std::string_view head = line.substr(0, nEquals + 1);
    std::string_view rest = line.substr(nEquals + 1);
    const std::string_view lead =
        rest.substr(0, std::min(rest.find_first_not_of(kBlanks), rest.size()));
    rest.remove_prefix(lead.size());
    std::string text = std::string(head) + std::string(lead);
    if (!rest.empty() && rest.front() == '"') {
        const std::size_t nClose = ClosingQuote(rest);
        const std::string_view tail =
            nClose == std::string_view::npos ? std::string_view() : rest.substr(nClose + 1);
        return text + Quoted(value) + std::string(tail);
    }
    const std::string_view oldValue = rest.substr(0, rest.find(';'));
    const std::string_view tail = rest.substr(Trimmed(oldValue).size());
    return text + (NeedsQuotes(value) ? Quoted(value) : std::string(value)) + std::string(tail);
}

}  // namespace

std::string SetIniValue(std::string_view text, std::string_view strSection, std::string_view strKey,
                        std::string_view value) {
    std::string result;
    if (text.starts_with(kUtf8Bom)) {
        result = kUtf8Bom;
        text.remove_prefix(kUtf8Bom.size());
    }
    const std::vector<TextLine> lines = SplitLines(text);
    std::string_view eol = "\n";
    for (const TextLine& line : lines) {
        if (!line.end.empty()) {
            eol = line.end;
            break;
        }
    }

    // The same walk as ParseIniText: the last key line it reads for this
    // key, and the last line of the section (its header or a key).
    std::optional<std::size_t> nKeyLine;
    std::optional<std::size_t> nSectionEnd;
    std::optional<std::string> section = std::string();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i].body);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            section = SectionOf(line);
            if (section == strSection) nSectionEnd = i;
            continue;
        }
        if (section != strSection) continue;
        const auto nEquals = line.find('=');
        if (nEquals == std::string_view::npos) continue;
        const std::string_view key = Trimmed(line.substr(0, nEquals));
        if (key.empty()) continue;
        nSectionEnd = i;
        if (key == strKey) nKeyLine = i;
    }

    const std::string strNewLine =
        std::string(strKey) + '=' + (NeedsQuotes(value) ? Quoted(value) : std::string(value));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        if (i == nKeyLine) {
            result += WithValue(line.body, value);
            result += line.end;
        } else if (i == nSectionEnd && !nKeyLine) {
            // The new line takes the old line's end, so a file without a
            // final line end still has none.
            result += line.body;
            result += line.end.empty() ? eol : line.end;
            result += strNewLine;
            result += line.end;
        } else {
            result += line.body;
            result += line.end;
        }
    }
    if (nSectionEnd) return result;

    if (!lines.empty()) {
        if (lines.back().end.empty()) result += eol;
        if (!Trimmed(lines.back().body).empty()) result += eol;
    }
    result += '[';
    result += strSection.empty() ? kTopLevelSection : strSection;
    result += ']';
    result += eol;
    result += strNewLine;
    result += eol;
    return result;
}
