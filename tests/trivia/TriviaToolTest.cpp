// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <random>
#include <string>

#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"

namespace {

struct ToolRun {
    int nExit = -1;
    std::string strOut;  // stdout and stderr together
};

ToolRun RunTool(const std::string& strArgs) {
    const std::string strCommand = std::string(BRISALOO_TRIVIA_TOOL) + " " + strArgs + " 2>&1";
    ToolRun run;
    std::FILE* pPipe = ::popen(strCommand.c_str(), "r");
    if (!pPipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pPipe)) > 0;) {
        run.strOut.append(buffer, n);
    }
    const int nStatus = ::pclose(pPipe);
    run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return run;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

class TriviaToolTest : public testing::Test {
protected:
    TempDir m_dir;
};

TEST_F(TriviaToolTest, PackThenUnpackGivesBackEveryByte) {
    std::mt19937 engine(7);
    std::string strPlain(70000, '\0');  // more than one read block
    for (char& c : strPlain) c = static_cast<char>(engine());
    WriteFileBytes(m_dir / "in.txt", strPlain);

    ASSERT_EQ(RunTool("pack " + Quoted(m_dir / "in.txt") + " " + Quoted(m_dir / "triv.dat")).nExit,
              0);
    EXPECT_EQ(ReadFileBytes(m_dir / "triv.dat"), PackTrivia(strPlain));
    ASSERT_EQ(
        RunTool("unpack " + Quoted(m_dir / "triv.dat") + " " + Quoted(m_dir / "out.txt")).nExit, 0);
    EXPECT_EQ(ReadFileBytes(m_dir / "out.txt"), strPlain);
}

TEST_F(TriviaToolTest, CheckReportsEachFaultyEntryByLineNumber) {
    const std::string strPlain =
        "1|GEO|Fine?|Yes|\n"
        "no separator\n"
        "3|GEOG|Code too long?|Yes|\n"
        "4|GEO|Unclosed question\n"
        "5|GEO||Empty question|\n"
        "6|GEO|Unclosed answer?|Yes\r\n"
        "7|GEO|No answer at all?||\n";
    WriteFileBytes(m_dir / "plain.txt", strPlain);
    WriteFileBytes(m_dir / "packed.dat", PackTrivia(strPlain));

    for (const char* pszName : {"plain.txt", "packed.dat"}) {
        const std::string strFile = (m_dir / pszName).string();
        const ToolRun run = RunTool("check " + Quoted(strFile));
        EXPECT_EQ(run.nExit, 1) << pszName;
        for (int nLine : {2, 3, 4, 5, 6}) {
            EXPECT_NE(run.strOut.find(strFile + ":" + std::to_string(nLine) + ": "),
                      std::string::npos)
                << pszName << " line " << nLine << "\n"
                << run.strOut;
        }
        for (int nLine : {1, 7}) {
            EXPECT_EQ(run.strOut.find(strFile + ":" + std::to_string(nLine) + ": "),
                      std::string::npos)
                << pszName << " line " << nLine;
        }
    }
}

TEST_F(TriviaToolTest, CheckNamesTheLinesBeyondTheTable) {
    std::string strPlain;
    for (int i = 1; i <= 5003; ++i) strPlain += std::to_string(i) + "|GEO|Q?|A|\n";
    WriteFileBytes(m_dir / "big.txt", strPlain);
    const ToolRun run = RunTool("check " + Quoted(m_dir / "big.txt"));
    EXPECT_EQ(run.nExit, 1);
    EXPECT_NE(run.strOut.find("big.txt:5000-5003: "), std::string::npos) << run.strOut;
}

TEST_F(TriviaToolTest, CheckPassesAWellFormedFileInEitherForm) {
    const std::string strPlain =
        "1|GEO|Q?|A|\n2|SCI|\xC3\x9C"
        "ber?|Ja|\r\n";
    WriteFileBytes(m_dir / "good.txt", strPlain);
    WriteFileBytes(m_dir / "good.dat", PackTrivia(strPlain));
    EXPECT_EQ(RunTool("check " + Quoted(m_dir / "good.txt")).nExit, 0);
    const ToolRun run = RunTool("check " + Quoted(m_dir / "good.dat"));
    EXPECT_EQ(run.nExit, 0);
    EXPECT_NE(run.strOut.find("2 entries (packed)"), std::string::npos) << run.strOut;
    WriteFileBytes(m_dir / "one.txt", "1|GEO|Q?|A|\n");
    EXPECT_NE(RunTool("check " + Quoted(m_dir / "one.txt")).strOut.find(": 1 entry (plain)"),
              std::string::npos);
}

struct UsageCase {
    std::string strArgs;
    int nExit;
    std::string strSays;
};

class TriviaToolUsage : public TriviaToolTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(TriviaToolUsage, AnswersWithOneClearLine) {
    const ToolRun run = RunTool(GetParam().strArgs);
    EXPECT_EQ(run.nExit, GetParam().nExit);
    EXPECT_NE(run.strOut.find(GetParam().strSays), std::string::npos) << run.strOut;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, TriviaToolUsage,
    testing::Values(UsageCase{"--help", 0, "N|CAT|Question?|Answer|"},
                    UsageCase{"", 2, "no command given"},
                    UsageCase{"shuffle a b", 2, "unknown command \"shuffle\""},
                    UsageCase{"pack only-one", 2, "pack takes an input and an output file"},
                    UsageCase{"check", 2, "check takes one file"},
                    UsageCase{"check /nonexistent/trivia.txt", 2,
                              "cannot read /nonexistent/trivia.txt: No such file"},
                    UsageCase{"unpack /nonexistent/triv.dat out", 2, "cannot read"}));

TEST_F(TriviaToolTest, UnwritableOutputIsAnErrorAndLeavesNothing) {
    WriteFileBytes(m_dir / "in.txt", "1|GEO|Q?|A|\n");
    const ToolRun run =
        RunTool("pack " + Quoted(m_dir / "in.txt") + " " + Quoted(m_dir / "no" / "triv.dat"));
    EXPECT_EQ(run.nExit, 2);
    EXPECT_NE(run.strOut.find("cannot write"), std::string::npos) << run.strOut;
}

}  // namespace
