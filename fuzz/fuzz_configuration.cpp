// The configuration reader on arbitrary file contents.
#include "files/configuration.h"
#include "files/textcodec.h"
#include "fuzzsupport.h"

#include <cmath>

using namespace vornal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = fuzz::bytesOf(data, size);
    const Configuration config = ConfigurationReader::parse(content);

    FUZZ_EXPECT(config.valueLines.size() <= Configuration::kMaxValueLines);
    for (const QString& line : config.valueLines) {
        FUZZ_EXPECT(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_EXPECT(!line.startsWith(QLatin1String("//")));
    }
    // The pause between characters is a usable length of time.
    FUZZ_EXPECT(!std::isnan(config.CharDelay) && config.CharDelay >= 0);
    FUZZ_EXPECT(!std::isnan(config.BroadcastNumber1) && !std::isnan(config.BroadcastNumber2));
    FUZZ_EXPECT(config.warnings.size() <= 2);
    if (config.valueLines.isEmpty())
        FUZZ_EXPECT(config.DialPrefix == 0 && config.DirectoryServer.isEmpty());

    // The value lines written back as a file read the same.
    QString rewritten;
    for (const QString& line : config.valueLines)
        rewritten += line + QStringLiteral("\r\n");
    const Configuration again = ConfigurationReader::parse(TextCodec::encode(rewritten));
    FUZZ_EXPECT(again.valueLines == config.valueLines);
    FUZZ_EXPECT(again.DialPrefix == config.DialPrefix);
    FUZZ_EXPECT(again.DateFormat == config.DateFormat && again.DirectoryServer == config.DirectoryServer);
    FUZZ_EXPECT(again.warnings.size() == config.warnings.size());
    return 0;
}
