#include "window/sendgroup.h"

#include "theme/theme.h"
#include "widgets/buttonkit.h"

#include "look/objectnames.h"
#include "textsender.h"

#include <QGridLayout>
#include <QPushButton>

namespace vornal {

namespace {

// The send commands as the Send group shows them.
struct SendButton {
    TextSender::SendCommand command;
    int row;
    int column;
    QLatin1StringView name;
    const char* caption;
    const char* tip;
};
const SendButton kSendButtons[] = {
    {TextSender::SendCommand::Message, 0, 0, ObjectNames::kLblSendMessage, "Send Message",
     "Send a pre-defined Message"},
    {TextSender::SendCommand::Headlines, 0, 1, ObjectNames::kLblSendHeadlines, "Send Headline",
     "Send one of the selected Headlines"},
    {TextSender::SendCommand::Header, 1, 0, ObjectNames::kLblSendHeader, "Send RS List",
     "Send the RS Receivers list"},
    {TextSender::SendCommand::TextFile, 1, 1, ObjectNames::kLblSendText1, "Send Text File",
     "Send a text file"},
};

QPushButton* addButton(QGridLayout* grid, int row, int column, const QString& name, const QString& caption,
                       const QString& tip) {
    QPushButton* button = makeButton(ButtonKind::Command, name, caption, tip);
    grid->addWidget(button, row, column);
    return button;
}

} // namespace

SendGroup::SendGroup(TextSender& sender, QWidget* parent) : QGroupBox(QStringLiteral("Send"), parent) {
    setObjectName(ObjectNames::kGroupSend);
    auto* grid = new QGridLayout(this);
    // Compact, like the rest of the side column, so that it fits a small screen.
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    for (const SendButton& b : kSendButtons) {
        QPushButton* button = addButton(grid, b.row, b.column, QString(b.name),
                                        QString::fromLatin1(b.caption), QString::fromLatin1(b.tip));
        m_portDependent.append(button);
        const TextSender::SendCommand command = b.command;
        connect(button, &QPushButton::clicked, &sender,
                [&sender, command] { sender.runSendCommand(command); });
    }
    m_lblPaste = addButton(grid, 2, 0, ObjectNames::kLblPaste, QStringLiteral("Paste"),
                           QStringLiteral("Copy and Paste text into a live connection."));
    m_lblPuncher = addButton(grid, 2, 1, ObjectNames::kLblPuncher, QStringLiteral("Puncher"),
                             QStringLiteral("Starts the human readable punch tape app."));
    m_portDependent << m_lblPaste << m_lblPuncher;
    m_lblKlKl = addButton(grid, 3, 0, ObjectNames::kLblKlKl, QStringLiteral("klkl"),
                          QStringLiteral("Toggle KLKL Automatic Answer"));
    // A dark face, so that the answer's state shows in the text colour (white off,
    // green on) and in the lamp at its left end (dark off, lit on).
    m_lblKlKl->setProperty("colourValue", 16777215u);
    Theme::setState(m_lblKlKl, "autoAnswer", false);
    // Checked while the automatic answer is on, which is what assistive technology says.
    m_lblKlKl->setCheckable(true);
    m_lblEditKLKL = addButton(grid, 3, 1, ObjectNames::kLblEditKLKL, QStringLiteral("Edit KLKL"),
                              QStringLiteral("Invokes the KLKL Editor"));
}

QPushButton* SendGroup::control(SendControl control) const {
    switch (control) {
    case SendControl::Paste:
        return m_lblPaste;
    case SendControl::Puncher:
        return m_lblPuncher;
    case SendControl::Klkl:
        return m_lblKlKl;
    case SendControl::EditKlkl:
        return m_lblEditKLKL;
    }
    return nullptr;
}

void SendGroup::setSendable(bool sendable) {
    for (QPushButton* b : std::as_const(m_portDependent))
        b->setEnabled(sendable);
}

} // namespace vornal
