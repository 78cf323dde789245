#include "boxsimharness.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

// QSerialPort locks by the port's file name, so the name must not clash with a
// simulator of another test running at the same time.
BoxSimHarness::BoxSimHarness()
    : m_linkPath(
          m_dir.filePath(QStringLiteral("box-%1").arg(QRandomGenerator::global()->generate64(), 0, 16))) {}

BoxSimHarness::~BoxSimHarness() {
    m_port.close();
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool BoxSimHarness::start(const QStringList& extraArgs) {
    m_process.start(QStringLiteral(BOXSIM_PATH),
                    QStringList{QStringLiteral("--link"), m_linkPath, QStringLiteral("--log"), logPath(),
                                QStringLiteral("--dial-pause"), QStringLiteral("0.25"),
                                QStringLiteral("--connect-delay"), QStringLiteral("0.05")} +
                        extraArgs);
    QByteArray output;
    const QDeadlineTimer deadline(5000);
    while (!output.contains("ready on")) {
        if (deadline.hasExpired() || !m_process.waitForStarted(100) ||
            m_process.state() == QProcess::NotRunning) {
            m_process.waitForFinished(1000);
            m_failure =
                QStringLiteral("no ready line (%1): %2")
                    .arg(m_process.errorString(), QString::fromLocal8Bit(m_process.readAllStandardError()));
            return false;
        }
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
    }
    return true;
}

bool BoxSimHarness::openPort() {
    m_port.setPortName(m_linkPath);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return m_port.open(QIODevice::ReadWrite);
}

bool BoxSimHarness::write(const QByteArray& bytes) {
    return m_port.write(bytes) == bytes.size() &&
           (m_port.waitForBytesWritten(3000) || m_port.bytesToWrite() == 0);
}

bool BoxSimHarness::waitFor(const QByteArray& needle, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (m_received += m_port.readAll(); !m_received.contains(needle); m_received += m_port.readAll()) {
        if (deadline.hasExpired())
            return false;
        m_port.waitForReadyRead(static_cast<int>(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    return true;
}

void BoxSimHarness::readFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        m_port.waitForReadyRead(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1)));
        m_received += m_port.readAll();
    }
}

QStringList BoxSimHarness::logLines() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray BoxSimHarness::control(const QByteArray& line, int timeoutMs) {
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

bool BoxSimHarness::waitForLogCount(int count, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (logLines().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

QString BoxSimHarness::writeFile(const QString& name, const QByteArray& contents) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return {};
    return file.fileName();
}
