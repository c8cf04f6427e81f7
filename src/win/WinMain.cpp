// SPDX-License-Identifier: GPL-3.0-or-later
// Brisaloo for Windows: the command line, one copy per data folder, then the
// main window until it ends. Nothing is written at start-up.
#include "win/Win32.h"

#include <shellapi.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/DataLocation.h"
#include "app/IniText.h"
#include "app/PathText.h"
#include "app/Profile.h"
#include "app/ProfileSettings.h"
#include "countdown/Clock.h"
#include "files/FileIo.h"
#include "win/ConsoleOutput.h"
#include "win/MainWindow.h"
#include "win/SingleInstance.h"
#include "win/StandInScreen.h"
#include "win/Utf.h"

namespace {

std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int nCount = 0;
    if (LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nCount)) {
        for (int i = 0; i < nCount; ++i) arguments.push_back(Utf8FromUtf16(ppArgs[i]));
        LocalFree(ppArgs);
    }
    return arguments;
}

std::string ExecutablePath() {
    std::wstring strPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD nLength =
            GetModuleFileNameW(nullptr, strPath.data(), static_cast<DWORD>(strPath.size()));
        if (nLength < strPath.size()) {
            strPath.resize(nLength);
            return Utf8FromUtf16(strPath);
        }
        strPath.resize(strPath.size() * 2);
    }
}

// The command line as this shell reads it for now: the options of the Linux
// program, without their full checks.
struct Options {
    enum class Action { Run, Print, Help, Version, Autostart, Usage } action = Action::Run;
    std::optional<std::string> strFormat;
    std::optional<std::string> strDataDir;
    bool bHidden = false;
    bool bAutostartOn = false;
    std::string strError;
};

Options ReadOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& strArg = arguments[i];
        const bool bHasValue = i + 1 < arguments.size();
        if (strArg == "--print") {
            options.action = Options::Action::Print;
        } else if (strArg == "--format" && bHasValue) {
            options.action = Options::Action::Print;
            options.strFormat = arguments[++i];
        } else if (strArg == "--data-dir" && bHasValue) {
            options.strDataDir = arguments[++i];
        } else if (strArg == "--autostart" && bHasValue && ParseOnOff(arguments[i + 1])) {
            options.action = Options::Action::Autostart;
            options.bAutostartOn = *ParseOnOff(arguments[++i]);
        } else if (strArg == "--hidden") {
            options.bHidden = true;
        } else if (strArg == "--help" || strArg == "-h") {
            options.action = Options::Action::Help;
            return options;
        } else if (strArg == "--version" || strArg == "-v") {
            options.action = Options::Action::Version;
            return options;
        } else {
            options.action = Options::Action::Usage;
            options.strError = "brisaloo: unknown option or missing value: " + strArg + "\n";
            return options;
        }
    }
    return options;
}

const char kHelpText[] =
    "Usage: brisaloo [options]\n"
    "Counts down to the moment of your arrival.\n\n"
    "  --print              print the countdown and exit\n"
    "  --format TEMPLATE    print the countdown filled into TEMPLATE and exit\n"
    "  --hidden             start in the tray\n"
    "  --data-dir DIR       keep notes and trivia in DIR\n"
    "  --autostart on|off   start with Windows, hidden in the tray, or not\n"
    "  -h, --help           show this help and exit\n"
    "  -v, --version        show the version and exit\n";

// %APPDATA%\Brisaloo\Brisaloo.ini, read only: the command line never writes it.
class ProfileReader final : public IProfile {
public:
    int GetProfileInt(const std::string& strSection, const std::string& strKey,
                      int nDefault) override {
        std::string strText;
        const std::string strAppData = EnvOrEmpty("APPDATA");
        if (strAppData.empty() || !ReadWholeFile(strAppData + "\\Brisaloo\\Brisaloo.ini", strText))
            return nDefault;
        const IniValues values = ParseIniText(strText);
        const auto found = values.find(strSection + '/' + strKey);
        if (found == values.end()) return nDefault;
        return ParseProfileInt(found->second).value_or(nDefault);
    }
    bool WriteProfileInt(const std::string&, const std::string&, int) override { return false; }
};

// The options that only print or change the Run value; nullopt: run the window.
std::optional<int> RunWithoutWindow(const Options& options) {
    std::ostringstream out;
    std::ostringstream err;
    int nExitCode = kExitOk;
    switch (options.action) {
        case Options::Action::Run:
            return std::nullopt;
        case Options::Action::Print: {
            ProfileReader profile;
            SystemClock clock;
            nExitCode = PrintCountdown(profile, clock, options.strFormat, out, err);
            break;
        }
        case Options::Action::Help:
            out << kHelpText;
            break;
        case Options::Action::Version:
            out << "brisaloo " BRISALOO_VERSION "\n";
            break;
        case Options::Action::Autostart: {
            std::vector<std::string> extraArgs;
            if (options.strDataDir) extraArgs = {"--data-dir", *options.strDataDir};
            nExitCode =
                RunAutostartCommand(options.bAutostartOn, ExecutablePath(), extraArgs, out, err);
            break;
        }
        case Options::Action::Usage:
            err << options.strError;
            nExitCode = kExitUsage;
            break;
    }
    WriteToParent(STD_OUTPUT_HANDLE, out.str());
    WriteToParent(STD_ERROR_HANDLE, err.str());
    return nExitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const Options options = ReadOptions(Utf8Arguments());
    if (const std::optional<int> nExitCode = RunWithoutWindow(options)) return *nExitCode;

    const std::string strExePath = ExecutablePath();
    const DataLocation location =
        LocateDataFilesForThisProcess(DirectoryOf(strExePath), options.strDataDir);
    const std::wstring strInstanceName = InstanceName(location.strNotesDir);
    const SingleInstanceClaim claim(strInstanceName);
    if (!claim.IsFirst()) {
        BringFirstCopyForward(strInstanceName);
        return kExitOk;
    }

    MainWindow window(strInstanceName);
    StandInScreen screen(window);
    window.SetEvents(screen);
    window.DoModal();
    return kExitOk;
}
