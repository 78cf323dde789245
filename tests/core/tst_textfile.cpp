#include "files/programfiles.h"
#include "files/textfile.h"
#include "filesizelimit.h"
#include "scopedwritefault.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace vornal;

Q_DECLARE_METATYPE(WriteFault::Step)

namespace {

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QStringList folderEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

} // namespace

// Whole-file writes: the old file is replaced only by a complete new one.
class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void writeReplacesTheWholeFile();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void fullDiskOnAFileWithoutAnOldOne();
    void writeKeepsPermissionsAndLinks();
    void faultOnlyForTheFileItNames();

private:
    QTemporaryDir m_dir;
};

void TestTextFile::writeReplacesTheWholeFile() {
    const QString path = m_dir.filePath(QStringLiteral("whole.txt"));
    QVERIFY(writeFile(path, QByteArray(10000, 'o')));
    QVERIFY(TextFile::writeBytes(path, "new\r\n").ok());
    QCOMPARE(fileBytes(path), QByteArray("new\r\n"));
    QVERIFY(TextFile::writeText(path, QStringLiteral("B\u00fcr\u20ac")).ok());
    QCOMPARE(fileBytes(path), QByteArray("B\xfcr\x80"));
    QVERIFY(TextFile::writeBytes(path, QByteArray()).ok());
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(folderEntries(m_dir.path()), QStringList{QStringLiteral("whole.txt")});
}

void TestTextFile::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<WriteFault::Step>("step");
    QTest::addColumn<int>("error");
    QTest::addColumn<qint64>("bytesBeforeFailure");
    QTest::addColumn<bool>("fileSizeLimit");
    using S = WriteFault::Step;
    QTest::newRow("disk full at once") << S::Write << ENOSPC << qint64(0) << false;
    QTest::newRow("disk full after a block") << S::Write << ENOSPC << qint64(4096) << false;
    QTest::newRow("quota") << S::Write << EDQUOT << qint64(100) << false;
    QTest::newRow("temporary file refused") << S::Create << EACCES << qint64(0) << false;
    QTest::newRow("sync fails") << S::Sync << EIO << qint64(0) << false;
    QTest::newRow("close fails") << S::Close << ENOSPC << qint64(0) << false;
    QTest::newRow("rename fails") << S::Rename << EROFS << qint64(0) << false;
    // A real short write: the system takes what fits and then refuses.
    QTest::newRow("file size limit") << S::Write << EFBIG << qint64(0) << true;
}

void TestTextFile::failedWriteKeepsTheOldFile() {
    QFETCH(WriteFault::Step, step);
    QFETCH(int, error);
    QFETCH(qint64, bytesBeforeFailure);
    QFETCH(bool, fileSizeLimit);
    QTemporaryDir dir;
    const QString path = dir.filePath(programFile(ProgramFiles::kLocalNumbers));
    QByteArray old;
    for (int i = 0; i < 18; ++i)
        old += QByteArray::number(10 + i) + "    STATION " + QByteArray::number(i) + "\r\n";
    QVERIFY(writeFile(path, old));
    const QByteArray bigger(20000, 'x');

    FileResult result;
    if (fileSizeLimit) {
        const FileSizeLimit limit(4096);
        result = TextFile::writeBytes(path, bigger);
    } else {
        FaultingFileWriter writer;
        const ScopedWriteFault fault(writer, {step, error, bytesBeforeFailure, {}});
        result = TextFile::writeBytes(path, bigger, &writer);
    }
    QVERIFY(!result.ok());
    QCOMPARE(result.error, path + QStringLiteral(": ") + reason(error));
    QCOMPARE(fileBytes(path), old);
    // Nothing is left behind.
    QCOMPARE(folderEntries(dir.path()), QStringList{programFile(ProgramFiles::kLocalNumbers)});
    // And the next write, on a disk with room again, works.
    QVERIFY(TextFile::writeBytes(path, bigger).ok());
    QCOMPARE(fileBytes(path), bigger);
}

void TestTextFile::fullDiskOnAFileWithoutAnOldOne() {
    QTemporaryDir dir;
    const QString path = dir.filePath(programFile(ProgramFiles::kPhonebookCsv));
    FaultingFileWriter writer;
    const ScopedWriteFault fault(writer, {WriteFault::Step::Write, ENOSPC, 10, {}});
    QCOMPARE(TextFile::writeBytes(path, QByteArray(100, 'x'), &writer).error,
             path + QStringLiteral(": ") + reason(ENOSPC));
    QVERIFY(folderEntries(dir.path()).isEmpty());
}

void TestTextFile::writeKeepsPermissionsAndLinks() {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(writeFile(real, "old"));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(QFile::link(real, link));
    QVERIFY(TextFile::writeBytes(link, "new").ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(fileBytes(real), QByteArray("new"));
    QCOMPARE(QFile::permissions(real) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    // A folder where the file should be is not replaced.
    const QString folder = dir.filePath(QStringLiteral("folder"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(TextFile::writeBytes(folder, "x").error, folder + QStringLiteral(": ") + reason(EISDIR));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestTextFile::faultOnlyForTheFileItNames() {
    QTemporaryDir dir;
    const QString csv = dir.filePath(programFile(ProgramFiles::kPhonebookCsv));
    const QString backup = dir.filePath(programFile(ProgramFiles::kPhonebookBackup));
    QVERIFY(writeFile(backup, "old backup"));
    FaultingFileWriter writer;
    const ScopedWriteFault fault(
        writer, {WriteFault::Step::Write, ENOSPC, 4, programFile(ProgramFiles::kPhonebookBackup)});
    QVERIFY(TextFile::writeBytes(csv, "export", &writer).ok());
    QVERIFY(!TextFile::writeBytes(backup, "new backup", &writer).ok());
    QCOMPARE(fileBytes(csv), QByteArray("export"));
    QCOMPARE(fileBytes(backup), QByteArray("old backup"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
