// vornal-boxsim: an interface box on a pseudo-terminal, for running the
// terminal and its tests without the hardware.

#include "boxoptions.h"
#include "script.h"
#include "signalwatcher.h"
#include "simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

[[noreturn]] void usageError(const QString& message) {
    std::fprintf(stderr, "vornal-boxsim: %s (see --help)\n", qPrintable(message));
    std::exit(2);
}

double seconds(const QCommandLineParser& parser, const QString& name, double fallback) {
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const double value = parser.value(name).toDouble(&ok);
    if (!ok || value < 0 || value > 3600)
        usageError(QStringLiteral("--%1 needs a number of seconds").arg(name));
    return value;
}

QStringList numberList(const QCommandLineParser& parser, const QString& name, const QStringList& fallback) {
    if (!parser.isSet(name))
        return fallback;
    QStringList numbers;
    for (const QString& part : parser.value(name).split(QLatin1Char(','))) {
        const QString number = part.trimmed();
        if (!number.isEmpty())
            numbers.append(number);
    }
    return numbers;
}

BoxOptions parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the interface box on a pseudo-terminal for the Vornal USB Terminal.\n"
                       "Bytes from the terminal are logged as \"<seconds> <byte>\" lines; the box echoes\n"
                       "typed text, dials with byte 1 and a number ended by a pause, and plays an\n"
                       "optional script as the far station. See tools/boxsim/README.md."));
    parser.addHelpOption();
    const BoxOptions defaults;
    parser.addOptions({
        {QStringLiteral("link"), QStringLiteral("Symlink to the slave device (required)."),
         QStringLiteral("path")},
        {QStringLiteral("log"), QStringLiteral("Byte log file, \"-\" for standard output."),
         QStringLiteral("file")},
        {QStringLiteral("dial-pause"), QStringLiteral("Pause that ends a dialled number (default 1.0)."),
         QStringLiteral("seconds")},
        {QStringLiteral("connect-delay"),
         QStringLiteral("Delay before the far station answers (default 0.3)."), QStringLiteral("seconds")},
        {QStringLiteral("busy"), QStringLiteral("Numbers that answer \"occ\" (default 80)."),
         QStringLiteral("list")},
        {QStringLiteral("unknown"), QStringLiteral("Numbers that answer \"np\" (default 99)."),
         QStringLiteral("list")},
        {QStringLiteral("answerback"), QStringLiteral("Own answerback (default \"54321 vornal t\")."),
         QStringLiteral("text")},
        {QStringLiteral("far-name"),
         QStringLiteral("Name after the number in far answerbacks (default \"vornal d\")."),
         QStringLiteral("text")},
        {QStringLiteral("script"), QStringLiteral("Far-side script played when a call connects."),
         QStringLiteral("file")},
        {QStringLiteral("script-now"),
         QStringLiteral("Call the terminal when it first opens the port, and play the script.")},
        {QStringLiteral("control"),
         QStringLiteral("Run line statements (send, xoff, xon, stall, resume) read from standard input.")},
        {QStringLiteral("broadcast"),
         QStringLiteral(
             "Numbers answered by the broadcast service (default 11150,11151,11162; \"\" for none)."),
         QStringLiteral("list")},
        {QStringLiteral("broadcast-log"),
         QStringLiteral("File to which the broadcast service appends what it received for whom."),
         QStringLiteral("file")},
        {QStringLiteral("caller"),
         QStringLiteral("Number of the station calling with --script-now (default 12345)."),
         QStringLiteral("number")},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().constFirst()));

    BoxOptions options;
    options.linkPath = parser.value(QStringLiteral("link"));
    if (options.linkPath.isEmpty())
        usageError(QStringLiteral("--link is required"));
    options.logPath = parser.value(QStringLiteral("log"));
    options.scriptPath = parser.value(QStringLiteral("script"));
    options.scriptNow = parser.isSet(QStringLiteral("script-now"));
    options.control = parser.isSet(QStringLiteral("control"));
    options.dialPause = seconds(parser, QStringLiteral("dial-pause"), defaults.dialPause);
    options.connectDelay = seconds(parser, QStringLiteral("connect-delay"), defaults.connectDelay);
    options.busyNumbers = numberList(parser, QStringLiteral("busy"), defaults.busyNumbers);
    options.unknownNumbers = numberList(parser, QStringLiteral("unknown"), defaults.unknownNumbers);
    if (parser.isSet(QStringLiteral("answerback")))
        options.ownAnswerback = parser.value(QStringLiteral("answerback")).toLatin1();
    if (parser.isSet(QStringLiteral("far-name")))
        options.farName = parser.value(QStringLiteral("far-name")).toLatin1();
    options.broadcastNumbers = numberList(parser, QStringLiteral("broadcast"), defaults.broadcastNumbers);
    options.broadcastLogPath = parser.value(QStringLiteral("broadcast-log"));
    if (parser.isSet(QStringLiteral("caller")))
        options.caller = parser.value(QStringLiteral("caller")).toLatin1();
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vornal-boxsim"));

    const BoxOptions options = parseOptions(app);
    std::optional<Script> script;
    if (!options.scriptPath.isEmpty()) {
        QString error;
        script = Script::load(options.scriptPath, &error);
        if (!script)
            usageError(error);
    }

    SignalWatcher signalWatcher;
    Simulator simulator(options, std::move(script), clock);
    int exitCode = 0;
    QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &app, [&] { app.quit(); });
    QObject::connect(&simulator, &Simulator::failed, &app, [&](const QString& why) {
        std::fprintf(stderr, "vornal-boxsim: %s\n", qPrintable(why));
        exitCode = 1;
        app.quit();
    });

    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "vornal-boxsim: %s\n", qPrintable(error));
        return 1;
    }
    app.exec();
    simulator.stop();
    return exitCode;
}
