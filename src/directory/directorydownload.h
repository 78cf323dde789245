#pragma once

#include "directoryentry.h"
#include "directoryframes.h"

#include <QObject>

namespace vornal {

class SocketLayer;
class UserDialogs;

// The exchange with the directory server: connect, send the search request, then take
// record frames, acknowledging each, until the end frame. A record frame may come in
// several pieces and is gathered until its 102 bytes are in; an end frame ends the
// download as soon as its type byte is in. Every failure has been shown to the
// operator by the time DownloadDirectory returns.
class DirectoryDownload : public QObject {
    Q_OBJECT
public:
    DirectoryDownload(SocketLayer& layer, UserDialogs& dialogs, QObject* parent = nullptr);

    // True when the list ended cleanly with an end frame; the connection is closed
    // in every case.
    bool DownloadDirectory(const QString& host, quint16 port = DirectoryFrames::kPort);
    // Decodes the record in the frame buffer and announces it.
    DirectoryEntry DecodeRecord();
    // Sends the 2-byte acknowledgement; false when the send failed.
    bool SendAck();

    // "Invalid code or lenght: 0x" with the type byte and the count received.
    static QString invalidFrameText(unsigned char type, int count);

signals:
    void recordDecoded(const vornal::DirectoryEntry& entry);

private:
    bool sendRequest();
    bool exchange();

    SocketLayer& m_layer;
    UserDialogs& m_dialogs;
};

} // namespace vornal
