#include "app/IniText.h"

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

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto nEnd = text.find_first_of("\r\n");
        if (nEnd == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, nEnd));
        const bool bCrLf = text[nEnd] == '\r' && nEnd + 1 < text.size() && text[nEnd + 1] == '\n';
        text.remove_prefix(nEnd + (bCrLf ? 2 : 1));
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
    for (const std::string_view rawLine : SplitLines(text)) {
        const std::string_view line = Trimmed(rawLine);
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

// "SECTION/KEY" goes under [SECTION] when both halves read back as they
// are; any other path, "a / b" or "General/x" say, is a key of [General]
// as a whole.
std::pair<std::string, std::string> SectionAndKey(const std::string& strPath) {
    const auto nSlash = strPath.find('/');
    if (nSlash == std::string::npos) return {std::string(), strPath};
    const std::string_view section = std::string_view(strPath).substr(0, nSlash);
    const std::string_view key = std::string_view(strPath).substr(nSlash + 1);
    const bool bSectionReadsBack = !section.empty() && Trimmed(section) == section &&
                                   section.find(']') == std::string_view::npos &&
                                   section != kTopLevelSection;
    const bool bKeyReadsBack = !key.empty() && Trimmed(key) == key &&
                               std::string_view("[;#").find(key.front()) == std::string_view::npos;
    if (!bSectionReadsBack || !bKeyReadsBack) return {std::string(), strPath};
    return {std::string(section), std::string(key)};
}

}  // namespace

std::string FormatIniText(const IniValues& values) {
    std::map<std::string, std::vector<std::pair<std::string, const std::string*>>> sections;
    for (const auto& [strPath, strValue] : values) {
        auto [strSection, strKey] = SectionAndKey(strPath);
        sections[strSection].emplace_back(std::move(strKey), &strValue);
    }
    std::string text;
    for (const auto& [strSection, keys] : sections) {
        if (!text.empty()) text += '\n';
        text += '[' + (strSection.empty() ? std::string(kTopLevelSection) : strSection) + "]\n";
        for (const auto& [strKey, pValue] : keys)
            text += strKey + '=' + (NeedsQuotes(*pValue) ? Quoted(*pValue) : *pValue) + '\n';
    }
    return text;
}
