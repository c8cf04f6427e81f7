// SPDX-License-Identifier: GPL-3.0-or-later
// The options, their help and the rules for combining them.
#include <algorithm>
#include <map>

#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/PathText.h"
#include "files/FileIo.h"

namespace {

enum class OptionId { Help, HelpAll, Version, Print, Format, Hidden, Autostart, DataDir };

struct OptionInfo {
    OptionId id;
    std::string_view name;
    bool bTakesValue;
};

// Every name an option answers to: one letter after "-", a word after "--".
constexpr OptionInfo kOptionNames[] = {
#ifdef _WIN32
    {OptionId::Help, "?", false},
#endif
    {OptionId::Help, "h", false},
    {OptionId::Help, "help", false},
    {OptionId::HelpAll, "help-all", false},
    {OptionId::Version, "v", false},
    {OptionId::Version, "version", false},
    {OptionId::Print, "print", false},
    {OptionId::Format, "format", true},
    {OptionId::Hidden, "hidden", false},
    {OptionId::Autostart, "autostart", true},
    {OptionId::DataDir, "data-dir", true},
};

const OptionInfo* FindOption(std::string_view name) {
    for (const OptionInfo& option : kOptionNames)
        if (option.name == name) return &option;
    return nullptr;
}

#ifdef _WIN32
constexpr const char* kHelpNames = "-?, -h, --help";
#else
constexpr const char* kHelpNames = "-h, --help";
#endif

// What the arguments set, before the rules look at it.
class ParsedArguments {
public:
    explicit ParsedArguments(const std::vector<std::string>& arguments) {
        bool bOptionsEnded = false;
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            const std::string& strArg = arguments[i];
            if (bOptionsEnded || strArg.size() < 2 || strArg[0] != '-') {
                m_positional.push_back(strArg);
            } else if (strArg == "--") {
                bOptionsEnded = true;
            } else if (strArg.starts_with("--")) {
                ReadLongOption(arguments, i);
            } else {
                ReadShortOptions(arguments, i);
            }
        }
    }

    // The parser's complaint, "" when there is none.
    std::string Error() const {
        if (!m_strError.empty()) return m_strError;
        if (m_unknown.size() == 1) return "Unknown option '" + m_unknown.front() + "'.";
        if (m_unknown.empty()) return {};
        std::string strNames;
        for (const std::string& strName : m_unknown)
            strNames += (strNames.empty() ? "" : ", ") + strName;
        return "Unknown options: " + strNames + ".";
    }
    bool IsSet(OptionId id) const { return m_values.contains(id); }
    // The last value given for the option.
    const std::string& Value(OptionId id) const { return m_values.at(id); }
    const std::vector<std::string>& Positional() const { return m_positional; }

private:
    void Found(OptionId id) { m_values.try_emplace(id); }
    void FoundValue(OptionId id, std::string strValue) { m_values[id] = std::move(strValue); }

    // "--name", "--name=value" or "--name value".
    void ReadLongOption(const std::vector<std::string>& arguments, std::size_t& i) {
        const std::string& strArg = arguments[i];
        const std::size_t nAssign = strArg.find('=');
        const std::string strName =
            strArg.substr(2, nAssign == std::string::npos ? std::string::npos : nAssign - 2);
        const OptionInfo* pOption = FindOption(strName);
        if (!pOption) {
            m_unknown.push_back(strName);
            return;
        }
        Found(pOption->id);
        ReadValue(*pOption, arguments, i);
    }

    // "-hv": each letter an option; a letter that takes a value takes the
    // rest of the argument ("-x=value", "-xvalue") or the next one.
    void ReadShortOptions(const std::vector<std::string>& arguments, std::size_t& i) {
        const std::string& strArg = arguments[i];
        const OptionInfo* pLast = nullptr;
        std::string strLetter;
        for (std::size_t nPos = 1; nPos < strArg.size(); ++nPos) {
            strLetter = strArg.substr(nPos, 1);
            pLast = FindOption(strLetter);
            if (!pLast) {
                m_unknown.push_back(strLetter);
                // "-x=1": what follows '=' is the unknown option's value, not more letters.
                if (nPos + 1 < strArg.size() && strArg[nPos + 1] == '=') return;
                continue;
            }
            Found(pLast->id);
            const bool bMore = nPos + 1 < strArg.size();
            if (pLast->bTakesValue) {
                if (!bMore) break;
                if (strArg[nPos + 1] == '=') ++nPos;
                FoundValue(pLast->id, strArg.substr(nPos + 1));
                return;
            }
            if (bMore && strArg[nPos + 1] == '=') break;
        }
        if (pLast) ReadValue(*pLast, arguments, i);
    }

    void ReadValue(const OptionInfo& option, const std::vector<std::string>& arguments,
                   std::size_t& i) {
        const std::string& strArg = arguments[i];
        const std::size_t nAssign = strArg.find('=');
        if (!option.bTakesValue) {
            if (nAssign != std::string::npos)
                m_strError = "Unexpected value after '" + strArg.substr(0, nAssign) + "'.";
            return;
        }
        if (nAssign != std::string::npos) {
            FoundValue(option.id, strArg.substr(nAssign + 1));
        } else if (i + 1 < arguments.size()) {
            FoundValue(option.id, arguments[++i]);
        } else {
            m_strError = "Missing value after '" + strArg + "'.";
        }
    }

    std::map<OptionId, std::string> m_values;
    std::vector<std::string> m_unknown;
    std::vector<std::string> m_positional;
    std::string m_strError;
};

CommandLineOptions ExitWith(int nCode, std::string strOutput, std::string strError) {
    CommandLineOptions options;
    options.action = CommandLineOptions::Action::Exit;
    options.nExitCode = nCode;
    options.strOutput = std::move(strOutput);
    options.strError = std::move(strError);
    return options;
}

CommandLineOptions UsageError(const std::string& strProblem) {
    return ExitWith(kExitUsage, {}, "brisaloo: " + strProblem);
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    const ParsedArguments parsed(arguments);
    if (const std::string strError = parsed.Error(); !strError.empty()) return UsageError(strError);
    if (!parsed.Positional().empty())
        return UsageError("unexpected argument '" + parsed.Positional().front() + "'");
    if (parsed.IsSet(OptionId::Help) || parsed.IsSet(OptionId::HelpAll))
        return ExitWith(
            kExitOk, CommandLineHelpText(arguments.empty() ? "brisaloo" : arguments.front()), {});
    if (parsed.IsSet(OptionId::Version)) return ExitWith(kExitOk, CommandLineVersionText(), {});

    CommandLineOptions options;
    if (parsed.IsSet(OptionId::DataDir)) {
        const std::string& strDir = parsed.Value(OptionId::DataDir);
        if (strDir.empty() || !IsDirectory(strDir))
            return UsageError("--data-dir: '" + strDir + "' is not a directory");
        options.strDataDir = AbsoluteCleanPath(strDir);
    }
    options.bHidden = parsed.IsSet(OptionId::Hidden);
    if (parsed.IsSet(OptionId::Format)) options.strFormat = parsed.Value(OptionId::Format);

    const bool bPrint = parsed.IsSet(OptionId::Print) || options.strFormat.has_value();
    const bool bAutostart = parsed.IsSet(OptionId::Autostart);
    if (bPrint && bAutostart)
        return UsageError("--autostart cannot be combined with --print or --format");
    if (bPrint && options.bHidden)
        return UsageError("--hidden cannot be combined with --print or --format");
    if (bAutostart) {
        const std::string& strValue = parsed.Value(OptionId::Autostart);
        const std::optional<bool> bOn = ParseOnOff(strValue);
        if (!bOn) return UsageError(AutostartValueError(strValue));
        options.bAutostartOn = *bOn;
        options.action = CommandLineOptions::Action::Autostart;
    } else if (bPrint) {
        options.action = CommandLineOptions::Action::Print;
    }
    return options;
}

std::string CommandLineVersionText() {
    return std::string("brisaloo ") + BRISALOO_VERSION + "\n";
}

int RunCommandWithoutWindow(const CommandLineOptions& options, IProfile& profile,
                            const IClock& clock, const std::string& strExePath, ITextSink& out,
                            ITextSink& err) {
    if (options.action == CommandLineOptions::Action::Print)
        return PrintCountdown(profile, clock, options.strFormat, out, err);
    std::vector<std::string> extraArgs;
    if (options.strDataDir) extraArgs = {"--data-dir", *options.strDataDir};
    return RunAutostartCommand(options.bAutostartOn, strExePath, extraArgs, out, err);
}

namespace {

struct OptionHelp {
    std::string strNames;
    std::string strDescription;
};

std::vector<OptionHelp> OptionHelpTable() {
    return {
        {kHelpNames, "Displays help on commandline options."},
        {"--help-all", "Displays help including Qt specific options."},
        {"-v, --version", "Displays version information."},
        {"--print", "Print the countdown to the stored arrival as one line and exit."},
        {"--format <TEMPLATE>", std::string("Print TEMPLATE with the countdown filled in and "
                                            "exit. Placeholders: ") +
                                    kStatusPlaceholders + "."},
        {"--hidden", "Start hidden in the tray for this run."},
        {"--autostart <on|off>",
         "Add (on) or remove (off) the entry that starts Brisaloo at log-in."},
        {"--data-dir <DIR>", "Keep notes.dat and read triv.dat in DIR instead of the usual place."},
    };
}

// The description in lines of at most nWidth characters, broken at blanks.
std::vector<std::string> Wrapped(const std::string& strText, std::size_t nWidth) {
    std::vector<std::string> lines(1);
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        const std::size_t nEnd = std::min(strText.find(' ', nStart), strText.size());
        const std::string strWord = strText.substr(nStart, nEnd - nStart);
        if (!lines.back().empty() && lines.back().size() + 1 + strWord.size() > nWidth)
            lines.emplace_back();
        lines.back() += (lines.back().empty() ? "" : " ") + strWord;
        nStart = nEnd + 1;
    }
    return lines;
}

}  // namespace

// Laid out for an 80-column terminal: the names in a column as wide as the
// longest and one more, the descriptions wrapped beside them.
std::string CommandLineHelpText(const std::string& strProgram) {
    const std::vector<OptionHelp> options = OptionHelpTable();
    std::size_t nNamesWidth = 0;
    for (const OptionHelp& option : options)
        nNamesWidth = std::max(nNamesWidth, option.strNames.size() + 1);
    const std::size_t nTextWidth = 79 - (2 + nNamesWidth + 1);
    std::string strHelp = "Usage: " + strProgram +
                          " [options]\n"
                          "Counts down to your arrival, with trivia and notes while you wait.\n"
                          "\n"
                          "Options:\n";
    for (const OptionHelp& option : options) {
        std::string strNames = option.strNames;
        for (const std::string& strLine : Wrapped(option.strDescription, nTextWidth)) {
            strNames.resize(nNamesWidth, ' ');
            strHelp += "  " + strNames + " " + strLine + "\n";
            strNames.clear();
        }
    }
    return strHelp;
}
