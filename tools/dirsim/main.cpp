// vornal-dirsim: a directory server on 127.0.0.1 for trying and testing the
// terminal's directory update.

#include "directoryserver.h"
#include "dirsimoptions.h"
#include "subscriberlist.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void usageError(const QString& message) {
    std::fprintf(stderr, "vornal-dirsim: %s (see --help)\n", qPrintable(message));
    std::exit(2);
}

int number(const QCommandLineParser& parser, const QString& name, int fallback, int lowest, int highest) {
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < lowest || value > highest)
        usageError(
            QStringLiteral("--%1 needs a whole number from %2 to %3").arg(name).arg(lowest).arg(highest));
    return value;
}

Fault faultNamed(const QString& name) {
    if (name == QLatin1String("wrong-type"))
        return Fault::WrongType;
    if (name == QLatin1String("short"))
        return Fault::Short;
    if (name == QLatin1String("close"))
        return Fault::Close;
    if (name == QLatin1String("silence"))
        return Fault::Silence;
    if (name == QLatin1String("garbage"))
        return Fault::Garbage;
    usageError(QStringLiteral("unknown fault \"%1\"").arg(name));
}

DirsimOptions parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves the directory protocol on 127.0.0.1 for the Vornal USB Terminal: checks the\n"
                       "search request and every acknowledgement, sends the subscribers and an end frame,\n"
                       "and fails on demand. See tools/dirsim/README.md."));
    parser.addHelpOption();
    const auto opt = [](const char* name, const char* help, const char* value = nullptr) {
        return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                          QString::fromLatin1(value))
                     : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
    };
    parser.addOptions({
        opt("port", "TCP port on 127.0.0.1 (default 11811; 0 picks a free one).", "port"),
        opt("csv", "Subscribers from a file of \"number,name\" or \"k,name,number\" lines.", "file"),
        opt("generate", "Serve this many generated subscribers (default 20).", "count"),
        opt("huge", "Serve 100000 generated subscribers."),
        opt("seed", "Seed of the generated names (default 1).", "number"),
        opt("log", "Log of the exchange, \"-\" for standard output.", "file"),
        opt("once", "Serve one connection, then exit: 0 when the client kept to the protocol, else 1."),
        opt("split", "Send every record in two parts."),
        opt("split-at", "Bytes of the first part of a split record (default 60).", "bytes"),
        opt("split-pause", "Milliseconds between the two parts (default 20).", "ms"),
        opt("drip", "Send every byte alone, this many milliseconds apart.", "ms"),
        opt("end-length", "Bytes of the end frame, 1 to 102 (default 102).", "bytes"),
        opt("fault", "wrong-type, short, close, silence or garbage.", "kind"),
        opt("fault-after", "Records sent correctly before the fault (default 0).", "count"),
        opt("fault-type", "Type byte of the wrong-type frame (default 7).", "byte"),
        opt("short-length", "Bytes of the short record (default 60).", "bytes"),
        opt("garbage-length", "Bytes of garbage (default 37).", "bytes"),
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().constFirst()));

    DirsimOptions o;
    o.port = quint16(number(parser, QStringLiteral("port"), o.port, 0, 65535));
    o.csvPath = parser.value(QStringLiteral("csv"));
    o.generate = number(parser, QStringLiteral("generate"), o.generate, 0, 10'000'000);
    if (parser.isSet(QStringLiteral("huge")))
        o.generate = 100'000;
    if (!o.csvPath.isEmpty() &&
        (parser.isSet(QStringLiteral("generate")) || parser.isSet(QStringLiteral("huge"))))
        usageError(QStringLiteral("--csv and --generate/--huge exclude each other"));
    o.seed = quint32(number(parser, QStringLiteral("seed"), int(o.seed), 0, 2'000'000'000));
    o.logPath = parser.value(QStringLiteral("log"));
    o.once = parser.isSet(QStringLiteral("once"));
    o.split = parser.isSet(QStringLiteral("split"));
    o.splitAt = number(parser, QStringLiteral("split-at"), o.splitAt, 1, 101);
    o.splitPauseMs = number(parser, QStringLiteral("split-pause"), o.splitPauseMs, 0, 60'000);
    o.dripMs = number(parser, QStringLiteral("drip"), o.dripMs, 0, 60'000);
    o.endLength = number(parser, QStringLiteral("end-length"), o.endLength, 1, 102);
    if (parser.isSet(QStringLiteral("fault")))
        o.fault = faultNamed(parser.value(QStringLiteral("fault")));
    o.faultAfter = number(parser, QStringLiteral("fault-after"), o.faultAfter, 0, 10'000'000);
    o.faultType = number(parser, QStringLiteral("fault-type"), o.faultType, 0, 255);
    o.shortLength = number(parser, QStringLiteral("short-length"), o.shortLength, 1, 101);
    o.garbageLength = number(parser, QStringLiteral("garbage-length"), o.garbageLength, 1, 102);
    return o;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vornal-dirsim"));
    const DirsimOptions options = parseOptions(app);

    QList<Subscriber> subscribers;
    if (!options.csvPath.isEmpty()) {
        QString error;
        if (!SubscriberList::loadCsv(options.csvPath, &subscribers, &error))
            usageError(error);
    } else {
        subscribers = SubscriberList::generate(options.generate, options.seed);
    }

    DirectoryServer server(options, std::move(subscribers));
    QString error;
    if (!server.listen(&error)) {
        std::fprintf(stderr, "vornal-dirsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("vornal-dirsim: listening on 127.0.0.1:%u\n", unsigned(server.port()));
    std::fflush(stdout);
    return server.run();
}
