// The child of the crash test: does one whole-file rewrite of the program, over and over.
//   vornal-crashwriter KIND FOLDER prepare   the files the kind reads, then version 0
//   vornal-crashwriter KIND FOLDER 0|1       one rewrite to that version
//   vornal-crashwriter KIND FOLDER loop      rewrites to version 1 and 0, prints "ready"
//                                            and how long that took in microseconds,
//                                            then rewrites to version 1, 0, 1, ...
//                                            until it is killed
#include "rewrites.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace vornal;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || !Rewrites::kinds().contains(args[1])) {
        std::fprintf(stderr, "usage: vornal-crashwriter KIND FOLDER prepare|0|1|loop\n");
        return 2;
    }
    const QString& kind = args[1];
    const ProgramFolder folder(args[2]);
    const QString& what = args[3];
    const auto write = [&](int version) {
        const QString error = Rewrites::write(kind, folder, version);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            std::exit(1);
        }
    };
    if (what == QLatin1String("prepare")) {
        Rewrites::prepare(kind, folder);
        write(0);
    } else if (what == QLatin1String("loop")) {
        // Once to the new version and back, so that whatever loads on first use (the
        // collation tables of a sort) has loaded before the kills begin; how long the
        // two took tells the test how long rewrites take.
        QElapsedTimer timer;
        timer.start();
        write(1);
        write(0);
        std::printf("ready %lld\n", timer.nsecsElapsed() / 1000);
        std::fflush(stdout);
        for (int version = 1;; version = 1 - version)
            write(version);
    } else {
        write(what.toInt());
    }
    return 0;
}
