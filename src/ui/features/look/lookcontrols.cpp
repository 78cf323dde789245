#include "features/look/lookcontrols.h"

#include "files/settingskeys.h"

#include "featurecontext.h"
#include "features/look/paperstrip.h"
#include "terminalservices.h"
#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"
#include "window/headerbar.h"

#include "files/settingsstore.h"
#include "look/colourscheme.h"
#include "look/objectnames.h"
#include "userdialogs.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vornal {

LookControls::LookControls(FeatureContext& context) : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kLookControls);
    auto* row = new QWidget;
    row->setObjectName(ObjectNames::kLookRow);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    layout->addWidget(makeCaptionLabel(QStringLiteral("Text"), ThemeRole::HeaderCaption));
    for (const ColourScheme& scheme : ColourScheme::all()) {
        QPushButton* button =
            makeButton(ButtonKind::Header, QString(scheme.control), QString::fromLatin1(scheme.caption),
                       QString::fromLatin1(kSchemeTip));
        connect(button, &QPushButton::clicked, this, [this, &scheme] { applyScheme(scheme); });
        m_schemeButtons.append(button);
        layout->addWidget(button);
    }
    QPushButton* font = makeButton(ButtonKind::Header, ObjectNames::kLblFont, QStringLiteral("Font"),
                                   QStringLiteral("Set font for the telex window"));
    connect(font, &QPushButton::clicked, this, &LookControls::chooseFont);
    layout->addWidget(font);

    layout->addSpacing(12);
    layout->addWidget(makeCaptionLabel(QStringLiteral("Skin"), ThemeRole::HeaderCaption));
    for (const Skin& skin : Skin::all()) {
        QPushButton* button = makeButton(ButtonKind::Header, QString(skin.control),
                                         QString::fromLatin1(skin.caption), QString::fromLatin1(skin.tip));
        const Skin::Kind kind = skin.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { applySkin(kind); });
        m_skinButtons.append(button);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    context.header().addControls(row);

    m_strips[0] = new PaperStrip(ObjectNames::kPicVornalPapier_0, Qt::LeftEdge, context.theme());
    m_strips[1] = new PaperStrip(ObjectNames::kPicVornalPapier_1, Qt::RightEdge, context.theme());
    context.setTerminalSides(m_strips[0], m_strips[1]);
}

// At start: the Standard skin unless a switch chose Steampunk, then the colour scheme a
// switch chose, if any.
void LookControls::applyLook(Startup::Look look) {
    applySkin(look.skin == Startup::SkinSwitch::Steam ? Skin::Kind::Steampunk : Skin::Kind::Standard, true);
    if (const ColourScheme* scheme = ColourScheme::forSwitch(look.colours))
        applyScheme(*scheme);
}

void LookControls::markCurrent(const QList<QPushButton*>& group, const QPushButton* current) {
    for (QPushButton* b : group)
        b->setProperty("current", b == current);
}

void LookControls::applyScheme(const ColourScheme& scheme) {
    Theme& theme = m_context.theme();
    theme.setColour(Theme::Colour::TerminalText, Theme::fromColourValue(scheme.text));
    theme.setColour(Theme::Colour::TerminalBackground, Theme::fromColourValue(scheme.background));
    const auto index = &scheme - ColourScheme::all().constData();
    markCurrent(m_schemeButtons, m_schemeButtons.value(index));
    theme.apply(m_context.window());
}

void LookControls::applySkin(Skin::Kind kind, bool quiet) {
    const Skin& skin = Skin::of(kind);
    Theme& theme = m_context.theme();
    theme.setSkin(kind == Skin::Kind::Steampunk ? Theme::Skin::Steampunk : Theme::Skin::Standard);
    const QString picture = m_context.services().folder.file(QString::fromLatin1(skin.picture));
    const bool found = QFileInfo(picture).isFile();
    theme.setBackgroundPicture(found ? picture : QString());
    if (!found && !quiet)
        m_context.setStatus(QStringLiteral("Skin picture not found: ") + picture);

    for (PaperStrip* strip : m_strips)
        strip->setVisible(skin.paperStrips);
    const QMargins twips = Skin::terminalInsets(kind);
    QWidget* window = m_context.window();
    m_context.setTerminalInsets(
        QMargins(Theme::twipsToPixels(twips.left(), window), Theme::twipsToPixels(twips.top(), window),
                 Theme::twipsToPixels(twips.right(), window), Theme::twipsToPixels(twips.bottom(), window)));
    const QPushButton* current = nullptr;
    for (QPushButton* b : std::as_const(m_skinButtons)) {
        if (b->objectName() == QLatin1String(skin.control))
            current = b;
    }
    markCurrent(m_skinButtons, current);
    theme.apply(window);
}

void LookControls::chooseFont() {
    const TerminalServices& services = m_context.services();
    FontChoice initial;
    initial.name = QString::fromLatin1(kInitialFont);
    initial.pointSize = qMax(1, m_context.terminal()->font().pointSize());
    initial.color = kInitialColour;
    const std::optional<FontChoice> font = services.dialogs.chooseFont(initial);
    if (!font)
        return;
    const std::optional<quint32> colour =
        services.dialogs.chooseColour(kInitialColour, QStringLiteral("Text colour"));
    if (!colour)
        return;

    QFont chosen(font->name);
    if (font->pointSize > 0)
        chosen.setPointSize(font->pointSize);
    chosen.setBold(font->bold);
    chosen.setItalic(font->italic);
    m_context.terminal()->setFont(chosen);
    Theme& theme = m_context.theme();
    theme.setColour(Theme::Colour::TerminalText, Theme::fromColourValue(*colour));
    theme.apply(m_context.window());

    SettingsStore& settings = services.settings;
    const QString section = QString(SettingsKeys::kFont);
    settings.setValue(section, QString(SettingsKeys::kFontName), font->name);
    settings.setValue(section, QString(SettingsKeys::kFontSize), QString::number(chosen.pointSize()));
    settings.setValue(section, QString(SettingsKeys::kFontColor), QString::number(*colour));
}

} // namespace vornal
