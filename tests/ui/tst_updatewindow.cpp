#include "clock.h"
#include "fakehostresolver.h"
#include "faketerminal.h"
#include "features/directory/directoryupdateaction.h"
#include "features/directory/updatewindow.h"
#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/settingsstore.h"
#include "look/objectnames.h"
#include "look/soundplayer.h"
#include "phonebookentry.h"
#include "phonebookupdate.h"
#include "scripteddialogs.h"
#include "simulators.h"
#include "testfiles.h"
#include "window/terminalwindow.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using namespace vornal;
using namespace std::chrono_literals;

namespace {

void writePhonebook(const QString& folder, const QList<PhonebookEntry>& entries) {
    QFile f(folder + QStringLiteral("/phonebook.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const PhonebookEntry& e : entries)
        f.write(e.toRecord());
}

PhonebookEntry favourite(const QString& number, const QString& name) {
    PhonebookEntry e;
    e.Number = number;
    e.Name = name;
    e.Check = 1;
    return e;
}

// The update window on its own, on a temporary program folder.
struct Fixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakeHostResolver resolver;
    std::unique_ptr<PhonebookUpdate> update;
    std::unique_ptr<UpdateWindow> window;

    UpdateWindow& make(quint16 port = 1) {
        PhonebookUpdate::Options options;
        options.port = port;
        options.sortPause = 0.05;
        options.timeouts = {2'000ms, 500ms};
        update = std::make_unique<PhonebookUpdate>(QStringLiteral("127.0.0.1"), ProgramFolder(dir.path()),
                                                   dialogs, clock, resolver, options);
        window = std::make_unique<UpdateWindow>(*update);
        window->show();
        return *window;
    }
    template <typename T> T* find(QAnyStringView name) const {
        T* w = window->findChild<T*>(name.toString());
        if (!w)
            qWarning("no control %s", qPrintable(name.toString()));
        return w;
    }
    QPushButton* button(QAnyStringView name) const { return find<QPushButton>(name); }
    QLabel* status() const { return find<QLabel>(ObjectNames::kLblStatus); }
    // The status line as "colour|text", the colour as the label paints it.
    QString shownStatus() const {
        status()->ensurePolished();
        return status()->palette().color(QPalette::WindowText).name() + QLatin1Char('|') + status()->text();
    }
};

} // namespace

class TestUpdateWindow : public QObject {
    Q_OBJECT
private slots:
    void controlsAndLayout();
    void downloadThroughTheWindow();
    void lastRecordReceivedIsShown_data();
    void lastRecordReceivedIsShown();
    void failedDownloadLeavesTheWindowUsable();
    void columnClickSorts();
    void updateButtonOfTheMainWindow();
};

void TestUpdateWindow::controlsAndLayout() {
    Fixture f;
    UpdateWindow& w = f.make();
    QCOMPARE(w.objectName(), ObjectNames::kFrmUpdate);
    QCOMPARE(w.windowTitle(), QStringLiteral(" Vornal Phonebook Update Utility "));
    QVERIFY(w.isModal());
    QCOMPARE(w.twips(15), 1);
    QCOMPARE(w.size(), QSize(999, 604));

    struct Button {
        QLatin1StringView name;
        const char* caption;
        bool visible;
    };
    for (const Button& b :
         {Button{ObjectNames::kLblRetrieve, "Retrieve", true}, Button{ObjectNames::kLblExit, "EXIT", true},
          Button{ObjectNames::kCmdSave, "save", false},
          Button{ObjectNames::kCmdNewPhonebook, "New Phonebook", false}}) {
        QPushButton* p = f.button(b.name);
        QVERIFY(p);
        QCOMPARE(p->text(), QString::fromLatin1(b.caption));
        QVERIFY(!p->toolTip().isEmpty());
        QCOMPARE(p->isVisible(), b.visible);
        QVERIFY(p->isEnabled());
    }
    QCOMPARE(f.status()->text(), QStringLiteral("Press Retrieve to start download"));
    QVERIFY(f.find<QLineEdit>(ObjectNames::kText1)->isReadOnly());
    QVERIFY(f.find<QLineEdit>(ObjectNames::kText2));
    QVERIFY(f.find<QListWidget>(ObjectNames::kLstFav));
    QVERIFY(f.find<QListWidget>(ObjectNames::kLstRSend));

    QTreeView* list = f.find<QTreeView>(ObjectNames::kLvwStat);
    QCOMPARE(list->geometry(), QRect(19, 83, 746, 392));
    QCOMPARE(list->model()->columnCount(), 10);
    const QStringList headers{QStringLiteral("ID"),         QStringLiteral("Number"), QStringLiteral("Name"),
                              QStringLiteral("Check"),      QStringLiteral("RsGr1"),  QStringLiteral("RsGr2"),
                              QStringLiteral("RsGr3"),      QStringLiteral("RsGr4"),  QStringLiteral("RsGr5"),
                              QStringLiteral("Change Date")};
    const QList<int> widths{40, 67, 207, 53, 53, 53, 53, 53, 53, 80};
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(list->model()->headerData(c, Qt::Horizontal).toString(), headers.at(c));
        QCOMPARE(list->columnWidth(c), widths.at(c));
    }
    QCOMPARE(list->model()->rowCount(), 0);
    // No control of the window overlaps another one.
    const QList<QWidget*> shown{list,
                                f.find<QListWidget>(ObjectNames::kLstFav),
                                f.find<QListWidget>(ObjectNames::kLstRSend),
                                f.find<QLineEdit>(ObjectNames::kText1),
                                f.find<QLineEdit>(ObjectNames::kText2),
                                f.button(ObjectNames::kLblExit),
                                f.button(ObjectNames::kLblRetrieve),
                                f.status()};
    for (QWidget* a : shown)
        for (QWidget* b : shown)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
}

void TestUpdateWindow::downloadThroughTheWindow() {
    Fixture f;
    writePhonebook(f.dir.path(), {favourite(QStringLiteral("10001"), QStringLiteral("FAV"))});
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QStringLiteral("3"), QStringLiteral("--drip"),
                       QStringLiteral("1"), QStringLiteral("--once")}));
    UpdateWindow& w = f.make(sim.port());

    QStringList statuses;
    QObject::connect(f.update.get(), &PhonebookUpdate::statusChanged,
                     [&] { statuses.append(f.shownStatus()); });
    QStringList whileReceiving;
    QObject::connect(f.update.get(), &PhonebookUpdate::currentRecord, [&] {
        whileReceiving.append(QStringLiteral("%1 %2 %3")
                                  .arg(f.button(ObjectNames::kLblExit)->isEnabled())
                                  .arg(f.button(ObjectNames::kLblRetrieve)->isEnabled())
                                  .arg(f.shownStatus().left(7)));
        // Closing is refused while the download runs.
        w.close();
        w.reject();
    });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);

    QTest::mouseClick(f.button(ObjectNames::kLblRetrieve), Qt::LeftButton);

    QCOMPARE(sim.exitCode(), 0);
    QCOMPARE(f.dialogs.texts(), QStringList());
    QCOMPARE(whileReceiving, QStringList(3, QStringLiteral("0 0 #ff0000")));
    QVERIFY(w.isVisible());
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks))); // the window's events ran throughout
    QCOMPARE(
        statuses,
        (QStringList{QStringLiteral("#ff0000| Retrieving Subscribers List from 127.0.0.1 Please wait ... "),
                     QStringLiteral("#00ff00| Saving Updated Data - please wait "),
                     QStringLiteral("#ff00ff| Sorting Phonebook - please wait"),
                     QStringLiteral("#000000|") + QString::fromLatin1(PhonebookUpdate::kCompleteText)}));
    QVERIFY(f.button(ObjectNames::kLblExit)->isEnabled());
    QVERIFY(f.button(ObjectNames::kLblRetrieve)->isEnabled());
    QCOMPARE(f.find<QTreeView>(ObjectNames::kLvwStat)->model()->rowCount(), 3);
    QCOMPARE(f.find<QLineEdit>(ObjectNames::kText1)->text(), QStringLiteral("10002"));
    QVERIFY(f.find<QLineEdit>(ObjectNames::kText2)->text().endsWith(QLatin1String(" Station 3")));
    QCOMPARE(f.find<QListWidget>(ObjectNames::kLstFav)->count(), 1);
    QCOMPARE(f.find<QListWidget>(ObjectNames::kLstFav)->item(0)->text(), QStringLiteral("10001       "));
    QCOMPARE(f.find<QListWidget>(ObjectNames::kLstRSend)->count(), 0);

    QTest::mouseClick(f.button(ObjectNames::kLblExit), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
}

void TestUpdateWindow::lastRecordReceivedIsShown_data() {
    QTest::addColumn<int>("records");
    QTest::newRow("one") << 1;
    QTest::newRow("a quick burst") << 2000;
}

void TestUpdateWindow::lastRecordReceivedIsShown() {
    // However quickly the records come, the fields end on the last one.
    QFETCH(int, records);
    Fixture f;
    f.make();
    for (int i = 0; i < records; ++i)
        f.update->BuildRow(QString::number(20000 + i), QStringLiteral("Station %1").arg(i));
    QTRY_COMPARE(f.find<QLineEdit>(ObjectNames::kText1)->text(), QString::number(20000 + records - 1));
    QCOMPARE(f.find<QLineEdit>(ObjectNames::kText2)->text(), QStringLiteral("Station %1").arg(records - 1));
}

void TestUpdateWindow::failedDownloadLeavesTheWindowUsable() {
    Fixture f;
    writePhonebook(f.dir.path(), {favourite(QStringLiteral("10001"), QStringLiteral("FAV"))});
    QFile book(f.dir.filePath(programFile(ProgramFiles::kPhonebook)));
    QVERIFY(book.open(QIODevice::ReadOnly));
    const QByteArray before = book.readAll();
    book.close();
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("close"), QStringLiteral("--fault-after"),
                       QStringLiteral("2")}));
    UpdateWindow& w = f.make(sim.port());
    QTest::mouseClick(f.button(ObjectNames::kLblRetrieve), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Invalid code or lenght: 0x8 / 0")});
    QCOMPARE(f.find<QTreeView>(ObjectNames::kLvwStat)->model()->rowCount(), 2);
    QCOMPARE(f.shownStatus(), QStringLiteral("#ff0000| Download failed - the phonebook was not changed"));
    QVERIFY(book.open(QIODevice::ReadOnly));
    QCOMPARE(book.readAll(), before);
    QVERIFY(f.button(ObjectNames::kLblRetrieve)->isEnabled());
    QVERIFY(f.button(ObjectNames::kLblExit)->isEnabled());
    // The frame's close works as well as EXIT.
    w.close();
    QVERIFY(!w.isVisible());
}

void TestUpdateWindow::columnClickSorts() {
    Fixture f;
    UpdateWindow& w = f.make();
    for (const char* n : {"20", "100", "3"})
        f.update->BuildRow(QString::fromLatin1(n), QStringLiteral("N") + QString::fromLatin1(n));
    QTreeView* list = f.find<QTreeView>(ObjectNames::kLvwStat);
    QHeaderView* header = list->header();
    const auto clickColumn = [&](int c) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2));
    };
    const auto column = [&](int c) {
        QStringList values;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            values.append(list->model()->index(r, c).data().toString());
        return values;
    };
    clickColumn(1);
    QCOMPARE(column(1), (QStringList{QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("3")}));
    clickColumn(1); // again ascending
    QCOMPARE(column(1), (QStringList{QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("3")}));
    f.update->BuildRow(QStringLiteral("1"), QStringLiteral("a"));
    clickColumn(2);
    QCOMPARE(column(2), (QStringList{QStringLiteral("a"), QStringLiteral("N100"), QStringLiteral("N20"),
                                     QStringLiteral("N3")}));
    Q_UNUSED(w);
}

void TestUpdateWindow::updateButtonOfTheMainWindow() {
    FakeTerminal t;
    writePhonebook(t.dir.path(), {favourite(QStringLiteral("10002"), QStringLiteral("FAV"))});
    TerminalWindow& window = t.make();
    ScriptedDialogs& dialogs = t.dialogs;
    dialogs.messages.clear();

    auto* update = window.findChild<QPushButton*>(ObjectNames::kLblUpdate);
    QVERIFY(update);
    QCOMPARE(update->text(), QStringLiteral("Update"));
    QVERIFY(!update->toolTip().isEmpty());

    // No: nothing opens.
    dialogs.answers.enqueue(DialogAnswer::No);
    QTest::mouseClick(update, Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 1);
    const MessageRequest warning = dialogs.messages.first();
    QCOMPARE(warning.text, QString::fromLatin1(DirectoryUpdateAction::kWarning));
    QCOMPARE(warning.title, QStringLiteral("Update Vornal Phonebook"));
    QCOMPARE(warning.buttons, DialogButtons::YesNo);
    QCOMPARE(warning.icon, DialogIcon::Critical);
    QCOMPARE(warning.defaultAnswer, std::optional<DialogAnswer>(DialogAnswer::No));
    QVERIFY(!window.findChild<UpdateWindow*>());

    // Yes: the update window, modal, on the configured server; after the update the
    // favourite slots show the new phonebook.
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QStringLiteral("4"), QStringLiteral("--once")}));
    auto* action = window.features().findChild<DirectoryUpdateAction*>();
    QVERIFY(action);
    PhonebookUpdate::Options options;
    options.port = sim.port();
    options.sortPause = 0;
    action->setOptions(options);
    QString seenTitle;
    bool wasUpdateWindow = false;
    t.runner.drivers.enqueue([&](QDialog& shown) {
        wasUpdateWindow = qobject_cast<UpdateWindow*>(&shown) != nullptr;
        seenTitle = shown.windowTitle();
        shown.findChild<QPushButton*>(ObjectNames::kLblRetrieve)->click();
        shown.findChild<QPushButton*>(ObjectNames::kLblExit)->click();
        return shown.result();
    });
    dialogs.messages.clear();
    dialogs.answers.enqueue(DialogAnswer::Yes);
    QTest::mouseClick(update, Qt::LeftButton);
    QCOMPARE(seenTitle, QStringLiteral(" Vornal Phonebook Update Utility "));
    // Opened through the runner, which shows it modally in the program.
    QVERIFY(wasUpdateWindow);
    QVERIFY(t.runner.drivers.isEmpty());
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY2(dialogs.texts().size() == 1,
             qPrintable(dialogs.texts().join(QLatin1Char('|')))); // the warning only
    QFile book(t.dir.filePath(programFile(ProgramFiles::kPhonebook)));
    QCOMPARE(book.size(), 4 * 124);
    auto* slot = window.findChild<QPushButton*>(ObjectNames::element(ObjectNames::kLblCallNumbers, 0));
    QVERIFY(slot);
    QVERIFY2(slot->text().startsWith(QLatin1String("  10002")), qPrintable(slot->text()));
}

QTEST_MAIN(TestUpdateWindow)
#include "tst_updatewindow.moc"
