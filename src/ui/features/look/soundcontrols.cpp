#include "features/look/soundcontrols.h"

#include "featurecontext.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"
#include "window/headerbar.h"

#include "display/terminaldisplay.h"
#include "look/objectnames.h"
#include "programstate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vornal {

namespace {

struct SoundButton {
    QLatin1StringView name;
    const char* caption;
    const char* tip;
    SoundEffects::Effect effect;
};
const SoundButton kSoundButtons[] = {
    {ObjectNames::kCommand1, "Cipher", "Play the cipher sound", SoundEffects::Effect::Cipher},
    {ObjectNames::kCommand2, "Plain", "Play the receive sound", SoundEffects::Effect::Plain},
    {ObjectNames::kCommand3, "Run", "Play the motor run sound", SoundEffects::Effect::Run},
};

} // namespace

SoundControls::SoundControls(FeatureContext& context)
    : QObject(&context), m_context(context), m_effects(context.services().sound, context.services().folder) {
    setObjectName(ObjectNames::kSoundControls);
    auto* row = new QWidget;
    row->setObjectName(ObjectNames::kSoundRow);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(makeCaptionLabel(QStringLiteral("Sound"), ThemeRole::HeaderCaption));
    m_on = makeButton(ButtonKind::Header, ObjectNames::kLblSoundOn, QStringLiteral("Sound On"),
                      QStringLiteral("Enable Soundeffects"));
    m_off = makeButton(ButtonKind::Header, ObjectNames::kLblSoundOff, QStringLiteral("Sound Off"),
                       QStringLiteral("Mute Soundeffects"));
    connect(m_on, &QPushButton::clicked, this, &SoundControls::soundOn);
    connect(m_off, &QPushButton::clicked, this, &SoundControls::soundOff);
    layout->addWidget(m_on);
    layout->addWidget(m_off);
    layout->addSpacing(12);
    for (const SoundButton& b : kSoundButtons) {
        QPushButton* button = makeButton(ButtonKind::Header, QString(b.name), QString::fromLatin1(b.caption),
                                         QString::fromLatin1(b.tip));
        const SoundEffects::Effect effect = b.effect;
        connect(button, &QPushButton::clicked, this, [this, effect] { m_effects.play(effect); });
        layout->addWidget(button);
    }
    layout->addStretch(1);
    context.header().addControls(row);

    // The display asks for the sound only while sounds are on.
    connect(&context.session().display(), &TerminalDisplay::receiveSound, &m_effects,
            &SoundEffects::received);
    showSwitch();
}

void SoundControls::soundOn() {
    m_context.setSoundMuted(false);
    m_effects.switchedOn();
    m_context.setStatus(QStringLiteral("Sound On"));
    showSwitch();
}

void SoundControls::soundOff() {
    m_context.setSoundMuted(true);
    m_context.setStatus(QStringLiteral("Sound Off"));
    showSwitch();
}

void SoundControls::showSwitch() {
    const bool muted = m_context.state().soundMuted;
    Theme::setState(m_on, "current", !muted);
    Theme::setState(m_off, "current", muted);
}

} // namespace vornal
