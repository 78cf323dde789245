#include "features/phonebook/callslot.h"

#include <QFontDatabase>
#include <QPushButton>

namespace vornal {

QPushButton* makeCallSlot(const QString& name, const QString& caption) {
    auto* slot = new QPushButton;
    slot->setObjectName(name);
    slot->setProperty("class", QStringLiteral("callSlot"));
    slot->setCursor(Qt::PointingHandCursor);
    slot->setFlat(true);
    // A click dials and leaves the keyboard with the terminal; Tab still reaches it.
    slot->setFocusPolicy(Qt::TabFocus);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(8.5);
    slot->setFont(font);
    slot->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setCallSlotCaption(slot, caption);
    return slot;
}

void setCallSlotCaption(QPushButton* slot, const QString& caption) {
    slot->setText(caption);
    const QString readable = caption.simplified();
    slot->setToolTip(readable);
    slot->setAccessibleName(QStringLiteral("Call ") + readable);
}

} // namespace vornal
