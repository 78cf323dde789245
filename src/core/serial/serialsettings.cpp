#include "serial/serialsettings.h"

#include <QStringList>

namespace vornal {

std::optional<SerialSettings> SerialSettings::parse(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    SerialSettings s;
    bool ok = false;
    s.speed = parts[0].trimmed().toInt(&ok);
    if (!ok || s.speed <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("eonms").contains(parity))
        return std::nullopt;
    s.parity = parity[0];
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 4 || s.dataBits > 8)
        return std::nullopt;
    s.stopBits = parts[3].trimmed();
    if (s.stopBits != QLatin1String("1") && s.stopBits != QLatin1String("1.5") &&
        s.stopBits != QLatin1String("2"))
        return std::nullopt;
    return s;
}

QString SerialSettings::toString() const {
    return QStringLiteral("%1,%2,%3,%4").arg(speed).arg(parity).arg(dataBits).arg(stopBits);
}

SettingsDisplay splitSettingsForDisplay(const QString& settings) {
    SettingsDisplay d;
    const qsizetype k = settings.contains(QLatin1Char('.')) ? 2 : 0;
    const qsizetype n = settings.size();
    const auto charAt = [&settings](qsizetype position) {
        return position >= 1 && position <= settings.size() ? settings.at(position - 1) : QChar();
    };
    d.speed = settings.left(std::max<qsizetype>(0, n - k - 6));
    static const QString kParity = QStringLiteral("eonms");
    const QChar parity = charAt(n - k - 4);
    d.parityIndex = parity.isNull() ? -1 : int(kParity.indexOf(parity));
    const QChar bits = charAt(n - k - 2);
    d.dataBits = bits.isNull() ? QString() : QString(bits);
    d.stopBits = settings.right(std::min<qsizetype>(n, k + 1));
    return d;
}

} // namespace vornal
