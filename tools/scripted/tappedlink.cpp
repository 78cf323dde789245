#include "tappedlink.h"

#include "transcript.h"

TappedLink::TappedLink(vornal::SerialLink& real, Transcript& transcript)
    : m_real(real), m_transcript(transcript) {
    connect(&real, &SerialLink::commEvent, this, &SerialLink::commEvent);
    connect(&real, &SerialLink::deviceLost, this, &SerialLink::deviceLost);
    connect(&real, &SerialLink::modemLinesChanged, this, &SerialLink::modemLinesChanged);
}

bool TappedLink::output(const QByteArray& bytes) {
    const bool ok = m_real.output(bytes);
    if (ok)
        m_transcript.sent(bytes);
    else
        m_transcript.note(QStringLiteral("write refused: ") + m_real.lastError().text);
    return ok;
}

QByteArray TappedLink::input() {
    const QByteArray bytes = m_real.input();
    if (!bytes.isEmpty())
        m_transcript.received(bytes);
    return bytes;
}
