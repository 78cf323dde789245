#pragma once

#include <QString>

class QPushButton;

namespace vornal {

// A call slot of the call lists: a flat, left-aligned row in a fixed-pitch font, since
// its caption lines up number and name with blanks. A long caption is cut at the
// panel's edge rather than widening the column; the tip shows it whole.
QPushButton* makeCallSlot(const QString& name, const QString& caption);
void setCallSlotCaption(QPushButton* slot, const QString& caption);

} // namespace vornal
