#pragma once

#include "display/textsearch.h"

#include <QObject>

class QFrame;
class QLineEdit;
class QPushButton;

namespace vornal {

class FeatureContext;

// "Find" in the Program group opens a small bar at the terminal text: a field and
// "Next" and "Previous", which select the next or previous match (case does not
// matter, the search goes round the end) and scroll it into view. Return in the
// field finds the next; Escape closes the bar and gives the keyboard back to the
// terminal. Keys typed in the terminal still go to the box.
class FindBar : public QObject {
    Q_OBJECT
public:
    explicit FindBar(FeatureContext& context);

    void open();
    void close();
    // False when the text is not in the terminal (the status line says so).
    bool find(TextSearch::Direction direction);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    FeatureContext& m_context;
    QFrame* m_bar = nullptr;
    QLineEdit* m_field = nullptr;
};

} // namespace vornal
