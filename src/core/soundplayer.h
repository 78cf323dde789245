#pragma once

#include <QString>
#include <QStringList>

namespace vornal {

// Plays a wave file. The real player lives with the windows; tests record.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void open(const QString& path) = 0;
    virtual void play() = 0;
    virtual void close() = 0;
};

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void open(const QString& path) override { m_log.append(QStringLiteral("open ") + path); }
    void play() override { m_log.append(QStringLiteral("play")); }
    void close() override { m_log.append(QStringLiteral("close")); }
    const QStringList& log() const { return m_log; }
    void clear() { m_log.clear(); }

private:
    QStringList m_log;
};

} // namespace vornal
