#include "scriptplayer.h"

#include <cstdio>

ScriptPlayer::ScriptPlayer(Script script, QObject* parent) : QObject(parent), m_script(std::move(script)) {
    m_pauseTimer.setSingleShot(true);
    m_waitTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, &ScriptPlayer::advance);
    connect(&m_waitTimer, &QTimer::timeout, this, [this] {
        const ScriptStep& step = m_script.steps()[m_next - 1];
        std::fprintf(stderr, "vornal-boxsim: script line %d: wait timed out, script ended\n", step.line);
        stop();
    });
}

void ScriptPlayer::start() {
    stop();
    m_next = 0;
    m_waitTimeout = 0;
    m_received.clear();
    m_matchFrom = 0;
    m_running = true;
    advance();
}

void ScriptPlayer::stop() {
    m_running = false;
    m_waiting = false;
    m_pauseTimer.stop();
    m_waitTimer.stop();
}

void ScriptPlayer::receive(QByteArrayView text) {
    if (!m_running)
        return;
    m_received.append(QByteArray(text.data(), text.size()).toLower());
    if (m_waiting && consumeMatch(m_script.steps()[m_next - 1].text)) {
        m_waiting = false;
        m_waitTimer.stop();
        advance();
    }
}

bool ScriptPlayer::consumeMatch(const QByteArray& needle) {
    const qsizetype at = m_received.indexOf(needle.toLower(), m_matchFrom);
    if (at < 0)
        return false;
    m_matchFrom = at + needle.size();
    return true;
}

void ScriptPlayer::advance() {
    const std::vector<ScriptStep>& steps = m_script.steps();
    while (m_running && m_next < steps.size()) {
        const ScriptStep& step = steps[m_next++];
        switch (step.kind) {
        case ScriptStep::Kind::Send:
            emit send(step.text);
            break;
        case ScriptStep::Kind::Timeout:
            m_waitTimeout = step.seconds;
            break;
        case ScriptStep::Kind::Pause:
            m_pauseTimer.start(static_cast<int>(step.seconds * 1000));
            return;
        case ScriptStep::Kind::Wait:
            if (consumeMatch(step.text))
                break;
            m_waiting = true;
            if (m_waitTimeout > 0)
                m_waitTimer.start(static_cast<int>(m_waitTimeout * 1000));
            return;
        case ScriptStep::Kind::Close:
            stop();
            emit hangUp();
            return;
        case ScriptStep::Kind::Xoff:
        case ScriptStep::Kind::Xon:
            emit holdLine(step.kind == ScriptStep::Kind::Xoff);
            break;
        case ScriptStep::Kind::Stall:
        case ScriptStep::Kind::Resume:
            emit stallReading(step.kind == ScriptStep::Kind::Stall ? step.seconds : 0);
            break;
        }
    }
    m_running = false;
}
