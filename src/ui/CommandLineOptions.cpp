#include "ui/CommandLineOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

CommandLineOptions ExitWith(int nCode, const QString& strOutput, const QString& strError) {
    CommandLineOptions options;
    options.action = CommandLineOptions::Action::Exit;
    options.nExitCode = nCode;
    options.strOutput = strOutput;
    options.strError = strError;
    return options;
}

}  // namespace

CommandLineOptions ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Counts down to your arrival, with trivia and notes while you wait."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep notes.dat and read triv.dat in DIR instead of the usual place."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);

    if (!parser.parse(arguments))
        return ExitWith(2, {}, QStringLiteral("brisaloo: %1").arg(parser.errorText()));
    if (!parser.positionalArguments().isEmpty())
        return ExitWith(2, {},
                        QStringLiteral("brisaloo: unexpected argument '%1'")
                            .arg(parser.positionalArguments().first()));
    if (parser.isSet(helpOption)) return ExitWith(0, parser.helpText(), {});
    if (parser.isSet(versionOption))
        return ExitWith(0, QStringLiteral("brisaloo %1\n").arg(QCoreApplication::applicationVersion()),
                        {});

    CommandLineOptions options;
    if (parser.isSet(dataDirOption)) {
        const QString strDir = parser.value(dataDirOption);
        if (strDir.isEmpty() || !QFileInfo(strDir).isDir())
            return ExitWith(2, {},
                            QStringLiteral("brisaloo: --data-dir: '%1' is not a directory")
                                .arg(strDir));
        options.strDataDir = QFileInfo(strDir).absoluteFilePath();
    }
    return options;
}
