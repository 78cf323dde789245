#pragma once

#include <QByteArrayView>
#include <QString>

// The pseudo-terminal whose slave stands in for the box's serial port.
//
// The simulator keeps a slave descriptor of its own open (and never reads it),
// so the master does not see a hang-up while the terminal has the port closed
// and nothing else has to be reopened. Opens and closes of the slave by the
// terminal are followed with inotify, so that output made while nobody listens
// is dropped instead of reaching the terminal when it opens the port again.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool open(QString* error);

    int masterFd() const { return m_master; }
    int watchFd() const { return m_watch; }
    QString slaveName() const { return m_slaveName; }

    // What the terminal did with the port since the last look.
    struct PortChanges {
        bool opened = false;
        bool closed = false; // its last descriptor; what it left unread is flushed
    };
    // Reads pending open/close notifications. Must run before the master is read or
    // written. A terminal that closes and reopens the port before this has run may
    // still read what it left unread at the close: the flush comes with the look.
    PortChanges updatePortState();
    // True while the terminal has the port open (always true without inotify).
    bool isPortOpen() const { return m_watch < 0 || m_clientOpens > 0; }

private:
    int m_master = -1;
    int m_ownSlave = -1;
    int m_watch = -1;
    int m_clientOpens = 0;
    QString m_slaveName;
};
