#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

// The fixture files other tests stand on: a rewrite leaves no old bytes behind and a
// failed write says so.
class TestTestFiles : public QObject {
    Q_OBJECT
private slots:
    void writeThenRead_data();
    void writeThenRead();
    void unwritablePath();
};

void TestTestFiles::writeThenRead_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("new file") << QByteArray() << QByteArray("abc\r\n");
    QTest::newRow("shorter rewrite") << QByteArray(500, 'x') << QByteArray("\x80\xff\x00z", 4);
    QTest::newRow("emptied") << QByteArray("old") << QByteArray();
}

void TestTestFiles::writeThenRead() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.bin"));
    if (!before.isEmpty())
        QVERIFY(writeFile(path, before));
    QVERIFY(writeFile(path, bytes));
    QCOMPARE(fileBytes(path), bytes);
}

void TestTestFiles::unwritablePath() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(!writeFile(dir.filePath(QStringLiteral("folder")), "x"));
    QVERIFY(!writeFile(dir.filePath(QStringLiteral("missing/f.bin")), "x"));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("missing.bin"))), QByteArray());
    // Tests that tell a missing file from an empty one pass what a missing one gives.
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("missing.bin")), "<missing>"), QByteArray("<missing>"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("empty.bin")), {}));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("empty.bin")), "<missing>"), QByteArray());
}

QTEST_GUILESS_MAIN(TestTestFiles)
#include "tst_testfiles.moc"
