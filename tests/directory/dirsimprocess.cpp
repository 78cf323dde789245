#include "dirsimprocess.h"

#include <QRegularExpression>

DirsimProcess::~DirsimProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool DirsimProcess::start(const QStringList& arguments) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral(DIRSIM_PATH),
                    arguments + QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    QByteArray out;
    static const QRegularExpression ready(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    while (m_process.waitForReadyRead(5000)) {
        out += m_process.readAllStandardOutput();
        const QRegularExpressionMatch m = ready.match(QString::fromLatin1(out));
        if (m.hasMatch()) {
            m_port = quint16(m.captured(1).toUInt());
            return true;
        }
    }
    m_error = QString::fromLocal8Bit(out + m_process.readAllStandardError());
    return false;
}

int DirsimProcess::exitCode(int timeoutMs) {
    if (!m_process.waitForFinished(timeoutMs) && m_process.state() != QProcess::NotRunning)
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}
