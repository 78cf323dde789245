#pragma once

#include "localnumbers.h"

#include <QFrame>
#include <QList>

class QLineEdit;

namespace vornal {

// "Local Numbers Editor": the 18 local numbers as pairs of number and description
// fields. The number field takes at most three characters, the most the file's
// layout holds, so nothing typed there slips into the description when the file is
// read again.
class LocalNumbersEditor : public QFrame {
    Q_OBJECT
public:
    explicit LocalNumbersEditor(QWidget* parent = nullptr);

    void setEntries(const LocalNumbers::Entries& entries);
    LocalNumbers::Entries entries() const;

signals:
    void exitClicked();

private:
    QList<QLineEdit*> m_numbers;
    QList<QLineEdit*> m_names;
};

} // namespace vornal
