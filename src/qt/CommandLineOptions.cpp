// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CommandLineOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/CommandLine.h"

namespace {

CommandLineOptions ExitWith(int nCode, const QString& strOutput, const QString& strError) {
    CommandLineOptions options;
    options.action = CommandLineOptions::Action::Exit;
    options.nExitCode = nCode;
    options.strOutput = strOutput;
    options.strError = strError;
    return options;
}

CommandLineOptions UsageError(const QString& strProblem) {
    return ExitWith(kExitUsage, {}, QStringLiteral("brisaloo: ") + strProblem);
}

}  // namespace

CommandLineOptions ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Counts down to your arrival, with trivia and notes while you wait."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption printOption(
        QStringLiteral("print"),
        QStringLiteral("Print the countdown to the stored arrival as one line and exit."));
    const QCommandLineOption formatOption(
        QStringLiteral("format"),
        QStringLiteral("Print TEMPLATE with the countdown filled in and exit. Placeholders: %1.")
            .arg(QString::fromLatin1(kStatusPlaceholders)),
        QStringLiteral("TEMPLATE"));
    const QCommandLineOption hiddenOption(
        QStringLiteral("hidden"), QStringLiteral("Start hidden in the tray for this run."));
    const QCommandLineOption autostartOption(
        QStringLiteral("autostart"),
        QStringLiteral("Add (on) or remove (off) the entry that starts Brisaloo at log-in."),
        QStringLiteral("on|off"));
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep notes.dat and read triv.dat in DIR instead of the usual place."),
        QStringLiteral("DIR"));
    parser.addOptions({printOption, formatOption, hiddenOption, autostartOption, dataDirOption});

    if (!parser.parse(arguments)) return UsageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(QStringLiteral("unexpected argument '%1'")
                              .arg(parser.positionalArguments().first()));
    if (parser.isSet(helpOption)) return ExitWith(kExitOk, parser.helpText(), {});
    if (parser.isSet(versionOption))
        return ExitWith(kExitOk,
                        QStringLiteral("brisaloo %1\n").arg(QCoreApplication::applicationVersion()),
                        {});

    CommandLineOptions options;
    if (parser.isSet(dataDirOption)) {
        const QString strDir = parser.value(dataDirOption);
        if (strDir.isEmpty() || !QFileInfo(strDir).isDir())
            return UsageError(QStringLiteral("--data-dir: '%1' is not a directory").arg(strDir));
        options.strDataDir = QFileInfo(strDir).absoluteFilePath();
    }
    options.bHidden = parser.isSet(hiddenOption);
    if (parser.isSet(formatOption)) options.strFormat = parser.value(formatOption);

    const bool bPrint = parser.isSet(printOption) || options.strFormat.has_value();
    const bool bAutostart = parser.isSet(autostartOption);
    if (bPrint && bAutostart)
        return UsageError(QStringLiteral("--autostart cannot be combined with --print or --format"));
    if (bPrint && options.bHidden)
        return UsageError(QStringLiteral("--hidden cannot be combined with --print or --format"));
    if (bAutostart) {
        const QString strValue = parser.value(autostartOption);
        const std::optional<bool> bOn = ParseOnOff(strValue.toStdString());
        if (!bOn) return UsageError(QString::fromStdString(AutostartValueError(strValue.toStdString())));
        options.bAutostartOn = *bOn;
        options.action = CommandLineOptions::Action::Autostart;
    } else if (bPrint) {
        options.action = CommandLineOptions::Action::Print;
    }
    return options;
}
