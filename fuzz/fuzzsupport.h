#pragma once

#include "userdialogs.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: the fuzzer keeps the input that broke it.
#define FUZZ_EXPECT(condition)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition);         \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace vornal::fuzz {

// The application object that Qt's event loop and file classes expect, made once.
inline void startQt() {
    static int argc = 1;
    static char name[] = "vornal-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

// A folder for the files a target reads, kept for the whole run (in memory when the
// system offers a memory file system).
inline const QString& scratchFolder() {
    static QTemporaryDir* dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        auto* d = QDir(shm).exists() ? new QTemporaryDir(shm + QStringLiteral("/vornal-fuzz-XXXXXX"))
                                     : new QTemporaryDir();
        return d;
    }();
    static const QString path = dir->path();
    return path;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Answers every question with Ok and remembers how many there were.
class CountingDialogs final : public UserDialogs {
public:
    DialogAnswer message(const MessageRequest&) override {
        ++messages;
        return DialogAnswer::Ok;
    }
    QString openFile(const FileRequest&) override { return {}; }
    QString saveFile(const FileRequest&) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
    std::optional<quint32> chooseColour(quint32, const QString&) override { return std::nullopt; }
    int messages = 0;
};

} // namespace vornal::fuzz
