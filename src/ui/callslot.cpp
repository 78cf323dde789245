#include "callslot.h"

#include <QFontDatabase>
#include <QPushButton>

namespace vornal {

QPushButton* makeCallSlot(const QString& name, const QString& caption) {
    auto* slot = new QPushButton;
    slot->setObjectName(name);
    slot->setProperty("class", QStringLiteral("callSlot"));
    slot->setCursor(Qt::PointingHandCursor);
    slot->setFlat(true);
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

QString callPanelStyle() {
    return QStringLiteral(R"(
QFrame[class="callPanel"] { background: #ffffff; border: 1px solid #d5dbe3; border-radius: 6px; }
QFrame[class="callPanel"] QLabel { border: none; background: transparent; }
QLabel[class="panelHeading"] { font-weight: 600; color: #2b3a4b; padding: 2px 2px 4px 2px; }
QLabel[class="panelSubheading"] { font-weight: 600; color: #5b6b7c; padding: 6px 2px 2px 2px; }
QLabel[class="panelHint"] { color: #5b6b7c; padding: 4px 2px; font-size: 8pt; }
QPushButton[class="callSlot"] { text-align: left; border: none; border-bottom: 1px solid #eef1f5;
    border-radius: 0; background: transparent; padding: 1px 6px; min-height: 17px; color: #1f2a38; }
QPushButton[class="callSlot"]:hover { background: #e4ebf3; }
QPushButton[class="callSlot"]:pressed { background: #d3dfec; }
QPushButton[class="callSlot"]:focus { background: #eaf1fb; }
QLineEdit { border: 1px solid #c9d1db; border-radius: 3px; padding: 1px 4px; background: #ffffff; }
QLineEdit:focus { border-color: #3b7dd8; }
)");
}

} // namespace vornal
