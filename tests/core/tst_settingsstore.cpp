#include "fakeclock.h"
#include "fakeseriallink.h"
#include "files/initext.h"
#include "files/reportingsettingsstore.h"
#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "filesizelimit.h"
#include "memorysettingsstore.h"
#include "readonlyfolder.h"
#include "scopedwritefault.h"
#include "scripteddialogs.h"
#include "serial/portcontroller.h"
#include "serial/portsettings.h"
#include "testfiles.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace vornal;

namespace {

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What QSettings reads from these bytes, from a file of its own (QSettings keeps the
// files it has read, so a file it has seen before might be answered from memory).
QString readBack(const QByteArray& ini, const QString& section, const QString& key) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("check.ini"));
    if (!writeFile(path, ini))
        return QStringLiteral("<not written>");
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant value = settings.value(section + QLatin1Char('/') + key);
    return value.metaType() == QMetaType::fromType<QString>() ? value.toString()
                                                              : QStringLiteral("<not a text>");
}

// The file of a user who mapped the box to a device and wrote a note in it.
const QByteArray kUserFile = "; the box\n"
                             "[Ports]\n"
                             "1=/dev/ttyUSB0\n"
                             "\n"
                             "[Properties]\n"
                             "Settings=\"9600,n,8,1\"\n"
                             "CommPort=1\n"
                             "\n"
                             "[Font]\n"
                             "FontName=Courier New\n";

} // namespace

// The settings store: its file keeps what it does not write, takes every value back as
// it was given, and a write that fails leaves the old file and is told once.
class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void valuesReadBackUnchanged_data();
    void valuesReadBackUnchanged();
    void editKeepsTheOtherLines_data();
    void editKeepsTheOtherLines();
    void storeWritesIntoTheUsersFile();
    void missingFolderIsMade();
    void failedWriteKeepsTheFile_data();
    void failedWriteKeepsTheFile();
    void readOnlyFolder();
    void failureIsToldOnce();
    void portSettingsSaveOnAReadOnlyFolder();
};

void TestSettingsStore::valuesReadBackUnchanged_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QString p = QStringLiteral("Properties");
    const QString k = QStringLiteral("Settings");
    QTest::newRow("line settings") << p << k << QStringLiteral("9600,n,8,1");
    QTest::newRow("number") << p << k << QStringLiteral("12");
    QTest::newRow("empty") << p << k << QString();
    QTest::newRow("blanks around") << p << k << QStringLiteral("  two blanks  ");
    QTest::newRow("only blanks") << p << k << QStringLiteral("   ");
    QTest::newRow("separators") << p << k << QStringLiteral("a;b=c,d");
    QTest::newRow("quotes and backslashes") << p << k << QStringLiteral("say \"hi\" C:\\dir\\");
    QTest::newRow("at sign") << p << k << QStringLiteral("@Variant(x)");
    QTest::newRow("hash and brackets") << p << k << QStringLiteral("#[x]");
    QTest::newRow("line ends and tab") << p << k << QStringLiteral("a\r\nb\tc\n");
    QTest::newRow("control then hex digit") << p << k << (QString(QChar(1)) + QStringLiteral("ab"));
    QTest::newRow("null then digit") << p << k << (QString(QChar(0)) + QStringLiteral("1"));
    QTest::newRow("beyond ASCII") << p << k << QStringLiteral("Gr\u00fc\u00dfe \u20ac \U0001D11E");
    QTest::newRow("key with blank") << p << QStringLiteral("Font Name") << QStringLiteral("Arial");
    QTest::newRow("key with percent") << p << QStringLiteral("100%") << QStringLiteral("x");
    QTest::newRow("key beyond ASCII") << p << QStringLiteral("Schrift\u00e4\u65e5") << QStringLiteral("x");
    QTest::newRow("section General") << QStringLiteral("General") << k << QStringLiteral("x");
    QTest::newRow("section general") << QStringLiteral("general") << k << QStringLiteral("x");
    QTest::newRow("section with blank") << QStringLiteral("My Box") << k << QStringLiteral("x");
}

void TestSettingsStore::valuesReadBackUnchanged() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    IniText text(kUserFile);
    text.setValue(section, key, value);
    QCOMPARE(readBack(text.text(), section, key), value);
    // The user's own keys read as before.
    QCOMPARE(readBack(text.text(), QStringLiteral("Ports"), QStringLiteral("1")),
             QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(readBack(text.text(), QStringLiteral("Font"), QStringLiteral("FontName")),
             QStringLiteral("Courier New"));
}

void TestSettingsStore::editKeepsTheOtherLines_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QString p = QStringLiteral("Properties");
    QTest::newRow("key replaced") << kUserFile << p << QStringLiteral("CommPort")
                                  << QByteArray(kUserFile).replace("CommPort=1", "CommPort=new");
    QTest::newRow("key added to its section")
        << kUserFile << p << QStringLiteral("Handshaking")
        << QByteArray(kUserFile).replace("CommPort=1\n", "CommPort=1\nHandshaking=new\n");
    QTest::newRow("section added") << kUserFile << QStringLiteral("HeadlineSelect")
                                   << QStringLiteral("Option")
                                   << kUserFile + "\n[HeadlineSelect]\nOption=new\n";
    QTest::newRow("empty file") << QByteArray() << p << QStringLiteral("CommPort")
                                << QByteArray("[Properties]\nCommPort=new\n");
    QTest::newRow("CR LF kept") << QByteArray("[Ports]\r\n1=/dev/x\r\n") << p << QStringLiteral("CommPort")
                                << QByteArray("[Ports]\r\n1=/dev/x\r\n\r\n[Properties]\r\nCommPort=new\r\n");
    QTest::newRow("blanks and continued value")
        << QByteArray("[Properties]\n  CommPort = a\\\n  b\nNext=1\n") << p << QStringLiteral("CommPort")
        << QByteArray("[Properties]\nCommPort=new\nNext=1\n");
    QTest::newRow("section twice") << QByteArray("[Properties]\nA=1\n[Ports]\n1=x\n[Properties]\nB=2\n") << p
                                   << QStringLiteral("C")
                                   << QByteArray(
                                          "[Properties]\nA=1\n[Ports]\n1=x\n[Properties]\nB=2\nC=new\n");
    QTest::newRow("same key in another section")
        << QByteArray("[Ports]\nCommPort=keep\n") << p << QStringLiteral("CommPort")
        << QByteArray("[Ports]\nCommPort=keep\n\n[Properties]\nCommPort=new\n");
    QTest::newRow("comment that looks like the key")
        << QByteArray("[Properties]\n;CommPort=old\n") << p << QStringLiteral("CommPort")
        << QByteArray("[Properties]\n;CommPort=old\nCommPort=new\n");
}

void TestSettingsStore::editKeepsTheOtherLines() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    IniText text(before);
    text.setValue(section, key, QStringLiteral("new"));
    QTEST(text.text(), "after");
}

void TestSettingsStore::storeWritesIntoTheUsersFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(writeFile(path, kUserFile));
    IniSettingsStore store(path);
    QCOMPARE(store.value(SettingsKeys::kProperties, SettingsKeys::kSettings), QStringLiteral("9600,n,8,1"));
    QVERIFY(store.setValue(SettingsKeys::kProperties, SettingsKeys::kSettings, QStringLiteral("300,e,7,2")));
    QVERIFY(store.setValue(SettingsKeys::kProperties, SettingsKeys::kCommPort, QStringLiteral("3")));
    QCOMPARE(store.value(SettingsKeys::kProperties, SettingsKeys::kSettings), QStringLiteral("300,e,7,2"));
    QCOMPARE(
        fileBytes(path),
        QByteArray(kUserFile).replace("\"9600,n,8,1\"", "\"300,e,7,2\"").replace("CommPort=1", "CommPort=3"));
    // A store of the next run reads what this one wrote.
    QTemporaryDir next;
    const QString copy = next.filePath(QStringLiteral("settings.ini"));
    QVERIFY(writeFile(copy, fileBytes(path)));
    const IniSettingsStore again(copy);
    QCOMPARE(again.value(SettingsKeys::kProperties, SettingsKeys::kSettings), QStringLiteral("300,e,7,2"));
    QCOMPARE(again.value(QStringLiteral("Ports"), QStringLiteral("1")), QStringLiteral("/dev/ttyUSB0"));
}

void TestSettingsStore::missingFolderIsMade() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/b/settings.ini"));
    IniSettingsStore store(path);
    QVERIFY(store.setValue(SettingsKeys::kFont, SettingsKeys::kFontSize, QStringLiteral("14")));
    QCOMPARE(fileBytes(path), QByteArray("[Font]\nFontSize=14\n"));
    // A file where a folder should be: the reason is the system's.
    const QString blocked = dir.filePath(QStringLiteral("file/settings.ini"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
    IniSettingsStore nowhere(blocked);
    const FileResult result =
        nowhere.setValue(QStringLiteral("Font"), QStringLiteral("FontSize"), QStringLiteral("14"));
    QVERIFY(!result.ok());
    QVERIFY2(result.error.endsWith(reason(EEXIST)) || result.error.endsWith(reason(ENOTDIR)),
             qPrintable(result.error));
}

void TestSettingsStore::failedWriteKeepsTheFile_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("fileSizeLimit");
    QTest::newRow("disk full") << ENOSPC << false;
    QTest::newRow("file size limit") << EFBIG << true;
}

void TestSettingsStore::failedWriteKeepsTheFile() {
    QFETCH(int, error);
    QFETCH(bool, fileSizeLimit);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(writeFile(path, kUserFile));
    FaultingFileWriter writer;
    IniSettingsStore store(path, &writer);
    const QString p = QStringLiteral("Properties");
    const QString note = QStringLiteral("a note long enough to need more room ").repeated(10);
    FileResult result;
    if (fileSizeLimit) {
        const FileSizeLimit limit(kUserFile.size() + 20);
        result = store.setValue(p, QStringLiteral("Note"), note);
    } else {
        const ScopedWriteFault fault(writer, {WriteFault::Step::Write, error, 0, {}});
        result = store.setValue(p, QStringLiteral("Note"), note);
    }
    QCOMPARE(result.error, path + QStringLiteral(": ") + reason(error));
    QCOMPARE(fileBytes(path), kUserFile);
    // The value holds for the run, and goes to the file with the next write that works.
    QCOMPARE(store.value(p, QStringLiteral("Note")), note);
    QVERIFY(store.setValue(p, SettingsKeys::kCommPort, QStringLiteral("2")));
    QCOMPARE(readBack(fileBytes(path), p, QStringLiteral("Note")), note);
    QCOMPARE(readBack(fileBytes(path), p, QStringLiteral("CommPort")), QStringLiteral("2"));
    QCOMPARE(readBack(fileBytes(path), QStringLiteral("Ports"), QStringLiteral("1")),
             QStringLiteral("/dev/ttyUSB0"));
}

void TestSettingsStore::readOnlyFolder() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(writeFile(path, kUserFile));
    IniSettingsStore store(path);
    FileResult result;
    {
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            QSKIP("The folder cannot be made read-only here");
        result = store.setValue(SettingsKeys::kHeadlineSelect, SettingsKeys::kOption, QStringLiteral("2"));
    }
    QCOMPARE(result.error, path + QStringLiteral(": ") + reason(EACCES));
    QCOMPARE(fileBytes(path), kUserFile);
    QCOMPARE(store.value(QStringLiteral("HeadlineSelect"), QStringLiteral("Option")), QStringLiteral("2"));
}

void TestSettingsStore::failureIsToldOnce() {
    MemorySettingsStore memory;
    ScriptedDialogs dialogs;
    ReportingSettingsStore store(memory, dialogs);
    const QString s = QStringLiteral("Properties");
    memory.failWrites(QStringLiteral("/cfg/settings.ini: Permission denied"));
    QVERIFY(!store.setValue(s, SettingsKeys::kSettings, QStringLiteral("9600,n,8,1")));
    QVERIFY(!store.setValue(s, SettingsKeys::kCommPort, QStringLiteral("1")));
    QCOMPARE(dialogs.texts(), QStringList{ReportingSettingsStore::failureText(
                                  {QStringLiteral("/cfg/settings.ini: Permission denied")})});
    QCOMPARE(dialogs.messages.first().icon, DialogIcon::Warning);
    QVERIFY(dialogs.texts().first().endsWith(QLatin1String("\n/cfg/settings.ini: Permission denied")));
    QCOMPARE(store.value(s, QStringLiteral("CommPort")), QStringLiteral("1"));
    // Another reason is news; after a write that worked, the same failure is told again.
    memory.failWrites(QStringLiteral("/cfg/settings.ini: No space left on device"));
    QVERIFY(!store.setValue(s, SettingsKeys::kCommPort, QStringLiteral("2")));
    memory.failWrites({});
    QVERIFY(store.setValue(s, SettingsKeys::kCommPort, QStringLiteral("3")));
    memory.failWrites(QStringLiteral("/cfg/settings.ini: No space left on device"));
    QVERIFY(!store.setValue(s, SettingsKeys::kCommPort, QStringLiteral("4")));
    QCOMPARE(dialogs.messages.size(), 3);
}

void TestSettingsStore::portSettingsSaveOnAReadOnlyFolder() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(writeFile(path, kUserFile));
    IniSettingsStore ini(path);
    ScriptedDialogs dialogs;
    ReportingSettingsStore store(ini, dialogs);
    FakeSerialLink link;
    FakeClock clock;
    PortController port(link, clock, dialogs);
    PortSettings settings(port, store, dialogs);
    {
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            QSKIP("The folder cannot be made read-only here");
        // The line takes the settings; only keeping them fails, and that is told once.
        QVERIFY(settings.save({QStringLiteral("Com 1"), QStringLiteral("19200"), QStringLiteral("Even"),
                               QStringLiteral("7"), QStringLiteral("2"), 0}));
    }
    QCOMPARE(dialogs.texts(), QStringList{ReportingSettingsStore::failureText(
                                  {path + QStringLiteral(": ") + reason(EACCES)})});
    QCOMPARE(link.settings(), QStringLiteral("19200,e,7,2"));
    QCOMPARE(fileBytes(path), kUserFile);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
