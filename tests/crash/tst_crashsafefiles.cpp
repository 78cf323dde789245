#include "readonlyfolder.h"
#include "rewrites.h"
#include "scopedwritefault.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

using namespace vornal;

namespace {

constexpr int kKills = 50;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// Every file of a kind, by name, as it stands in the folder.
QHash<QString, QByteArray> snapshot(const QString& kind, const QString& folder) {
    QHash<QString, QByteArray> files;
    for (const QString& name : Rewrites::files(kind))
        files.insert(name, bytesOf(ProgramFolder(folder).file(name)));
    return files;
}

QString shortName(const QString& name) {
    return name.mid(1);
}

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

} // namespace

// Every whole-file rewrite of the program leaves the old file or the new one, byte for
// byte: when the writing process is killed at any moment, when the disk is full and
// when the folder may not be written; the last two with a message that names the file.
class TestCrashSafeFiles : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesOldOrNew_data();
    void killedWriterLeavesOldOrNew();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void readOnlyFolderKeepsOldFile_data();
    void readOnlyFolderKeepsOldFile();

private:
    // A folder holding the old version of a kind's files, and the new version's bytes.
    bool versions(const QString& kind, const QString& old, QHash<QString, QByteArray>* newFiles);
};

bool TestCrashSafeFiles::versions(const QString& kind, const QString& old,
                                  QHash<QString, QByteArray>* newFiles) {
    const QString fresh = old + QStringLiteral("-new");
    QDir().mkpath(old);
    QDir().mkpath(fresh);
    Rewrites::prepare(kind, ProgramFolder(old));
    Rewrites::prepare(kind, ProgramFolder(fresh));
    if (!Rewrites::write(kind, ProgramFolder(old), 0).isEmpty() ||
        !Rewrites::write(kind, ProgramFolder(fresh), 1).isEmpty())
        return false;
    *newFiles = snapshot(kind, fresh);
    return true;
}

void TestCrashSafeFiles::killedWriterLeavesOldOrNew_data() {
    QTest::addColumn<QString>("kind");
    for (const QString& kind : Rewrites::kinds())
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestCrashSafeFiles::killedWriterLeavesOldOrNew() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old"));
    QHash<QString, QByteArray> newFiles;
    QVERIFY(versions(kind, old, &newFiles));
    const QHash<QString, QByteArray> oldFiles = snapshot(kind, old);
    for (const QString& name : oldFiles.keys())
        QVERIFY2(oldFiles[name] != newFiles[name], qPrintable(name));

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int sawNew = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const QString work = dir.filePath(QStringLiteral("kill%1").arg(kill));
        copyFolder(old, work);
        QProcess writer;
        writer.start(QStringLiteral(CRASHWRITER_PATH), {kind, work, QStringLiteral("loop")});
        QVERIFY2(writer.waitForStarted(10'000), qPrintable(writer.errorString()));
        while (!writer.canReadLine() && writer.state() == QProcess::Running)
            writer.waitForReadyRead(10'000);
        const QByteArray ready = writer.readLine().trimmed();
        QVERIFY2(ready.startsWith("ready "), ready.constData());
        // Anywhere within the next four rewrites, timed by the two before "ready".
        const quint32 window = quint32(std::max(1'000LL, 2 * ready.mid(6).toLongLong()));
        QThread::usleep(random.bounded(window));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(10'000));
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(QString::fromLocal8Bit(writer.readAllStandardError())));

        bool isNew = false;
        for (const QString& name : oldFiles.keys()) {
            const QByteArray now = bytesOf(ProgramFolder(work).file(name));
            QVERIFY2(now == oldFiles[name] || now == newFiles[name],
                     qPrintable(
                         QStringLiteral("%1 after kill %2 (seed %3): %4 bytes, neither old (%5) nor new (%6)")
                             .arg(name)
                             .arg(kill)
                             .arg(seed)
                             .arg(now.size())
                             .arg(oldFiles[name].size())
                             .arg(newFiles[name].size())));
            isNew = isNew || now == newFiles[name];
        }
        sawNew += isNew ? 1 : 0;
        QDir(work).removeRecursively();
    }
    qInfo("%s: %d of %d kills left the new version", qPrintable(kind), sawNew, kKills);
}

void TestCrashSafeFiles::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    const struct {
        const char* name;
        WriteFault::Step step;
        int error;
        const char* reason;
    } faults[] = {
        {"full disk", WriteFault::Step::Write, ENOSPC, "No space left on device"},
        {"failing sync", WriteFault::Step::Sync, EIO, "Input/output error"},
        {"no room for a new file", WriteFault::Step::Create, ENOSPC, "No space left on device"},
    };
    for (const QString& kind : Rewrites::kinds()) {
        for (const auto& fault : faults)
            QTest::addRow("%s, %s", qPrintable(kind), fault.name)
                << kind << int(fault.step) << fault.error << QString::fromLatin1(fault.reason);
    }
}

void TestCrashSafeFiles::failedWriteKeepsOldFile() {
    QFETCH(QString, kind);
    QFETCH(int, step);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old"));
    QHash<QString, QByteArray> newFiles;
    QVERIFY(versions(kind, old, &newFiles));
    const QHash<QString, QByteArray> oldFiles = snapshot(kind, old);
    const QStringList before = QDir(old).entryList(QDir::Files | QDir::Hidden);

    WriteFault fault;
    fault.step = WriteFault::Step(step);
    fault.error = error;
    fault.bytesBeforeFailure = 100;
    fault.pathEndsWith = shortName(Rewrites::files(kind).first());
    FaultingFileWriter writer;
    QString message;
    {
        const ScopedWriteFault failing(writer, fault);
        message = Rewrites::write(kind, ProgramFolder(old, &writer), 1);
    }
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(message.contains(shortName(Rewrites::files(kind).first())), qPrintable(message));
    QVERIFY2(!message.contains(QLatin1Char('\\')), qPrintable(message));
    QCOMPARE(snapshot(kind, old), oldFiles);
    // No temporary file is left behind.
    QCOMPARE(QDir(old).entryList(QDir::Files | QDir::Hidden), before);

    // Once the disk has room again, the same rewrite works.
    QCOMPARE(Rewrites::write(kind, ProgramFolder(old, &writer), 1), QString());
    QCOMPARE(snapshot(kind, old), newFiles);
}

void TestCrashSafeFiles::readOnlyFolderKeepsOldFile_data() {
    killedWriterLeavesOldOrNew_data();
}

void TestCrashSafeFiles::readOnlyFolderKeepsOldFile() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old"));
    QHash<QString, QByteArray> newFiles;
    QVERIFY(versions(kind, old, &newFiles));
    const QHash<QString, QByteArray> oldFiles = snapshot(kind, old);

    QString message;
    {
        const ReadOnlyFolder readOnly(old);
        if (!readOnly.active())
            QSKIP("The folder cannot be made read-only here.");
        message = Rewrites::write(kind, ProgramFolder(old), 1);
    }
    // The first file that could not be replaced, named with its folder.
    QVERIFY2(message.contains(QStringLiteral("Permission denied")), qPrintable(message));
    QVERIFY2(message.contains(old + QLatin1Char('/')), qPrintable(message));
    QCOMPARE(snapshot(kind, old), oldFiles);
}

QTEST_GUILESS_MAIN(TestCrashSafeFiles)
#include "tst_crashsafefiles.moc"
