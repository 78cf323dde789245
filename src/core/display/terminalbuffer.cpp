#include "display/terminalbuffer.h"

namespace vornal {

QString TerminalBuffer::shown(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char('\r'))
            out.append(c);
    }
    return out;
}

qsizetype TerminalBuffer::shownLength(QStringView text) {
    return text.size() - text.count(QLatin1Char('\r'));
}

void TerminalBuffer::setText(const QString& text) {
    m_text = text;
    emit reset(shown(m_text));
}

void TerminalBuffer::removeFront(qsizetype count) {
    count = std::clamp<qsizetype>(count, 0, m_text.size());
    if (count == 0)
        return;
    const qsizetype front = shownLength(QStringView(m_text).left(count));
    m_text.remove(0, count);
    emit edited(front, 0, QString());
}

void TerminalBuffer::replaceBack(qsizetype count, const QString& text) {
    count = std::clamp<qsizetype>(count, 0, m_text.size());
    if (count == 0 && text.isEmpty())
        return;
    const qsizetype back = shownLength(QStringView(m_text).right(count));
    m_text.chop(count);
    m_text.append(text);
    emit edited(0, back, shown(text));
}

void TerminalBuffer::takeShownText(const QString& shownText) {
    QString text;
    text.reserve(shownText.size() + shownText.size() / 16);
    for (QChar c : shownText) {
        if (c == QLatin1Char('\n'))
            text.append(QLatin1Char('\r'));
        text.append(c);
    }
    m_text = text;
}

} // namespace vornal
