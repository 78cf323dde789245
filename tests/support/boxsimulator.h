#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStringList>

namespace vornal {

// vornal-boxsim as a child process: a pseudo-terminal linked at <folder>/box, every
// byte it receives logged to <folder>/box.log. Stopped when this goes away.
class BoxSimulator {
public:
    BoxSimulator(const QString& program, const QString& folder)
        : m_program(program), m_link(folder + QStringLiteral("/box")),
          m_log(folder + QStringLiteral("/box.log")) {}
    ~BoxSimulator() { stop(); }

    // Starts it and waits (5 s at most) until it says it is ready.
    bool start(const QStringList& extraArguments = {}) {
        m_process.setProgram(m_program);
        m_process.setArguments(QStringList{QStringLiteral("--link"), m_link, QStringLiteral("--log"), m_log} +
                               extraArguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            m_process.waitForReadyRead(100);
            if (m_process.readAllStandardOutput().contains("ready"))
                return true;
        }
        return QFileInfo::exists(m_link);
    }
    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }
    QProcess& process() { return m_process; }
    const QString& link() const { return m_link; }

    // The bytes logged so far, from lines "<seconds> <byte>".
    QList<int> loggedBytes() const {
        QList<int> bytes;
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return bytes;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.size() == 2)
                bytes.append(parts[1].toInt());
        }
        return bytes;
    }

private:
    QString m_program;
    QString m_link;
    QString m_log;
    QProcess m_process;
};

} // namespace vornal
