// Draws the two skin pictures and synthesises the five event sounds of the program,
// and writes them into the given folder (the repository's data/); with a second folder
// also the program's icon (the repository's packaging/).
//   vornal-artwork <folder> [<icon folder>]
#include "icon.h"
#include "pictures.h"
#include "sounds.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(f.errorString()));
        return false;
    }
    std::printf("wrote %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
    return true;
}

bool writePicture(const QString& path, const QImage& image) {
    if (!image.save(path, "JPG", 88)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vornal-artwork <folder> [<icon folder>]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int width = 1280;
    const int height = 800;
    bool ok =
        writePicture(folder.filePath(QStringLiteral("Skin-Std.jpg")), artwork::standardSkin(width, height));
    ok = writePicture(folder.filePath(QStringLiteral("Skin-Pnk.jpg")),
                      artwork::steampunkSkin(width, height)) &&
         ok;
    ok = writeFile(folder.filePath(QStringLiteral("soundcipher.wav")),
                   artwork::waveFile(artwork::cipherSound())) &&
         ok;
    ok = writeFile(folder.filePath(QStringLiteral("soundplain.wav")),
                   artwork::waveFile(artwork::plainSound())) &&
         ok;
    ok = writeFile(folder.filePath(QStringLiteral("soundrun.wav")), artwork::waveFile(artwork::runSound())) &&
         ok;
    ok = writeFile(folder.filePath(QStringLiteral("soundstart.wav")),
                   artwork::waveFile(artwork::startSound())) &&
         ok;
    ok = writeFile(folder.filePath(QStringLiteral("soundstop.wav")),
                   artwork::waveFile(artwork::stopSound())) &&
         ok;
    if (argc == 3) {
        const QDir icons(QString::fromLocal8Bit(argv[2]));
        ok = writeFile(icons.filePath(QStringLiteral("vornal-terminal.svg")), artwork::iconSvg()) && ok;
        const QString png = icons.filePath(QStringLiteral("vornal-terminal.png"));
        if (artwork::iconImage(256).save(png, "PNG"))
            std::printf("wrote %s (256x256)\n", qPrintable(png));
        else
            ok = false;
    }
    return ok ? 0 : 1;
}
