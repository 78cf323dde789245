#pragma once

#include "dirsimoptions.h"
#include "subscriberlist.h"

#include <QByteArray>
#include <QList>

#include <cstdio>

// A directory server on 127.0.0.1 that serves one connection after the other: it
// checks the search request, sends the records, checks the acknowledgement of each,
// sends the end frame, and misbehaves as the options say.
class DirectoryServer {
public:
    DirectoryServer(DirsimOptions options, QList<Subscriber> subscribers);
    ~DirectoryServer();

    // Binds and listens; false with the reason in *error.
    bool listen(QString* error);
    quint16 port() const { return m_port; }
    // Serves connections until a --once run has served one; the result is the exit
    // code: 0, or 1 when a --once client broke the protocol.
    int run();

    static QByteArray recordFrame(const Subscriber& s);

private:
    // True when the client kept to the protocol.
    bool serve(int client);
    bool sendFrame(int client, const QByteArray& frame);
    bool sendAll(int client, const char* data, int size);
    bool receiveExactly(int client, char* data, int size);
    void doFault(int client);
    void waitForClose(int client);
    void note(const QString& text);

    DirsimOptions m_options;
    QList<Subscriber> m_subscribers;
    int m_listener = -1;
    quint16 m_port = 0;
    FILE* m_log = nullptr;
    bool m_ownLog = false;
    quint32 m_garbageState = 12345;
};
