#include "featurecontext.h"

#include "window/callscolumn.h"
#include "window/programgroup.h"
#include "window/statusbar.h"
#include "window/terminalarea.h"

#include "terminalsession.h"

namespace vornal {

FeatureContext::FeatureContext(TerminalSession& session, Theme& theme, const WindowPlaces& places)
    : m_session(session), m_theme(theme), m_places(places) {}

void FeatureContext::addFeature(Feature* feature) {
    m_session.addFeature(feature);
}
const TerminalServices& FeatureContext::services() const {
    return m_session.services();
}
const ProgramState& FeatureContext::state() const {
    return std::as_const(m_session).state();
}
WindowRunner& FeatureContext::runner() {
    return m_session.services().runner;
}
QPlainTextEdit* FeatureContext::terminal() {
    return m_places.terminal->terminal();
}
void FeatureContext::setStatus(const QString& text) {
    m_places.status->setStatus(text);
}
void FeatureContext::focusTerminal() {
    m_places.terminal->focusTerminal();
}
void FeatureContext::setPastePreview(bool preview) {
    m_session.setPastePreview(preview);
}
void FeatureContext::setHeadlineSelect(int set) {
    m_session.setHeadlineSelect(set);
}
void FeatureContext::setSoundMuted(bool muted) {
    m_session.setSoundMuted(muted);
}
void FeatureContext::setKlklAutoAnswer(bool on) {
    m_session.setKlklAutoAnswer(on);
}

void FeatureContext::addPanel(QWidget* panel) {
    m_places.terminal->addPanel(panel);
}
void FeatureContext::revealPanel(QWidget* panel) {
    m_places.terminal->revealPanel(panel);
}
void FeatureContext::addTerminalPanel(QWidget* panel) {
    m_places.terminal->addTerminalPanel(panel);
}
QPushButton* FeatureContext::addCallButton(const QString& name, const QString& caption, const QString& tip) {
    emit placesChanged();
    return m_places.calls->addCallButton(name, caption, tip);
}
QPushButton* FeatureContext::addProgramButton(const QString& name, const QString& caption,
                                              const QString& tip) {
    emit placesChanged();
    return m_places.program->addButton(name, caption, tip);
}
QPushButton* FeatureContext::sendControl(SendControl control) {
    return m_places.send->control(control);
}
QPushButton* FeatureContext::broadcastButton(int service) {
    return m_places.calls->broadcastButton(service);
}
void FeatureContext::setTerminalSides(QWidget* left, QWidget* right) {
    m_places.terminal->setSides(left, right);
}
void FeatureContext::setTerminalInsets(const QMargins& insets) {
    m_places.terminal->setInsets(insets);
}
void FeatureContext::settleIndicators() {
    m_places.status->settle(m_session.services().link);
}

void FeatureContext::openEditor(const QString& path, EditorMode mode) {
    emit editorRequested(path, mode);
}

void FeatureContext::refreshLists() {
    m_session.refreshLists();
}

} // namespace vornal
