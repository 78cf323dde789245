#pragma once

#include <QPlainTextEdit>

namespace vornal {

// The terminal's text box. Its font() stays the operator's choice; the text shows in
// that font stepped down by whole points, while a line of kColumns characters (of
// the font's average width, and an ordinary line of text) or kLines lines would not
// fit the box, down to kSmallestPointSize. So a far station's
// line stays one line on a small screen, and a larger window shows the chosen size.
class TerminalText : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kColumns = 69;
    static constexpr int kLines = 10;
    static constexpr qreal kSmallestPointSize = 8;
    // Room left and right of the text area for the frame's rounded corners.
    static constexpr int kCornerRoom = 3;

    explicit TerminalText(QWidget* parent = nullptr);

    // The font the text shows in.
    QFont shownFont() const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitFont();
};

} // namespace vornal
