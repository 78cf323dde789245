#include "files/configuration.h"

#include "display/numbertext.h"
#include "files/textcodec.h"
#include "files/textfile.h"
#include "files/textlines.h"

#include <cfenv>
#include <cmath>

namespace vornal {

bool ConfigurationReader::toInteger16(const QString& text, qint16* out) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return false;
    *out = static_cast<qint16>(rounded);
    return true;
}

Configuration ConfigurationReader::parse(const QByteArray& content) {
    Configuration config;
    for (const QString& line : splitTextLines(TextCodec::decode(content))) {
        if (line.startsWith(QLatin1String("//")))
            continue;
        if (config.valueLines.size() < Configuration::kMaxValueLines)
            config.valueLines.append(line);
    }
    const auto line = [&config](int number) {
        return number <= config.valueLines.size() ? config.valueLines.at(number - 1) : QString();
    };

    if (config.valueLines.size() >= 1 && !toInteger16(line(1), &config.DialPrefix)) {
        config.warnings.append(
            QStringLiteral("Value line 1 (dial prefix) \"%1\" is not a whole number between -32768 and "
                           "32767; the dial prefix 0 is used.")
                .arg(line(1).left(40)));
        config.DialPrefix = 0;
    }
    config.DateFormat = line(2);
    config.TitleSuffix = line(3);
    config.DirectoryServer = line(4);
    config.value5 = line(5);
    config.value6 = line(6);
    config.CharDelay = leadingDecimalNumber(line(7));
    config.BroadcastNumber1 = leadingDecimalNumber(line(8));
    config.BroadcastNumber2 = leadingDecimalNumber(line(9));
    if (config.CharDelay < 0) {
        config.warnings.append(
            QStringLiteral("Value line 7 (pause after each character) is negative; no pause is used."));
        config.CharDelay = 0;
    }
    return config;
}

Configuration ConfigurationReader::load(const QString& path) {
    QByteArray bytes;
    if (const FileResult read = TextFile::readBytes(path, &bytes); !read) {
        Configuration config = parse(QByteArray());
        config.warnings.append(QStringLiteral("The configuration file could not be read (%1). The "
                                              "program starts without it: no dial prefix, no pause "
                                              "between characters, no directory server.")
                                   .arg(read.error));
        return config;
    }
    return parse(bytes);
}

} // namespace vornal
