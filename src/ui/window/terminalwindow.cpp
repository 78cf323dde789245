#include "window/terminalwindow.h"

#include "files/programfiles.h"
#include "files/settingskeys.h"

#include "featurecontext.h"
#include "platform/windowrunner.h"
#include "widgets/terminaltextview.h"
#include "window/accessibility.h"
#include "window/callscolumn.h"
#include "window/cancelsendwindow.h"
#include "window/headerbar.h"
#include "window/interfacegroup.h"
#include "window/portgroup.h"
#include "window/programgroup.h"
#include "window/propertiesdialog.h"
#include "window/sendgroup.h"
#include "window/statusbar.h"
#include "window/taborder.h"
#include "window/terminalarea.h"
#include "window/terminalkeys.h"

#include "display/numbertext.h"
#include "files/settingsstore.h"
#include "look/objectnames.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vornal {

namespace {

constexpr const char* kVersionTail = " USB / RS232 Vornal Teminal V 10.1.6";
constexpr const char* kReleaseLine = "11/02/2024 10.1.6";

QString operatorName() {
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QStringLiteral("Operator") : user.toUpper();
}

} // namespace

TerminalWindow::TerminalWindow(const TerminalServices& services, QWidget* parent)
    : QMainWindow(parent), m_session(services), m_placement(*this, m_session.services().settings) {
    setObjectName(ObjectNames::kFrmTerminal);
    installAccessibility();

    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    m_header = new HeaderBar;
    root->addWidget(m_header);

    auto* body = new QHBoxLayout;
    // Narrow margins and columns: the terminal text gets all the width they leave.
    body->setContentsMargins(6, 4, 6, 8);
    body->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    m_portGroup = new PortGroup(m_theme);
    m_interfaceGroup = new InterfaceGroup(m_session.commands());
    left->addWidget(m_portGroup);
    left->addWidget(m_interfaceGroup);
    left->addStretch(1);
    auto* leftHost = new QWidget;
    leftHost->setLayout(left);
    leftHost->setFixedWidth(228);
    body->addWidget(leftHost);
    m_terminalArea = new TerminalArea;
    body->addWidget(m_terminalArea, 1);
    m_sendGroup = new SendGroup(m_session.sender());
    m_programGroup = new ProgramGroup;
    m_callsColumn = new CallsColumn(m_sendGroup, m_programGroup, m_terminalArea->panelPlace());
    body->addWidget(m_callsColumn);
    root->addLayout(body, 1);
    m_statusBar = new StatusBar(m_theme);
    root->addWidget(m_statusBar);

    setCentralWidget(central);
    resize(1180, 740);
    // Small enough for a 1024x700 screen with a panel and the window's frame; the
    // side column scrolls when it needs more height.
    setMinimumSize(960, 600);
    m_theme.apply(this);

    m_features = std::make_unique<FeatureContext>(m_session, m_theme,
                                                  WindowPlaces{this, m_header, m_terminalArea, m_sendGroup,
                                                               m_callsColumn, m_programGroup, m_statusBar});
    connect(m_features.get(), &FeatureContext::placesChanged, this, &TerminalWindow::scheduleTabOrder);
    connect(m_terminalArea, &TerminalArea::panelAdded, this, &TerminalWindow::scheduleTabOrder);

    m_view = std::make_unique<TerminalTextView>(m_session.buffer(), *terminal());
    new TerminalKeys(terminal(), m_session.services().link, m_session.commands());
    connectReceiving();
    connectSender();

    PortController& port = m_session.port();
    connect(m_portGroup, &PortGroup::toggleRequested, &port, &PortController::toggle);
    connect(m_portGroup, &PortGroup::propertiesRequested, this, &TerminalWindow::showProperties);
    connect(m_programGroup, &ProgramGroup::editConfigurationRequested, this,
            &TerminalWindow::editConfiguration);
    connect(m_programGroup, &ProgramGroup::exitRequested, this, &TerminalWindow::exitProgram);
    connect(&port, &PortController::viewChanged, this, &TerminalWindow::applyPortView);
    connect(&port, &PortController::focusTerminal, m_terminalArea, &TerminalArea::focusTerminal);
    connect(m_interfaceGroup, &InterfaceGroup::typingWanted, m_terminalArea, &TerminalArea::focusTerminal);
    // One key brings the keyboard back to the terminal from anywhere in the window.
    auto* toTerminal = new QShortcut(TerminalArea::terminalKey(), this);
    toTerminal->setObjectName(QStringLiteral("keyTerminal"));
    toTerminal->setContext(Qt::WindowShortcut);
    connect(toTerminal, &QShortcut::activated, m_terminalArea, &TerminalArea::focusTerminal);
    connect(&m_session, &TerminalSession::configured, this, &TerminalWindow::showConfiguration);
    applyPortView();
}

TerminalWindow::~TerminalWindow() = default;

QPlainTextEdit* TerminalWindow::terminal() const {
    return m_terminalArea->terminal();
}

void TerminalWindow::load(const QString& commandLine) {
    m_session.load(commandLine);
}

void TerminalWindow::showConfiguration() {
    const Configuration& config = std::as_const(m_session).state().config;
    m_callsColumn->showBroadcastNumbers(shortestNumberText(config.BroadcastNumber1),
                                        shortestNumberText(config.BroadcastNumber2));
    m_portGroup->showIdle();
    m_header->showTitle(operatorName() + QString::fromLatin1(kVersionTail),
                        QString::fromLatin1(kReleaseLine));
    m_placement.place();
    setWindowTitle(Startup::windowTitle(config.TitleSuffix));
    const Startup::FontSetting font = Startup::storedFont(m_session.services().settings);
    if (font.apply) {
        QFont f(font.name);
        f.setPointSizeF(font.pointSize);
        terminal()->setFont(f);
    }
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
    TabOrder::apply(TabOrder::readingOrder({m_header, m_portGroup, m_interfaceGroup, m_terminalArea,
                                            m_sendGroup, m_callsColumn->callsGroup(), m_programGroup,
                                            m_terminalArea->panelPlace(), this}));
}

void TerminalWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    updateTabOrder();
    if (!m_keptOnScreen && !event->spontaneous()) {
        m_keptOnScreen = true;
        m_placement.shown();
    }
}

void TerminalWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    const QSize shown = (QSizeF(size()) * devicePixelRatioF()).toSize();
    const QImage& picture = m_skinPicture.at(m_theme.backgroundPicture(), shown);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QRectF(rect()), picture);
}

void TerminalWindow::applyPortView() {
    const PortView& v = m_session.port().view();
    m_portGroup->showView(v);
    // While the port is open only the box's echo reaches the text.
    terminal()->setReadOnly(v.open);
    // The send commands stay off for the whole of a transmission, however often the
    // port's displays change meanwhile.
    m_sendGroup->setSendable(v.sendCommandsEnabled && !m_session.transmission().isRunning());
}

void TerminalWindow::connectReceiving() {
    StatusBar* status = m_statusBar;
    connect(&m_session.portEvents(), &PortEvents::status, status, &StatusBar::setStatus);
    connect(&m_session.portEvents(), &PortEvents::receiveIndicator, status, &StatusBar::setReceiving);
    connect(&m_session.portEvents(), &PortEvents::sendIndicator, status, &StatusBar::setSending);
    connect(&m_session.display(), &TerminalDisplay::received, status,
            [status] { status->setReceiving(true); });
    connect(&m_session.counter(), &LineCounter::beep, this, [] { QApplication::beep(); });
    connect(&m_session.commands(), &InterfaceCommands::status, status, &StatusBar::setStatus);
    connect(&m_session.port(), &PortController::status, status, &StatusBar::setStatus);
    SerialLink* link = &m_session.traffic();
    connect(link, &SerialLink::modemLinesChanged, status,
            [status, link] { status->setLines(link->modemLines()); });
}

void TerminalWindow::connectSender() {
    m_cancelWindow = new CancelSendWindow(this);
    Transmission* transmission = &m_session.transmission();
    connect(m_cancelWindow, &CancelSendWindow::cancelRequested, transmission, &Transmission::cancel);
    connect(transmission, &Transmission::shown, m_cancelWindow, &CancelSendWindow::showTransmission);
    connect(transmission, &Transmission::finished, m_cancelWindow, &QWidget::hide);
    connect(transmission, &Transmission::focusWanted, m_cancelWindow, &CancelSendWindow::setHoldsFocus);
    connect(transmission, &Transmission::runningChanged, this, &TerminalWindow::applyPortView);
    connect(transmission, &Transmission::sendIndicatorIdle, m_statusBar,
            [this] { m_statusBar->setSending(false); });
    connect(&m_session.sender(), &TextSender::status, m_statusBar, &StatusBar::setStatus);
    connect(&m_session.sender(), &TextSender::beep, this, [] { QApplication::beep(); });
    m_terminalArea->followCounter(m_session.counter(), *transmission);
}

void TerminalWindow::showProperties() {
    const TerminalServices& services = m_session.services();
    if (services.link.isOpen())
        return;
    PropertiesDialog dialog(m_session.port(), services.settings, services.dialogs, this);
    services.runner.run(dialog);
}

void TerminalWindow::editConfiguration() {
    QApplication::beep();
    const TerminalServices& services = m_session.services();
    services.dialogs.message({QStringLiteral("After editing you must restart the program to load changes "),
                              QString(),
                              DialogButtons::Ok,
                              DialogIcon::None,
                              {}});
    m_features->setStatus(QStringLiteral("Loading Configuration Editor"));
    m_features->openEditor(services.folder.file(QString::fromLatin1(ProgramFiles::kConfiguration)),
                           EditorMode::Configuration);
}

void TerminalWindow::exitProgram() {
    m_session.services().settings.setValue(QString(SettingsKeys::kHeadlineSelect),
                                           QString(SettingsKeys::kOption),
                                           QString::number(std::as_const(m_session).state().headlineSelect));
    if (unload())
        QApplication::quit();
}

bool TerminalWindow::unload() {
    if (!m_session.unload())
        return false;
    m_placement.store();
    return true;
}

void TerminalWindow::closeEvent(QCloseEvent* event) {
    if (unload())
        event->accept();
    else
        event->ignore();
}

} // namespace vornal
