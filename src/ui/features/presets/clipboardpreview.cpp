#include "features/presets/clipboardpreview.h"

#include "featurecontext.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "theme/themerole.h"
#include "widgets/buttonkit.h"
#include "widgets/overlayplacement.h"

#include "clipboardpaste.h"
#include "look/objectnames.h"
#include "textsender.h"
#include "transmission.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

// The panel's place over the main window, in twips.
const QRect kPlace(45, 60, 13365, 5145);

QPushButton* button(const QString& name, const QString& caption, const QString& tip) {
    return makeButton(ButtonKind::Command, name, caption, tip);
}

} // namespace

ClipboardPreview::ClipboardPreview(FeatureContext& context)
    : QObject(&context), m_context(context),
      m_paste(std::make_unique<ClipboardPaste>(context.session().transmission(), context.state(),
                                               context.session().counter(), context.services().dialogs,
                                               context.services().folder)) {
    m_panel = new QFrame(context.window());
    m_panel->setObjectName(ObjectNames::kTabPreview);
    setThemeRole(m_panel, ThemeRole::CallPanel);
    m_panel->setAccessibleName(QStringLiteral("Preview Paste / Send"));
    auto* column = new QVBoxLayout(m_panel);
    column->setContentsMargins(10, 8, 10, 8);
    auto* title = new QLabel(QStringLiteral("Preview Paste / Send"));
    setThemeRole(title, ThemeRole::PanelHeading);
    column->addWidget(title);
    auto* caption = new QLabel(QStringLiteral("Preview Past & Send with WordWrap and ITA2 translation"));
    caption->setObjectName(ObjectNames::kLabel7);
    column->addWidget(caption);
    m_text = new QPlainTextEdit;
    m_text->setObjectName(ObjectNames::kRichTextBox1);
    m_text->setAccessibleName(QStringLiteral("Clipboard preview"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(m_text, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    m_send = button(ObjectNames::kCmdSendPreview, QStringLiteral("Send Preview"),
                    QStringLiteral("Transmits the text shown here"));
    QPushButton* exit = button(ObjectNames::kCmdExitPreview, QStringLiteral("Exit Preview"),
                               QStringLiteral("Hides the preview"));
    row->addWidget(m_send);
    row->addWidget(exit);
    column->addLayout(row);
    m_placement = new OverlayPlacement(m_panel, kPlace);

    connect(context.sendControl(SendControl::Paste), &QPushButton::clicked, this, &ClipboardPreview::paste);
    connect(m_send, &QPushButton::clicked, this, &ClipboardPreview::sendPreview);
    connect(exit, &QPushButton::clicked, this, &ClipboardPreview::exitPreview);
    // Nothing is sent from the panel while another transmission runs.
    connect(&context.session().transmission(), &Transmission::runningChanged, m_send,
            [this](bool running) { m_send->setEnabled(!running); });

    connect(m_paste.get(), &ClipboardPaste::beep, this, [] { QApplication::beep(); });
    connect(m_paste.get(), &ClipboardPaste::status, &context, &FeatureContext::setStatus);
    connect(m_paste.get(), &ClipboardPaste::previewReady, this, &ClipboardPreview::showPreview);
    connect(m_paste.get(), &ClipboardPaste::previewCleared, m_text, &QPlainTextEdit::clear);
    connect(m_paste.get(), &ClipboardPaste::pastePreviewSet, &context, &FeatureContext::setPastePreview);
    // A text file that starts empties the preview too.
    connect(&context.session().sender(), &TextSender::previewCleared, m_text, &QPlainTextEdit::clear);
}

ClipboardPreview::~ClipboardPreview() = default;

void ClipboardPreview::paste() {
    m_paste->paste(QGuiApplication::clipboard()->text());
}

void ClipboardPreview::sendPreview() {
    m_panel->hide();
    m_paste->sendPreview();
}

void ClipboardPreview::exitPreview() {
    m_panel->hide();
    m_context.focusTerminal();
}

void ClipboardPreview::showPreview(const QString& text) {
    m_text->setPlainText(text);
    m_placement->open();
    m_text->setFocus();
}

} // namespace vornal
