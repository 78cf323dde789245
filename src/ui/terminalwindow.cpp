#include "terminalwindow.h"

#include "cancelsendwindow.h"
#include "directoryupdateaction.h"
#include "indicator.h"
#include "linebar.h"
#include "phonebookpanels.h"
#include "propertiesdialog.h"
#include "terminaltextview.h"

#include "core/clock.h"
#include "core/configuration.h"
#include "core/numbertext.h"
#include "core/seriallink.h"
#include "core/settingsstore.h"
#include "core/soundplayer.h"
#include "core/textcodec.h"
#include "core/unload.h"
#include "core/userdialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vornal {

namespace {

const char* kStyle = R"(
#frmTerminal { background: #eef1f5; }
#header { background: #1f2a38; }
#header QLabel, #header QPushButton { color: #e8eef5; }
#lblVersion { font-weight: 600; font-size: 11pt; border: none; background: transparent; text-align: left; }
#lblVersion:hover { color: #ffffff; text-decoration: underline; }
#Label15 { color: #9fb0c3; }
QGroupBox { background: #ffffff; border: 1px solid #d5dbe3; border-radius: 6px; margin-top: 16px;
            padding: 10px 6px 6px 6px; font-weight: 600; color: #2b3a4b; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QPushButton { background: #f4f6f9; border: 1px solid #c9d1db; border-radius: 4px; padding: 4px 4px;
              color: #1f2a38; font-weight: normal; min-height: 20px; }
QPushButton:hover { background: #e4ebf3; border-color: #8fa6bf; }
QPushButton:pressed { background: #d3dfec; }
QPushButton:focus { border-color: #3b7dd8; }
QPushButton:disabled { color: #9aa3ad; background: #f7f8fa; border-color: #e1e5ea; }
#lblOpen1 { background: #2f6fbd; color: white; border-color: #2a64ab; font-weight: 600; }
#lblOpen1:hover { background: #3b7dd8; }
#lblExit { background: #b93b3b; color: white; border-color: #a33434; font-weight: 600; }
#lblExit:hover { background: #cc4747; }
#txtTerm { border: 1px solid #c9d1db; border-radius: 4px; }
#statusArea { background: #ffffff; border-top: 1px solid #d5dbe3; }
#lblAction { color: #1f2a38; padding: 2px 6px; }
#lblMaxChar { border-radius: 4px; padding: 1px 6px; font-weight: 600; min-width: 28px; }
.fieldLabel { color: #5b6b7c; font-weight: normal; }
.fieldValue { color: #1f2a38; font-weight: normal; }
)";

QLabel* makeLabel(const QString& name, const QString& caption, const QString& tip = {}) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    if (!tip.isEmpty())
        label->setToolTip(tip);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

TerminalWindow::TerminalWindow(TerminalServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)) {
    setObjectName(QStringLiteral("frmTerminal"));
    setStyleSheet(QString::fromLatin1(kStyle));
    m_port = std::make_unique<PortController>(m_services.link, m_services.clock, m_services.dialogs, m_state);
    m_display = std::make_unique<TerminalDisplay>(m_buffer, m_state);
    m_events = std::make_unique<PortEvents>(m_services.link, *m_display);
    m_counter = std::make_unique<LineCounter>(m_state);
    m_commands = std::make_unique<InterfaceCommands>(m_services.link, m_state, *m_display, m_buffer,
                                                     *m_counter, m_services.sound, m_services.folder);
    m_sender = std::make_unique<TextSender>(m_services.link, m_state, m_services.dialogs, m_services.folder);

    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(buildHeader());

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 4, 10, 8);
    body->setSpacing(10);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(buildPortGroup());
    left->addWidget(buildCommandGroup());
    left->addStretch(1);
    auto* leftHost = new QWidget;
    leftHost->setLayout(left);
    leftHost->setFixedWidth(252);
    body->addWidget(leftHost);

    body->addWidget(buildTerminalArea(), 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->setContentsMargins(0, 0, 4, 0);
    right->addWidget(buildSendGroup());
    auto* calls = new QGroupBox(QStringLiteral("Calls"));
    calls->setObjectName(QStringLiteral("groupCalls"));
    m_panelArea = new QVBoxLayout(calls);
    auto* broadcast = new QGridLayout;
    broadcast->addWidget(new QLabel(QStringLiteral("Rundsenden")), 0, 0, 1, 2);
    m_lblRSend1 =
        makeButton(QStringLiteral("lblRSend_1"), QStringLiteral("0"), QStringLiteral("Rundsenden 1"));
    m_lblRsend2 =
        makeButton(QStringLiteral("lblRsend_2"), QStringLiteral("0"), QStringLiteral("Rundsenden 2"));
    broadcast->addWidget(m_lblRSend1, 1, 0);
    broadcast->addWidget(m_lblRsend2, 1, 1);
    m_panelArea->addLayout(broadcast);
    m_callButtons = new QGridLayout;
    m_callButtons->setSpacing(4);
    m_panelArea->addLayout(m_callButtons);
    right->addWidget(calls);
    m_panels = new QVBoxLayout;
    m_panels->setSpacing(4);
    right->addLayout(m_panels);
    right->addStretch(1);
    right->addWidget(buildProgramGroup());
    auto* rightHost = new QWidget;
    rightHost->setLayout(right);
    auto* rightScroll = new QScrollArea;
    rightScroll->setObjectName(QStringLiteral("sidePanels"));
    rightScroll->setWidget(rightHost);
    rightScroll->setWidgetResizable(true);
    rightScroll->setFrameShape(QFrame::NoFrame);
    rightScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rightScroll->setFixedWidth(262);
    rightScroll->setStyleSheet(
        QStringLiteral("QScrollArea, #sidePanels > QWidget > QWidget { background: transparent; }"));
    body->addWidget(rightScroll);
    root->addLayout(body, 1);

    auto* status = new QWidget;
    status->setObjectName(QStringLiteral("statusArea"));
    auto* statusRow = new QHBoxLayout(status);
    statusRow->setContentsMargins(10, 4, 10, 4);
    m_lblAction = makeLabel(QStringLiteral("lblAction"), QStringLiteral("Program Parameters Loaded"),
                            QStringLiteral("Displays Last Program Action"));
    m_lblAction->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusRow->addWidget(m_lblAction, 1);
    statusRow->addWidget(new QLabel(QStringLiteral("RX")));
    m_imgRX = new Indicator(QStringLiteral("imgRX"), QStringLiteral("Receiving"));
    statusRow->addWidget(m_imgRX);
    statusRow->addWidget(new QLabel(QStringLiteral("TX")));
    m_imgTX = new Indicator(QStringLiteral("imgTX"), QStringLiteral("Sending"));
    statusRow->addWidget(m_imgTX);
    root->addWidget(status);

    setCentralWidget(central);
    resize(1180, 740);
    setMinimumSize(1000, 660);

    m_view = std::make_unique<TerminalTextView>(m_buffer, *m_txtTerm);
    m_txtTerm->installEventFilter(this);
    connect(m_events.get(), &PortEvents::status, this, &TerminalWindow::setStatus);
    connect(m_events.get(), &PortEvents::receiveIndicator, this,
            [this](bool on) { m_imgRX->setPicture(on ? 1 : 2); });
    connect(m_events.get(), &PortEvents::sendIndicator, this,
            [this](bool on) { m_imgTX->setPicture(on ? 1 : 2); });
    connect(m_display.get(), &TerminalDisplay::received, this, [this] { m_imgRX->setPicture(1); });
    connect(m_counter.get(), &LineCounter::counterChanged, this, &TerminalWindow::showCounter);
    connect(m_counter.get(), &LineCounter::barChanged, this, [this](int twips, quint32 colour) {
        m_line1->setLengthTwips(twips);
        m_line1->setColour(colour);
    });
    connect(m_counter.get(), &LineCounter::beep, this, [] { QApplication::beep(); });
    connectCommands();
    connectSender();

    connect(m_port.get(), &PortController::viewChanged, this, &TerminalWindow::applyPortView);
    connect(m_port.get(), &PortController::lineReset, m_counter.get(), &LineCounter::reset);
    connect(m_port.get(), &PortController::toggling, this, [this] {
        if (onHideHeadlinePanel)
            onHideHeadlinePanel();
    });
    connect(m_port.get(), &PortController::terminalTextSet, &m_buffer, &TerminalBuffer::setText);
    connect(m_port.get(), &PortController::focusTerminal, this, [this] {
        m_txtTerm->setFocus();
        m_txtTerm->moveCursor(QTextCursor::End);
    });
    applyPortView();
    installPhonebookPanels(*this);
    installDirectoryUpdate(*this);
}

TerminalWindow::~TerminalWindow() = default;

QWidget* TerminalWindow::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("header"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 6, 12, 6);
    m_lblVersion = makeButton(QStringLiteral("lblVersion"), QString(), QStringLiteral("Version"));
    m_lblVersion->setFlat(true);
    connect(m_lblVersion, &QPushButton::clicked, this, [this] {
        if (onShowVersion)
            onShowVersion();
    });
    row->addWidget(m_lblVersion);
    m_label15 = makeLabel(QStringLiteral("Label15"), QString());
    row->addWidget(m_label15);
    row->addStretch(1);
    // The clock and the date sit on the right of the header.
    auto* clock = new QWidget;
    clock->setObjectName(QStringLiteral("frameClock"));
    clock->setLayout(new QHBoxLayout);
    clock->layout()->setContentsMargins(0, 0, 0, 0);
    row->addWidget(clock);
    return header;
}

QWidget* TerminalWindow::buildPortGroup() {
    auto* group = new QGroupBox(QStringLiteral("Port"));
    group->setObjectName(QStringLiteral("groupPort"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    m_lblOpen1 = makeButton(QStringLiteral("lblOpen1"), QStringLiteral("Open Port "),
                            QStringLiteral("Opens pre defined comm port"));
    connect(m_lblOpen1, &QPushButton::clicked, m_port.get(), &PortController::toggle);
    m_lblProps = makeButton(QStringLiteral("lblProps"), QStringLiteral("Com Settings"),
                            QStringLiteral("Shows ComPort Settings Form"));
    connect(m_lblProps, &QPushButton::clicked, this, &TerminalWindow::showProperties);
    grid->addWidget(m_lblOpen1, 0, 0, 1, 2);
    grid->addWidget(m_lblProps, 0, 2, 1, 2);

    m_imgPort1 = new Indicator(QStringLiteral("imgPort1"), QStringLiteral("Port state"));
    m_lblCport1 = makeLabel(QStringLiteral("lblCport1"), QString(), QStringLiteral("Comm Port"));
    m_lblStatus1 = makeLabel(QStringLiteral("lblStatus1"), QString(), QStringLiteral("Port Settings"));
    m_lblElapsed =
        makeLabel(QStringLiteral("lblElapsed"), QString(), QStringLiteral("Elapsed time after connection"));
    for (QLabel* l : {m_lblCport1, m_lblStatus1, m_lblElapsed})
        l->setProperty("class", QStringLiteral("fieldValue"));
    grid->addWidget(m_imgPort1, 1, 0);
    grid->addWidget(m_lblCport1, 1, 1, 1, 3);
    auto* settingsCaption = new QLabel(QStringLiteral("Line"));
    settingsCaption->setProperty("class", QStringLiteral("fieldLabel"));
    grid->addWidget(settingsCaption, 2, 0);
    grid->addWidget(m_lblStatus1, 2, 1, 1, 3);
    auto* elapsedCaption = new QLabel(QStringLiteral("Time"));
    elapsedCaption->setProperty("class", QStringLiteral("fieldLabel"));
    grid->addWidget(elapsedCaption, 3, 0);
    grid->addWidget(m_lblElapsed, 3, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return group;
}

QPushButton* TerminalWindow::addButton(QGridLayout* grid, int row, int column, const QString& name,
                                       const QString& caption, const QString& tip) {
    QPushButton* button = makeButton(name, caption, tip);
    grid->addWidget(button, row, column);
    return button;
}

QWidget* TerminalWindow::buildCommandGroup() {
    auto* group = new QGroupBox(QStringLiteral("Interface"));
    group->setObjectName(QStringLiteral("groupInterface"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    struct Command {
        const char* name;
        const char* caption;
        const char* tip;
    };
    static const Command kCommands[] = {
        {"LblCall", "Call", "Initiate Call"},
        {"LblCloseConnection", "Close Call", "Closes Call"},
        {"lblWerda", "Werda", "Who Is"},
        {"lblIAm", "I Am", "I am"},
        {"lblGoAhead", "Go Ahead", "Go Ahead"},
        {"lblBell", "Bell", "Rings Bell"},
        {"lblZi", "Figures", "Change to Figures"},
        {"lblBu", "Letters", "Change to Characters"},
        {"lblCR", "CR only", "Send Cariage Return only"},
        {"lblLineFeed", "LF only", "Send Line Feed only"},
        {"LblMsg", "Messages", "Shows recorded messages"},
        {"lblNexMessage", "Next Msg", "Next recorded messages"},
        {"lblCancelMsg", "Cancel Msg", "Cancell recorded messages"},
        {"lblLoKal", "LoKal", "Sets Terminal in Local Mode"},
        {"lblStatus", "Status", "Check Hardware Status"},
        {"lblKonfig", "Configuration", "Opens the configuration dialog of the VI39 / Rovozaru."},
    };
    int i = 0;
    for (const Command& c : kCommands) {
        addButton(grid, i / 2, i % 2, QString::fromLatin1(c.name), QString::fromLatin1(c.caption),
                  QString::fromLatin1(c.tip));
        ++i;
    }
    auto* clear = makeButton(QStringLiteral("lblClear"), QStringLiteral("Clear Text"),
                             QStringLiteral("Clears text window"));
    grid->addWidget(clear, i / 2 + 1, 0, 1, 2);
    return group;
}

QWidget* TerminalWindow::buildTerminalArea() {
    auto* area = new QWidget;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(6);
    auto* lineRow = new QHBoxLayout;
    auto* lineCaption = new QLabel(QStringLiteral("Line"));
    lineCaption->setProperty("class", QStringLiteral("fieldLabel"));
    lineRow->addWidget(lineCaption);
    m_line1 = new LineBar;
    lineRow->addWidget(m_line1, 1);
    m_lblMaxChar =
        makeLabel(QStringLiteral("lblMaxChar"), QStringLiteral("69"), QStringLiteral("Character  Counter"));
    m_lblMaxChar->setAlignment(Qt::AlignCenter);
    lineRow->addWidget(m_lblMaxChar);
    column->addLayout(lineRow);

    m_txtTerm = new QPlainTextEdit;
    m_txtTerm->setObjectName(QStringLiteral("txtTerm"));
    m_txtTerm->setAccessibleName(QStringLiteral("Terminal"));
    m_txtTerm->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    column->addWidget(m_txtTerm, 1);
    return area;
}

QWidget* TerminalWindow::buildSendGroup() {
    auto* group = new QGroupBox(QStringLiteral("Send"));
    group->setObjectName(QStringLiteral("groupSend"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    m_portDependent = {
        addButton(grid, 0, 0, QStringLiteral("lblSendMessage"), QStringLiteral("Send Message"),
                  QStringLiteral("Send a pre-defined Message")),
        addButton(grid, 0, 1, QStringLiteral("lblSendHeadlines"), QStringLiteral("Send Headline"),
                  QStringLiteral("Send one of the selected Headlines")),
        addButton(grid, 1, 0, QStringLiteral("lblSendHeader"), QStringLiteral("Send RS List"),
                  QStringLiteral("Send the RS Receivers list")),
        addButton(grid, 1, 1, QStringLiteral("lblSendText1"), QStringLiteral("Send Text File"),
                  QStringLiteral("Send a text file")),
        addButton(grid, 2, 0, QStringLiteral("lblPaste"), QStringLiteral("Paste"),
                  QStringLiteral("Preview and send the clipboard")),
        addButton(grid, 2, 1, QStringLiteral("lblPuncher"), QStringLiteral("Puncher"),
                  QStringLiteral("Punch human readable tape")),
    };
    m_lblKlKl = addButton(grid, 3, 0, QStringLiteral("lblKlKl"), QStringLiteral("klkl"),
                          QStringLiteral("Toggle KLKL Automatic Answer"));
    // A dark face, so that the answer's state shows in the text colour: white off,
    // green on.
    m_lblKlKl->setStyleSheet(
        QStringLiteral("QPushButton { background: #1f2a38; color: #ffffff; font-weight: 600; }"));
    m_lblKlKl->setProperty("colourValue", 16777215u);
    connect(m_lblKlKl, &QPushButton::clicked, this, &TerminalWindow::toggleKlkl);
    QPushButton* edit = addButton(grid, 3, 1, QStringLiteral("lblEditKLKL"), QStringLiteral("Edit KLKL"),
                                  QStringLiteral("Invokes the KLKL Editor"));
    connect(edit, &QPushButton::clicked, this, &TerminalWindow::editKlkl);
    return group;
}

QWidget* TerminalWindow::buildProgramGroup() {
    auto* group = new QGroupBox(QStringLiteral("Program"));
    group->setObjectName(QStringLiteral("groupProgram"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    QPushButton* edit = addButton(grid, 0, 0, QStringLiteral("lblEditConfig"), QStringLiteral("Edit Config"),
                                  QStringLiteral("Invokes The Configuration Editor"));
    connect(edit, &QPushButton::clicked, this, &TerminalWindow::editConfiguration);
    m_programButtons = grid;
    QPushButton* exit = addButton(grid, 0, 1, QStringLiteral("lblExit"), QStringLiteral("EXIT"),
                                  QStringLiteral("EXIT Program"));
    connect(exit, &QPushButton::clicked, this, &TerminalWindow::exitProgram);
    return group;
}

void TerminalWindow::load(const QString& commandLine) {
    // Sounds stay off until the operator switches them on; no call is up.
    m_state.SoundMuted = 1;
    m_state.ConnectionActive = 0;

    const QString configPath = m_services.folder.file(QStringLiteral("\\VornalUsb.cfg"));
    m_state.config = ConfigurationReader::load(configPath);
    m_state.StartDate = Startup::startDateText(m_services.clock.now().date());
    m_lblRSend1->setText(shortestNumberText(m_state.config.BroadcastNumber1));
    m_lblRsend2->setText(shortestNumberText(m_state.config.BroadcastNumber2));
    m_state.PastePreview = 1;
    m_imgPort1->setPicture(PortView::Idle);

    QPalette palette = m_txtTerm->palette();
    palette.setColor(QPalette::Base, fromColourValue(16777215));
    m_txtTerm->setPalette(palette);
    m_buffer.setText(QStringLiteral(" open port before using the interface "));

    m_lblVersion->setText(operatorName() + QString::fromLatin1(kVersionTail));
    m_label15->setText(QString::fromLatin1(kReleaseLine));
    if (const QScreen* screen = this->screen()) {
        const QRect s = screen->availableGeometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
    setWindowTitle(Startup::windowTitle(m_state.config.TitleSuffix));

    const Startup::FontSetting font = Startup::storedFont(m_services.settings);
    if (font.apply) {
        QFont f(font.name);
        f.setPointSizeF(font.pointSize);
        m_txtTerm->setFont(f);
    }

    if (!m_state.config.warnings.isEmpty())
        m_services.dialogs.warning(m_state.config.warnings.join(QStringLiteral("\n\n")),
                                   QStringLiteral("Configuration"));

    // A refused stored setting is reported, and the rest of the start-up still runs.
    Startup::applyStoredPortSettings(m_services.link, m_services.settings, m_services.dialogs, &m_state.Echo);

    m_counter->reset();
    if (onLoadPresets)
        onLoadPresets();
    m_look = Startup::parseSwitches(commandLine);
    if (onApplyLook)
        onApplyLook(m_look);
    m_events->startStatusTimer();
}

QString TerminalWindow::operatorName() const {
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QStringLiteral("Operator") : user.toUpper();
}

void TerminalWindow::setStatus(const QString& text) {
    m_lblAction->setText(text);
}

QString TerminalWindow::status() const {
    return m_lblAction->text();
}

void TerminalWindow::addPanel(QWidget* panel) {
    m_panels->addWidget(panel);
}

namespace {

QPushButton* appendToGrid(QGridLayout* grid, QPushButton* button) {
    int count = 0;
    for (int i = 0; i < grid->count(); ++i)
        count += grid->itemAt(i)->widget() != nullptr;
    grid->addWidget(button, count / 2, count % 2);
    return button;
}

} // namespace

QPushButton* TerminalWindow::addCallButton(const QString& name, const QString& caption, const QString& tip) {
    return appendToGrid(m_callButtons, makeButton(name, caption, tip));
}

QPushButton* TerminalWindow::addProgramButton(const QString& name, const QString& caption,
                                              const QString& tip) {
    return appendToGrid(m_programButtons, makeButton(name, caption, tip));
}

void TerminalWindow::applyPortView() {
    const PortView& v = m_port->view();
    m_lblOpen1->setText(v.openCaption);
    m_lblCport1->setText(v.portCaption);
    m_lblStatus1->setText(v.statusCaption);
    m_lblElapsed->setText(v.elapsed);
    m_imgPort1->setPicture(v.picture);
    // While the port is open only the box's echo reaches the text.
    m_txtTerm->setReadOnly(v.open);
    m_lblProps->setEnabled(v.propertiesEnabled);
    for (QPushButton* b : m_portDependent)
        b->setEnabled(v.sendCommandsEnabled);
}

void TerminalWindow::showCounter(const QString& caption, quint32 colour) {
    m_lblMaxChar->setStyleSheet(QStringLiteral("background: %1;").arg(fromColourValue(colour).name()));
    m_lblMaxChar->setText(caption);
    m_lblMaxChar->setProperty("colourValue", colour);
}

void TerminalWindow::connectCommands() {
    for (const InterfaceCommands::CommandInfo& info : InterfaceCommands::commands()) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(info.control));
        const InterfaceCommands::Command command = info.command;
        connect(button, &QPushButton::clicked, m_commands.get(),
                [this, command] { m_commands->run(command); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("LblCall")), &QPushButton::clicked, m_commands.get(),
            &InterfaceCommands::Call);
    connect(findChild<QPushButton*>(QStringLiteral("lblClear")), &QPushButton::clicked, m_commands.get(),
            &InterfaceCommands::clearText);
    connect(m_commands.get(), &InterfaceCommands::status, this, &TerminalWindow::setStatus);
    connect(m_commands.get(), &InterfaceCommands::hideHeadlinePanel, this, [this] {
        if (onHideHeadlinePanel)
            onHideHeadlinePanel();
    });
    connect(m_commands.get(), &InterfaceCommands::broadcastButtonsEnabled, this, [this] {
        m_lblRSend1->setEnabled(true);
        m_lblRsend2->setEnabled(true);
    });
}

void TerminalWindow::connectSender() {
    m_cancelWindow = new CancelSendWindow(this);
    m_cancelWindow->transmitting = [this] { return m_state.CancelSend == 0; };
    connect(m_cancelWindow, &CancelSendWindow::cancelRequested, this, [this] { m_state.CancelSend = 1; });
    TextSender* sender = m_sender.get();
    for (const TextSender::SendCommandInfo& info : TextSender::sendCommands()) {
        const TextSender::SendCommand command = info.command;
        connect(findChild<QPushButton*>(QString::fromLatin1(info.control)), &QPushButton::clicked, sender,
                [sender, command] { sender->runSendCommand(command); });
    }
    connect(sender, &TextSender::status, this, &TerminalWindow::setStatus);
    connect(sender, &TextSender::beep, this, [] { QApplication::beep(); });
    connect(sender, &TextSender::sendCommandsEnabled, this, [this](bool on) {
        for (const TextSender::SendCommandInfo& info : TextSender::sendCommands())
            findChild<QPushButton*>(QString::fromLatin1(info.control))->setEnabled(on);
    });
    connect(sender, &TextSender::sendTextFileEnabled, this,
            [this] { findChild<QPushButton*>(QStringLiteral("lblSendText1"))->setEnabled(true); });
    connect(sender, &TextSender::transmissionShown, m_cancelWindow, &CancelSendWindow::showTransmission);
    connect(sender, &TextSender::transmissionHidden, m_cancelWindow, &QWidget::hide);
    // The counter changes with every character sent; painting it 20 times a second
    // is as readable and keeps the pause between characters undisturbed.
    m_counterTimer.setSingleShot(true);
    connect(&m_counterTimer, &QTimer::timeout, this, [this] { m_lblMaxChar->setText(m_pendingCounter); });
    connect(sender, &TextSender::counterCaption, this, [this](const QString& caption) {
        m_pendingCounter = caption;
        if (!m_counterTimer.isActive())
            m_counterTimer.start(50);
    });
    connect(sender, &TextSender::transmissionHidden, this, [this] {
        if (m_counterTimer.isActive()) {
            m_counterTimer.stop();
            m_lblMaxChar->setText(m_pendingCounter);
        }
    });
    connect(sender, &TextSender::sendIndicatorIdle, this, [this] { m_imgTX->setPicture(2); });
    m_display->onKlkl = [sender] { sender->SendKlkl(); };
}

void TerminalWindow::toggleKlkl() {
    const bool on = m_state.KlklAutoAnswer != 1;
    m_state.KlklAutoAnswer = on ? 1 : 0;
    const quint32 colour = on ? 65280u : 16777215u;
    m_lblKlKl->setProperty("colourValue", colour);
    m_lblKlKl->setStyleSheet(
        QStringLiteral("QPushButton { background: #1f2a38; color: %1; font-weight: 600; }")
            .arg(fromColourValue(colour).name()));
}

void TerminalWindow::editKlkl() {
    setStatus(QStringLiteral("Loading Rundsenden Message Editor"));
    m_state.CurrentFilePath = m_services.folder.file(QStringLiteral("\\klkl.txt"));
    m_state.FileMode = 0;
    if (onOpenEditor)
        onOpenEditor();
}

bool TerminalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_txtTerm || event->type() != QEvent::KeyPress || !m_services.link.isOpen())
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Copying and selecting stay the text box's own; everything typed goes to the box.
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
        return false;
    int k = -1;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        k = 13;
        break;
    case Qt::Key_Backspace:
        k = 8;
        break;
    case Qt::Key_Tab:
        k = 9;
        break;
    case Qt::Key_Escape:
        k = 27;
        break;
    default:
        if (!key->text().isEmpty())
            k = static_cast<unsigned char>(TextCodec::encodeChar(key->text().at(0)));
        break;
    }
    if (k < 0)
        return false;
    return m_commands->keyPressed(k);
}

void TerminalWindow::showProperties() {
    if (m_services.link.isOpen())
        return;
    PropertiesDialog dialog(*m_port, m_services.settings, m_services.dialogs, this);
    dialog.exec();
}

void TerminalWindow::editConfiguration() {
    QApplication::beep();
    m_services.dialogs.message({QStringLiteral("After editing you must restart the program to load changes "),
                                QString(),
                                DialogButtons::Ok,
                                DialogIcon::None,
                                {}});
    setStatus(QStringLiteral("Loading Configuration Editor"));
    m_state.CurrentFilePath = m_services.folder.file(QStringLiteral("\\VornalUsb.cfg"));
    m_state.FileMode = 1;
    if (onOpenEditor)
        onOpenEditor();
}

void TerminalWindow::exitProgram() {
    m_services.settings.setValue(QStringLiteral("HeadlineSelect"), QStringLiteral("Option"),
                                 QString::number(m_state.HeadlineSelect));
    if (unload())
        QApplication::quit();
}

bool TerminalWindow::unload() {
    if (m_unloading)
        return false;
    m_unloading = true;
    const bool done = drainAndClose(m_services.link, m_services.clock, m_services.dialogs, [] {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    });
    m_unloading = false;
    return done;
}

void TerminalWindow::closeEvent(QCloseEvent* event) {
    if (unload())
        event->accept();
    else
        event->ignore();
}

} // namespace vornal
