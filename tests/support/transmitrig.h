#pragma once

#include "display/linecounter.h"
#include "fakeseriallink.h"
#include "files/programfolder.h"
#include "programstate.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "transmission.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace vornal {

// A transmission on the fake link in a temporary program folder, with the program
// state, dialogs and line counter the senders take, and what the transmission reports.
// The port is open and the connection up unless `lineUp` is false.
struct TransmitRig {
    QTemporaryDir dir;
    FakeSerialLink link;
    ProgramState state;
    ScriptedDialogs dialogs;
    LineCounter counter;
    Transmission transmission{link};
    QStringList shown;   // the texts shown while sending
    QList<bool> running; // each change of the running state
    int finished = 0;
    int idle = 0; // the send indicator back to idle

    explicit TransmitRig(bool lineUp = true) {
        if (lineUp) {
            link.setPortOpen(true);
            state.connectionActive = true;
        }
        QObject::connect(&transmission, &Transmission::shown, [this](const QString& s) { shown.append(s); });
        QObject::connect(&transmission, &Transmission::runningChanged,
                         [this](bool on) { running.append(on); });
        QObject::connect(&transmission, &Transmission::finished, [this] { ++finished; });
        QObject::connect(&transmission, &Transmission::sendIndicatorIdle, [this] { ++idle; });
    }
    TransmitRig(const TransmitRig&) = delete;
    TransmitRig& operator=(const TransmitRig&) = delete;

    ProgramFolder folder() const { return ProgramFolder(dir.path()); }
    // The path of the written file; empty when it could not be written.
    QString file(const QString& name, const QByteArray& content) const {
        const QString path = dir.filePath(name);
        return writeFile(path, content) ? path : QString();
    }
    QByteArray read(const QString& name) const { return fileBytes(dir.filePath(name)); }
};

} // namespace vornal
