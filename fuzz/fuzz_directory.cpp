// The directory download on an arbitrary stream from the server: frames gathered from
// pieces, records decoded and acknowledged, the end frame or a bad frame ending it.
// The stream is played by a peer on 127.0.0.1 in pieces of the fuzzer's choosing.
#include "directorydownload.h"
#include "files/textcodec.h"
#include "fuzzsupport.h"
#include "hostresolver.h"
#include "socketlayer.h"

#include <QList>
#include <QtEndian>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace vornal;
using namespace DirectoryFrames;

namespace {

class NoNames final : public HostResolver {
public:
    std::optional<HostEntry> lookup(const QString&) override { return std::nullopt; }
};

int listener = -1;
quint16 port = 0;

void listen() {
    listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FUZZ_EXPECT(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
    FUZZ_EXPECT(::listen(listener, 4) == 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
}

// The server's side: takes the request, sends the pieces, then reads whatever the
// client still sends (its acknowledgements) until it closes, so that no unread byte
// turns the close into a reset.
void serve(const QList<QByteArray>& pieces, QByteArray* received) {
    pollfd p{listener, POLLIN, 0};
    if (::poll(&p, 1, 5'000) != 1)
        return;
    const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    const int on = 1;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    for (const QByteArray& piece : pieces)
        ::send(client, piece.constData(), size_t(piece.size()), MSG_NOSIGNAL);
    ::shutdown(client, SHUT_WR);
    char buffer[4096];
    for (;;) {
        pollfd c{client, POLLIN, 0};
        if (::poll(&c, 1, 5'000) != 1)
            break;
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received->append(buffer, n);
    }
    ::close(client);
}

struct Expected {
    QList<QByteArray> records; // the whole record frames, in order
    bool clean = false;        // an end frame came
};

// What the stream holds: frames start every 102 bytes; record frames count when whole.
Expected expect(const QByteArray& stream) {
    Expected e;
    for (qsizetype at = 0; at < stream.size(); at += kFrameSize) {
        const unsigned char type = static_cast<unsigned char>(stream[at]);
        if (type == kEndType) {
            e.clean = true;
            break;
        }
        if (type != kRecordType || stream.size() - at < kFrameSize)
            break;
        e.records.append(stream.mid(at, kFrameSize));
    }
    return e;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    listen();
    return 0;
}

// Input: pieces, each a length byte and that many bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QList<QByteArray> pieces;
    QByteArray stream;
    for (size_t at = 0; at < size;) {
        const size_t wanted = data[at++];
        const size_t length = std::min(wanted, size - at);
        pieces.append(fuzz::bytesOf(data + at, length));
        stream += pieces.last();
        at += length;
    }
    // A record frame stands for itself; an empty piece list is a server that closes at once.
    const Expected expected = expect(stream);

    fuzz::CountingDialogs dialogs;
    NoNames names;
    SocketLayer layer(dialogs, names);
    layer.setTimeouts({std::chrono::milliseconds(2'000), std::chrono::milliseconds(2'000)});
    DirectoryDownload download(layer, dialogs);
    QList<DirectoryEntry> decoded;
    QObject::connect(&download, &DirectoryDownload::recordDecoded,
                     [&decoded](const DirectoryEntry& entry) { decoded.append(entry); });

    QByteArray received;
    std::thread server(serve, pieces, &received);
    const bool clean = download.DownloadDirectory(QStringLiteral("127.0.0.1"), port);
    server.join();

    FUZZ_EXPECT(clean == expected.clean);
    FUZZ_EXPECT(dialogs.messages == (clean ? 0 : 1));
    FUZZ_EXPECT(decoded.size() == expected.records.size());
    // The request, then one acknowledgement per record. A client that leaves bytes of
    // the stream unread closes with a reset, which may drop what the server had not
    // read yet; when the stream ends right after the records, everything arrives.
    QByteArray sent(kSearchSize, '\0');
    sent[0] = char(kSearchType);
    sent[1] = char(kSearchLength);
    sent[2] = char(kSearchVersion);
    sent[3] = ' ';
    for (qsizetype i = 0; i < decoded.size(); ++i)
        sent += QByteArray("\x08\x00", kAckSize);
    FUZZ_EXPECT(sent.startsWith(received));
    if (!clean && stream.size() == kFrameSize * expected.records.size())
        FUZZ_EXPECT(received == sent);
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        // The decoded record encodes back to the frame's bytes.
        const QByteArray& frame = expected.records[i];
        bool ok = false;
        const qint32 number = decoded[i].number.toInt(&ok);
        FUZZ_EXPECT(ok && QString::number(number) == decoded[i].number);
        FUZZ_EXPECT(number == qFromLittleEndian<qint32>(frame.constData() + kNumberOffset));
        const QByteArray name = TextCodec::encode(decoded[i].name);
        FUZZ_EXPECT(name.size() <= kNameWidth && !name.contains('\0'));
        FUZZ_EXPECT(frame.mid(kNameOffset, name.size()) == name);
        FUZZ_EXPECT(name.size() == kNameWidth || frame[kNameOffset + name.size()] == '\0');
    }
    return 0;
}
