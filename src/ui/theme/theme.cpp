#include "theme/theme.h"

#include "theme/palette.h"

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

// The colours a focus ring may take, the first that stands out enough against the
// button and its background: amber, then black, then white.
const QList<quint32> kRingColours = {ThemeColours::kFocusRingAmber.rgb() & 0xffffffu,
                                     ThemeColours::kFocusRingBlack.rgb() & 0xffffffu,
                                     ThemeColours::kFocusRingWhite.rgb() & 0xffffffu};
constexpr double kRingContrast = 3.0;

// A shade as the sheets write it.
QString css(const QColor& shade) {
    return ThemeColours::sheetText(shade);
}

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
    setColour(Colour::LampActive, ThemeColours::kLampLit);
    setColour(Colour::LampIdle, ThemeColours::kLampIdle);
    setColour(Colour::LampChanged, ThemeColours::kLampChanged);
    // The terminal text starts black on white.
    setColour(Colour::TerminalText, Qt::black);
    setColour(Colour::TerminalBackground, fromColourValue(16777215));
}

void Theme::setSkin(Skin skin) {
    m_skin = skin;
    if (skin == Skin::Steampunk) {
        setColour(Colour::WindowBackground, ThemeColours::kSteamWindow);
        setColour(Colour::HeaderBackground, ThemeColours::kSteamHeader);
        setColour(Colour::HeaderText, ThemeColours::kSteamHeaderText);
        setColour(Colour::PanelBackground, ThemeColours::kSteamPanel);
        setColour(Colour::PanelBorder, ThemeColours::kSteamPanelBorder);
        setColour(Colour::Text, ThemeColours::kSteamText);
        setColour(Colour::MutedText, ThemeColours::kSteamMutedText);
        setColour(Colour::Accent, ThemeColours::kSteamAccent);
        setColour(Colour::Danger, ThemeColours::kSteamDanger);
        setColour(Colour::KlklFace, ThemeColours::kSteamKlklFace);
        return;
    }
    setColour(Colour::WindowBackground, ThemeColours::kStandardWindow);
    setColour(Colour::HeaderBackground, ThemeColours::kStandardHeader);
    setColour(Colour::HeaderText, ThemeColours::kStandardHeaderText);
    setColour(Colour::PanelBackground, ThemeColours::kStandardPanel);
    setColour(Colour::PanelBorder, ThemeColours::kStandardPanelBorder);
    setColour(Colour::Text, ThemeColours::kStandardText);
    setColour(Colour::MutedText, ThemeColours::kStandardMutedText);
    setColour(Colour::Accent, ThemeColours::kStandardAccent);
    setColour(Colour::Danger, ThemeColours::kStandardDanger);
    setColour(Colour::KlklFace, ThemeColours::kStandardKlklFace);
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
    using namespace ThemeColours;
    // The header and the version.
    QString sheet = QStringLiteral(R"(
#frmTerminal { background: %1; }
#header { background: %2; }
#header QLabel, #header QPushButton { color: %3; }
#lblVersion { font-weight: 600; font-size: 11pt; border: 2px solid transparent; background: transparent;
              text-align: left; }
#lblVersion:hover { color: %4; text-decoration: underline; }
#Label15 { color: %5; }
)")
                        .arg(c(Colour::WindowBackground), c(Colour::HeaderBackground), c(Colour::HeaderText),
                             css(kVersionHoverText), css(kTitleSubtext));
    // The groups and the buttons.
    sheet += QStringLiteral(
                 R"(QGroupBox { background: %1; border: 1px solid %2; border-radius: 6px; margin-top: 16px;
            padding: 10px 6px 6px 6px; font-weight: 600; color: %3; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QPushButton { background: %4; border: 1px solid %5; border-radius: 4px; padding: 4px 4px;
              color: %6; font-weight: normal; min-height: 20px; }
QPushButton:hover { background: %7; border-color: %8; }
QPushButton:pressed { background: %9; }
)")
                 .arg(c(Colour::PanelBackground), c(Colour::PanelBorder), css(kHeadingText), css(kButtonFace),
                      css(kControlBorder), c(Colour::Text), css(kButtonHoverFace), css(kButtonHoverBorder),
                      css(kButtonPressedFace));
    sheet += QStringLiteral(R"(QPushButton:disabled { color: %1; background: %2; border-color: %3; }
#lblOpen1 { background: %4; color: %5; border-color: %6; font-weight: 600; }
#lblOpen1:hover { background: %7; }
#lblExit { background: %8; color: %5; border-color: %9; font-weight: 600; }
#lblExit:hover { background: %10; }
#txtTerm { border: 1px solid %11; border-radius: 4px; }
#sidePanels QPushButton, #groupProgram QPushButton { min-height: 16px; }
)")
                 .arg(css(kButtonDisabledText), css(kButtonDisabledFace), css(kButtonDisabledBorder),
                      css(kOpenFace), css(kStrongButtonText), css(kOpenBorder), c(Colour::Accent),
                      c(Colour::Danger), css(kExitBorder), css(kExitHoverFace), css(kControlBorder));
    // The status area, the panels and their call slots, the line edits.
    sheet += QStringLiteral(R"(#statusArea { background: %1; border-top: 1px solid %2; }
#lblAction { color: %3; padding: 2px 6px; }
#lblMaxChar { border-radius: 4px; padding: 1px 6px; font-weight: 600; min-width: 28px; }
#lblSettings { font-weight: 600; }
.fieldLabel { color: %4; font-weight: normal; }
.fieldValue { color: %3; font-weight: normal; }
QScrollArea#sidePanels, #sidePanels > QWidget > QWidget { background: transparent; }
QFrame[class="callPanel"] { background: %1; border: 1px solid %2; border-radius: 6px; }
QFrame[class="callPanel"] QLabel { border: none; background: transparent; }
QLabel[class="panelHeading"] { font-weight: 600; color: %5; padding: 2px 2px 4px 2px; }
QLabel[class="panelSubheading"] { font-weight: 600; color: %4; padding: 6px 2px 2px 2px; }
QLabel[class="panelHint"] { color: %4; padding: 4px 2px; font-size: 8pt; }
QPushButton[class="callSlot"] { text-align: left; border: 1px solid transparent; border-bottom-color: %6;
    border-radius: 0; background: transparent; padding: 1px 5px; min-height: 17px; color: %3; }
QPushButton[class="callSlot"]:hover { background: %7; }
QPushButton[class="callSlot"]:pressed { background: %8; }
QPushButton[class="callSlot"]:focus { background: %9; }
QLineEdit { border: 1px solid %10; border-radius: 3px; padding: 1px 4px; background: %1; }
QLineEdit:focus { border-color: %11; }
)")
                 .arg(c(Colour::PanelBackground), c(Colour::PanelBorder), c(Colour::Text),
                      c(Colour::MutedText), css(kHeadingText), css(kSlotDivider), css(kButtonHoverFace),
                      css(kButtonPressedFace), css(kSlotFocusFace), css(kControlBorder), c(Colour::Accent));
    // The states: the klkl switch's text colour, and a lamp at its left end, lit in the
    // text's colour while the answer is on and dark while it is off, so that the state
    // shows at a glance and also under the focus ring; the line counter's level.
    const QString lamp = QStringLiteral(
        "qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 0.1 %1, stop: 0.101 %2, stop: 1 %2)");
    sheet += QStringLiteral("#lblKlKl { background: %1; color: %2; font-weight: 600; }\n"
                            "#lblKlKl[autoAnswer=\"true\"] { background: %3; color: %4; }\n")
                 .arg(lamp.arg(css(kKlklLampOff), c(Colour::KlklFace)), c(Colour::KlklOff),
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
                     .arg(QString(scheme.control), fromColourValue(scheme.text).name(),
                          fromColourValue(scheme.background).name());
    // The header's own controls (the look and the sounds) and the clock's labels.
    sheet += QStringLiteral(R"(
#header QPushButton[class="headerButton"] { background: %1; color: %2;
    border: 1px solid %3; border-radius: 4px; padding: 2px 8px; min-height: 18px; }
#header QPushButton[class="headerButton"]:hover { background: %4; }
#header QPushButton[class="headerButton"]:pressed { background: %5; }
#header QPushButton[class="headerButton"][current="true"] { border: 2px solid %6; padding: 1px 7px; }
#header QLabel[class="headerCaption"] { color: %2; font-size: 8pt; }
#lblTempo { font-size: 22pt; font-weight: 600; }
#lblDate { font-size: 10pt; }
)")
                 .arg(css(kHeaderButtonFace), c(Colour::HeaderText), css(kHeaderButtonBorder),
                      css(kHeaderButtonHoverFace), css(kHeaderButtonPressedFace), c(Colour::LampActive));
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
         steam ? QList<QColor>{ThemeColours::kSteamFaceTop, ThemeColours::kSteamFaceBottom, panel}
               : QList<QColor>{ThemeColours::kButtonFace, panel},
         {},
         plain},
        {QStringLiteral("#lblOpen1"),
         {steam ? colour(Colour::Accent) : ThemeColours::kOpenFace, panel},
         {},
         plain},
        {QStringLiteral("#lblExit"), {colour(Colour::Danger), panel}, {}, plain},
        {QStringLiteral("#lblKlKl"), {colour(Colour::KlklFace), panel}, {}, plain},
        {QStringLiteral("QPushButton[class=\"callSlot\"]"),
         {panel, steam ? ThemeColours::kSteamSlotFocusFace : ThemeColours::kSlotFocusFace},
         {},
         QStringLiteral("padding: 0px 4px;")},
        {QStringLiteral("#lblVersion"), {header}, {}, QString()},
        // The lists and tables of the windows (the update window's among them).
        {QStringLiteral("QAbstractItemView"),
         {ThemeColours::kListBase, colour(Colour::WindowBackground)},
         {},
         QString()},
        {QStringLiteral("#header QPushButton[class=\"headerButton\"]"),
         {header, blended(header, ThemeColours::kHeaderButtonFace, ThemeColours::kHeaderButtonFace.alpha())},
         {},
         onHeader},
    };
    for (const ColourScheme& scheme : ColourScheme::all())
        rings.append({QStringLiteral("#header QPushButton#%1").arg(QString(scheme.control)),
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
    using namespace ThemeColours;
    const auto c = [this](Colour role) { return colour(role).name(); };
    QString sheet =
        QStringLiteral(R"(
#header { border-bottom: 2px solid %1; }
#Label15 { color: %1; }
QGroupBox::title { color: %2; background: %3; border: 1px solid %1; border-radius: 3px;
                   padding: 0 6px; }
#terminalArea QLabel[class="fieldLabel"] { color: %2; }
QPushButton { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 %4, stop: 1 %5);
              border: 1px solid %6; color: %7; }
QPushButton:hover { background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 %8, stop: 1 %9);
                    border-color: %10; }
)")
            .arg(c(Colour::PanelBorder), c(Colour::HeaderText), css(kSteamTitleFace), css(kSteamFaceTop),
                 css(kSteamFaceBottom), css(kSteamControlBorder), c(Colour::Text), css(kSteamHoverFaceTop),
                 css(kSteamHoverFaceBottom), c(Colour::Accent));
    sheet += QStringLiteral(R"(QPushButton:pressed { background: %1; }
QPushButton:disabled { color: %2; background: %3; border-color: %4; }
#lblOpen1 { background: %5; color: %6; border-color: %7; }
#lblOpen1:hover { background: %8; }
#lblExit { background: %9; color: %6; border-color: %10; }
#lblExit:hover { background: %11; }
#txtTerm { border: 2px solid %12; border-radius: 4px; }
)")
                 .arg(css(kSteamPressedFace), css(kSteamDisabledText), css(kSteamDisabledFace),
                      css(kSteamDisabledBorder), c(Colour::Accent), css(kSteamStrongButtonText),
                      css(kSteamOpenBorder), css(kSteamOpenHoverFace), c(Colour::Danger),
                      css(kSteamExitBorder), css(kSteamExitHoverFace), c(Colour::PanelBorder));
    sheet += QStringLiteral(R"(QLabel[class="panelHeading"] { color: %1; }
QPushButton[class="callSlot"] { background: transparent; border: 1px solid transparent;
                                border-bottom-color: %2; }
QPushButton[class="callSlot"]:hover { background: %3; }
QPushButton[class="callSlot"]:pressed { background: %4; }
QPushButton[class="callSlot"]:focus { background: %5; }
QLineEdit { border-color: %6; }
#header QPushButton[class="headerButton"][current="true"] { border-color: %7; }
)")
                 .arg(c(Colour::Text), css(kSteamSlotDivider), css(kSteamSlotHoverFace),
                      css(kSteamSlotPressedFace), css(kSteamSlotFocusFace), css(kSteamControlBorder),
                      css(kSteamCurrentHeaderButton));
    return sheet;
}

} // namespace vornal
