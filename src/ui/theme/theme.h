#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QVariant>

class QWidget;

namespace vornal {

// The one place of the window's look: the named colours, the style sheet built from
// them and the conversions of the program's own units. The main window applies the
// sheet once; its children (the panels that features add included) take their look
// from it. A widget whose look follows a state shows it through a dynamic property
// that the sheet selects on (setState), never through a style sheet of its own, so
// that a colour scheme or skin restyles everything by changing the theme alone.
class Theme {
public:
    enum class Colour {
        WindowBackground,
        HeaderBackground,
        HeaderText,
        PanelBackground,
        PanelBorder,
        Text,
        MutedText,
        Accent,
        Danger,
        KlklFace,
        KlklOff,
        KlklOn,
        LampActive,
        LampIdle,
        LampChanged,
        TerminalText,
        TerminalBackground,
    };
    static constexpr int kColourCount = int(Colour::TerminalBackground) + 1;

    // The window's dress: its chrome colours and background picture.
    enum class Skin { Standard, Steampunk };

    Theme();

    QColor colour(Colour role) const;
    void setColour(Colour role, const QColor& colour);
    // Sets the chrome colours of a skin; the terminal text's colours stay.
    void setSkin(Skin skin);
    Skin skin() const { return m_skin; }
    // The window's background picture, stretched over the whole window and seen
    // around the panels; empty for none.
    void setBackgroundPicture(const QString& path);
    const QString& backgroundPicture() const { return m_picture; }
    // The sheet of the whole main window.
    QString styleSheet() const;
    // Applies the sheet to the main window (and so to everything in it).
    void apply(QWidget* window) const;

    // A kind of button, the colours its keyboard focus ring lies against (its faces and
    // what it stands on), the ring's colour and the rest of its focused look (the
    // padding that keeps the 2 pixel ring from changing the button's size).
    struct FocusRing {
        QString selector;
        QList<QColor> neighbours;
        QColor ring;
        QString rest;
    };
    QList<FocusRing> focusRings() const;

    // Sets a state property that the sheet selects on, and lets the widget take the
    // matching look at once.
    static void setState(QWidget* widget, const char* property, const QVariant& value);

    // A colour number of the program's files and tables: red in the lowest byte, then
    // green, then blue.
    static QColor fromColourValue(quint32 value);
    // A length in twips as pixels: 15 twips to the pixel at 96 dots per inch, scaled
    // for the widget's screen (the primary screen without a widget).
    static int twipsToPixels(int twips, const QWidget* widget = nullptr);

private:
    QString skinSheet() const;

    QColor m_colours[kColourCount];
    Skin m_skin = Skin::Standard;
    QString m_picture;
};

} // namespace vornal
