// SPDX-License-Identifier: GPL-3.0-or-later
// Brisaloo for Windows: the command line, one copy per data folder, then the
// main window until it ends. Nothing is written at start-up.
#include "win/Win32.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CCountdownApp.h"
#include "app/CommandLine.h"
#include "app/IniFileProfile.h"
#include "app/Startup.h"
#include "countdown/Clock.h"
#include "win/ConsoleOutput.h"
#include "win/CountdownWindow.h"
#include "win/SingleInstance.h"
#include "win/Utf.h"
#include "win/Win32UserMessages.h"

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

// Help, version, a wrong command line, --print, --format and --autostart,
// written to the console or pipe the program was started from.
int RunWithoutWindow(const CommandLineOptions& options) {
    if (options.action == CommandLineOptions::Action::Exit) {
        WriteToParent(STD_OUTPUT_HANDLE, options.strOutput);
        if (!options.strError.empty()) WriteToParent(STD_ERROR_HANDLE, options.strError + '\n');
        return options.nExitCode;
    }
    StringSink out;
    StringSink err;
    SystemClock clock;
    IniFileProfile profile(IniFileProfile::DefaultPath());
    const int nExitCode =
        RunCommandWithoutWindow(options, profile, clock, ExecutablePath(), out, err);
    WriteToParent(STD_OUTPUT_HANDLE, out.str());
    WriteToParent(STD_ERROR_HANDLE, err.str());
    return nExitCode;
}

// Windows asks a program to end through its windows (the end of the
// session), never while start-up's message boxes are open.
class NoEndRequests final : public IEndRequests {
public:
    bool EndRequested() const override { return false; }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const CommandLineOptions options = ParseCommandLine(Utf8Arguments());
    if (options.action != CommandLineOptions::Action::Run) return RunWithoutWindow(options);

    Win32UserMessages messages;
    const NoEndRequests endRequests;
    StartupPolicy startup(messages, endRequests);
    StartupOptions startupOptions;
    startupOptions.strExePath = ExecutablePath();
    startupOptions.strDataDir = options.strDataDir;
    startupOptions.location = startup.LocateData(startupOptions.strExePath, options.strDataDir);
    if (!startupOptions.location) return kExitOk;
    const std::string& strDataDir = startupOptions.location->strNotesDir;
    const std::wstring strInstanceName = InstanceName(strDataDir);
    SingleInstanceLock lock(strInstanceName);
    if (!startup.ClaimDataFolder(lock, strDataDir)) return kExitOk;

    SystemClock clock;
    IniFileProfile profile(IniFileProfile::DefaultPath());
    CCountdownApp app(profile);
    app.InitInstance(startupOptions, [&](CCountdownApp& owner) -> std::unique_ptr<IMainWindow> {
        auto window = std::make_unique<CountdownWindow>(owner, clock, kMainWindowClass, messages);
        window->Screen().SetStartHidden(options.bHidden);
        // The screen's messages belong to the main window from here on.
        if (window->Window().Create()) {
            MarkAsInstance(window->Window().Hwnd(), strInstanceName);
            messages.SetOwner(window->Window().Hwnd());
        }
        return window;
    });
    return kExitOk;
}
