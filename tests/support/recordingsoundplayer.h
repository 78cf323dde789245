#pragma once

#include "look/soundplayer.h"

#include <QStringList>

namespace vornal {

// A sound player that only writes down what it was asked to do.
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
