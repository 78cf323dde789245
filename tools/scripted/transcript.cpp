#include "transcript.h"

namespace {

const char* controlName(unsigned char c) {
    switch (c) {
    case 0x01:
        return "SOH";
    case 0x07:
        return "BEL";
    case 0x09:
        return "TAB";
    case 0x0a:
        return "LF";
    case 0x0b:
        return "VT";
    case 0x0c:
        return "FF";
    case 0x0d:
        return "CR";
    case 0x0e:
        return "SO";
    case 0x0f:
        return "SI";
    case 0x11:
        return "DC1";
    case 0x13:
        return "DC3";
    case 0x14:
        return "DC4";
    case 0x17:
        return "ETB";
    case 0x1b:
        return "ESC";
    default:
        return nullptr;
    }
}

} // namespace

Transcript::Transcript() {
    m_clock.start();
}

QString Transcript::stamp() const {
    return QStringLiteral("%1").arg(double(m_clock.elapsed()) / 1000.0, 8, 'f', 3);
}

QString Transcript::readable(const QByteArray& bytes) {
    QString text;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7f && c != '<')
            text += QLatin1Char(char(c));
        else if (const char* name = controlName(c))
            text += QLatin1Char('<') + QLatin1String(name) + QLatin1Char('>');
        else
            text += QStringLiteral("<%1>").arg(uint(c), 2, 16, QLatin1Char('0'));
    }
    return text;
}

void Transcript::step(const QString& name) {
    flushBoth();
    m_lines.append(QString());
    m_lines.append(QStringLiteral("== ") + name + QStringLiteral(" =="));
    m_sentInStep.clear();
    m_receivedInStep.clear();
}

void Transcript::sent(const QByteArray& bytes) {
    m_sentInStep += bytes;
    add(m_out, m_in, bytes);
}

void Transcript::received(const QByteArray& bytes) {
    m_receivedInStep += bytes;
    add(m_in, m_out, bytes);
}

void Transcript::note(const QString& text) {
    flushBoth();
    m_lines.append(stamp() + QStringLiteral("  note             ") + text);
}

void Transcript::add(Pending& pending, Pending& other, const QByteArray& bytes) {
    constexpr int kLongestLine = 100;
    // A line that has had nothing for this long is over; it is written before what
    // comes now, so the lines keep their order.
    constexpr qint64 kPauseMs = 200;
    const qint64 now = m_clock.elapsed();
    if (!other.bytes.isEmpty() && now - other.last >= kPauseMs)
        flush(other);
    if (!pending.bytes.isEmpty() && now - pending.last >= kPauseMs)
        flush(pending);
    for (char c : bytes) {
        if ((pending.bytes.endsWith('\r') && c != '\n') || pending.bytes.size() >= kLongestLine)
            flush(pending);
        if (pending.bytes.isEmpty()) {
            pending.stamp = stamp();
            pending.started = now;
        }
        pending.bytes += c;
        if (c == '\n')
            flush(pending);
    }
    pending.last = now;
}

void Transcript::flush(Pending& pending) {
    if (!pending.bytes.isEmpty())
        m_lines.append(pending.stamp + QStringLiteral("  ") + pending.arrow + readable(pending.bytes));
    pending.bytes.clear();
}

void Transcript::flushBoth() {
    // In the order the lines began.
    if (m_in.started < m_out.started) {
        flush(m_in);
        flush(m_out);
    } else {
        flush(m_out);
        flush(m_in);
    }
}

QString Transcript::text() {
    flushBoth();
    return m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
