#include "features/presets/presettexts.h"

#include "featurecontext.h"
#include "features/presets/phrasebutton.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "theme/themerole.h"
#include "widgets/buttonkit.h"

#include "clock.h"
#include "fixedtexts.h"
#include "look/objectnames.h"
#include "presetphrases.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

QPushButton* button(const QString& name, const QString& caption, const QString& tip) {
    return makeButton(ButtonKind::Command, name, caption, tip);
}

} // namespace

PresetTexts::PresetTexts(FeatureContext& context)
    : QObject(&context), m_context(context),
      m_texts(std::make_unique<FixedTexts>(context.session().sender(), context.services().link,
                                           context.state(), context.services().dialogs,
                                           context.services().clock)) {
    auto* panel = new QFrame;
    panel->setObjectName(ObjectNames::kFramePresets);
    setThemeRole(panel, ThemeRole::CallPanel);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    auto* heading = new QLabel(QStringLiteral("Texts"));
    setThemeRole(heading, ThemeRole::PanelHeading);
    top->addWidget(heading);
    top->addStretch(1);
    QPushButton* stamp =
        button(ObjectNames::kLblTimeStamp, QStringLiteral("Time Stamp"), QStringLiteral("Date & Time Stamp"));
    QPushButton* fox =
        button(ObjectNames::kLblFox, QStringLiteral("Fox"), QStringLiteral("Send The Quick Brown Fox ...."));
    QPushButton* ry =
        button(ObjectNames::kLblRY, QStringLiteral("RY"), QStringLiteral("Send string RYRYRYR"));
    QPushButton* edit = button(ObjectNames::kLblEditData, QStringLiteral("Edit Presets"),
                               QStringLiteral("Invokes Preset editor"));
    for (QPushButton* b : {stamp, fox, ry, edit})
        top->addWidget(b);
    column->addLayout(top);

    // The phrases in two columns of five, in reading order down each column.
    auto* phrases = new QGridLayout;
    phrases->setHorizontalSpacing(8);
    phrases->setVerticalSpacing(0);
    constexpr int kRows = PresetPhrases::kCount / 2;
    for (int i = 0; i < PresetPhrases::kCount; ++i) {
        auto* phrase = new PhraseButton(ObjectNames::element(ObjectNames::kLblPresetText, i), i);
        connect(phrase, &QPushButton::clicked, this,
                [this, phrase] { m_texts->sendPhrase(phrase->phrase()); });
        phrases->addWidget(phrase, i % kRows, i / kRows);
        m_phrases.append(phrase);
    }
    phrases->setColumnStretch(0, 1);
    phrases->setColumnStretch(1, 1);
    column->addLayout(phrases);
    context.addTerminalPanel(panel);

    connect(stamp, &QPushButton::clicked, m_texts.get(), &FixedTexts::sendTimeStamp);
    connect(fox, &QPushButton::clicked, m_texts.get(), &FixedTexts::sendFox);
    connect(ry, &QPushButton::clicked, m_texts.get(), &FixedTexts::sendRy);
    connect(edit, &QPushButton::clicked, this, &PresetTexts::editPresets);
    connect(m_texts.get(), &FixedTexts::beep, this, [] { QApplication::beep(); });
    connect(m_texts.get(), &FixedTexts::status, &context, &FeatureContext::setStatus);
    connect(m_texts.get(), &FixedTexts::focusTerminal, &context, &FeatureContext::focusTerminal);
}

PresetTexts::~PresetTexts() = default;

void PresetTexts::LoadPresetPhrases() {
    const PresetPhrases::Phrases read =
        PresetPhrases::read(m_context.services().folder.file(QString::fromLatin1(PresetPhrases::kFileName)));
    for (int i = 0; i < m_phrases.size(); ++i)
        m_phrases.at(i)->setPhrase(read.phrases.at(i));
    if (!read.error.isEmpty())
        m_context.setStatus(QStringLiteral("Preset phrases not read: ") + read.error);
}

void PresetTexts::editPresets() {
    m_context.setStatus(QStringLiteral("Loading Preset Text Editor"));
    m_context.openEditor(m_context.services().folder.file(QString::fromLatin1(PresetPhrases::kFileName)),
                         EditorMode::PresetPhrases);
}

} // namespace vornal
