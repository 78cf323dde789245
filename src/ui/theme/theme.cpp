#include "theme/theme.h"

#include "headlinesets.h"
#include "look/colourscheme.h"
#include "look/contrast.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <cmath>

namespace vornal {

namespace {

// The program's colour numbers of the line counter and the klkl switch, for the sheet.
constexpr quint32 kGreen = 65280;
constexpr quint32 kYellow = 65535;
constexpr quint32 kRed = 255;

// The faces of the buttons as the sheets below paint them (the Steampunk face is a
// gradient between two).
const QColor kButtonFace(0xf4, 0xf6, 0xf9);
const QColor kOpenFace(0x2f, 0x6f, 0xbd);
const QColor kSteamFaceTop(0xfb, 0xf3, 0xe2);
const QColor kSteamFaceBottom(0xea, 0xd8, 0xb4);
const QColor kSlotFocusFace(0xea, 0xf1, 0xfb);
const QColor kSteamSlotFocusFace(0xf3, 0xe6, 0xcb);
// The colours a focus ring may take, the first that stands out enough against the
// button and its background: amber, then black, then white.
const QList<quint32> kRingColours = {0xd35400, 0x000000, 0xffffff};
constexpr double kRingContrast = 3.0;

// `over` with the given opacity (0 to 255) painted on `under`.
QColor blended(const QColor& under, const QColor& over, int alpha) {
    const auto mix = [alpha](int a, int b) { return (a * (255 - alpha) + b * alpha + 127) / 255; };
    return QColor(mix(under.red(), over.red()), mix(under.green(), over.green()),
                  mix(under.blue(), over.blue()));
}

} // namespace

Theme::Theme() {
    setSkin(Skin::Standard);
    setColour(Colour::KlklOff, fromColourValue(16777215));
    setColour(Colour::KlklOn, fromColourValue(kGreen));
    setColour(Colour::LampActive, QColor(0x2e, 0xcc, 0x40));
    setColour(Colour::LampIdle, QColor(0x9a, 0xa3, 0xad));
    setColour(Colour::LampChanged, QColor(0xff, 0xa5, 0x00));
    // The terminal text starts black on white.
    setColour(Colour::TerminalText, Qt::black);
    setColour(Colour::TerminalBackground, fromColourValue(16777215));
}

void Theme::setSkin(Skin skin) {
    m_skin = skin;
    if (skin == Skin::Steampunk) {
        // Brass, copper and parchment on dark wood.
        setColour(Colour::WindowBackground, QColor(0x3a, 0x2a, 0x1c));
        setColour(Colour::HeaderBackground, QColor(0x2a, 0x1c, 0x12));
        setColour(Colour::HeaderText, QColor(0xf0, 0xd9, 0xa8));
        setColour(Colour::PanelBackground, QColor(0xf4, 0xea, 0xd5));
        setColour(Colour::PanelBorder, QColor(0xa6, 0x7c, 0x3d));
        setColour(Colour::Text, QColor(0x3b, 0x2a, 0x1a));
        setColour(Colour::MutedText, QColor(0x7a, 0x5c, 0x3a));
        setColour(Colour::Accent, QColor(0xb8, 0x73, 0x2e));
        setColour(Colour::Danger, QColor(0xad, 0x3a, 0x24));
        setColour(Colour::KlklFace, QColor(0x3b, 0x2a, 0x1a));
        return;
    }
    setColour(Colour::WindowBackground, QColor(0xee, 0xf1, 0xf5));
    setColour(Colour::HeaderBackground, QColor(0x1f, 0x2a, 0x38));
    setColour(Colour::HeaderText, QColor(0xe8, 0xee, 0xf5));
    setColour(Colour::PanelBackground, Qt::white);
    setColour(Colour::PanelBorder, QColor(0xd5, 0xdb, 0xe3));
    setColour(Colour::Text, QColor(0x1f, 0x2a, 0x38));
    setColour(Colour::MutedText, QColor(0x5b, 0x6b, 0x7c));
    setColour(Colour::Accent, QColor(0x3b, 0x7d, 0xd8));
    setColour(Colour::Danger, QColor(0xb9, 0x3b, 0x3b));
    setColour(Colour::KlklFace, QColor(0x1f, 0x2a, 0x38));
}

void Theme::setBackgroundPicture(const QString& path) {
    m_picture = path;
}

QColor Theme::colour(Colour role) const {
    return m_colours[int(role)];
}

void Theme::setColour(Colour role, const QColor& colour) {
    m_colours[int(role)] = colour;
}

QColor Theme::fromColourValue(quint32 value) {
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

int Theme::twipsToPixels(int twips, const QWidget* widget) {
    const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return int(std::lround(twips / 15.0 * dpi / 96.0));
}

void Theme::setState(QWidget* widget, const char* property, const QVariant& value) {
    if (widget->property(property) == value)
        return;
    widget->setProperty(property, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void Theme::apply(QWidget* window) const {
    window->setStyleSheet(styleSheet());
}

QString Theme::styleSheet() const {
    const auto c = [this](Colour role) { return colour(role).name(); };
    QString sheet = QStringLiteral(R"(
#frmTerminal { background: %1; }
#header { background: %2; }
#header QLabel, #header QPushButton { color: %3; }
#lblVersion { font-weight: 600; font-size: 11pt; border: 2px solid transparent; background: transparent;
              text-align: left; }
#lblVersion:hover { color: #ffffff; text-decoration: underline; }
#Label15 { color: #9fb0c3; }
QGroupBox { background: %4; border: 1px solid %5; border-radius: 6px; margin-top: 16px;
            padding: 10px 6px 6px 6px; font-weight: 600; color: #2b3a4b; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QPushButton { background: #f4f6f9; border: 1px solid #c9d1db; border-radius: 4px; padding: 4px 4px;
              color: %6; font-weight: normal; min-height: 20px; }
QPushButton:hover { background: #e4ebf3; border-color: #8fa6bf; }
QPushButton:pressed { background: #d3dfec; }
QPushButton:disabled { color: #9aa3ad; background: #f7f8fa; border-color: #e1e5ea; }
#lblOpen1 { background: #2f6fbd; color: white; border-color: #2a64ab; font-weight: 600; }
#lblOpen1:hover { background: %8; }
#lblExit { background: %9; color: white; border-color: #a33434; font-weight: 600; }
#lblExit:hover { background: #cc4747; }
#txtTerm { border: 1px solid #c9d1db; border-radius: 4px; }
#statusArea { background: %4; border-top: 1px solid %5; }
#lblAction { color: %6; padding: 2px 6px; }
#lblMaxChar { border-radius: 4px; padding: 1px 6px; font-weight: 600; min-width: 28px; }
#lblSettings { font-weight: 600; }
.fieldLabel { color: %7; font-weight: normal; }
.fieldValue { color: %6; font-weight: normal; }
QScrollArea#sidePanels, #sidePanels > QWidget > QWidget { background: transparent; }
QFrame[class="callPanel"] { background: %4; border: 1px solid %5; border-radius: 6px; }
QFrame[class="callPanel"] QLabel { border: none; background: transparent; }
QLabel[class="panelHeading"] { font-weight: 600; color: #2b3a4b; padding: 2px 2px 4px 2px; }
QLabel[class="panelSubheading"] { font-weight: 600; color: %7; padding: 6px 2px 2px 2px; }
QLabel[class="panelHint"] { color: %7; padding: 4px 2px; font-size: 8pt; }
QPushButton[class="callSlot"] { text-align: left; border: 1px solid transparent; border-bottom-color: #eef1f5;
    border-radius: 0; background: transparent; padding: 1px 5px; min-height: 17px; color: %6; }
QPushButton[class="callSlot"]:hover { background: #e4ebf3; }
QPushButton[class="callSlot"]:pressed { background: #d3dfec; }
QPushButton[class="callSlot"]:focus { background: #eaf1fb; }
QLineEdit { border: 1px solid #c9d1db; border-radius: 3px; padding: 1px 4px; background: %4; }
QLineEdit:focus { border-color: %8; }
)")
                        .arg(c(Colour::WindowBackground), c(Colour::HeaderBackground), c(Colour::HeaderText),
                             c(Colour::PanelBackground), c(Colour::PanelBorder), c(Colour::Text),
                             c(Colour::MutedText), c(Colour::Accent), c(Colour::Danger));
    // The states: the klkl switch's text colour, and a lamp at its left end, lit in the
    // text's colour while the answer is on and dark while it is off, so that the state
    // shows at a glance and also under the focus ring; the line counter's level.
    const QString lamp = QStringLiteral(
        "qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 0.1 %1, stop: 0.101 %2, stop: 1 %2)");
    sheet += QStringLiteral("#lblKlKl { background: %1; color: %2; font-weight: 600; }\n"
                            "#lblKlKl[autoAnswer=\"true\"] { background: %3; color: %4; }\n")
                 .arg(lamp.arg(QStringLiteral("#4a5360"), c(Colour::KlklFace)), c(Colour::KlklOff),
                      lamp.arg(c(Colour::KlklOn), c(Colour::KlklFace)), c(Colour::KlklOn));
    // The punch panel's caption: red while punching.
    sheet += QStringLiteral("#lblPreview[punching=\"false\"] { color: %1; }\n"
                            "#lblPreview[punching=\"true\"] { color: %2; }\n")
                 .arg(fromColourValue(0).name(), fromColourValue(kRed).name());
    for (const quint32 level : {kGreen, kYellow, kRed})
        sheet += QStringLiteral("#lblMaxChar[colourValue=\"%1\"] { background: %2; }\n")
                     .arg(level)
                     .arg(fromColourValue(level).name());
    // The message editor's column warning: green text within the line, red beyond.
    sheet +=
        QStringLiteral("#lblMax { background: %1; font-weight: 600; padding: 0 4px; border-radius: 3px; }\n")
            .arg(c(Colour::KlklFace));
    for (const quint32 level : {kGreen, kRed})
        sheet += QStringLiteral("#lblMax[colourValue=\"%1\"] { color: %2; }\n")
                     .arg(level)
                     .arg(fromColourValue(level).name());
    // Each headline set has its colour, in its boxes and in its preview.
    for (int set = 0; set < HeadlineSets::kSets; ++set)
        sheet += QStringLiteral(
                     "QLineEdit[headlineSet=\"%1\"], QListWidget[headlineSet=\"%1\"] { background: %2; }\n")
                     .arg(set)
                     .arg(fromColourValue(HeadlineSets::colourValue(set)).name());
    // The terminal text's colour scheme, and the schemes' swatches in their own colours.
    sheet += QStringLiteral("#txtTerm { color: %1; background: %2; }\n")
                 .arg(c(Colour::TerminalText), c(Colour::TerminalBackground));
    for (const ColourScheme& scheme : ColourScheme::all())
        sheet += QStringLiteral("#header QPushButton#%1 { color: %2; background: %3; font-weight: 600; }\n")
                     .arg(QString::fromLatin1(scheme.control), fromColourValue(scheme.text).name(),
                          fromColourValue(scheme.background).name());
    // The header's own controls (the look and the sounds) and the clock's labels.
    sheet += QStringLiteral(R"(
#header QPushButton[class="headerButton"] { background: rgba(255, 255, 255, 20); color: %1;
    border: 1px solid rgba(255, 255, 255, 50); border-radius: 4px; padding: 2px 8px; min-height: 18px; }
#header QPushButton[class="headerButton"]:hover { background: rgba(255, 255, 255, 45); }
#header QPushButton[class="headerButton"]:pressed { background: rgba(255, 255, 255, 70); }
#header QPushButton[class="headerButton"][current="true"] { border: 2px solid %2; padding: 1px 7px; }
#header QLabel[class="headerCaption"] { color: %3; font-size: 8pt; }
#lblTempo { font-size: 22pt; font-weight: 600; }
#lblDate { font-size: 10pt; }
)")
                 .arg(c(Colour::HeaderText), c(Colour::LampActive), c(Colour::HeaderText));
    if (!m_picture.isEmpty()) {
        QString url = m_picture;
        url.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('"'), QLatin1String("\\\""));
        sheet +=
            QStringLiteral("#frmTerminal { border-image: url(\"%1\") 0 0 0 0 stretch stretch; }\n").arg(url);
    }
    sheet += skinSheet();
    // Last, so that they win over every face above: the keyboard focus rings.
    for (const FocusRing& f : focusRings())
        sheet +=
            QStringLiteral("%1:focus { border: 2px solid %2; %3 }\n").arg(f.selector, f.ring.name(), f.rest);
    return sheet;
}

QList<Theme::FocusRing> Theme::focusRings() const {
    const bool steam = m_skin == Skin::Steampunk;
    const QColor panel = colour(Colour::PanelBackground);
    const QColor header = colour(Colour::HeaderBackground);
    const QString plain = QStringLiteral("padding: 3px 3px;");
    const QString onHeader = QStringLiteral("padding: 1px 7px;");
    QList<FocusRing> rings = {
        {QStringLiteral("QPushButton"),
         steam ? QList<QColor>{kSteamFaceTop, kSteamFaceBottom, panel} : QList<QColor>{kButtonFace, panel},
         {},
         plain},
        {QStringLiteral("#lblOpen1"), {steam ? colour(Colour::Accent) : kOpenFace, panel}, {}, plain},
        {QStringLiteral("#lblExit"), {colour(Colour::Danger), panel}, {}, plain},
        {QStringLiteral("#lblKlKl"), {colour(Colour::KlklFace), panel}, {}, plain},
        {QStringLiteral("QPushButton[class=\"callSlot\"]"),
         {panel, steam ? kSteamSlotFocusFace : kSlotFocusFace},
         {},
         QStringLiteral("padding: 0px 4px;")},
        {QStringLiteral("#lblVersion"), {header}, {}, QString()},
        // The lists and tables of the windows (the update window's among them).
        {QStringLiteral("QAbstractItemView"),
         {QColor(Qt::white), colour(Colour::WindowBackground)},
         {},
         QString()},
        {QStringLiteral("#header QPushButton[class=\"headerButton\"]"),
         {header, blended(header, Qt::white, 20)},
         {},
         onHeader},
    };
    for (const ColourScheme& scheme : ColourScheme::all())
        rings.append({QStringLiteral("#header QPushButton#%1").arg(QString::fromLatin1(scheme.control)),
                      {fromColourValue(scheme.background), header},
                      {},
                      onHeader});
    for (FocusRing& f : rings) {
        QList<quint32> neighbours;
        for (const QColor& n : f.neighbours)
            neighbours.append(n.rgb() & 0xffffffu);
        f.ring = QColor::fromRgb(Contrast::pick(kRingColours, neighbours, kRingContrast));
    }
    return rings;
}

// What the Steampunk skin dresses differently from the Standard sheet above.
QString Theme::skinSheet() const {
    if (m_skin != Skin::Steampunk)
        return QString();
    const auto c = [this](Colour role) { return colour(role).name(); };
    return QStringLiteral(R"(
#header { border-bottom: 2px solid %5; }
#Label15 { color: %5; }
QGroupBox::title { color: %6; background: rgba(42, 28, 18, 215); border: 1px solid %5; border-radius: 3px;
                   padding: 0 6px; }
#terminalArea QLabel[class="fieldLabel"] { color: %6; }
QPushButton { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #fbf3e2, stop: 1 #ead8b4);
              border: 1px solid #b99a66; color: %1; }
QPushButton:hover { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #fff8ea, stop: 1 #f0dfbd);
                    border-color: %2; }
QPushButton:pressed { background: #dcc49a; }
QPushButton:disabled { color: #ab9b82; background: #f1e8d6; border-color: #dccdb1; }
#lblOpen1 { background: %2; color: #fff8ea; border-color: #8a5522; }
#lblOpen1:hover { background: #c98640; }
#lblExit { background: %3; color: #fff8ea; border-color: #7a2418; }
#lblExit:hover { background: #b23a27; }
#txtTerm { border: 2px solid %5; border-radius: 4px; }
QLabel[class="panelHeading"] { color: %1; }
QPushButton[class="callSlot"] { background: transparent; border: 1px solid transparent;
                                border-bottom-color: #e6d7b8; }
QPushButton[class="callSlot"]:hover { background: #efe0c2; }
QPushButton[class="callSlot"]:pressed { background: #e2cc9f; }
QPushButton[class="callSlot"]:focus { background: #f3e6cb; }
QLineEdit { border-color: #b99a66; }
#header QPushButton[class="headerButton"][current="true"] { border-color: %4; }
)")
        .arg(c(Colour::Text), c(Colour::Accent), c(Colour::Danger), QStringLiteral("#e8b04a"),
             c(Colour::PanelBorder), c(Colour::HeaderText));
}

} // namespace vornal
