#include "simulators.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

namespace vornal {

bool SimulatorProcess::start(const QString& program, const QStringList& arguments,
                             const QRegularExpression& ready) {
    m_output.clear();
    m_process.start(program, arguments);
    QByteArray output;
    const QDeadlineTimer deadline(10'000);
    for (;;) {
        m_ready = ready.match(QString::fromLatin1(output));
        if (m_ready.hasMatch())
            break;
        if (deadline.hasExpired() || !m_process.waitForStarted(100) ||
            m_process.state() == QProcess::NotRunning) {
            m_process.waitForFinished(1000);
            m_failure = QStringLiteral("no ready line (%1): %2")
                            .arg(m_process.errorString(),
                                 QString::fromLocal8Bit(output + m_process.readAllStandardError()));
            return false;
        }
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
    }
    return true;
}

void SimulatorProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QByteArray SimulatorProcess::control(const QByteArray& line, int timeoutMs) {
    m_process.write(line + '\n');
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        m_output += m_process.readAllStandardOutput();
        const qsizetype end = m_output.indexOf('\n');
        if (end >= 0) {
            const QByteArray answer = m_output.left(end);
            m_output.remove(0, end + 1);
            return answer.mid(answer.indexOf(':') + 2);
        }
        if (deadline.hasExpired())
            return {};
        m_process.waitForReadyRead(static_cast<int>(qMin<qint64>(deadline.remainingTime(), 100)));
    }
}

BoxSimulator::BoxSimulator()
    : m_dir(std::in_place), m_folder(m_dir->path()),
      m_link(path(QStringLiteral("box-%1").arg(QRandomGenerator::global()->generate64(), 0, 16))),
      m_defaults{QStringLiteral("--dial-pause"), QStringLiteral("0.25"), QStringLiteral("--connect-delay"),
                 QStringLiteral("0.05")} {}

BoxSimulator::BoxSimulator(const QString& folder) : m_folder(folder), m_link(path(QStringLiteral("box"))) {}

bool BoxSimulator::start(const QStringList& extraArguments) {
    static const QRegularExpression ready(QStringLiteral("ready on"));
    return SimulatorProcess::start(
        QStringLiteral(BOXSIM_PATH),
        QStringList{QStringLiteral("--link"), m_link, QStringLiteral("--log"), logPath()} + m_defaults +
            extraArguments,
        ready);
}

QString BoxSimulator::writeFile(const QString& name, const QByteArray& contents) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return {};
    return file.fileName();
}

QStringList BoxSimulator::logLines() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QList<BoxSimulator::LoggedByte> BoxSimulator::log() const {
    QList<LoggedByte> bytes;
    for (const QString& line : logLines()) {
        const QStringList parts = line.trimmed().split(QLatin1Char(' '));
        if (parts.size() == 2)
            bytes.append({parts[0].toDouble(), parts[1].toInt()});
    }
    return bytes;
}

QList<int> BoxSimulator::loggedBytes() const {
    QList<int> bytes;
    for (const LoggedByte& b : log())
        bytes.append(b.byte);
    return bytes;
}

bool BoxSimulator::waitForLogCount(int count, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (logLines().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

bool BoxSimulator::openPort() {
    m_port.setPortName(m_link);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return m_port.open(QIODevice::ReadWrite);
}

bool BoxSimulator::write(const QByteArray& bytes) {
    return m_port.write(bytes) == bytes.size() &&
           (m_port.waitForBytesWritten(3000) || m_port.bytesToWrite() == 0);
}

bool BoxSimulator::waitFor(const QByteArray& needle, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (m_received += m_port.readAll(); !m_received.contains(needle); m_received += m_port.readAll()) {
        if (deadline.hasExpired())
            return false;
        m_port.waitForReadyRead(static_cast<int>(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    return true;
}

void BoxSimulator::readFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        m_port.waitForReadyRead(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1)));
        m_received += m_port.readAll();
    }
}

bool DirsimProcess::start(const QStringList& arguments) {
    static const QRegularExpression ready(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    return SimulatorProcess::start(QStringLiteral(DIRSIM_PATH),
                                   arguments + QStringList{QStringLiteral("--port"), QStringLiteral("0")},
                                   ready);
}

int DirsimProcess::exitCode(int timeoutMs) {
    QProcess& p = process();
    if (!p.waitForFinished(timeoutMs) && p.state() != QProcess::NotRunning)
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace vornal
