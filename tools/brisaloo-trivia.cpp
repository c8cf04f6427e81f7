// SPDX-License-Identifier: GPL-3.0-or-later
// brisaloo-trivia: makes and checks the scrambled trivia file triv.dat.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/AtomicFile.h"
#include "files/FileIo.h"
#include "trivia/TriviaCheck.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaTable.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;
constexpr int kExitError = 2;
constexpr const char* kTool = "brisaloo-trivia";

void PrintHelp() {
    const int nShift = kTriviaShift;
    std::printf(
        "Usage: %s COMMAND ARGUMENTS\n"
        "\n"
        "Makes and checks triv.dat, the trivia file Brisaloo reads. Brisaloo takes the\n"
        "first triv.dat it finds: in its data folder (the --data-dir folder, or\n"
        "$XDG_DATA_HOME/brisaloo for an installed copy), beside the program, then in\n"
        "share/brisaloo under the program's prefix (/usr/share/brisaloo for\n"
        "/usr/bin/brisaloo).\n"
        "\n"
        "Commands:\n"
        "  pack IN.txt OUT.dat    scramble a plain trivia text into a trivia file\n"
        "  unpack IN.dat OUT.txt  turn a trivia file back into plain text\n"
        "  check FILE             list by line number every entry of FILE that would\n"
        "                         show wrongly\n"
        "  --help                 show this text\n"
        "\n"
        "Entry format: one entry per line. A line ends at LF; a CR before the LF stays\n"
        "in the line. Each entry reads\n"
        "\n"
        "    N|CAT|Question?|Answer|\n"
        "\n"
        "  N         anything without \"|\", usually a running number; not shown\n"
        "  CAT       a category code of exactly 3 bytes (GEO, SCI, HIS ...); not shown\n"
        "  Question  shown first; not empty, no \"|\" inside\n"
        "  Answer    revealed half-way through the interval; no \"|\" inside. It must\n"
        "            be closed by \"|\", or it never shows. An empty answer (Q?||)\n"
        "            gives a question that is never answered.\n"
        "\n"
        "Anything after the \"|\" that closes the answer is ignored. Brisaloo shows\n"
        "at most the first %d entries.\n"
        "\n"
        "Example:\n"
        "\n"
        "    1|GEO|What is the capital city of Australia?|Canberra|\n"
        "\n"
        "Packed form: every byte of the plain text plus %d (0x%02X), modulo 256.\n"
        "check reads FILE as packed when it holds more 0x%02X bytes (a packed \"|\")\n"
        "than \"|\" bytes, and as plain text otherwise.\n"
        "\n"
        "Exit status: 0 on success; 1 when check finds entries that would show wrongly;\n"
        "2 for bad usage or a file that cannot be read or written.\n",
        kTool, kTriviaMaxLines, nShift, nShift, static_cast<unsigned char>('|' + kTriviaShift));
}

int Fail(const std::string& strMessage) {
    std::fprintf(stderr, "%s: %s\n", kTool, strMessage.c_str());
    return kExitError;
}

int UsageError(const std::string& strMessage) {
    return Fail(strMessage + " (see " + kTool + " --help)");
}

// The whole file, or nullopt with the reason in strError.
std::optional<std::string> ReadInput(const std::string& strPath, std::string& strError) {
    std::string strBytes;
    if (!ReadWholeFile(strPath, strBytes)) {
        strError = "cannot read " + strPath + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return strBytes;
}

// Writes OUT whole or not at all: an old OUT stays as it was on failure.
bool WriteOutput(const std::string& strPath, std::string_view bytes, std::string& strError) {
    if (auto error = ReplaceFileAtomically(strPath, bytes, SystemFileOps(), 0644)) {
        strError = "cannot write " + strPath + ": " + *error;
        return false;
    }
    return true;
}

int Convert(const std::string& strIn, const std::string& strOut, bool bPack) {
    std::string strError;
    const std::optional<std::string> bytes = ReadInput(strIn, strError);
    if (!bytes) return Fail(strError);
    const std::string strConverted = bPack ? PackTrivia(*bytes) : UnpackTrivia(*bytes);
    if (!WriteOutput(strOut, strConverted, strError)) return Fail(strError);
    return kExitOk;
}

int Check(const std::string& strPath) {
    std::string strError;
    const std::optional<std::string> bytes = ReadInput(strPath, strError);
    if (!bytes) return Fail(strError);
    const bool bPacked = LooksPacked(*bytes);
    const std::string strPlain = bPacked ? UnpackTrivia(*bytes) : *bytes;
    const std::vector<TriviaFinding> findings = CheckTriviaText(strPlain);
    const std::size_t nLines = SplitTriviaLines(strPlain).size();

    std::size_t nShown = 0;
    for (const TriviaFinding& finding : findings) {
        if (finding.problem == TriviaProblem::BeyondTable) break;  // one line for all of them
        std::printf("%s:%d: %.*s\n", strPath.c_str(), finding.nLine,
                    static_cast<int>(DescribeTriviaProblem(finding.problem).size()),
                    DescribeTriviaProblem(finding.problem).data());
        ++nShown;
    }
    if (nShown < findings.size()) {
        const std::string_view strBeyond = DescribeTriviaProblem(TriviaProblem::BeyondTable);
        std::printf("%s:%d-%zu: %.*s\n", strPath.c_str(), findings[nShown].nLine, nLines,
                    static_cast<int>(strBeyond.size()), strBeyond.data());
    }
    const char* pszForm = bPacked ? "packed" : "plain";
    if (findings.empty()) {
        std::printf("%s: %s (%s), all well-formed\n", strPath.c_str(),
                    CountOfEntries(nLines).c_str(), pszForm);
        return kExitOk;
    }
    std::printf("%s: %zu of %s (%s) would show wrongly\n", strPath.c_str(), findings.size(),
                CountOfEntries(nLines).c_str(), pszForm);
    return kExitFindings;
}

}  // namespace

namespace {

int Run(const std::vector<std::string>& args) {
    if (args.empty()) return UsageError("no command given");
    const std::string& strCommand = args[0];
    if (strCommand == "--help" || strCommand == "-h" || strCommand == "help") {
        PrintHelp();
        return kExitOk;
    }
    if (strCommand == "pack" || strCommand == "unpack") {
        if (args.size() != 3) return UsageError(strCommand + " takes an input and an output file");
        return Convert(args[1], args[2], strCommand == "pack");
    }
    if (strCommand == "check") {
        if (args.size() != 2) return UsageError("check takes one file");
        return Check(args[1]);
    }
    return UsageError("unknown command \"" + strCommand + "\"");
}

}  // namespace

#ifdef _WIN32
// The arguments as Windows keeps them, in UTF-16, taken to UTF-8 as the file
// module reads paths: the narrow ones are in the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8Path(argv[i]));
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
