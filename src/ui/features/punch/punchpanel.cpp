#include "features/punch/punchpanel.h"

#include "featurecontext.h"
#include "features/punch/punchpicture.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/panelkeys.h"

#include "look/objectnames.h"
#include "programstate.h"
#include "tapegeometry.h"
#include "transmission.h"
#include "userdialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vornal {

PunchPanel::PunchPanel(FeatureContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("Human Readable Punchtape"), parent), m_context(context),
      m_sender(context.session().transmission(), context.services().link, context.state(),
               context.services().dialogs) {
    setObjectName(ObjectNames::kFrmPunch);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(4);

    m_txtInput = new QLineEdit;
    m_txtInput->setObjectName(ObjectNames::kTxtInput);
    m_txtInput->setAccessibleName(QStringLiteral("Text to punch"));
    column->addWidget(m_txtInput);

    m_lblPreview = new QLabel(QString::fromLatin1(PunchSender::kIdleCaption));
    m_lblPreview->setObjectName(ObjectNames::kLblPreview);
    Theme::setState(m_lblPreview, "punching", false);
    column->addWidget(m_lblPreview);

    m_picPunch = new PunchPicture;
    m_tape = new QScrollArea;
    m_tape->setObjectName(ObjectNames::kTapeScroll);
    m_tape->setWidget(m_picPunch);
    m_tape->setWidgetResizable(false);
    m_tape->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tape->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tape->setFrameShape(QFrame::NoFrame);
    m_tape->setFixedHeight(TapeGeometry::kPictureHeight + m_tape->horizontalScrollBar()->sizeHint().height());
    column->addWidget(m_tape);

    auto* buttons = new QHBoxLayout;
    m_cmdEndPunch = makeButton(ButtonKind::Window, ObjectNames::kCmdEndPunch, QStringLiteral("Exit"),
                               QStringLiteral("Exits the Puncher Editor"));
    m_cmdPunch = makeButton(ButtonKind::Window, ObjectNames::kCmdPunch, QStringLiteral("Punch"),
                            QStringLiteral("Punches the text as human readable tape"));
    // The buttons keep their widths of the panel's drawing.
    m_cmdEndPunch->setMinimumWidth(Theme::twipsToPixels(1320, this));
    m_cmdPunch->setMinimumWidth(Theme::twipsToPixels(2520, this));
    buttons->addWidget(m_cmdEndPunch);
    buttons->addSpacing(40);
    buttons->addWidget(m_cmdPunch);
    buttons->addStretch(1);
    column->addLayout(buttons);

    connect(m_txtInput, &QLineEdit::textChanged, this, &PunchPanel::RefreshPunchPreview);
    connect(m_cmdPunch, &QPushButton::clicked, this, &PunchPanel::PunchText);
    connect(m_cmdEndPunch, &QPushButton::clicked, this, &PunchPanel::ClosePunchPanel);
    connect(&m_sender, &PunchSender::status, &context, &FeatureContext::setStatus);
    connect(&m_sender, &PunchSender::punchingChanged, this, &PunchPanel::showPunching);
    connect(&m_sender, &PunchSender::characterSent, this, &PunchPanel::showSent);
    // One transmission at a time: "Punch" waits for the running one to end.
    connect(&context.session().transmission(), &Transmission::runningChanged, m_cmdPunch,
            [this](bool running) {
                // The keyboard stays in the panel while it punches, not on the next button.
                if (running && m_cmdPunch->hasFocus())
                    m_txtInput->setFocus();
                m_cmdPunch->setEnabled(!running);
            });
    // Return in the text punches it; Escape leaves as "Exit" does.
    new PanelKeys(
        this, [this] { ClosePunchPanel(); },
        [this] {
            if (m_cmdPunch->isEnabled())
                PunchText();
        });
    hide();
    context.addTerminalPanel(this);
    QObject::connect(context.sendControl(SendControl::Puncher), &QPushButton::clicked, this,
                     &PunchPanel::OpenPunchPanel);

    const TerminalServices& services = context.services();
    auto* rsend =
        new RSendPunch(context.session().sender(), context.state(), services.dialogs, services.folder, this);
    QObject::connect(rsend, &RSendPunch::beep, rsend, [] { QApplication::beep(); });
    QObject::connect(rsend, &RSendPunch::status, &context, &FeatureContext::setStatus);
    QPushButton* button = context.addCallButton(ObjectNames::kLblRSendToPunch, QStringLiteral("RSend Punch"),
                                                QStringLiteral("Sends RSend Info to the puncher"));
    QObject::connect(button, &QPushButton::clicked, rsend, &RSendPunch::run);
    QObject::connect(&context.session().transmission(), &Transmission::runningChanged, button,
                     [button](bool running) { button->setEnabled(!running); });
}

void PunchPanel::OpenPunchPanel() {
    if (!m_context.state().connectionActive) {
        QApplication::beep();
        m_context.services().dialogs.message({QString::fromLatin1(RSendPunch::kNoConnection),
                                              QString(),
                                              DialogButtons::Ok,
                                              DialogIcon::None,
                                              {}});
        return;
    }
    show();
    m_txtInput->clear();
    m_txtInput->setFocus();
    m_picPunch->clear();
}

void PunchPanel::RefreshPunchPreview() {
    const QString text = m_txtInput->text();
    m_picPunch->clear();
    if (text.isEmpty())
        return;
    m_picPunch->DrawFeedHoles(text.size());
    m_picPunch->DrawGlyphs(text);
    // Keep the glyph at the caret in view on a tape wider than the panel.
    const qint64 caret = TapeGeometry::glyphAdvance(QStringView(text).left(m_txtInput->cursorPosition()));
    m_tape->ensureVisible(int(std::min<qint64>(caret, m_picPunch->width())), TapeGeometry::kPictureHeight / 2,
                          TapeGeometry::kFeedPerCharacter, 0);
}

void PunchPanel::PunchText() {
    m_sender.PunchText(m_txtInput->text());
}

void PunchPanel::ClosePunchPanel() {
    const bool keyboard = holdsKeyboard(this);
    hide();
    if (keyboard)
        m_context.focusTerminal();
}

void PunchPanel::showPunching(bool punching) {
    m_lblPreview->setText(
        QString::fromLatin1(punching ? PunchSender::kActiveCaption : PunchSender::kIdleCaption));
    Theme::setState(m_lblPreview, "punching", punching);
}

void PunchPanel::showSent(QChar c) {
    m_picPunch->clear();
    m_picPunch->DrawGlyphs(QString(c));
    m_tape->horizontalScrollBar()->setValue(0);
}

} // namespace vornal
