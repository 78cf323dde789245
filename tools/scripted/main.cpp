// vornal-terminal-scripted: the terminal as it is, which presses the buttons named in
// VORNAL_START_CLICKS (comma-separated objectNames) once it runs. For the screenshot
// script and the idle benchmark, which drive the real program from outside.
#include "terminalapp.h"
#include "ui/terminalwindow.h"

#include <QApplication>
#include <QPushButton>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList clicks =
        qEnvironmentVariable("VORNAL_START_CLICKS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    return vornal::runTerminal([clicks](vornal::TerminalWindow& window) {
        for (const QString& name : clicks) {
            if (auto* button = window.findChild<QPushButton*>(name))
                button->click();
            else
                std::fprintf(stderr, "vornal-terminal-scripted: no button %s\n", qPrintable(name));
        }
    });
}
