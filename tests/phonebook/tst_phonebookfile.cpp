#include "files/textcodec.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "phonebookrecords.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace vornal;

namespace {

// A hex listing: byte values in hex, "#" to the end of a line is a comment.
QByteArray readHexListing(const QString& path) {
    QByteArray bytes;
    for (QByteArray line : fileBytes(path).split('\n')) {
        line = line.left(line.indexOf('#') < 0 ? line.size() : line.indexOf('#'));
        for (const QByteArray& token : line.simplified().split(' ')) {
            if (!token.isEmpty())
                bytes.append(char(token.toUInt(nullptr, 16)));
        }
    }
    return bytes;
}

} // namespace

class TestPhonebookFile : public QObject {
    Q_OBJECT
private slots:
    void goldenRecords();
    void recordCount_data();
    void recordCount();
    void writeInPlaceAndAppend();
    void storedChangeDateLength_data();
    void storedChangeDateLength();
    void randomBytesReadSafely();
    void readOnlyFileStillReads();
    void fileThatCannotBeCreated();

private:
    QTemporaryDir m_dir;
};

void TestPhonebookFile::goldenRecords() {
    const QByteArray golden = readHexListing(QStringLiteral(GOLDEN_DIR "/tworecords.hex"));
    QCOMPARE(golden.size(), 248);

    PhonebookEntry first = testEntry(QStringLiteral("12345"), QStringLiteral("MAYER"), 1);
    first.ID = 1;
    first.RsGr2 = 1;
    first.ChangeDate = QStringLiteral("07.12.2026");
    PhonebookEntry second = testEntry(QStringLiteral("0123456789012"),
                                      QStringLiteral("€ Ärger & Söhne Brötchen-Bäckerei am Südring"), 2);
    second.ID = -2;
    second.RsGr1 = -1;
    second.RsGr3 = 258;
    second.RsGr4 = 7;
    second.RsGr5 = -32768;
    second.ChangeDate = QStringLiteral("Geändert am 07.12.2026 durch den Verzeichnisdienst, Büro Nord");

    const QString path = m_dir.filePath(QStringLiteral("golden.txt"));
    {
        PhonebookFile file(path);
        QVERIFY(file.Open());
        QVERIFY(file.WriteRecord(1, first));
        QVERIFY(file.WriteRecord(2, second));
        file.Close();
    }
    QCOMPARE(fileBytes(path).toHex(' '), golden.toHex(' '));

    PhonebookFile file(path);
    QVERIFY(file.Open());
    QCOMPARE(file.RecordCount(), 2);
    const PhonebookEntry a = file.ReadRecord(1).value();
    QCOMPARE(a.Number, QStringLiteral("12345       "));
    QCOMPARE(a.Name, QStringLiteral("MAYER") + QString(35, QLatin1Char(' ')));
    QCOMPARE(a.trimmedName(), QStringLiteral("MAYER"));
    QCOMPARE(a.ID, qint16(1));
    QCOMPARE(a.Check, qint16(1));
    QCOMPARE(a.RsGr2, qint16(1));
    QCOMPARE(a.ChangeDate, QStringLiteral("07.12.2026"));
    const PhonebookEntry b = file.ReadRecord(2).value();
    QCOMPARE(b.Number, QStringLiteral("012345678901"));
    QCOMPARE(b.Name, QStringLiteral("€ Ärger & Söhne Brötchen-Bäckerei am Süd"));
    QCOMPARE((QList<qint16>{b.ID, b.Check, b.RsGr1, b.RsGr2, b.RsGr3, b.RsGr4, b.RsGr5}),
             (QList<qint16>{-2, 2, -1, 0, 258, 7, -32768}));
    QCOMPARE(b.ChangeDate, QStringLiteral("Geändert am 07.12.2026 durch den Verzeichnisdienst, Büro"));

    // The hand-made file reads the same as the written one.
    const QString byHand = m_dir.filePath(QStringLiteral("byhand.txt"));
    QVERIFY(writeFile(byHand, golden));
    PhonebookFile handFile(byHand);
    QVERIFY(handFile.Open());
    QCOMPARE(handFile.readAll(), (QList<PhonebookEntry>{a, b}));
}

void TestPhonebookFile::recordCount_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("records");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("123 bytes") << 123 << 0;
    QTest::newRow("124 bytes") << 124 << 1;
    QTest::newRow("248 bytes") << 248 << 2;
    QTest::newRow("300 bytes") << 300 << 2;
}

void TestPhonebookFile::recordCount() {
    QFETCH(int, size);
    QFETCH(int, records);
    QByteArray bytes;
    for (int k = 0; k * 124 < size; ++k)
        bytes += testEntry(QString::number(1000 + k), QStringLiteral("NAME %1").arg(k), 1).toRecord();
    bytes.truncate(size);
    const QString path = m_dir.filePath(QStringLiteral("count%1.txt").arg(size));
    QVERIFY(writeFile(path, bytes));

    PhonebookFile file(path);
    QVERIFY(file.Open());
    QCOMPARE(file.RecordCount(), records);
    QCOMPARE(file.readAll().size(), records);
    QVERIFY(!file.ReadRecord(0));
    QVERIFY(!file.ReadRecord(records + 1));
    if (records > 0)
        QCOMPARE(file.ReadRecord(records)->trimmedNumber(), QString::number(1000 + records - 1));
    file.Close();
    QCOMPARE(file.RecordCount(), 0);
    QCOMPARE(QFileInfo(path).size(), qint64(size)); // reading changes nothing
}

void TestPhonebookFile::writeInPlaceAndAppend() {
    const QString path = m_dir.filePath(QStringLiteral("inplace.txt"));
    QByteArray bytes;
    for (int k = 0; k < 3; ++k)
        bytes += testEntry(QString::number(k), QStringLiteral("N%1").arg(k)).toRecord();
    bytes += QByteArray(52, 'x'); // a torn rest after the last whole record
    QVERIFY(writeFile(path, bytes));

    PhonebookFile file(path);
    QVERIFY(file.Open());
    QVERIFY(file.WriteRecord(2, testEntry(QStringLiteral("777"), QStringLiteral("CHANGED"), 1)));
    QVERIFY(!file.WriteRecord(0, testEntry(QStringLiteral("1"), {})));
    QVERIFY(!file.WriteRecord(5, testEntry(QStringLiteral("1"), {})));
    QCOMPARE(file.RecordCount(), 3);
    // Appending at RecordCount + 1 overwrites the torn rest.
    QVERIFY(file.WriteRecord(4, testEntry(QStringLiteral("4444"), QStringLiteral("APPENDED"))));
    QCOMPARE(file.RecordCount(), 4);
    file.Close();

    const QByteArray after = fileBytes(path);
    QCOMPARE(after.size(), 4 * 124);
    QCOMPARE(after.left(124), bytes.left(124));
    QCOMPARE(after.mid(248, 124), bytes.mid(248, 124));
    QVERIFY(file.Open());
    QCOMPARE(file.ReadRecord(2)->Number, QStringLiteral("777         "));
    QCOMPARE(file.ReadRecord(2)->Check, qint16(1));
    QCOMPARE(file.ReadRecord(4)->trimmedName(), QStringLiteral("APPENDED"));
}

void TestPhonebookFile::storedChangeDateLength_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("read");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("10") << 10 << 10;
    QTest::newRow("56") << 56 << 56;
    QTest::newRow("57") << 57 << 56;
    QTest::newRow("32767") << 32767 << 56;
    QTest::newRow("-1") << -1 << 0;
    QTest::newRow("-32768") << -32768 << 0;
}

void TestPhonebookFile::storedChangeDateLength() {
    QFETCH(int, stored);
    QFETCH(int, read);
    // A damaged length must not make the read run into the next record.
    QByteArray record = testEntry(QStringLiteral("1"), QStringLiteral("A")).toRecord();
    qToLittleEndian<qint16>(qint16(stored), record.data() + 66);
    record.replace(68, 56, QByteArray(56, 'd'));
    QByteArray next = testEntry(QStringLiteral("2"), QStringLiteral("B")).toRecord();
    const QString path = m_dir.filePath(QStringLiteral("date.txt"));
    QVERIFY(writeFile(path, record + next));
    PhonebookFile file(path);
    QVERIFY(file.Open());
    QCOMPARE(file.ReadRecord(1)->ChangeDate, QString(read, QLatin1Char('d')));
    QCOMPARE(file.ReadRecord(2)->trimmedName(), QStringLiteral("B"));

    // Writing cuts to 56.
    PhonebookEntry e = testEntry(QStringLiteral("3"), QStringLiteral("C"));
    e.ChangeDate = QString(stored > 0 ? stored % 200 : 0, QLatin1Char('e'));
    QVERIFY(file.WriteRecord(3, e));
    QCOMPARE(file.RecordCount(), 3);
    QCOMPARE(file.ReadRecord(3)->ChangeDate.size(), std::min<qsizetype>(e.ChangeDate.size(), 56));
}

void TestPhonebookFile::randomBytesReadSafely() {
    QRandomGenerator random(20261207);
    QByteArray bytes(124 * 200 + 77, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    const QString path = m_dir.filePath(QStringLiteral("random.txt"));
    QVERIFY(writeFile(path, bytes));
    PhonebookFile file(path);
    QVERIFY(file.Open());
    QCOMPARE(file.RecordCount(), 200);
    const QList<PhonebookEntry> all = file.readAll();
    QCOMPARE(all.size(), 200);
    for (int k = 0; k < all.size(); ++k) {
        const PhonebookEntry& e = all.at(k);
        QCOMPARE(e.Number.size(), 12);
        QCOMPARE(e.Name.size(), 40);
        QVERIFY(e.ChangeDate.size() <= 56);
        // Every byte survives: number, name and marks come back exactly as stored.
        const QByteArray stored = bytes.mid(k * 124, 124);
        const QByteArray again = e.toRecord();
        QCOMPARE(again.left(68), stored.left(66) + again.mid(66, 2));
        QCOMPARE(PhonebookEntry::fromRecord(again), e);
    }
}

void TestPhonebookFile::readOnlyFileStillReads() {
    const QString path = m_dir.filePath(QStringLiteral("readonly.txt"));
    QVERIFY(writeFile(path, testEntry(QStringLiteral("12345"), QStringLiteral("MAYER"), 1).toRecord()));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    PhonebookFile file(path);
    QVERIFY(file.Open());
    QCOMPARE(file.ReadRecord(1)->trimmedName(), QStringLiteral("MAYER"));
    if (file.isWritable())
        QSKIP("this user may write read-only files");
    QVERIFY(!file.WriteRecord(1, testEntry(QStringLiteral("1"), QStringLiteral("X"))));
    QVERIFY(!file.WriteRecord(2, testEntry(QStringLiteral("1"), QStringLiteral("X"))));
    file.Close();
    QCOMPARE(QFileInfo(path).size(), 124);
}

void TestPhonebookFile::fileThatCannotBeCreated() {
    // A folder that is not there, and a folder standing where the file should be.
    for (const QString& path : {m_dir.filePath(QStringLiteral("no/such/folder/phonebook.txt")),
                                m_dir.filePath(QStringLiteral("adirectory"))}) {
        QDir(m_dir.path()).mkdir(QStringLiteral("adirectory"));
        PhonebookFile file(path);
        QVERIFY(!file.Open());
        QVERIFY(!file.isOpen());
        QVERIFY(!file.errorString().isEmpty());
        QVERIFY(file.openFailureText().contains(path));
        QCOMPARE(file.RecordCount(), 0);
        QVERIFY(!file.ReadRecord(1));
        QVERIFY(!file.WriteRecord(1, testEntry(QStringLiteral("1"), QStringLiteral("X"))));
    }
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("no"))));
}

QTEST_GUILESS_MAIN(TestPhonebookFile)
#include "tst_phonebookfile.moc"
