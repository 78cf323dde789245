#include "simulator.h"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
// More than this waiting for a terminal that does not read is dropped.
constexpr qsizetype MaxPending = 1 << 20;
// The terminal configures the port right after opening it; give it that long
// before an incoming call starts talking.
constexpr int IncomingCallDelayMs = 200;
} // namespace

Simulator::Simulator(const BoxOptions& options, std::optional<Script> script, const QElapsedTimer& clock,
                     QObject* parent)
    : QObject(parent), m_options(options), m_log(clock), m_box(options, std::move(script)) {
    connect(&m_box, &Box::output, this, &Simulator::send);
    connect(&m_box, &Box::stallRequested, this, &Simulator::stallReading);
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, [this] { stallReading(0); });
}

bool Simulator::start(QString* error) {
    if (!m_options.logPath.isEmpty() && !m_log.open(m_options.logPath, error))
        return false;
    if (!m_pty.open(error))
        return false;
    if (!m_link.create(m_options.linkPath, m_pty.slaveName(), error))
        return false;

    m_readNotifier = new QSocketNotifier(m_pty.masterFd(), QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &Simulator::readMaster);
    m_writeNotifier = new QSocketNotifier(m_pty.masterFd(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &Simulator::writeMaster);
    if (m_pty.watchFd() >= 0) {
        m_watchNotifier = new QSocketNotifier(m_pty.watchFd(), QSocketNotifier::Read, this);
        connect(m_watchNotifier, &QSocketNotifier::activated, this, &Simulator::followPort);
    }

    if (m_options.control) {
        m_controlNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(m_controlNotifier, &QSocketNotifier::activated, this, &Simulator::readControl);
    }

    std::printf("vornal-boxsim: ready on %s -> %s\n", qPrintable(m_options.linkPath),
                qPrintable(m_pty.slaveName()));
    std::fflush(stdout);
    return true;
}

void Simulator::stop() {
    m_link.remove();
}

void Simulator::followPort() {
    const PseudoTerminal::PortChanges changes = m_pty.updatePortState();
    // Told in the order they happened: a close before a reopen, or after a short open.
    const bool openNow = m_pty.isPortOpen();
    if (changes.closed && openNow)
        std::fprintf(stderr, "vornal-boxsim: the terminal closed the port\n");
    if (changes.opened) {
        std::fprintf(stderr, "vornal-boxsim: the terminal opened the port\n");
        if (m_options.scriptNow && !m_incomingCallDone) {
            m_incomingCallDone = true;
            QTimer::singleShot(IncomingCallDelayMs, &m_box, &Box::acceptIncomingCall);
        }
    }
    if (changes.closed && !openNow)
        std::fprintf(stderr, "vornal-boxsim: the terminal closed the port\n");
    if (changes.closed || !openNow) {
        m_pending.clear();
        m_writeNotifier->setEnabled(false);
    }
}

void Simulator::readMaster() {
    followPort();
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (got > 0) {
            const QByteArrayView bytes(buffer, got);
            m_log.record(bytes);
            m_box.receive(bytes);
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        m_readNotifier->setEnabled(false);
        emit failed(QStringLiteral("reading the pseudo-terminal: %1")
                        .arg(got == 0 ? QStringLiteral("end of file")
                                      : QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
}

// Output made while the terminal has the port closed goes nowhere, as on a
// real serial line.
void Simulator::send(const QByteArray& bytes) {
    followPort();
    if (!m_pty.isPortOpen())
        return;
    if (m_pending.size() + bytes.size() > MaxPending) {
        std::fprintf(stderr, "vornal-boxsim: the terminal is not reading; output dropped\n");
        return;
    }
    m_pending += bytes;
    writeMaster();
}

void Simulator::writeMaster() {
    while (!m_pending.isEmpty()) {
        const ssize_t written =
            ::write(m_pty.masterFd(), m_pending.constData(), static_cast<size_t>(m_pending.size()));
        if (written > 0) {
            m_pending.remove(0, written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN) {
            emit failed(QStringLiteral("writing the pseudo-terminal: %1")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
            return;
        }
        break;
    }
    m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

// A box that cannot take more stops reading: what the terminal sends piles up in
// the pseudo-terminal until the terminal's writes would block.
void Simulator::stallReading(double seconds) {
    if (seconds > 0) {
        if (!m_stalled)
            std::fprintf(stderr, "vornal-boxsim: not reading the terminal for %g s\n", seconds);
        m_stalled = true;
        m_readNotifier->setEnabled(false);
        m_stallTimer.start(static_cast<int>(seconds * 1000 + 0.5));
        return;
    }
    m_stallTimer.stop();
    if (!m_stalled)
        return;
    m_stalled = false;
    std::fprintf(stderr, "vornal-boxsim: reading the terminal again\n");
    m_readNotifier->setEnabled(true);
    readMaster();
}

void Simulator::readControl() {
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        if (got == 0 || (errno != EAGAIN && errno != EINTR))
            m_controlNotifier->setEnabled(false); // standard input closed: no more control
        return;
    }
    m_controlInput.append(buffer, got);
    for (qsizetype end = m_controlInput.indexOf('\n'); end >= 0; end = m_controlInput.indexOf('\n')) {
        const QByteArray line = m_controlInput.left(end);
        m_controlInput.remove(0, end + 1);
        runControlLine(line);
    }
}

// One statement of the script language that acts on the line at once: send (the
// box's own bytes, whatever the call state), xoff, xon, stall and resume.
void Simulator::runControlLine(const QByteArray& line) {
    const QByteArray statement = line.endsWith('\r') ? line.chopped(1) : line;
    if (statement.trimmed().isEmpty() || statement.trimmed().startsWith('#'))
        return;
    QString error;
    const std::optional<Script> parsed = Script::parse(statement, &error);
    if (parsed && parsed->steps().size() == 1) {
        const ScriptStep& step = parsed->steps().front();
        switch (step.kind) {
        case ScriptStep::Kind::Send:
            send(step.text);
            break;
        case ScriptStep::Kind::Xoff:
            send(QByteArray(1, '\x13'));
            break;
        case ScriptStep::Kind::Xon:
            send(QByteArray(1, '\x11'));
            break;
        case ScriptStep::Kind::Stall:
        case ScriptStep::Kind::Resume:
            stallReading(step.kind == ScriptStep::Kind::Stall ? step.seconds : 0);
            break;
        default:
            error = QStringLiteral("not a line statement");
            break;
        }
    }
    if (error.isEmpty())
        std::printf("vornal-boxsim: done %s\n", statement.trimmed().constData());
    else
        std::printf("vornal-boxsim: refused %s (%s)\n", statement.trimmed().constData(), qPrintable(error));
    std::fflush(stdout);
}
