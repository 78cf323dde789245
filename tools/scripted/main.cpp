// vornal-terminal-scripted: the terminal as it is, driven from outside.
//  - VORNAL_START_CLICKS (comma-separated objectNames): buttons pressed once it runs,
//    for the screenshot script and the idle benchmark.
//  - VORNAL_WINDOW_SIZE=<width>x<height> ("1280x800"): the window at that size, in the
//    top left corner, for the screenshots and the tour.
//  - VORNAL_REPORT_SHOWN: prints "vornal-terminal: window shown" once the window is on
//    screen, for the start-up benchmark and the package test; "quit": then ends.
//  - VORNAL_SCREENSHOT=<file>: a picture of the window 1.5 seconds after the start,
//    for machines without a screen to look at; with VORNAL_SCREENSHOT_QUIT set the
//    window closes then (the screenshot script takes one picture per run).
//  - VORNAL_TOUR=<folder>: the demo's headless tour against the simulators (see
//    scripts/tour.sh): open the port, dial, receive, send, the automatic answer, a
//    directory update and a broadcast, with a picture of each step and a transcript
//    of the line written into the folder.
#include "look/objectnames.h"
#include "tappedlink.h"
#include "terminalapp.h"
#include "tour.h"
#include "tourdialogs.h"
#include "tourrunner.h"
#include "transcript.h"
#include "window/terminalwindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void press(QWidget& window, const QString& name) {
    if (auto* button = window.findChild<QPushButton*>(name))
        button->click();
    else
        std::fprintf(stderr, "vornal-terminal-scripted: no button %s\n", qPrintable(name));
}

// VORNAL_WINDOW_SIZE, before the window is shown.
void sizeWindow(QWidget& window) {
    const QStringList size = qEnvironmentVariable("VORNAL_WINDOW_SIZE").split(QLatin1Char('x'));
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0) {
        window.resize(size[0].toInt(), size[1].toInt());
        window.move(0, 0);
    }
}

// VORNAL_REPORT_SHOWN and VORNAL_SCREENSHOT, once the window is on screen.
void reportAndPicture(QWidget& window) {
    if (qEnvironmentVariableIsSet("VORNAL_REPORT_SHOWN")) {
        std::printf("vornal-terminal: window shown\n");
        std::fflush(stdout);
        if (qEnvironmentVariable("VORNAL_REPORT_SHOWN") == QLatin1String("quit"))
            QApplication::exit(0);
    }
    const QString screenshot = qEnvironmentVariable("VORNAL_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, &window, [&window, screenshot] {
            if (window.grab().save(screenshot))
                std::printf("vornal-terminal: screenshot written to %s\n", qPrintable(screenshot));
            std::fflush(stdout);
            if (qEnvironmentVariableIsSet("VORNAL_SCREENSHOT_QUIT"))
                window.close();
        });
    }
}

bool has(const QByteArray& bytes, const char* text) {
    return bytes.toLower().contains(QByteArray(text).toLower());
}

void planTour(Tour& tour, QWidget& w, Transcript& t, TourRunner& runner) {
    const auto sent = [&t](const char* text) { return has(t.sentInStep(), text); };
    const auto heard = [&t](const char* text) { return has(t.receivedInStep(), text); };
    tour.add({QStringLiteral("open the port"), [&w] { press(w, vornal::ObjectNames::kLblOpen1); },
              [=] { return sent("\r"); }, 5000});
    tour.add({QStringLiteral("dial a subscriber from the favourites"),
              [&w] {
                  press(w, vornal::ObjectNames::kLblPhonebookShow);
                  press(w, vornal::ObjectNames::element(vornal::ObjectNames::kLblCallNumbers, 0));
              },
              [=] { return heard("[connected]"); }, 10000});
    tour.add({QStringLiteral("receive the answer"), {}, [=] { return heard("go ahead"); }, 10000});
    tour.add({QStringLiteral("switch the automatic klkl answer on"),
              [&w] { press(w, vornal::ObjectNames::kLblKlKl); },
              {},
              0});
    tour.add({QStringLiteral("send the message"), [&w] { press(w, vornal::ObjectNames::kLblSendMessage); },
              [=] { return sent("nnnn") && heard("klkl"); }, 30000});
    tour.add({QStringLiteral("the automatic klkl answer"),
              {},
              [=] { return sent("thank you") && heard("bye"); },
              30000});
    tour.add({QStringLiteral("close the call"), [&w] { press(w, vornal::ObjectNames::kLblCloseConnection); },
              [=] { return heard("closed"); }, 5000});
    const int windowsBefore = runner.windowsRun();
    tour.add({QStringLiteral("update the phonebook from the directory"),
              [&w] { press(w, vornal::ObjectNames::kLblUpdate); },
              [&runner, windowsBefore] { return runner.windowsRun() > windowsBefore; }, 30000});
    tour.add({QStringLiteral("dial the broadcast service"),
              [&w] { press(w, vornal::ObjectNames::kLblRSend_1); },
              [=] { return heard("+++):") && sent("+") && heard("text eingeben"); }, 20000});
    tour.add({QStringLiteral("send the broadcast header"),
              [&w] { press(w, vornal::ObjectNames::kLblSendHeader); },
              [=] { return sent("lighthouse keeper"); }, 30000});
    tour.add({QStringLiteral("send the broadcast message"),
              [&w] { press(w, vornal::ObjectNames::kLblSendMessage); }, [=] { return sent("nnnn"); }, 30000});
    tour.add({QStringLiteral("end the broadcast"),
              [&w] { press(w, vornal::ObjectNames::element(vornal::ObjectNames::kLblPresetText, 5)); },
              [=] { return sent("+++") && heard("rundsenden ok"); }, 10000});
    tour.add({QStringLiteral("close the port"), [&w] { press(w, vornal::ObjectNames::kLblOpen1); }, {}, 0});
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vornal::TerminalSeams seams;
    seams.loaded = [](vornal::TerminalWindow& window) { sizeWindow(window); };
    const QString tourFolder = qEnvironmentVariable("VORNAL_TOUR");
    if (!tourFolder.isEmpty()) {
        QDir().mkpath(tourFolder);
        Transcript transcript;
        TourDialogs dialogs(transcript);
        TourRunner runner(transcript, tourFolder);
        std::unique_ptr<TappedLink> tapped;
        std::unique_ptr<Tour> tour;
        seams.link = [&](vornal::SerialLink& real) {
            tapped = std::make_unique<TappedLink>(real, transcript);
            return tapped.get();
        };
        seams.dialogs = &dialogs;
        seams.runner = &runner;
        return vornal::runTerminal(
            [&](vornal::TerminalWindow& window) {
                reportAndPicture(window);
                tour = std::make_unique<Tour>(window, transcript, runner, tourFolder);
                planTour(*tour, window, transcript, runner);
                tour->start();
            },
            seams);
    }
    const QStringList clicks =
        qEnvironmentVariable("VORNAL_START_CLICKS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    return vornal::runTerminal(
        [clicks](vornal::TerminalWindow& window) {
            reportAndPicture(window);
            for (const QString& name : clicks)
                press(window, name);
        },
        seams);
}
