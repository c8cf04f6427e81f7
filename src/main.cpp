#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

#include "app/CCountdownApp.h"
#include "countdown/Clock.h"
#include "ui/AppIcon.h"
#include "ui/CCountdownDlg.h"
#include "ui/CommandLineOptions.h"
#include "ui/QSettingsProfile.h"
#include "ui/SingleInstanceGuard.h"
#include "ui/UserMessages.h"

namespace {

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brisaloo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRISALOO_VERSION));
}

// Options that only print are handled without a display.
CommandLineOptions ReadCommandLine(int argc, char* argv[]) {
    QCoreApplication core(argc, argv);
    SetApplicationNames();
    return ParseCommandLine(QCoreApplication::arguments());
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLineOptions options = ReadCommandLine(argc, argv);
    if (options.action == CommandLineOptions::Action::Exit) {
        if (!options.strOutput.isEmpty()) std::fputs(options.strOutput.toLocal8Bit().constData(), stdout);
        if (!options.strError.isEmpty())
            std::fprintf(stderr, "%s\n", options.strError.toLocal8Bit().constData());
        return options.nExitCode;
    }

    QApplication application(argc, argv);
    SetApplicationNames();
    // The window may hide in the tray while a dialog opened from there closes:
    // the program ends when the main window ends, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(BrisalooIcon());

    SystemClock clock;
    QSettingsProfile profile(QSettingsProfile::DefaultPath());
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
        QObject::connect(&guard, &SingleInstanceGuard::ShowRequested, window.get(),
                         &CCountdownDlg::OnShowMainScreen);
        return window;
    });
    return 0;
}
