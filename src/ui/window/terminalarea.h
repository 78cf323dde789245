#pragma once

#include <QTimer>
#include <QWidget>

class QHBoxLayout;
class QKeySequence;
class QLabel;
class QMargins;
class QPlainTextEdit;
class QScrollArea;
class QVBoxLayout;

namespace vornal {

class LineBar;
class LineCounter;
class Transmission;

// The middle of the main window: the line's bar and character counter over the
// terminal text, with what a skin puts beside the text, and the panels that features
// show under it. The panel place is its own, but the window puts it over the side
// column (CallsColumn), so that a panel never narrows the text.
class TerminalArea : public QWidget {
    Q_OBJECT
public:
    explicit TerminalArea(QWidget* parent = nullptr);

    QPlainTextEdit* terminal() const { return m_txtTerm; }
    // The key that brings the keyboard back to the terminal text from anywhere in the
    // main window (F6); the text's tooltip names it.
    static QKeySequence terminalKey();
    // The keyboard goes to the terminal text, its caret after the last character.
    void focusTerminal();
    // Widgets on both sides of the text (the skin's paper strips), and insets in pixels
    // around it and them (the skin's placement).
    void setSides(QWidget* left, QWidget* right);
    void setInsets(const QMargins& insets);

    // The panel place shows while one of its panels does. Reveal scrolls a panel into
    // view.
    QWidget* panelPlace() const;
    void addPanel(QWidget* panel);
    void revealPanel(QWidget* panel);
    // A panel right under the text; one added later sits nearer the text and, while it
    // shows, covers those added before it.
    void addTerminalPanel(QWidget* panel);

    // The counter and the line's bar follow the line; while a text is sent the counter
    // is painted 20 times a second, which is as readable and keeps the pause between
    // characters undisturbed.
    void followCounter(LineCounter& counter, Transmission& transmission);

signals:
    void panelAdded();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void updatePanelPlace();
    void updateTerminalPanels();

    QPlainTextEdit* m_txtTerm = nullptr;
    LineBar* m_line1 = nullptr;
    QLabel* m_lblMaxChar = nullptr;
    QHBoxLayout* m_terminalRow = nullptr;
    QScrollArea* m_panelPlace = nullptr;
    QVBoxLayout* m_panels = nullptr;
    QVBoxLayout* m_terminalPanels = nullptr;
    QTimer m_counterTimer;
    QString m_pendingCounter;
};

} // namespace vornal
