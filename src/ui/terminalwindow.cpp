#include "terminalwindow.h"

#include "accessibility.h"
#include "cancelsendwindow.h"
#include "commandbutton.h"
#include "featurecontext.h"
#include "indicator.h"
#include "linebar.h"
#include "propertiesdialog.h"
#include "taborder.h"
#include "terminaltextview.h"
#include "windowrunner.h"

#include "core/clock.h"
#include "core/configuration.h"
#include "core/numbertext.h"
#include "core/seriallink.h"
#include "core/settingsstore.h"
#include "core/soundplayer.h"
#include "core/textcodec.h"
#include "core/unload.h"
#include "core/userdialogs.h"
#include "core/windowplacement.h"
#include "transmit/delay.h"

#include <QApplication>
#include <QCloseEvent>
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
#include <QShowEvent>
#include <QVBoxLayout>

namespace vornal {

namespace {

QLabel* makeLabel(const QString& name, const QString& caption, const QString& tip = {}) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    if (!tip.isEmpty())
        label->setToolTip(tip);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip) {
    return makeCommandButton(name, caption, tip);
}

QPushButton* addButton(QGridLayout* grid, int row, int column, const QString& name, const QString& caption,
                       const QString& tip) {
    QPushButton* button = makeButton(name, caption, tip);
    grid->addWidget(button, row, column);
    return button;
}

QPushButton* appendToGrid(QGridLayout* grid, QPushButton* button) {
    int count = 0;
    for (int i = 0; i < grid->count(); ++i)
        count += grid->itemAt(i)->widget() != nullptr;
    grid->addWidget(button, count / 2, count % 2);
    return button;
}

// The box's commands as the Interface group shows them, in order.
struct CommandButton {
    InterfaceCommands::Command command;
    const char* name;
    const char* caption;
    const char* tip;
};
const CommandButton kCommandButtons[] = {
    {InterfaceCommands::Command::CloseConnection, "LblCloseConnection", "Close Call", "Closes Call"},
    {InterfaceCommands::Command::Werda, "lblWerda", "Werda", "Who Is"},
    {InterfaceCommands::Command::IAm, "lblIAm", "I Am", "I am"},
    {InterfaceCommands::Command::GoAhead, "lblGoAhead", "Go Ahead", "Go Ahead"},
    {InterfaceCommands::Command::Bell, "lblBell", "Bell", "Rings Bell"},
    {InterfaceCommands::Command::Zi, "lblZi", "Figures", "Change to Figures"},
    {InterfaceCommands::Command::Bu, "lblBu", "Letters", "Change to Characters"},
    {InterfaceCommands::Command::CR, "lblCR", "CR only", "Send Cariage Return only"},
    {InterfaceCommands::Command::LineFeed, "lblLineFeed", "LF only", "Send Line Feed only"},
    {InterfaceCommands::Command::Msg, "LblMsg", "Messages", "Shows recorded messages"},
    {InterfaceCommands::Command::NextMessage, "lblNexMessage", "Next Msg", "Next recorded messages"},
    {InterfaceCommands::Command::CancelMsg, "lblCancelMsg", "Cancel Msg", "Cancell recorded messages"},
    {InterfaceCommands::Command::LoKal, "lblLoKal", "LoKal", "Sets Terminal in Local Mode"},
    {InterfaceCommands::Command::Status, "lblStatus", "Status", "Check Hardware Status"},
    {InterfaceCommands::Command::Konfig, "lblKonfig", "Configuration",
     "Opens the configuration dialog of the VI39 / Rovozaru."},
};

// The send commands as the Send group shows them.
struct SendButton {
    TextSender::SendCommand command;
    int row;
    int column;
    const char* name;
    const char* caption;
    const char* tip;
};
const SendButton kSendButtons[] = {
    {TextSender::SendCommand::Message, 0, 0, "lblSendMessage", "Send Message", "Send a pre-defined Message"},
    {TextSender::SendCommand::Headlines, 0, 1, "lblSendHeadlines", "Send Headline",
     "Send one of the selected Headlines"},
    {TextSender::SendCommand::Header, 1, 0, "lblSendHeader", "Send RS List", "Send the RS Receivers list"},
    {TextSender::SendCommand::TextFile, 1, 1, "lblSendText1", "Send Text File", "Send a text file"},
};

} // namespace

TerminalWindow::TerminalWindow(TerminalServices services, QWidget* parent)
    : QMainWindow(parent), m_trafficLink(services.link), m_services(services.onLink(m_trafficLink)) {
    setObjectName(QStringLiteral("frmTerminal"));
    installAccessibility();
    m_port = std::make_unique<PortController>(m_services.link, m_services.clock, m_services.dialogs);
    m_display = std::make_unique<TerminalDisplay>(m_buffer, m_state);
    m_events = std::make_unique<PortEvents>(m_services.link, *m_display);
    m_counter = std::make_unique<LineCounter>();
    m_commands = std::make_unique<InterfaceCommands>(m_services.link, m_state, *m_display, m_buffer,
                                                     *m_counter, m_services.sound, m_services.folder);
    m_transmission = std::make_unique<Transmission>(m_services.link);
    m_sender = std::make_unique<TextSender>(*m_transmission, m_state, *m_counter, m_services.dialogs,
                                            m_services.folder);
    m_broadcast = std::make_unique<BroadcastSequence>(m_state, *m_transmission, m_services.link,
                                                      m_services.dialogs, *m_commands, m_services.folder);
    m_features = std::make_unique<FeatureContext>(*this);

    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    m_header = buildHeader();
    root->addWidget(m_header);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 4, 10, 8);
    body->setSpacing(10);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    m_portGroup = buildPortGroup();
    m_commandGroup = buildCommandGroup();
    left->addWidget(m_portGroup);
    left->addWidget(m_commandGroup);
    left->addStretch(1);
    auto* leftHost = new QWidget;
    leftHost->setLayout(left);
    leftHost->setFixedWidth(252);
    body->addWidget(leftHost);

    m_terminalArea = buildTerminalArea();
    body->addWidget(m_terminalArea, 1);
    body->addWidget(buildSidePanels());
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
    m_imgRX = new Indicator(QStringLiteral("imgRX"), QStringLiteral("Receiving"), m_theme);
    statusRow->addWidget(m_imgRX);
    statusRow->addWidget(new QLabel(QStringLiteral("TX")));
    m_imgTX = new Indicator(QStringLiteral("imgTX"), QStringLiteral("Sending"), m_theme);
    statusRow->addWidget(m_imgTX);
    root->addWidget(status);

    setCentralWidget(central);
    resize(1180, 740);
    // Small enough for a 1024x700 screen with a panel and the window's frame; the
    // side column scrolls when it needs more height.
    setMinimumSize(960, 600);
    m_theme.apply(this);

    m_view = std::make_unique<TerminalTextView>(m_buffer, *m_txtTerm);
    m_txtTerm->installEventFilter(this);
    connectReceiving();
    connectSender();

    connect(m_port.get(), &PortController::viewChanged, this, &TerminalWindow::applyPortView);
    connect(m_port.get(), &PortController::lineReset, m_counter.get(), &LineCounter::reset);
    connect(m_port.get(), &PortController::toggling, m_commands.get(), &InterfaceCommands::portToggled);
    connect(m_port.get(), &PortController::toggling, m_features.get(),
            &FeatureContext::headlinePanelHideRequested);
    connect(m_port.get(), &PortController::terminalTextSet, m_display.get(), &TerminalDisplay::replaceText);
    connect(m_port.get(), &PortController::focusTerminal, this, &TerminalWindow::focusTerminal);
    applyPortView();
}

TerminalWindow::~TerminalWindow() = default;

QWidget* TerminalWindow::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("header"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(16);
    // On the left the title over the features' controls, on the right the clock.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* title = new QHBoxLayout;
    m_lblVersion =
        makeButton(QStringLiteral("lblVersion"), QString(), QStringLiteral("Shows Software Version"));
    m_lblVersion->setFlat(true);
    connect(m_lblVersion, &QPushButton::clicked, m_features.get(), &FeatureContext::versionRequested);
    title->addWidget(m_lblVersion);
    m_label15 = makeLabel(QStringLiteral("Label15"), QString());
    title->addWidget(m_label15);
    title->addStretch(1);
    left->addLayout(title);
    left->addStretch(1);
    m_headerControls = new QVBoxLayout;
    m_headerControls->setSpacing(4);
    left->addLayout(m_headerControls);
    row->addLayout(left, 1);
    m_frameClock = new QWidget;
    m_frameClock->setObjectName(QStringLiteral("frameClock"));
    auto* clock = new QHBoxLayout(m_frameClock);
    clock->setContentsMargins(0, 0, 0, 0);
    clock->setSpacing(12);
    row->addWidget(m_frameClock);
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

    m_imgPort1 = new Indicator(QStringLiteral("imgPort1"), QStringLiteral("Port state"), m_theme);
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

QWidget* TerminalWindow::buildCommandGroup() {
    auto* group = new QGroupBox(QStringLiteral("Interface"));
    group->setObjectName(QStringLiteral("groupInterface"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    m_lblCall = addButton(grid, 0, 0, QStringLiteral("LblCall"), QStringLiteral("Call"),
                          QStringLiteral("Initiate Call"));
    connect(m_lblCall, &QPushButton::clicked, m_commands.get(), &InterfaceCommands::Call);
    int i = 1;
    for (const CommandButton& c : kCommandButtons) {
        QPushButton* button = addButton(grid, i / 2, i % 2, QString::fromLatin1(c.name),
                                        QString::fromLatin1(c.caption), QString::fromLatin1(c.tip));
        m_commandButtons.insert(c.command, button);
        const InterfaceCommands::Command command = c.command;
        connect(button, &QPushButton::clicked, m_commands.get(),
                [this, command] { m_commands->run(command); });
        ++i;
    }
    m_lblClear = makeButton(QStringLiteral("lblClear"), QStringLiteral("Clear Text"),
                            QStringLiteral("Clears text window"));
    connect(m_lblClear, &QPushButton::clicked, m_commands.get(), &InterfaceCommands::clearText);
    grid->addWidget(m_lblClear, i / 2 + 1, 0, 1, 2);
    return group;
}

QWidget* TerminalWindow::buildTerminalArea() {
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("terminalArea"));
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
    m_txtTerm->setTabChangesFocus(true);
    // The text with what a skin puts beside it.
    m_terminalRow = new QHBoxLayout;
    m_terminalRow->setSpacing(0);
    m_terminalRow->addWidget(m_txtTerm, 1);
    // The side panels open beside the text: the text makes room for them, and no
    // button moves.
    auto* textAndPanels = new QHBoxLayout;
    textAndPanels->setSpacing(6);
    textAndPanels->addLayout(m_terminalRow, 1);
    textAndPanels->addWidget(buildPanelPlace());
    column->addLayout(textAndPanels, 1);
    // The panels that features show under the text.
    m_terminalPanels = new QVBoxLayout;
    m_terminalPanels->setSpacing(4);
    column->addLayout(m_terminalPanels);
    return area;
}

QWidget* TerminalWindow::buildSendGroup() {
    auto* group = new QGroupBox(QStringLiteral("Send"));
    group->setObjectName(QStringLiteral("groupSend"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    for (const SendButton& b : kSendButtons) {
        QPushButton* button = addButton(grid, b.row, b.column, QString::fromLatin1(b.name),
                                        QString::fromLatin1(b.caption), QString::fromLatin1(b.tip));
        m_sendButtons.insert(b.command, button);
        m_portDependent.append(button);
        const TextSender::SendCommand command = b.command;
        connect(button, &QPushButton::clicked, m_sender.get(),
                [this, command] { m_sender->runSendCommand(command); });
    }
    m_lblPaste = addButton(grid, 2, 0, QStringLiteral("lblPaste"), QStringLiteral("Paste"),
                           QStringLiteral("Copy and Paste text into a live connection."));
    m_lblPuncher = addButton(grid, 2, 1, QStringLiteral("lblPuncher"), QStringLiteral("Puncher"),
                             QStringLiteral("Starts the human readable punch tape app."));
    m_portDependent << m_lblPaste << m_lblPuncher;
    m_lblKlKl = addButton(grid, 3, 0, QStringLiteral("lblKlKl"), QStringLiteral("klkl"),
                          QStringLiteral("Toggle KLKL Automatic Answer"));
    // A dark face, so that the answer's state shows in the text colour: white off,
    // green on.
    m_lblKlKl->setProperty("colourValue", 16777215u);
    Theme::setState(m_lblKlKl, "autoAnswer", false);
    // Checked while the automatic answer is on, which is what assistive technology says.
    m_lblKlKl->setCheckable(true);
    connect(m_lblKlKl, &QPushButton::clicked, this, &TerminalWindow::toggleKlkl);
    QPushButton* edit = addButton(grid, 3, 1, QStringLiteral("lblEditKLKL"), QStringLiteral("Edit KLKL"),
                                  QStringLiteral("Invokes the KLKL Editor"));
    connect(edit, &QPushButton::clicked, this, &TerminalWindow::editKlkl);
    return group;
}

QWidget* TerminalWindow::buildSidePanels() {
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->setContentsMargins(0, 0, 4, 0);
    m_sendGroup = buildSendGroup();
    right->addWidget(m_sendGroup);
    auto* calls = new QGroupBox(QStringLiteral("Calls"));
    m_callsGroup = calls;
    calls->setObjectName(QStringLiteral("groupCalls"));
    m_panelArea = new QVBoxLayout(calls);
    auto* broadcast = new QGridLayout;
    broadcast->addWidget(new QLabel(QStringLiteral("Rundsenden")), 0, 0, 1, 2);
    m_lblRSend1 = makeButton(QStringLiteral("lblRSend_1"), QStringLiteral("0"),
                             QStringLiteral("11151 Rundsenden Server Call automatic dialing"));
    m_lblRsend2 = makeButton(QStringLiteral("lblRsend_2"), QStringLiteral("0"),
                             QStringLiteral("11162 Rundsenden Server Call automatic dialing"));
    broadcast->addWidget(m_lblRSend1, 1, 0);
    broadcast->addWidget(m_lblRsend2, 1, 1);
    m_panelArea->addLayout(broadcast);
    m_callButtons = new QGridLayout;
    m_callButtons->setSpacing(4);
    m_panelArea->addLayout(m_callButtons);
    right->addWidget(calls);
    right->addStretch(1);
    auto* rightHost = new QWidget;
    rightHost->setLayout(right);
    m_sidePanels = new QScrollArea;
    m_sidePanels->setObjectName(QStringLiteral("sidePanels"));
    m_sidePanels->setWidget(rightHost);
    m_sidePanels->setWidgetResizable(true);
    m_sidePanels->setFrameShape(QFrame::NoFrame);
    m_sidePanels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click on the column (on a button in it) leaves the keyboard where it was.
    m_sidePanels->setFocusPolicy(Qt::NoFocus);
    // The Program group (EXIT among it) stays in view under the column, which scrolls
    // when the call lists need more room than a small screen has.
    auto* side = new QWidget;
    auto* sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    sideColumn->setSpacing(4);
    sideColumn->addWidget(m_sidePanels, 1);
    m_programGroup = buildProgramGroup();
    m_programGroup->setContentsMargins(0, 0, 4, 0);
    sideColumn->addWidget(m_programGroup);
    side->setFixedWidth(262);
    return side;
}

QWidget* TerminalWindow::buildPanelPlace() {
    auto* host = new QWidget;
    m_panels = new QVBoxLayout(host);
    m_panels->setContentsMargins(0, 0, 4, 0);
    m_panels->setSpacing(4);
    m_panels->addStretch(1);
    m_panelPlace = new QScrollArea;
    m_panelPlace->setObjectName(QStringLiteral("panelPlace"));
    m_panelPlace->setWidget(host);
    m_panelPlace->setWidgetResizable(true);
    m_panelPlace->setFrameShape(QFrame::NoFrame);
    m_panelPlace->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panelPlace->setFocusPolicy(Qt::NoFocus);
    m_panelPlace->setFixedWidth(240);
    m_panelPlace->hide();
    return m_panelPlace;
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
    m_state.soundMuted = true;
    m_state.connectionActive = false;

    const QString configPath = m_services.folder.file(QStringLiteral("\\VornalUsb.cfg"));
    m_state.config = ConfigurationReader::load(configPath);
    m_state.StartDate = Startup::startDateText(m_services.clock.now().date());
    m_lblRSend1->setText(shortestNumberText(m_state.config.BroadcastNumber1));
    m_lblRsend2->setText(shortestNumberText(m_state.config.BroadcastNumber2));
    m_state.pastePreview = true;
    m_imgPort1->setPicture(PortView::Idle);

    // The text box is white (the theme's first terminal background).
    m_buffer.setText(QStringLiteral(" open port before using the interface "));

    m_lblVersion->setText(operatorName() + QString::fromLatin1(kVersionTail));
    m_label15->setText(QString::fromLatin1(kReleaseLine));
    placeOnScreen();
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
    emit m_features->presetsLoadRequested();
    m_look = Startup::parseSwitches(commandLine);
    emit m_features->lookRequested(m_look);
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
    // Above the stretch that keeps the panels at the top of their place.
    m_panels->insertWidget(m_panels->count() - 1, panel);
    markAsGroup(panel);
    panel->installEventFilter(this);
    updatePanelPlace();
    scheduleTabOrder();
}

void TerminalWindow::addTerminalPanel(QWidget* panel) {
    // Right under the text: a panel shown later takes its room from the text and
    // leaves the panels under it (the phrases) where they are.
    m_terminalPanels->insertWidget(0, panel);
    markAsGroup(panel);
    scheduleTabOrder();
}

void TerminalWindow::revealPanel(QWidget* panel) {
    // Once the place has laid the panel out, scroll its top into view.
    QTimer::singleShot(0, panel, [this, panel] {
        if (panel->isVisible())
            m_panelPlace->verticalScrollBar()->setValue(panel->y());
    });
}

void TerminalWindow::updatePanelPlace() {
    bool shown = false;
    for (int i = 0; i < m_panels->count(); ++i) {
        const QWidget* panel = m_panels->itemAt(i)->widget();
        shown = shown || (panel && panel->isVisibleTo(m_panelPlace->widget()));
    }
    m_panelPlace->setVisible(shown);
}

QPushButton* TerminalWindow::addCallButton(const QString& name, const QString& caption, const QString& tip) {
    scheduleTabOrder();
    return appendToGrid(m_callButtons, makeButton(name, caption, tip));
}

QPushButton* TerminalWindow::addProgramButton(const QString& name, const QString& caption,
                                              const QString& tip) {
    scheduleTabOrder();
    return appendToGrid(m_programButtons, makeButton(name, caption, tip));
}

void TerminalWindow::scheduleTabOrder() {
    if (m_tabOrderPending)
        return;
    m_tabOrderPending = true;
    QTimer::singleShot(0, this, &TerminalWindow::updateTabOrder);
}

void TerminalWindow::updateTabOrder() {
    m_tabOrderPending = false;
    // Reading order; the panel place last, then what lies over the window.
    TabOrder::apply(TabOrder::readingOrder({m_header, m_portGroup, m_commandGroup, m_terminalArea,
                                            m_sendGroup, m_callsGroup, m_programGroup, m_panelPlace, this}));
}

void TerminalWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    updateTabOrder();
    if (!m_keptOnScreen && !event->spontaneous()) {
        m_keptOnScreen = true;
        keepOnScreen();
    }
}

QPushButton* TerminalWindow::sendControl(SendControl control) const {
    return control == SendControl::Paste ? m_lblPaste : m_lblPuncher;
}

QPushButton* TerminalWindow::broadcastButton(int service) const {
    return service == 1 ? m_lblRSend1 : service == 2 ? m_lblRsend2 : nullptr;
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
    // The send commands stay off for the whole of a transmission, however often the
    // port's displays change meanwhile.
    const bool sendable = v.sendCommandsEnabled && !m_transmission->isRunning();
    for (QPushButton* b : std::as_const(m_portDependent))
        b->setEnabled(sendable);
}

void TerminalWindow::focusTerminal() {
    m_txtTerm->setFocus();
    m_txtTerm->moveCursor(QTextCursor::End);
}

void TerminalWindow::settleIndicators() {
    if (m_services.link.inBufferCount() == 0)
        m_imgRX->setPicture(PortView::Idle);
    if (m_services.link.outBufferCount() == 0)
        m_imgTX->setPicture(PortView::Idle);
}

void TerminalWindow::showCounter(const QString& caption, quint32 colour) {
    m_lblMaxChar->setText(caption);
    Theme::setState(m_lblMaxChar, "colourValue", colour);
}

void TerminalWindow::connectReceiving() {
    connect(m_events.get(), &PortEvents::status, this, &TerminalWindow::setStatus);
    connect(m_events.get(), &PortEvents::receiveIndicator, this,
            [this](bool on) { m_imgRX->setPicture(on ? PortView::Active : PortView::Idle); });
    connect(m_events.get(), &PortEvents::sendIndicator, this,
            [this](bool on) { m_imgTX->setPicture(on ? PortView::Active : PortView::Idle); });
    connect(m_display.get(), &TerminalDisplay::received, this,
            [this] { m_imgRX->setPicture(PortView::Active); });
    connect(m_display.get(), &TerminalDisplay::klklHeard, this, &TerminalWindow::answerKlkl);
    connect(m_counter.get(), &LineCounter::counterChanged, this, &TerminalWindow::showCounter);
    connect(m_counter.get(), &LineCounter::barChanged, this, [this](int twips, quint32 colour) {
        m_line1->setLengthTwips(twips);
        m_line1->setColour(colour);
    });
    connect(m_counter.get(), &LineCounter::beep, this, [] { QApplication::beep(); });
    connect(m_commands.get(), &InterfaceCommands::status, this, &TerminalWindow::setStatus);
    connect(m_commands.get(), &InterfaceCommands::hideHeadlinePanel, m_features.get(),
            &FeatureContext::headlinePanelHideRequested);
    // The broadcast sequence hears the service's prompt and the end of the call.
    connect(m_display.get(), &TerminalDisplay::receiverListPrompted, m_broadcast.get(),
            &BroadcastSequence::promptHeard);
    connect(m_commands.get(), &InterfaceCommands::callClosed, m_broadcast.get(),
            &BroadcastSequence::connectionClosed);
}

void TerminalWindow::connectSender() {
    m_cancelWindow = new CancelSendWindow(this);
    Transmission* transmission = m_transmission.get();
    connect(m_cancelWindow, &CancelSendWindow::cancelRequested, transmission, &Transmission::cancel);
    connect(transmission, &Transmission::shown, m_cancelWindow, &CancelSendWindow::showTransmission);
    connect(transmission, &Transmission::finished, m_cancelWindow, &QWidget::hide);
    connect(transmission, &Transmission::focusWanted, m_cancelWindow, &CancelSendWindow::setHoldsFocus);
    connect(transmission, &Transmission::runningChanged, this, &TerminalWindow::applyPortView);
    connect(transmission, &Transmission::sendIndicatorIdle, this,
            [this] { m_imgTX->setPicture(PortView::Idle); });
    connect(m_sender.get(), &TextSender::status, this, &TerminalWindow::setStatus);
    connect(m_sender.get(), &TextSender::beep, this, [] { QApplication::beep(); });
    // The counter changes with every character sent; painting it 20 times a second
    // is as readable and keeps the pause between characters undisturbed.
    m_counterTimer.setSingleShot(true);
    connect(&m_counterTimer, &QTimer::timeout, this, [this] { m_lblMaxChar->setText(m_pendingCounter); });
    connect(transmission, &Transmission::counterCaption, this, [this](const QString& caption) {
        m_pendingCounter = caption;
        if (!m_counterTimer.isActive())
            m_counterTimer.start(50);
    });
    connect(transmission, &Transmission::finished, this, [this] {
        if (m_counterTimer.isActive()) {
            m_counterTimer.stop();
            m_lblMaxChar->setText(m_pendingCounter);
        }
    });
}

// Runs from the event loop after the text that held "klkl" has been shown, so the
// port keeps reporting what arrives while the answer goes out.
void TerminalWindow::answerKlkl() {
    m_sender->SendKlkl();
    m_display->answerFinished();
}

void TerminalWindow::toggleKlkl() {
    m_state.klklAutoAnswer = !m_state.klklAutoAnswer;
    m_lblKlKl->setProperty("colourValue", m_state.klklAutoAnswer ? 65280u : 16777215u);
    m_lblKlKl->setChecked(m_state.klklAutoAnswer);
    Theme::setState(m_lblKlKl, "autoAnswer", m_state.klklAutoAnswer);
}

void TerminalWindow::editKlkl() {
    setStatus(QStringLiteral("Loading Rundsenden Message Editor"));
    m_features->openEditor(m_services.folder.file(QStringLiteral("\\klkl.txt")), EditorMode::Message);
}

bool TerminalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_txtTerm &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        updatePanelPlace();
        return QMainWindow::eventFilter(watched, event);
    }
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
    case Qt::Key_Backtab:
        // Tab moves on to the next control, as everywhere; byte 9 is "I Am".
        return false;
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
    m_services.runner.run(dialog);
}

void TerminalWindow::editConfiguration() {
    QApplication::beep();
    m_services.dialogs.message({QStringLiteral("After editing you must restart the program to load changes "),
                                QString(),
                                DialogButtons::Ok,
                                DialogIcon::None,
                                {}});
    setStatus(QStringLiteral("Loading Configuration Editor"));
    m_features->openEditor(m_services.folder.file(QStringLiteral("\\VornalUsb.cfg")),
                           EditorMode::Configuration);
}

void TerminalWindow::exitProgram() {
    m_services.settings.setValue(QStringLiteral("HeadlineSelect"), QStringLiteral("Option"),
                                 QString::number(m_state.headlineSelect));
    if (unload())
        QApplication::quit();
}

bool TerminalWindow::unload() {
    if (m_unloading)
        return false;
    m_unloading = true;
    const bool done =
        drainAndClose(m_services.link, m_services.clock, m_services.dialogs, [] { Delay(0.05); });
    m_unloading = false;
    if (done)
        storePlacement();
    return done;
}

void TerminalWindow::placeOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas.append(s->availableGeometry());
    // The frame is not known before the window is shown; this is a usual one.
    const QMargins frame(4, 30, 4, 4);
    if (const auto kept = WindowPlacement::load(m_services.settings);
        kept && WindowPlacement::fits(kept->geometry, frame, areas)) {
        setGeometry(kept->geometry);
        if (kept->maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    m_centred = true;
    setGeometry(WindowPlacement::centred(size(), minimumSize(), screen->availableGeometry(), frame));
}

void TerminalWindow::keepOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen || isMaximized() || isFullScreen())
        return;
    const QRect g = geometry();
    const QRect f = frameGeometry();
    const QMargins frame(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                         f.bottom() - g.bottom());
    // Centred again with the real frame, or kept where it was as far as it fits.
    const QRect inside =
        m_centred ? WindowPlacement::centred(g.size(), minimumSize(), screen->availableGeometry(), frame)
                  : WindowPlacement::keptInside(g, minimumSize(), screen->availableGeometry(), frame);
    if (inside != g)
        setGeometry(inside);
}

void TerminalWindow::storePlacement() {
    WindowPlacement::save(m_services.settings, {normalGeometry(), isMaximized()});
}

void TerminalWindow::closeEvent(QCloseEvent* event) {
    if (unload())
        event->accept();
    else
        event->ignore();
}

} // namespace vornal
