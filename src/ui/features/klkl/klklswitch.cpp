#include "features/klkl/klklswitch.h"

#include "files/programfiles.h"

#include "featurecontext.h"
#include "theme/theme.h"

#include "terminalsession.h"

#include <QPushButton>

namespace vornal {

KlklSwitch::KlklSwitch(FeatureContext& context)
    : QObject(&context), m_context(context), m_switch(context.sendControl(SendControl::Klkl)) {
    // The state follows the button's checked state, however it changes: a click, the
    // keyboard, or an assistive client's Toggle (which emits toggled but not clicked).
    connect(m_switch, &QPushButton::toggled, this, &KlklSwitch::follow);
    connect(context.sendControl(SendControl::EditKlkl), &QPushButton::clicked, this, [this] {
        m_context.setStatus(QStringLiteral("Loading Rundsenden Message Editor"));
        m_context.openEditor(m_context.services().folder.file(QString::fromLatin1(ProgramFiles::kKlklAnswer)),
                             EditorMode::Message);
    });
    connect(&context.session().display(), &TerminalDisplay::klklHeard, this, &KlklSwitch::answer);
}

void KlklSwitch::follow(bool on) {
    m_context.setKlklAutoAnswer(on);
    m_switch->setProperty("colourValue", on ? 65280u : 16777215u);
    Theme::setState(m_switch, "autoAnswer", on);
}

// Runs from the event loop after the text that held "klkl" has been shown, so the
// port keeps reporting what arrives while the answer goes out.
void KlklSwitch::answer() {
    m_context.session().sender().SendKlkl();
    m_context.session().display().answerFinished();
}

} // namespace vornal
