// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "support/TempDir.h"

namespace {

using Action = CommandLineOptions::Action;

struct ParseCase {
    const char* pszName;
    std::vector<std::string> args;  // after the program's name
    Action action;
    int nExitCode;
    std::string strError;  // the whole line for stderr
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, GivesTheActionAndTheWords) {
    const ParseCase& c = GetParam();
    std::vector<std::string> args{"brisaloo"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CommandLineOptions options = ParseCommandLine(args);
    EXPECT_EQ(options.action, c.action);
    EXPECT_EQ(options.nExitCode, c.nExitCode);
    EXPECT_EQ(options.strError, c.strError);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineParse,
    testing::Values(ParseCase{"Nothing", {}, Action::Run, 0, ""},
                    ParseCase{"Hidden", {"--hidden"}, Action::Run, 0, ""},
                    ParseCase{"Print", {"--print"}, Action::Print, 0, ""},
                    ParseCase{"FormatImpliesPrint", {"--format", "{days}"}, Action::Print, 0, ""},
                    ParseCase{"FormatWithEquals", {"--format={days}"}, Action::Print, 0, ""},
                    ParseCase{"AutostartOn", {"--autostart", "on"}, Action::Autostart, 0, ""},
                    ParseCase{"AutostartOff", {"--autostart=off"}, Action::Autostart, 0, ""},
                    ParseCase{"Help", {"--help"}, Action::Exit, 0, ""},
                    ParseCase{"HelpShort", {"-h"}, Action::Exit, 0, ""},
                    ParseCase{"HelpAllIsHelpToo", {"--help-all"}, Action::Exit, 0, ""},
                    ParseCase{"Version", {"--version"}, Action::Exit, 0, ""},
                    ParseCase{"CompactedShortOptions", {"-vh"}, Action::Exit, 0, ""},
                    ParseCase{"AutostartMaybe",
                              {"--autostart", "maybe"},
                              Action::Exit,
                              2,
                              "brisaloo: --autostart takes on or off, not \"maybe\""},
                    ParseCase{"MissingValue",
                              {"--autostart"},
                              Action::Exit,
                              2,
                              "brisaloo: Missing value after '--autostart'."},
                    ParseCase{"UnknownOption",
                              {"--frobnicate"},
                              Action::Exit,
                              2,
                              "brisaloo: Unknown option 'frobnicate'."},
                    ParseCase{"UnknownOptions",
                              {"--frob", "-x"},
                              Action::Exit,
                              2,
                              "brisaloo: Unknown options: frob, x."},
                    ParseCase{"UnknownLetterWithAValue",
                              {"-x=1"},
                              Action::Exit,
                              2,
                              "brisaloo: Unknown option 'x'."},
                    ParseCase{"LongWordWithOneDash",
                              {"-print"},
                              Action::Exit,
                              2,
                              "brisaloo: Unknown options: p, r, i, n, t."},
                    ParseCase{"ValueForAFlag",
                              {"--hidden=1"},
                              Action::Exit,
                              2,
                              "brisaloo: Unexpected value after '--hidden'."},
                    ParseCase{"StrayArgument",
                              {"tomorrow"},
                              Action::Exit,
                              2,
                              "brisaloo: unexpected argument 'tomorrow'"},
                    ParseCase{"OptionAfterDoubleDash",
                              {"--", "--print"},
                              Action::Exit,
                              2,
                              "brisaloo: unexpected argument '--print'"},
                    ParseCase{"StrayBeforeHelp",
                              {"--help", "tomorrow"},
                              Action::Exit,
                              2,
                              "brisaloo: unexpected argument 'tomorrow'"},
                    ParseCase{"DataDirMissing",
                              {"--data-dir", "/no/such/folder"},
                              Action::Exit,
                              2,
                              "brisaloo: --data-dir: '/no/such/folder' is not a directory"},
                    ParseCase{"DataDirEmpty",
                              {"--data-dir="},
                              Action::Exit,
                              2,
                              "brisaloo: --data-dir: '' is not a directory"},
                    ParseCase{"PrintAndAutostart",
                              {"--print", "--autostart", "on"},
                              Action::Exit,
                              2,
                              "brisaloo: --autostart cannot be combined with --print or --format"},
                    ParseCase{"FormatAndHidden",
                              {"--format", "x", "--hidden"},
                              Action::Exit,
                              2,
                              "brisaloo: --hidden cannot be combined with --print or --format"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.pszName; });

// "-?" asks for help on Windows only, as it always has.
TEST(CommandLineHelp, QuestionMarkIsHelpOnWindowsOnly) {
    const CommandLineOptions options = ParseCommandLine({"brisaloo", "-?"});
#ifdef _WIN32
    EXPECT_EQ(options.nExitCode, kExitOk);
    EXPECT_FALSE(options.strOutput.empty());
#else
    EXPECT_EQ(options.nExitCode, kExitUsage);
    EXPECT_EQ(options.strError, "brisaloo: Unknown option '?'.");
#endif
}

TEST(CommandLineValues, LastValueCountsAndFlagsAreKept) {
    const CommandLineOptions print = ParseCommandLine({"brisaloo", "--format", "a", "--format=b"});
    EXPECT_EQ(print.strFormat, "b");
    const CommandLineOptions autostart =
        ParseCommandLine({"brisaloo", "--autostart", "on", "--autostart=off"});
    EXPECT_FALSE(autostart.bAutostartOn);
    EXPECT_TRUE(ParseCommandLine({"brisaloo", "--hidden"}).bHidden);
}

TEST(CommandLineValues, DataDirIsAnExistingFolderMadeAbsolute) {
    TempDir dir;
    std::filesystem::create_directory(dir / "data");
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const CommandLineOptions options =
        ParseCommandLine({"brisaloo", "--data-dir", "./data/../data"});
    std::filesystem::current_path(old);
    ASSERT_EQ(options.action, Action::Run) << options.strError;
    ASSERT_TRUE(options.strDataDir);
    EXPECT_EQ(std::filesystem::path(*options.strDataDir), (dir / "data").lexically_normal());
    WriteFileBytes(dir / "file", "not a folder");
    EXPECT_EQ(ParseCommandLine({"brisaloo", "--data-dir", dir.File("file")}).nExitCode, kExitUsage);
}

TEST(CommandLineTexts, HelpAndVersion) {
    const CommandLineOptions help = ParseCommandLine({"/usr/bin/brisaloo", "--help"});
#ifndef _WIN32
    EXPECT_EQ(help.strOutput,
              "Usage: /usr/bin/brisaloo [options]\n"
              "Counts down to your arrival, with trivia and notes while you wait.\n"
              "\n"
              "Options:\n"
              "  -h, --help            Displays help on commandline options.\n"
              "  --help-all            Displays help including Qt specific options.\n"
              "  -v, --version         Displays version information.\n"
              "  --print               Print the countdown to the stored arrival as one line\n"
              "                        and exit.\n"
              "  --format <TEMPLATE>   Print TEMPLATE with the countdown filled in and exit.\n"
              "                        Placeholders: {days} {hours} {minutes} {seconds}\n"
              "                        {total_hours} {total_minutes} {total_seconds}.\n"
              "  --hidden              Start hidden in the tray for this run.\n"
              "  --autostart <on|off>  Add (on) or remove (off) the entry that starts Brisaloo\n"
              "                        at log-in.\n"
              "  --data-dir <DIR>      Keep notes.dat and read triv.dat in DIR instead of the\n"
              "                        usual place.\n");
#endif
#ifdef _WIN32
    EXPECT_NE(help.strOutput.find("\n  -?, -h, --help        Displays help"), std::string::npos)
        << help.strOutput;
#endif
    EXPECT_EQ(ParseCommandLine({"brisaloo", "-v"}).strOutput,
              std::string("brisaloo ") + BRISALOO_VERSION + "\n");
}

}  // namespace
