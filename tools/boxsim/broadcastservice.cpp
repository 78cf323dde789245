#include "broadcastservice.h"

#include <QFile>
#include <cstdio>

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

QByteArray trimmed(const QByteArray& text) {
    return text.trimmed();
}

} // namespace

BroadcastService::BroadcastService(QString logPath, QObject* parent)
    : QObject(parent), m_logPath(std::move(logPath)) {}

void BroadcastService::start(const QByteArray& serviceNumber) {
    m_service = serviceNumber;
    m_stage = Stage::Receivers;
    m_received.clear();
    m_receivers.clear();
    std::fprintf(stderr, "vornal-boxsim: broadcast service %s answers\n", serviceNumber.constData());
    emit send(kListPrompt);
}

void BroadcastService::stop() {
    m_stage = Stage::Idle;
    m_received.clear();
}

void BroadcastService::receive(QByteArrayView text) {
    if (m_stage == Stage::Idle)
        return;
    m_received.append(text.data(), text.size());
    if (m_stage == Stage::Receivers)
        readReceivers();
    if (m_stage == Stage::Message)
        readMessage();
}

// The list ends at its "+": before it, lines of a number and ",", and the last number
// once more.
void BroadcastService::readReceivers() {
    const qsizetype plus = m_received.indexOf('+');
    if (plus < 0)
        return;
    QList<QByteArray> lines;
    QByteArray line;
    for (char c : m_received.left(plus)) {
        if (isLineEnd(c)) {
            lines.append(trimmed(line));
            line.clear();
        } else {
            line.append(c);
        }
    }
    const QByteArray closing = trimmed(line);
    for (const QByteArray& l : std::as_const(lines)) {
        if (l.endsWith(','))
            m_receivers.append(trimmed(l.chopped(1)));
        else if (!l.isEmpty())
            std::fprintf(stderr, "vornal-boxsim: broadcast service: not a receiver line: %s\n",
                         l.constData());
    }
    if (closing != (m_receivers.isEmpty() ? QByteArray() : m_receivers.constLast()))
        std::fprintf(stderr,
                     "vornal-boxsim: broadcast service: the list ends with \"%s+\", not the last number\n",
                     closing.constData());
    m_received.remove(0, plus + 1);
    m_stage = Stage::Message;
    emit send(kTextPrompt);
}

void BroadcastService::readMessage() {
    const qsizetype end = m_received.indexOf("+++");
    if (end < 0)
        return;
    QByteArray message = m_received.left(end);
    while (!message.isEmpty() && isLineEnd(message.front()))
        message.remove(0, 1);
    log(message);
    m_stage = Stage::Idle;
    m_received.clear();
    emit send("\r\nrundsenden ok: " + QByteArray::number(m_receivers.size()) + " teilnehmer\r\n");
    emit hangUp();
}

void BroadcastService::log(const QByteArray& message) {
    QByteArray lines =
        "broadcast " + m_service + ": " + QByteArray::number(m_receivers.size()) + " receivers\n";
    for (const QByteArray& receiver : std::as_const(m_receivers))
        lines += "to " + receiver + ": " + escaped(message) + '\n';
    std::fprintf(stderr, "vornal-boxsim: %s", lines.constData());
    if (m_logPath.isEmpty())
        return;
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(lines) != lines.size())
        std::fprintf(stderr, "vornal-boxsim: cannot write %s: %s\n", qPrintable(m_logPath),
                     qPrintable(file.errorString()));
}

QByteArray BroadcastService::escaped(const QByteArray& text) {
    QByteArray out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (b < 0x20 || b >= 0x7f)
            out += "\\x" + QByteArray::number(b, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}
