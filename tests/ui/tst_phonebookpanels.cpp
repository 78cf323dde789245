#include "faketerminal.h"
#include "features/phonebook/phonebookpanels.h"
#include "files/programfiles.h"
#include "filesizelimit.h"
#include "look/objectnames.h"
#include "phaseprobe.h"
#include "phonebookentry.h"
#include "phonebookrecords.h"
#include "realterminal.h"
#include "scopedwritefault.h"
#include "simulators.h"
#include "testfiles.h"
#include "window/terminalwindow.h"

#include <QAccessible>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace vornal;

namespace {

QByteArray record(const QString& number, const QString& name, qint16 check) {
    return testEntry(number, name, check).toRecord();
}

QByteArray record(const char* number, const char* name, qint16 check) {
    return record(QString::fromLatin1(number), QString::fromLatin1(name), check);
}

struct Fixture : FakeTerminal {
    PhaseProbe probe;
    int presetLoads = 0;

    TerminalWindow& make() {
        FakeTerminal::make({}, [this](TerminalWindow& t) {
            // The preset phrases load at start-up and again with every refresh of the lists.
            probe.onLoad = [this] { ++presetLoads; };
            probe.onRefresh = [this] { ++presetLoads; };
            t.features().addFeature(&probe);
        });
        presetLoads = 0;
        return *window;
    }
    // As make(), with the program folder writing through `files`.
    bool visible(const QString& name) const { return find<QWidget>(name)->isVisible(); }
    QString favourite(int i) const {
        return button(ObjectNames::element(ObjectNames::kLblCallNumbers, i))->text();
    }
    QString local(int i) const {
        return button(ObjectNames::element(ObjectNames::kLblLocalTelex, i))->text();
    }
    QLineEdit* localField(QLatin1StringView kind, int i) const {
        return find<QLineEdit>(ObjectNames::element(kind, i));
    }
    void openPort() {
        link.setPortOpen(true);
        link.clearWrites();
    }
};

} // namespace

class TestPhonebookPanels : public QObject {
    Q_OBJECT
private slots:
    void controlsAtStart();
    void favouritesFillAndDial_data();
    void favouritesFillAndDial();
    void favouritesRefreshAndExit();
    void closedPortOnlyTellsTheOperator();
    void uncreatablePhonebookIsReported();
    void localNumbersDial_data();
    void localNumbersDial();
    void localNumbersEditor();
    void localEditorSaveFailureKeepsTheEditorOpen();
    void localEditorOnAFullDiskKeepsTheFile_data();
    void localEditorOnAFullDiskKeepsTheFile();
    void slotClickDialsTheBoxSimulator();
    void captionsFromDataShowAsStored_data();
    void captionsFromDataShowAsStored();
};

void TestPhonebookPanels::controlsAtStart() {
    Fixture f;
    f.make();
    struct Button {
        QLatin1StringView name;
        const char* caption;
        const char* tip;
    };
    const Button buttons[] = {
        {ObjectNames::kLblPhonebookShow, "Favorites", "Invokes the Favorites List"},
        {ObjectNames::kLblRefresh, "Refresh Lists", "Refreshes all the Lists after changes"},
        {ObjectNames::kLblExitNumbers, "Exit Favorites", "Close Favourites List"},
        {ObjectNames::kLblLocalNumbersShow, "Local Numbers", "Invokes the Local Numbers List"},
        {ObjectNames::kLblEditLocal, "Edit Local Nr.", "Invokes the Local Numbers Editor"},
        {ObjectNames::kLblExitLocalTeleprinters, "Exit Local Numbers", "Close Local teleprinters List"},
        {ObjectNames::kLblExitLocalNumbers, "Exit Local Numbers Editor", "Close Local teleprinters editor"},
    };
    for (const Button& b : buttons) {
        QPushButton* button = f.button(QString::fromLatin1(b.name));
        QVERIFY(button);
        QCOMPARE(button->text(), QString::fromLatin1(b.caption));
        QCOMPARE(button->toolTip(), QString::fromLatin1(b.tip));
    }
    QVERIFY(!f.visible(ObjectNames::kFrameNumbers));
    QVERIFY(!f.visible(ObjectNames::kFrameLocalCalls));
    QVERIFY(!f.visible(ObjectNames::kFrameLocalTeleprinters));
    for (int i = 0; i < 25; ++i)
        QCOMPARE(f.favourite(i), QString::number(i + 1));
    QVERIFY(!f.window->findChild<QPushButton*>(ObjectNames::element(ObjectNames::kLblCallNumbers, 25)));
    for (int i = 0; i < 18; ++i) {
        QCOMPARE(f.local(i), QString::number(i + 1));
        QCOMPARE(f.localField(ObjectNames::kTxtLocalNumber, i)->maxLength(), 3);
        QVERIFY(f.localField(ObjectNames::kTxtLocalName, i));
    }
    const QStringList texts = [&] {
        QStringList t;
        for (QLabel* l : f.window->findChildren<QLabel*>())
            t.append(l->text());
        return t;
    }();
    for (const char* heading : {"Favorite Vornal Numbers", "Local Teleprinters", "Special System Numbers",
                                "Local Numbers Editor", "Special Numbers", "Nr.          Description"})
        QVERIFY2(texts.contains(QString::fromLatin1(heading)), heading);
    QCOMPARE(texts.count(QStringLiteral("Nr.          Description")), 2);
    QVERIFY(texts.contains(QStringLiteral("Use only two digit numbers, \notherwise it will not "
                                          "work.\nDescriptions should not exceed 30 chrs.")));
    QCOMPARE(f.window->findChildren<QPushButton*>(ObjectNames::kLblRefresh).size(), 1);
    QCOMPARE(f.presetLoads, 0);
}

void TestPhonebookPanels::favouritesFillAndDial_data() {
    QTest::addColumn<QByteArray>("phonebook");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("sent");
    const QByteArray book = record("55555", "NOT A FAVOURITE", 0) + record("12345", "MAYER", 1) +
                            record("0123", "ZERO", 2) + record("123456789012", "TWELVE", -1);
    QTest::newRow("12345 MAYER") << book << 0
                                 << blanks(2) + QStringLiteral("12345") + blanks(12) +
                                        QStringLiteral("MAYER") + blanks(35)
                                 << QByteArray("\x01 012345");
    QTest::newRow("0123 dials 123") << book << 1
                                    << blanks(2) + QStringLiteral("0123") + blanks(14) +
                                           QStringLiteral("ZERO") + blanks(36)
                                    << QByteArray("\x01 0123");
    QTest::newRow("12 digits dial 10")
        << book << 2 << blanks(2) + QStringLiteral("123456789012TWELVE") + blanks(34)
        << QByteArray("\x01 01234567890");
    QTest::newRow("empty slot dials its index") << book << 7 << QStringLiteral("7") << QByteArray("\x01 7");
    QTest::newRow("no favourite, slot 0") << QByteArray() << 0 << QStringLiteral("0") << QByteArray("\x01 0");
}

void TestPhonebookPanels::favouritesFillAndDial() {
    QFETCH(QByteArray, phonebook);
    QFETCH(int, slot);
    QFETCH(QString, caption);
    QFETCH(QByteArray, sent);
    Fixture f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook));
    f.make();
    f.openPort();

    f.click(ObjectNames::kLblPhonebookShow);
    QVERIFY(f.visible(ObjectNames::kFrameNumbers));
    QCOMPARE(f.presetLoads, 1);
    QCOMPARE(f.favourite(slot), caption);
    QCOMPARE(f.favourite(24), QStringLiteral("24"));

    f.click(ObjectNames::element(ObjectNames::kLblCallNumbers, slot));
    QCOMPARE(f.link.written(), sent);
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(f.window->terminal()->toPlainText().contains(blanks(4) + caption.trimmed()));
    QCOMPARE(f.window->session().state().connectionActive, true);
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kPhonebook))), phonebook);
}

void TestPhonebookPanels::favouritesRefreshAndExit() {
    Fixture f;
    QByteArray book;
    for (int i = 0; i < 30; ++i)
        book += record(QString::number(20000 + i), QStringLiteral("N%1").arg(i), 1);
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), book));
    f.make();
    f.click(ObjectNames::kLblPhonebookShow);
    QVERIFY(f.favourite(24).startsWith(blanks(2) + QStringLiteral("20024")));

    // A change in the file shows after "Refresh Lists": the old favourites disappear.
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)),
                      record("777", "ONLY", 1) + record("888", "NOT", 0)));
    QCOMPARE(f.favourite(0).mid(2, 5), QStringLiteral("20000"));
    f.click(ObjectNames::kLblRefresh);
    QCOMPARE(f.presetLoads, 2);
    QCOMPARE(f.favourite(0),
             blanks(2) + QStringLiteral("777") + blanks(9) + blanks(7) + QStringLiteral("ONLY") + blanks(36));
    for (int i = 1; i < 25; ++i)
        QCOMPARE(f.favourite(i), QString::number(i));

    f.click(ObjectNames::kLblExitNumbers);
    QVERIFY(!f.visible(ObjectNames::kFrameNumbers));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestPhonebookPanels::closedPortOnlyTellsTheOperator() {
    Fixture f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), record("12345", "MAYER", 1)));
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kLocalNumbers)), "12    WERKSTATT\r\n"));
    f.make();
    f.click(ObjectNames::kLblPhonebookShow);
    f.click(ObjectNames::kLblLocalNumbersShow);
    f.click(ObjectNames::element(ObjectNames::kLblCallNumbers, 0));
    f.click(ObjectNames::element(ObjectNames::kLblLocalTelex, 0));
    QCOMPARE(f.dialogs.texts(), QStringList(2, QStringLiteral("Open Communication Port First ..... ")));
    QCOMPARE(f.dialogs.messages.first().buttons, DialogButtons::Ok);
    QVERIFY(f.link.written().isEmpty());
    QCOMPARE(f.window->session().state().connectionActive, false);
}

void TestPhonebookPanels::uncreatablePhonebookIsReported() {
    Fixture f;
    // A folder standing where the phonebook should be: it can be neither opened nor created.
    QVERIFY(QDir(f.dir.path()).mkdir(programFile(ProgramFiles::kPhonebook)));
    f.make();
    f.click(ObjectNames::kLblPhonebookShow);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.texts().first().contains(f.path(programFile(ProgramFiles::kPhonebook))));
    QCOMPARE(f.favourite(3), QStringLiteral("3"));
    QVERIFY(QFileInfo(f.path(programFile(ProgramFiles::kPhonebook))).isDir());
}

void TestPhonebookPanels::localNumbersDial_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("WERKSTATT dials 12")
        << 0 << QStringLiteral("12") + blanks(6) + QStringLiteral("WERKSTATT") << QByteArray("\x01 12");
    QTest::newRow("123 dials 12") << 1 << QStringLiteral("123") + blanks(5) + QStringLiteral("DREI")
                                  << QByteArray("\x01 12");
    QTest::newRow("07 dials 7") << 2 << QStringLiteral("07") + blanks(6) + QStringLiteral("SIEBEN")
                                << QByteArray("\x01 7");
    QTest::newRow("empty entry dials 0") << 3 << blanks(8) << QByteArray("\x01 0");
    QTest::newRow("missing line dials 0") << 14 << blanks(8) << QByteArray("\x01 0");
}

void TestPhonebookPanels::localNumbersDial() {
    QFETCH(int, slot);
    QFETCH(QString, caption);
    QFETCH(QByteArray, sent);
    Fixture f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kLocalNumbers)),
                      "12    WERKSTATT\r\n123   DREI\r\n07    SIEBEN\r\n      \r\n"));
    f.make();
    f.openPort();
    f.click(ObjectNames::kLblLocalNumbersShow);
    QVERIFY(f.visible(ObjectNames::kFrameLocalCalls));
    QCOMPARE(f.local(slot), caption);
    f.click(ObjectNames::element(ObjectNames::kLblLocalTelex, slot));
    QCOMPARE(f.link.written(), sent);
    QVERIFY(f.window->terminal()->toPlainText().contains(blanks(4) + caption));
    f.click(ObjectNames::kLblExitLocalTeleprinters);
    QVERIFY(!f.visible(ObjectNames::kFrameLocalCalls));
}

void TestPhonebookPanels::localNumbersEditor() {
    Fixture f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kLocalNumbers)), "12    WERKSTATT\r\n"));
    f.make();
    f.click(ObjectNames::kLblPhonebookShow);
    f.click(ObjectNames::kLblLocalNumbersShow);
    f.presetLoads = 0;

    f.click(ObjectNames::kLblEditLocal);
    QVERIFY(f.visible(ObjectNames::kFrameLocalTeleprinters));
    QVERIFY(!f.visible(ObjectNames::kFrameNumbers));
    QCOMPARE(f.localField(ObjectNames::kTxtLocalNumber, 0)->text(), QStringLiteral("12"));
    QCOMPARE(f.localField(ObjectNames::kTxtLocalName, 0)->text(), QStringLiteral("WERKSTATT"));
    QCOMPARE(f.localField(ObjectNames::kTxtLocalNumber, 1)->text(), QString());

    // The number field takes three characters and no more.
    QLineEdit* number = f.localField(ObjectNames::kTxtLocalNumber, 1);
    number->setFocus();
    QTest::keyClicks(number, QStringLiteral("4567"));
    QCOMPARE(number->text(), QStringLiteral("456"));
    QTest::keyClicks(f.localField(ObjectNames::kTxtLocalName, 1), QStringLiteral("B"));
    f.localField(ObjectNames::kTxtLocalName, 1)->insert(QStringLiteral("ür€"));
    f.localField(ObjectNames::kTxtLocalNumber, 17)->setText(QStringLiteral("9"));

    f.click(ObjectNames::kLblExitLocalNumbers);
    QVERIFY(!f.visible(ObjectNames::kFrameLocalTeleprinters));
    QCOMPARE(f.presetLoads, 1); // leaving the editor refreshes the lists
    QByteArray expected = "12    WERKSTATT\r\n456   B\xfcr\x80\r\n";
    for (int i = 2; i < 17; ++i)
        expected += "      \r\n";
    expected += "9     \r\n";
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kLocalNumbers))), expected);
    QVERIFY(f.dialogs.messages.isEmpty());

    // The call slots keep their captions until the next load.
    QCOMPARE(f.local(1), blanks(8));
    f.click(ObjectNames::kLblLocalNumbersShow);
    QCOMPARE(f.local(1), QStringLiteral("456") + blanks(5) + QStringLiteral("Bür€"));
    QCOMPARE(f.local(17), QStringLiteral("9") + blanks(7));
}

void TestPhonebookPanels::localEditorSaveFailureKeepsTheEditorOpen() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblEditLocal);
    f.localField(ObjectNames::kTxtLocalName, 0)->setText(QStringLiteral("typed"));
    QVERIFY(QDir(f.dir.path()).mkdir(programFile(ProgramFiles::kLocalNumbers)));
    f.click(ObjectNames::kLblExitLocalNumbers);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.texts().first().contains(f.path(programFile(ProgramFiles::kLocalNumbers))));
    QVERIFY(f.visible(ObjectNames::kFrameLocalTeleprinters));
    QCOMPARE(f.localField(ObjectNames::kTxtLocalName, 0)->text(), QStringLiteral("typed"));
    QCOMPARE(f.presetLoads, 0);
}

void TestPhonebookPanels::localEditorOnAFullDiskKeepsTheFile_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<qint64>("bytesBeforeFailure");
    QTest::newRow("disk full at once") << ENOSPC << qint64(0);
    QTest::newRow("disk full part way") << ENOSPC << qint64(100);
    QTest::newRow("file size limit") << EFBIG << qint64(-1);
}

void TestPhonebookPanels::localEditorOnAFullDiskKeepsTheFile() {
    QFETCH(int, error);
    QFETCH(qint64, bytesBeforeFailure);
    Fixture f;
    QByteArray numbers;
    for (int i = 0; i < 18; ++i)
        numbers += QByteArray::number(10 + i) + "    STATION " + QByteArray::number(i) + "\r\n";
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kLocalNumbers)), numbers));
    f.make();
    f.click(ObjectNames::kLblEditLocal);
    f.localField(ObjectNames::kTxtLocalName, 0)
        ->setText(QStringLiteral("a much longer description than before"));
    if (bytesBeforeFailure < 0) {
        const FileSizeLimit limit(200);
        f.click(ObjectNames::kLblExitLocalNumbers);
    } else {
        const ScopedWriteFault fault(f.files, {WriteFault::Step::Write, error, bytesBeforeFailure, {}});
        f.click(ObjectNames::kLblExitLocalNumbers);
    }
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kLocalNumbers))), numbers);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY2(f.dialogs.texts().first().endsWith(f.path(programFile(ProgramFiles::kLocalNumbers)) +
                                                QStringLiteral(": ") +
                                                QString::fromLocal8Bit(std::strerror(error))),
             qPrintable(f.dialogs.texts().first()));
    QVERIFY(f.visible(ObjectNames::kFrameLocalTeleprinters));
    QCOMPARE(f.localField(ObjectNames::kTxtLocalName, 0)->text(),
             QStringLiteral("a much longer description than before"));
}

void TestPhonebookPanels::slotClickDialsTheBoxSimulator() {
    QTemporaryDir dir;
    BoxSimulator sim(dir.path());
    QVERIFY(sim.start({QStringLiteral("--dial-pause"), QStringLiteral("0.2")}));
    QVERIFY(writeFile(dir.filePath(programFile(ProgramFiles::kPhonebook)),
                      record("99999", "ANYONE", 0) + record("12345", "MAYER", 1)));
    RealTerminal t(dir.path(), sim.link());

    t.click(ObjectNames::kLblOpen1);
    QVERIFY2(t.link.isOpen(), qPrintable(t.dialogs.texts().join(QLatin1Char('\n'))));
    QTRY_COMPARE_WITH_TIMEOUT(sim.loggedBytes(), QList<int>{13}, 5000);

    t.click(ObjectNames::kLblPhonebookShow);
    t.click(ObjectNames::element(ObjectNames::kLblCallNumbers, 0));
    const QList<int> dialled{13, 1, ' ', '0', '1', '2', '3', '4', '5'};
    QTRY_COMPARE_WITH_TIMEOUT(sim.loggedBytes(), dialled, 5000);
    auto* term = t.find<QPlainTextEdit>(ObjectNames::kTxtTerm);
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("12345 vornal d")), 8000);
    QVERIFY(term->toPlainText().contains(blanks(6) + QStringLiteral("12345")));
    QVERIFY(t.dialogs.messages.isEmpty());
    QCOMPARE(t.window.session().state().connectionActive, true);
}

// A caption made from the operator's data (a favourite, a local number, a phrase) shows
// and is read out as stored, "&" and all, makes no Alt shortcut, and a click dials or
// sends the stored text.
void TestPhonebookPanels::captionsFromDataShowAsStored_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("data");
    const char* const texts[] = {"MAYER & CO KG", "R&D LAB", "A && B", "TRAILING &", "PLAIN"};
    for (const char* kind : {"favourite", "local", "phrase"})
        for (const char* text : texts)
            QTest::addRow("%s %s", kind, text) << QString::fromLatin1(kind) << QString::fromLatin1(text);
}

void TestPhonebookPanels::captionsFromDataShowAsStored() {
    QFETCH(QString, kind);
    QFETCH(QString, data);
    Fixture f;
    QVERIFY(
        writeFile(f.path(programFile(ProgramFiles::kPhonebook)), record(QStringLiteral("12345"), data, 1)));
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kLocalNumbers)), "12    " + data.toLatin1() + "\r\n"));
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPresetPhrases)), data.toLatin1() + "\r\n"));
    f.make();
    f.openPort();
    QString name;
    QString caption;
    QByteArray sent;
    if (kind == QLatin1String("favourite")) {
        f.click(ObjectNames::kLblPhonebookShow);
        name = ObjectNames::element(ObjectNames::kLblCallNumbers, 0);
        caption = blanks(2) + QStringLiteral("12345").leftJustified(17) + data.leftJustified(40);
        sent = "\x01 012345";
    } else if (kind == QLatin1String("local")) {
        f.click(ObjectNames::kLblLocalNumbersShow);
        name = ObjectNames::element(ObjectNames::kLblLocalTelex, 0);
        caption = QStringLiteral("12") + blanks(6) + data;
        sent = "\x01 12";
    } else {
        name = ObjectNames::element(ObjectNames::kLblPresetText, 0);
        caption = data;
        f.call();
        sent = "\r" + data.toLatin1();
    }
    QPushButton* button = f.button(name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), caption);
    QVERIFY(QKeySequence::mnemonic(button->text()).isEmpty());
    // What a slot is described as does not follow its caption: the same as a slot
    // still on its design-time caption.
    if (kind != QLatin1String("phrase")) {
        const QString unused = name.left(name.indexOf(QLatin1Char('_'))) + QStringLiteral("_17");
        QCOMPARE(accessible->text(QAccessible::Description),
                 QAccessible::queryAccessibleInterface(f.button(unused))->text(QAccessible::Description));
    }

    // Alt with the letter after an "&" does not press the slot.
    const qsizetype amp = data.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < data.size() && data.at(amp + 1).isLetter()) {
        QSignalSpy pressed(button, &QPushButton::clicked);
        button->window()->activateWindow();
        QTest::keyClick(button->window(), data.at(amp + 1).toLower().toLatin1(), Qt::AltModifier);
        QCOMPARE(pressed.size(), 0);
    }

    f.link.clearWrites();
    f.click(name);
    QCOMPARE(f.link.written(), sent);
}

QTEST_MAIN(TestPhonebookPanels)
#include "tst_phonebookpanels.moc"
