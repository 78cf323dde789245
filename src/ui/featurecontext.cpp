#include "featurecontext.h"

#include "terminalwindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>

namespace vornal {

FeatureContext::FeatureContext(TerminalWindow& window) : m_window(window) {}

const TerminalServices& FeatureContext::services() const {
    return m_window.m_services;
}
const ProgramState& FeatureContext::state() const {
    return m_window.m_state;
}
InterfaceCommands& FeatureContext::commands() {
    return *m_window.m_commands;
}
TerminalDisplay& FeatureContext::display() {
    return *m_window.m_display;
}
LineCounter& FeatureContext::counter() {
    return *m_window.m_counter;
}
TextSender& FeatureContext::sender() {
    return *m_window.m_sender;
}
BroadcastSequence& FeatureContext::broadcast() {
    return *m_window.m_broadcast;
}
Transmission& FeatureContext::transmission() {
    return *m_window.m_transmission;
}
WindowRunner& FeatureContext::runner() {
    return m_window.m_services.runner;
}
Theme& FeatureContext::theme() {
    return m_window.m_theme;
}
TrafficLink& FeatureContext::traffic() {
    return m_window.m_trafficLink;
}
QPlainTextEdit* FeatureContext::terminal() {
    return m_window.m_txtTerm;
}
QWidget* FeatureContext::window() {
    return &m_window;
}
void FeatureContext::setStatus(const QString& text) {
    m_window.setStatus(text);
}
void FeatureContext::focusTerminal() {
    m_window.focusTerminal();
}
void FeatureContext::setPastePreview(bool preview) {
    m_window.m_state.pastePreview = preview;
}
void FeatureContext::setHeadlineSelect(int set) {
    m_window.m_state.headlineSelect = set;
}

void FeatureContext::addPanel(QWidget* panel) {
    m_window.addPanel(panel);
}
void FeatureContext::revealPanel(QWidget* panel) {
    m_window.revealPanel(panel);
}
void FeatureContext::addTerminalPanel(QWidget* panel) {
    m_window.addTerminalPanel(panel);
}
QPushButton* FeatureContext::addCallButton(const QString& name, const QString& caption, const QString& tip) {
    return m_window.addCallButton(name, caption, tip);
}
QPushButton* FeatureContext::addProgramButton(const QString& name, const QString& caption,
                                              const QString& tip) {
    return m_window.addProgramButton(name, caption, tip);
}
QPushButton* FeatureContext::sendControl(SendControl control) {
    return m_window.sendControl(control);
}
QPushButton* FeatureContext::broadcastButton(int service) {
    return m_window.broadcastButton(service);
}

void FeatureContext::addHeaderControls(QWidget* controls) {
    m_window.m_headerControls->addWidget(controls);
}
QWidget* FeatureContext::clockArea() {
    return m_window.m_frameClock;
}
QFont FeatureContext::terminalFont() const {
    return m_window.m_txtTerm->font();
}
void FeatureContext::setTerminalFont(const QFont& font) {
    m_window.m_txtTerm->setFont(font);
}
void FeatureContext::setTerminalSides(QWidget* left, QWidget* right) {
    m_window.m_terminalRow->insertWidget(0, left);
    m_window.m_terminalRow->addWidget(right);
}
void FeatureContext::setTerminalInsets(const QMargins& insets) {
    m_window.m_terminalRow->setContentsMargins(insets);
}
void FeatureContext::settleIndicators() {
    m_window.settleIndicators();
}
void FeatureContext::setSoundMuted(bool muted) {
    m_window.m_state.soundMuted = muted;
}

void FeatureContext::openEditor(const QString& path, EditorMode mode) {
    emit editorRequested(path, mode);
}

void FeatureContext::refreshLists() {
    emit listsRefreshing();
}

} // namespace vornal
