#include "log/trafficlog.h"

#include "clock.h"
#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "files/textcodec.h"

#include <QMetaObject>

namespace vornal {

namespace {

// The names of the control characters, as the log writes them.
const char* const kControlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT", "LF",  "VT",  "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US",
};

bool isControl(QChar c) {
    return c.unicode() < 32 || c.unicode() == 127;
}

void appendControl(QString& line, QChar c) {
    line.append(QLatin1Char('<'));
    line.append(QLatin1String(c.unicode() == 127 ? "DEL" : kControlNames[c.unicode()]));
    line.append(QLatin1Char('>'));
}

} // namespace

TrafficLog::TrafficLog(ProgramFolder folder, const Clock& clock, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_clock(clock) {
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &TrafficLog::quietTimeout);
}

TrafficLog::~TrafficLog() {
    writeUnfinished();
}

bool TrafficLog::enabledIn(const SettingsStore& settings) {
    const QString value =
        settings.value(QString(SettingsKeys::kLog), QString(SettingsKeys::kEnabled), QStringLiteral("1"))
            .trimmed();
    for (const char* off : {"0", "false", "no", "off"}) {
        if (value.compare(QLatin1String(off), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

QString TrafficLog::fileName(QDate date) {
    return QStringLiteral("Logs/") + date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt");
}

QString TrafficLog::path(QDate date) const {
    return m_folder.file(fileName(date));
}

void TrafficLog::received(const QString& text) {
    take(Direction::Received, text);
}

void TrafficLog::replaced(const QString& text) {
    end(Direction::Received);
    take(Direction::Received, text);
    end(Direction::Received);
}

void TrafficLog::sent(const QByteArray& bytes) {
    take(Direction::Sent, TextCodec::decode(bytes));
}

void TrafficLog::command(const QString& name) {
    end(Direction::Sent);
    m_sent.afterCr = false;
    write(m_clock.now(), Direction::Sent, QLatin1Char('[') + name + QLatin1Char(']'));
}

void TrafficLog::writeUnfinished() {
    end(Direction::Sent);
    end(Direction::Received);
}

void TrafficLog::take(Direction direction, QStringView text) {
    if (m_stopped || text.isEmpty())
        return;
    Line& l = line(direction);
    qsizetype i = 0;
    while (i < text.size()) {
        // A run of printing characters goes in at once.
        qsizetype run = i;
        while (run < text.size() && !isControl(text[run]))
            ++run;
        while (i < run) {
            if (!l.open)
                begin(l);
            const qsizetype take = std::min(run - i, kLongestLine - l.text.size());
            l.text.append(text.mid(i, take));
            i += take;
            l.afterCr = false;
            if (l.text.size() >= kLongestLine)
                end(direction);
        }
        if (i == text.size())
            break;
        const QChar c = text[i++];
        const bool lf = c == QLatin1Char('\n');
        if (lf && l.afterCr) {
            l.afterCr = false;
            continue;
        }
        l.afterCr = c == QLatin1Char('\r');
        if (!l.open)
            begin(l);
        if (lf || l.afterCr)
            end(direction);
        else
            appendControl(l.text, c);
    }
    if (l.open) {
        l.lastCharacter.start();
        if (!m_quiet.isActive())
            m_quiet.start(kQuietMs);
    }
}

void TrafficLog::begin(Line& l) {
    l.open = true;
    l.start = m_clock.now();
    l.text.clear();
}

void TrafficLog::end(Direction direction) {
    Line& l = line(direction);
    if (!l.open)
        return;
    l.open = false;
    write(l.start, direction, l.text);
    l.text.clear();
}

void TrafficLog::quietTimeout() {
    qint64 next = kQuietMs;
    for (Direction d : {Direction::Sent, Direction::Received}) {
        Line& l = line(d);
        if (!l.open)
            continue;
        const qint64 quietFor = l.lastCharacter.elapsed();
        if (quietFor >= kQuietMs)
            end(d);
        else
            next = std::min(next, kQuietMs - quietFor);
    }
    if (m_received.open || m_sent.open)
        m_quiet.start(int(next));
}

void TrafficLog::write(const QDateTime& start, Direction direction, const QString& text) {
    if (m_stopped)
        return;
    const QDate date = start.date();
    if (!m_file.isOpen() || date != m_fileDate) {
        if (const FileResult opened = m_file.open(path(date)); !opened) {
            stop(opened.error);
            return;
        }
        m_fileDate = date;
    }
    const QString lineText = start.toString(QStringLiteral("HH:mm:ss")) +
                             QLatin1String(direction == Direction::Received ? " < " : " > ") + text +
                             QLatin1String("\r\n");
    QElapsedTimer took;
    took.start();
    if (const FileResult written = m_file.append(TextCodec::encode(lineText)); !written) {
        stop(written.error);
        return;
    }
    if (took.elapsed() > kSlowWriteMs)
        stop(QStringLiteral("%1: the disk took %2 ms to write one line")
                 .arg(m_file.path())
                 .arg(took.elapsed()));
}

void TrafficLog::stop(const QString& message) {
    m_stopped = true;
    m_file.close();
    m_quiet.stop();
    m_received = Line();
    m_sent = Line();
    QMetaObject::invokeMethod(
        this, [this, message] { emit failed(message); }, Qt::QueuedConnection);
}

} // namespace vornal
