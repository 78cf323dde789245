#include "files/programfiles.h"
#include "headlinesets.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

using Sets = HeadlineSets;

const QDateTime kEditing(QDate(2026, 12, 6), QTime(8, 0, 0));
const QDateTime kExit(QDate(2026, 12, 7), QTime(9, 30, 5));

QByteArray golden(const char* name) {
    return fileBytes(QStringLiteral(GOLDEN_DIR "/") + QLatin1String(name));
}

// A "\Headlines.txt" of the given lines: "f0", "f1", ... with `last` as line 34.
QByteArray setsFile(int count, const char* last) {
    QByteArray bytes;
    for (int n = 0; n < count; ++n)
        bytes += (n == Sets::kSelectBox ? QByteArray(last) : "f" + QByteArray::number(n)) + "\r\n";
    return bytes;
}

} // namespace

class TestHeadlineSets : public QObject {
    Q_OBJECT
private slots:
    void filesOfSetTwo();
    void referenceBoxesFollow_data();
    void referenceBoxesFollow();
    void load_data();
    void load();
    void unreadableFileKeepsTheBoxes();
    void failedWriteKeepsTheOldFiles();
};

// Padded fields are trimmed in "\Headline1.txt", kept in "\Headlines.txt" and in the
// preview; "\Headlines.txt" has the date shown while editing, "\Headline1.txt" the exit's.
void TestHeadlineSets::filesOfSetTwo() {
    QTemporaryDir dir;
    Sets sets;
    sets.setText(Sets::box(1, Sets::Station), QStringLiteral("  11150 Vornal "));
    sets.setText(Sets::box(1, Sets::Reference), QStringLiteral("2026-042 "));
    sets.setText(Sets::box(1, Sets::Routing), QStringLiteral(" via 11151"));
    sets.select(1);
    sets.fillDateTime(kEditing);
    QVERIFY(sets.save(ProgramFolder(dir.path()), kExit));
    QCOMPARE(fileBytes(dir.filePath(programFile(ProgramFiles::kHeadlineSets))), golden("headlines-set2.txt"));
    QCOMPARE(fileBytes(dir.filePath(programFile(ProgramFiles::kHeadline))), golden("headline1-set2.txt"));
    QCOMPARE(sets.previewItems(),
             (QStringList{QStringLiteral(" "), QString::fromLatin1(Sets::kRuler), QStringLiteral(" "),
                          QStringLiteral("Stazione telescrivente di   11150 Vornal "),
                          QStringLiteral("Vornal Nr. 2026-042  Data:    07/12/2026 Ora: 09:30:05"),
                          QStringLiteral("soggetto:   via 11151")}));
    QCOMPARE(qsizetype(strlen(Sets::kRuler)), 67);
}

void TestHeadlineSets::referenceBoxesFollow_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shared");
    QTest::newRow("set 1") << 3 << "2026-7"
                           << "2026-7";
    QTest::newRow("set 2") << 14 << "2026-8"
                           << "2026-8";
    QTest::newRow("set 3, a line end becomes a blank") << 25 << "a\r\nb"
                                                       << "a  b";
    QTest::newRow("another box keeps to itself") << 4 << "Datum"
                                                 << "2024-001";
}

void TestHeadlineSets::referenceBoxesFollow() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, shared);
    Sets sets;
    sets.setText(box, typed);
    for (const int reference : {3, 14, 25})
        QCOMPARE(sets.text(reference), shared);
}

void TestHeadlineSets::load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("box4");
    QTest::addColumn<QString>("status");
    QTest::newRow("set 2") << setsFile(34, "1") << 1 << "f4"
                           << "";
    QTest::newRow("line 34 \"7\" chooses none") << setsFile(34, "7") << 7 << "f4"
                                                << "";
    QTest::newRow("line 34 \"x\" is set 1") << setsFile(34, "x") << 0 << "f4"
                                            << "";
    QTest::newRow("3 lines")
        << setsFile(3, "") << 0 << "Data:   "
        << "Headlines.txt holds 3 of 34 lines: the other headline boxes keep their texts";
    QTest::newRow("missing") << QByteArray() << 0 << "Data:   "
                             << "Headlines.txt not found: the headline boxes keep their texts";
}

void TestHeadlineSets::load() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    if (!file.isEmpty())
        QVERIFY(writeFile(folder.file(QString::fromLatin1(Sets::kSetsFile)), file));
    Sets sets;
    const Sets::LoadResult loaded = sets.load(folder);
    QTEST(sets.selected(), "selected");
    QTEST(sets.text(4), "box4");
    QTEST(loaded.statusText(), "status");
    // Read as typed, so the last of the reference lines wins.
    if (loaded.complete())
        QCOMPARE(sets.text(3), QStringLiteral("f25"));

    // Without a chosen set the headline file is empty.
    QVERIFY(sets.save(folder, kExit));
    QCOMPARE(fileBytes(folder.file(QString::fromLatin1(Sets::kHeadlineFile))).isEmpty(),
             !Sets::isSet(sets.selected()));
}

// A "\Headlines.txt" that is there but cannot be read: the status names the file and
// the system's reason, and the boxes keep what they hold.
void TestHeadlineSets::unreadableFileKeepsTheBoxes() {
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    const QString path = folder.file(QString::fromLatin1(Sets::kSetsFile));
    QVERIFY(QDir().mkdir(path));
    Sets sets;
    sets.setText(4, QStringLiteral("typed"));
    const Sets::LoadResult loaded = sets.load(folder);
    QVERIFY(loaded.found);
    QVERIFY(!loaded.complete());
    QVERIFY(!loaded.read.reason.isEmpty());
    QCOMPARE(loaded.statusText(), path + QStringLiteral(": ") + loaded.read.reason +
                                      QStringLiteral("; the headline boxes keep their texts"));
    QCOMPARE(sets.text(4), QStringLiteral("typed"));
}

void TestHeadlineSets::failedWriteKeepsTheOldFiles() {
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    QVERIFY(QDir(dir.path()).mkdir(programFile(ProgramFiles::kHeadlineSets)));
    QVERIFY(writeFile(folder.file(QString::fromLatin1(Sets::kHeadlineFile)), "OLD\r\n"));
    Sets sets;
    const FileResult saved = sets.save(folder, kExit);
    QVERIFY(!saved);
    QVERIFY(saved.error.contains(programFile(ProgramFiles::kHeadlineSets)));
    QCOMPARE(fileBytes(folder.file(QString::fromLatin1(Sets::kHeadlineFile))), QByteArray("OLD\r\n"));
}

QTEST_GUILESS_MAIN(TestHeadlineSets)
#include "tst_headlinesets.moc"
