#include "directorydownload.h"

#include "socketlayer.h"
#include "userdialogs.h"

namespace vornal {

using namespace DirectoryFrames;

DirectoryDownload::DirectoryDownload(SocketLayer& layer, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), m_layer(layer), m_dialogs(dialogs) {}

QString DirectoryDownload::invalidFrameText(unsigned char type, int count) {
    return QStringLiteral("Invalid code or lenght: 0x") + QString::number(type, 16).toUpper() +
           QStringLiteral(" / ") + QString::number(count);
}

bool DirectoryDownload::DownloadDirectory(const QString& host, quint16 port) {
    m_layer.SocketStartup();
    if (m_layer.ConnectSocket(host, port) == -1) {
        m_layer.SocketCleanup();
        return false;
    }
    const bool clean = exchange();
    m_layer.Disconnect();
    m_layer.SocketCleanup();
    return clean;
}

DirectoryEntry DirectoryDownload::DecodeRecord() {
    DirectoryEntry entry{QString::number(m_layer.GetLong(kNumberOffset)),
                         m_layer.GetString(kNameOffset, kNameWidth)};
    emit recordDecoded(entry);
    return entry;
}

bool DirectoryDownload::SendAck() {
    m_layer.FrameBuffer[0] = kAckType;
    m_layer.FrameBuffer[1] = 0;
    const int sent = m_layer.SendData(m_layer.FrameBuffer.data(), kAckSize);
    if (sent >= 0 && sent != kAckSize)
        m_dialogs.message({QStringLiteral("ERROR: send = %1").arg(sent), {}, DialogButtons::Ok, {}, {}});
    return sent == kAckSize;
}

bool DirectoryDownload::sendRequest() {
    auto& frame = m_layer.FrameBuffer;
    frame[0] = kSearchType;
    frame[1] = kSearchLength;
    m_layer.PutString(kSearchTextOffset, QStringLiteral(" "), kSearchTextWidth);
    frame[2] = kSearchVersion;
    const int sent = m_layer.SendData(frame.data(), kSearchSize);
    if (sent >= 0 && sent != kSearchSize)
        m_dialogs.message({QStringLiteral("ERROR: send = %1").arg(sent), {}, DialogButtons::Ok, {}, {}});
    return sent == kSearchSize;
}

bool DirectoryDownload::exchange() {
    if (!sendRequest())
        return false;
    auto& frame = m_layer.FrameBuffer;
    for (;;) {
        // The time-out covers a whole frame, so a server that drips bytes without end
        // cannot hold the window either.
        const SocketLayer::Deadline deadline = m_layer.receiveDeadline();
        int n = m_layer.ReceiveData(frame.data(), kFrameSize, deadline);
        if (n == SocketLayer::kTimedOut)
            return false;
        if (n > 0 && frame[0] == kRecordType) {
            while (n < kFrameSize) {
                const int more = m_layer.ReceiveData(frame.data() + n, kFrameSize - n, deadline);
                if (more == SocketLayer::kTimedOut)
                    return false;
                if (more <= 0) {
                    n = more < 0 ? -1 : n;
                    break;
                }
                n += more;
            }
            if (n == kFrameSize) {
                DecodeRecord();
                if (!SendAck())
                    return false;
                continue;
            }
        } else if (n > 0 && frame[0] == kEndType) {
            return true;
        }
        m_dialogs.message({invalidFrameText(frame[0], n), {}, DialogButtons::Ok, {}, {}});
        return false;
    }
}

} // namespace vornal
