#include "features/presets/phrasebutton.h"

#include "widgets/buttonkit.h"
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vornal {

PhraseButton::PhraseButton(const QString& name, int index, QWidget* parent)
    : QPushButton(parent), m_index(index) {
    setUpButton(this, ButtonKind::Slot, name, QString());
    setPhrase(QString());
}

QString PhraseButton::visibleText(const QString& phrase) {
    QString visible;
    visible.reserve(phrase.size());
    for (const QChar c : phrase) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            // Caret notation: ^G for the bell, ^? for DEL.
            visible.append(QLatin1Char('^'));
            visible.append(QChar(char16_t(c.unicode() ^ 0x40)));
        } else {
            visible.append(c);
        }
    }
    return visible;
}

void PhraseButton::setPhrase(const QString& phrase) {
    // The phrase is the operator's: it shows, is read out and is sent as it is stored.
    m_phrase = phrase;
    setButtonCaption(this, phrase, CaptionSource::Data);
    m_visible = visibleText(phrase);
    setAccessibleName(phrase.isEmpty() ? QStringLiteral("Preset phrase %1, empty").arg(m_index + 1)
                                       : QString());
    update();
}

void PhraseButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // A long phrase is cut before it is measured, so that drawing stays cheap.
    const int room = std::max(0, contents.width() - 12);
    const qsizetype most = room / std::max(1, fontMetrics().averageCharWidth()) * 2 + 8;
    option.text = escapedCaption(fontMetrics().elidedText(m_visible.left(most), Qt::ElideRight, room));
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace vornal
