#pragma once

#include <QPushButton>

namespace vornal {

// A preset phrase: a flat row whose caption is the phrase that is sent. A phrase of
// any length keeps its column's width, cut short with "..." at its edge, and control
// characters in it show in caret notation (^G), so what the button sends is never
// hidden. An empty phrase is named for a screen reader by its place.
class PhraseButton : public QPushButton {
    Q_OBJECT
public:
    PhraseButton(const QString& name, int index, QWidget* parent = nullptr);

    void setPhrase(const QString& phrase);
    const QString& phrase() const { return m_phrase; }
    // The caption as drawn, before it is cut to the width.
    static QString visibleText(const QString& phrase);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    QString m_phrase;
    QString m_visible;
};

} // namespace vornal
