#include "files/programfiles.h"
#include "files/programfolderchoice.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace vornal;

// Where the operator's files live, and the first start of an installed program.
class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void choice_data();
    void choice();
    void firstStartCopiesEveryDefault();
    void seedingNeverOverwrites_data();
    void seedingNeverOverwrites();
    void otherSourcesAreNotSeeded();
    void missingDefaultsGiveAnEmptyFolder();
    void unwritableFolderIsReported();

private:
    static void put(const QString& path, const QByteArray& bytes);
    ProgramFolderChoice perUser() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_defaults;
    QString m_home;
};

void TestProgramFolder::put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestProgramFolder::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_defaults = m_dir->filePath(QStringLiteral("usr/share/vornal-terminal"));
    m_home = m_dir->filePath(QStringLiteral("home"));
    put(m_defaults + QStringLiteral("/VornalUsb.cfg"), "// shipped\r\n");
    put(m_defaults + QStringLiteral("/Message.txt"), "shipped message\r\n");
    put(m_defaults + QStringLiteral("/Skin-Std.jpg"), QByteArray("\xff\xd8\x00\x01", 4));
    put(m_defaults + QStringLiteral("/samples/klkl.txt"), "shipped klkl\r\n");
}

ProgramFolderChoice TestProgramFolder::perUser() const {
    return ProgramFolderChoice::choose(
        {{}, m_dir->filePath(QStringLiteral("usr/bin")), {}, m_home, m_defaults});
}

void TestProgramFolder::choice_data() {
    QTest::addColumn<QString>("vornalHome");
    QTest::addColumn<bool>("executableHasConfiguration");
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("root"); // below the temporary folder

    const int env = int(ProgramFolderChoice::Source::Environment);
    const int exe = int(ProgramFolderChoice::Source::Executable);
    const int user = int(ProgramFolderChoice::Source::PerUser);
    QTest::newRow("VORNAL_HOME wins over a build tree") << "demo" << true << "" << env << "demo";
    QTest::newRow("VORNAL_HOME wins over the per-user folder") << "demo" << false << "data" << env << "demo";
    QTest::newRow("a build tree or portable copy") << "" << true << "data" << exe << "bin";
    QTest::newRow("installed, XDG_DATA_HOME set") << "" << false << "data" << user << "data/vornal-terminal";
    QTest::newRow("installed, default data home")
        << "" << false << "" << user << "home/.local/share/vornal-terminal";
    QTest::newRow("installed, relative XDG_DATA_HOME is ignored")
        << "" << false << "relative/share" << user << "home/.local/share/vornal-terminal";
}

void TestProgramFolder::choice() {
    QFETCH(QString, vornalHome);
    QFETCH(bool, executableHasConfiguration);
    QFETCH(QString, xdgDataHome);
    QFETCH(int, source);
    QFETCH(QString, root);

    const QString bin = m_dir->filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    if (executableHasConfiguration)
        put(bin + QStringLiteral("/VornalUsb.cfg"), "// built\r\n");
    const auto below = [this](const QString& name) { return name.isEmpty() ? name : m_dir->filePath(name); };
    const QString dataHome =
        xdgDataHome.startsWith(QLatin1String("relative")) ? xdgDataHome : below(xdgDataHome);

    const ProgramFolderChoice chosen =
        ProgramFolderChoice::choose({below(vornalHome), bin, dataHome, m_home, m_defaults});
    QCOMPARE(int(chosen.source()), source);
    QCOMPARE(chosen.root(), m_dir->filePath(root));
}

void TestProgramFolder::firstStartCopiesEveryDefault() {
    const ProgramFolderChoice chosen = perUser();
    QVERIFY(!QFileInfo::exists(chosen.root()));
    const FileResult seeded = chosen.seed();
    QVERIFY2(seeded.ok(), qPrintable(seeded.error));
    for (const QString& relative :
         {programFile(ProgramFiles::kConfiguration), programFile(ProgramFiles::kMessage),
          programFile(ProgramFiles::kSkinStandard), QStringLiteral("samples/klkl.txt")}) {
        QCOMPARE(fileBytes(chosen.root() + QLatin1Char('/') + relative, "<missing>"),
                 fileBytes(m_defaults + QLatin1Char('/') + relative, "<missing>"));
    }
}

// What the operator has changed or removed stays so: the defaults come in once.
void TestProgramFolder::seedingNeverOverwrites_data() {
    QTest::addColumn<QString>("before");      // files the folder holds before the start
    QTest::addColumn<QString>("file");        // the file to look at afterwards
    QTest::addColumn<QByteArray>("expected"); // its contents after the start

    QTest::newRow("an edited message is kept") << "VornalUsb.cfg,Message.txt"
                                               << "Message.txt" << QByteArray("operator's Message.txt");
    QTest::newRow("an edited configuration is kept")
        << "VornalUsb.cfg"
        << "VornalUsb.cfg" << QByteArray("operator's VornalUsb.cfg");
    QTest::newRow("a removed file stays removed once seeded") << "VornalUsb.cfg"
                                                              << "Message.txt" << QByteArray("<missing>");
    QTest::newRow("a start cut short is completed") << "Message.txt"
                                                    << "Skin-Std.jpg" << QByteArray("\xff\xd8\x00\x01", 4);
    QTest::newRow("a start cut short keeps what was copied")
        << "Message.txt"
        << "Message.txt" << QByteArray("operator's Message.txt");
    QTest::newRow("a start cut short gets the configuration")
        << "Message.txt"
        << "VornalUsb.cfg" << QByteArray("// shipped\r\n");
}

void TestProgramFolder::seedingNeverOverwrites() {
    QFETCH(QString, before);
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);

    const ProgramFolderChoice chosen = perUser();
    for (const QString& name : before.split(QLatin1Char(',')))
        put(chosen.root() + QLatin1Char('/') + name, "operator's " + name.toUtf8());
    QVERIFY(chosen.seed().ok());
    QVERIFY(chosen.seed().ok()); // and again at the next start
    QCOMPARE(fileBytes(chosen.root() + QLatin1Char('/') + file, "<missing>"), expected);
}

void TestProgramFolder::otherSourcesAreNotSeeded() {
    const QString home = m_dir->filePath(QStringLiteral("demo"));
    const ProgramFolderChoice chosen = ProgramFolderChoice::choose({home, {}, {}, m_home, m_defaults});
    QVERIFY(chosen.seed().ok());
    QVERIFY(!QFileInfo::exists(home));
}

void TestProgramFolder::missingDefaultsGiveAnEmptyFolder() {
    m_defaults = m_dir->filePath(QStringLiteral("nowhere"));
    const ProgramFolderChoice chosen = perUser();
    QVERIFY(chosen.seed().ok());
    QVERIFY(QFileInfo(chosen.root()).isDir());
    QVERIFY(QDir(chosen.root()).isEmpty());
}

void TestProgramFolder::unwritableFolderIsReported() {
    if (::geteuid() == 0)
        QSKIP("root writes into any folder");
    QDir().mkpath(m_home);
    QFile::setPermissions(m_home, QFile::ReadOwner | QFile::ExeOwner);
    const FileResult seeded = perUser().seed();
    QFile::setPermissions(m_home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!seeded.ok());
    QVERIFY2(seeded.error.contains(m_home), qPrintable(seeded.error));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
