// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCoreApplication>
#include <QSessionManager>
#include <QTextStream>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Autostart.h"
#include "app/CCountdownApp.h"
#include "app/CommandLine.h"
#include "countdown/Clock.h"
#include "files/FileIo.h"
#include "qt/AppIcon.h"
#include "qt/CCountdownDlg.h"
#include "qt/CommandLineOptions.h"
#include "qt/IniFileProfile.h"
#include "qt/SingleInstanceGuard.h"
#include "qt/TerminationSignals.h"
#include "qt/UserMessages.h"

namespace {

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRISALOO_VERSION));
}

// --print, --format and --autostart do their work without a display.
int RunWithoutWindow(const CommandLineOptions& options) {
    if (options.action == CommandLineOptions::Action::Print) {
        SystemClock clock;
        IniFileProfile profile(IniFileProfile::DefaultPath());
        std::optional<std::string> strTemplate;
        if (options.strFormat) strTemplate = options.strFormat->toStdString();
        return PrintCountdown(profile, clock, strTemplate, std::cout, std::cerr);
    }
    std::vector<std::string> extraArgs;
    if (options.strDataDir) extraArgs = {"--data-dir", options.strDataDir->toStdString()};
    return RunAutostartCommand(options.bAutostartOn,
                               QCoreApplication::applicationFilePath().toStdString(), extraArgs,
                               std::cout, std::cerr);
}

// Reads the command line; the options that only print are done here, before
// a display is needed. nullopt: go on and run the program.
std::optional<int> HandleCommandLine(int argc, char* argv[], CommandLineOptions& options) {
    QCoreApplication core(argc, argv);
    SetApplicationNames();
    options = ParseCommandLine(QCoreApplication::arguments());
    switch (options.action) {
        case CommandLineOptions::Action::Exit:
            if (!options.strOutput.isEmpty())
                std::cout << options.strOutput.toLocal8Bit().constData();
            if (!options.strError.isEmpty())
                std::cerr << options.strError.toLocal8Bit().constData() << '\n';
            return options.nExitCode;
        case CommandLineOptions::Action::Print:
        case CommandLineOptions::Action::Autostart:
            return RunWithoutWindow(options);
        case CommandLineOptions::Action::Run:
            break;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    CommandLineOptions options;
    if (const std::optional<int> nExitCode = HandleCommandLine(argc, argv, options))
        return *nExitCode;

    QApplication application(argc, argv);
    SetApplicationNames();
    // The window may hide in the tray while a dialog opened from there closes:
    // the program ends when the main window ends, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(BrisalooIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("brisaloo"));
    // From here on SIGTERM, SIGINT and SIGHUP wait for the main window to end
    // the program in order; until it runs they wait in the loop's queue.
    TerminationSignals terminationSignals;

    SystemClock clock;
    IniFileProfile profile(IniFileProfile::DefaultPath());
    CCountdownApp app(profile);
    StartupOptions startup;
    startup.strExePath = QCoreApplication::applicationFilePath().toStdString();
    if (options.strDataDir) startup.strDataDir = options.strDataDir->toStdString();
    startup.location = LocateDataFilesForThisProcess(DirectoryOf(startup.strExePath),
                                                     startup.strDataDir);
    std::string strDirError;
    if (startup.location->bCreateNotesDir &&
        !EnsureDirectory(startup.location->strNotesDir, strDirError))
        UserMessages::Warn(nullptr, QStringLiteral("Brisaloo could not create its data folder "
                                                   "%1: %2. Notes cannot be saved this time.")
                                        .arg(QString::fromStdString(startup.location->strNotesDir),
                                             QString::fromStdString(strDirError)));
    // One copy per data folder: two would each save their own notes over the other's.
    SingleInstanceGuard guard(QString::fromStdString(startup.location->strNotesDir));
    if (!ClaimOrExplain(guard)) return 0;

    app.InitInstance(startup, [&](CCountdownApp& owner) -> std::unique_ptr<IMainWindow> {
        auto window = std::make_unique<CCountdownDlg>(owner, clock);
        window->SetStartHidden(options.bHidden);
        QObject::connect(&guard, &SingleInstanceGuard::ShowRequested, window.get(),
                         &CCountdownDlg::OnShowMainScreen);
        // Every request to end from outside ends the program as Exit does: the
        // pending note edit saved, the tray icon removed; the lock and the
        // socket go with the guard when main returns.
        CCountdownDlg* pWindow = window.get();
        QObject::connect(&terminationSignals, &TerminationSignals::TerminationRequested, pWindow,
                         &CCountdownDlg::OnEndSession);
        QObject::connect(&application, &QGuiApplication::commitDataRequest, pWindow,
                         [pWindow](QSessionManager&) { pWindow->OnCommitData(); });
        QObject::connect(&application, &QCoreApplication::aboutToQuit, pWindow,
                         &CCountdownDlg::OnEndSession);
        application.installEventFilter(pWindow);
        return window;
    });
    return 0;
}
