// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QSessionManager>

#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/CCountdownApp.h"
#include "app/CommandLine.h"
#include "app/IniFileProfile.h"
#include "app/Startup.h"
#include "countdown/Clock.h"
#include "qt/AppIcon.h"
#include "qt/BrisalooApplication.h"
#include "qt/CCountdownDlg.h"
#include "qt/SingleInstanceGuard.h"
#include "qt/TerminationSignals.h"
#include "qt/QtUserMessages.h"

namespace {

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRISALOO_VERSION));
}

// Help, version, a wrong command line, --print, --format and --autostart:
// done without a display.
int RunWithoutWindow(int argc, char* argv[], const CommandLineOptions& options) {
    if (options.action == CommandLineOptions::Action::Exit) {
        std::cout << options.strOutput;
        if (!options.strError.empty()) std::cerr << options.strError << '\n';
        return options.nExitCode;
    }
    QCoreApplication core(argc, argv);  // for the program's own path
    SystemClock clock;
    IniFileProfile profile(IniFileProfile::DefaultPath());
    FileDescriptorSink out(STDOUT_FILENO);
    FileDescriptorSink err(STDERR_FILENO);
    return RunCommandWithoutWindow(options, profile, clock,
                                   QCoreApplication::applicationFilePath().toStdString(), out, err);
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLineOptions options =
        ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (options.action != CommandLineOptions::Action::Run)
        return RunWithoutWindow(argc, argv, options);

    BrisalooApplication application(argc, argv);
    SetApplicationNames();
    // The window may hide in the tray while a dialog opened from there closes:
    // the program ends when the main window ends, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(BrisalooWindowIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("brisaloo"));
    // From here on SIGTERM, SIGINT and SIGHUP wait for the main window to end
    // the program in order; until it runs they wait in the loop's queue. One
    // that arrives while a start-up message box is open closes the box, and
    // start-up ends there.
    TerminationSignals terminationSignals;
    const QMetaObject::Connection closeStartupBox =
        QObject::connect(&terminationSignals, &TerminationSignals::TerminationRequested, [] {
            if (auto* pBox = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                pBox->reject();
        });

    QtUserMessages messages;
    StartupPolicy startup(messages, terminationSignals);
    StartupOptions startupOptions;
    startupOptions.strExePath = QCoreApplication::applicationFilePath().toStdString();
    startupOptions.strDataDir = options.strDataDir;
    startupOptions.location = startup.LocateData(startupOptions.strExePath, options.strDataDir);
    if (!startupOptions.location) return 0;
    const std::string& strDataDir = startupOptions.location->strNotesDir;
    SingleInstanceGuard guard(QString::fromStdString(strDataDir));
    if (!startup.ClaimDataFolder(guard, strDataDir)) return 0;
    QObject::disconnect(closeStartupBox);

    SystemClock clock;
    IniFileProfile profile(IniFileProfile::DefaultPath());
    CCountdownApp app(profile);
    app.InitInstance(startupOptions, [&](CCountdownApp& owner) -> std::unique_ptr<IMainWindow> {
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
        QObject::connect(&application, &BrisalooApplication::QuitRequested, pWindow,
                         &CCountdownDlg::OnEndSession);
        return window;
    });
    return 0;
}
