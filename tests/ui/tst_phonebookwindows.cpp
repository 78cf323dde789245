#include "faketerminal.h"
#include "features/broadcast/headerwindow.h"
#include "features/broadcast/receiverswindow.h"
#include "features/phonebook/favouriteswindow.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "phonebookentry.h"
#include "phonebooklistmodel.h"
#include "phonebookrecords.h"
#include "testfiles.h"

#include <QAccessible>
#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

using namespace vornal;
using Model = PhonebookListModel;

namespace {

PhonebookEntry stored(const char* number, const char* name, qint16 check = 0, qint16 receiver = 0) {
    PhonebookEntry e = testEntry(QString::fromLatin1(number).leftJustified(12),
                                 QString::fromLatin1(name).leftJustified(40), check);
    e.RsGr2 = receiver;
    e.ChangeDate = QStringLiteral("01.02.2025");
    return e;
}

// Three subscribers, not in name order.
QByteArray phonebook() {
    return stored("67890", "ZIEGLER, BERLIN", 0, 1).toRecord() +
           stored("12345", "MAYER, KOELN", 1).toRecord() + stored("555", "ADLER").toRecord();
}

QStringList items(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

int rowOf(const Model& model, const QString& number) {
    for (int r = 0; r < model.rows().size(); ++r)
        if (model.row(r)[Model::Number].trimmed() == number)
            return r;
    return -1;
}

// Ticks or unticks a row through the view's model, as a click on its box does.
void tick(QTreeView* view, int row, bool on) {
    view->model()->setData(view->model()->index(row, 0), on ? Qt::Checked : Qt::Unchecked,
                           Qt::CheckStateRole);
}

template <typename T> T* child(QDialog& w, QAnyStringView name) {
    T* c = w.findChild<T*>(name.toString());
    if (!c)
        qWarning("no control %s", qPrintable(name.toString()));
    return c;
}

// A driver for the next window; its checks may end it early, the window's result is
// returned all the same.
void drive(FakeTerminal& f, std::function<void(QDialog&)> body) {
    f.runner.drivers.enqueue([body](QDialog& w) {
        body(w);
        return w.result();
    });
}

} // namespace

class TestPhonebookWindows : public QObject {
    Q_OBJECT
private slots:
    void buttonsOfTheMainWindow();
    void favouritesTickSaveAndReopen();
    void favouritesCall_data();
    void favouritesCall();
    void receiversSaveOpensTheHeader();
    void receiversExitChangesNothing();
    void headerElaborateReadsAgain();
    void headerListShowsOnlyItsColumns_data();
    void headerListShowsOnlyItsColumns();
    void broadcastFromTheServiceButton();
    void numbersShowWhole_data();
    void numbersShowWhole();
};

void TestPhonebookWindows::buttonsOfTheMainWindow() {
    FakeTerminal f;
    f.make();
    struct Button {
        QLatin1StringView name;
        const char* caption;
        const char* tip;
    };
    const Button buttons[] = {
        {ObjectNames::kLblPreset, "Phonebook", "Shows Vornal Phonebook"},
        {ObjectNames::kLblRSendList, "RS Receivers", "Rundsenden Subscribers List"},
        {ObjectNames::kLblHeader, "Set RS List", "Display and sets, saves the RS list"},
        {ObjectNames::kLblSendNumbers, "Tx RS Numbers",
         "Sends Rundsend Recaiver List (in case of failure with automatic sending)"},
        {ObjectNames::kLblRSend_1, "11150", "11151 Rundsenden Server Call automatic dialing"},
        {ObjectNames::kLblRsend_2, "11151", "11162 Rundsenden Server Call automatic dialing"},
    };
    for (const Button& b : buttons) {
        QPushButton* button = f.button(b.name);
        QVERIFY2(button, b.name.data());
        QCOMPARE(button->text(), QString::fromLatin1(b.caption));
        QCOMPARE(button->toolTip(), QString::fromLatin1(b.tip));
        QCOMPARE(button->accessibleDescription(), QString::fromLatin1(b.tip));
        QVERIFY(button->isEnabled());
    }
}

void TestPhonebookWindows::favouritesTickSaveAndReopen() {
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    int driven = 0;
    drive(f, [&](QDialog& w) {
        ++driven;
        QCOMPARE(w.windowTitle(), QStringLiteral(" Vornal Phonebook "));
        QVERIFY(
            child<QLabel>(w, ObjectNames::kLblHelp)
                ->text()
                .endsWith(f.dir.path() +
                          QStringLiteral("/phonebook.txt to be used with the Vornal USB / RS232 interface")));
        auto* view = child<QTreeView>(w, ObjectNames::kLvwStat);
        const auto& model = static_cast<const Model&>(*view->model());
        QCOMPARE(model.headerText(3), QStringLiteral("Chk Fav"));
        QCOMPARE(view->columnWidth(2), Theme::twipsToPixels(3100, view));
        QCOMPARE(model.row(0)[Model::Name].trimmed(), QStringLiteral("ADLER"));
        QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked)); // MAYER
        QCOMPARE(model.index(1, 5).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
        QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
        auto* save = child<QPushButton>(w, ObjectNames::kLblSave);
        QVERIFY(!save->isEnabled());
        tick(view, 0, true);  // ADLER
        tick(view, 1, false); // MAYER
        QVERIFY(save->isEnabled());
        QCOMPARE(model.row(0)[Model::Check], QStringLiteral("1"));
        save->click();
        QVERIFY(!save->isEnabled());
        tick(view, 2, true); // ZIEGLER, not saved
        child<QPushButton>(w, ObjectNames::kLblExit)->click();
    });
    f.click(ObjectNames::kLblPreset);
    QCOMPARE(driven, 1);
    const QByteArray book = fileBytes(f.path(programFile(ProgramFiles::kPhonebook)));
    QCOMPARE(PhonebookEntry::fromRecord(QByteArrayView(book).sliced(0, 124)).Check, qint16(0));
    QCOMPARE(PhonebookEntry::fromRecord(QByteArrayView(book).sliced(124, 124)).Check, qint16(0));
    QCOMPARE(PhonebookEntry::fromRecord(QByteArrayView(book).sliced(248, 124)).Check, qint16(1));
    QCOMPARE(PhonebookEntry::fromRecord(QByteArrayView(book).sliced(248, 124)).ID, qint16(2));
    // The save refreshed the main window's favourite slots.
    QVERIFY(f.button(ObjectNames::element(ObjectNames::kLblCallNumbers, 0))
                ->text()
                .startsWith(QStringLiteral("  555")));

    // Opened again: as it was left, the unsaved tick included.
    drive(f, [&](QDialog& w) {
        auto* view = child<QTreeView>(w, ObjectNames::kLvwStat);
        const auto& model = static_cast<const Model&>(*view->model());
        QVERIFY(model.isTicked(rowOf(model, QStringLiteral("67890"))));
        QVERIFY(child<QPushButton>(w, ObjectNames::kLblSave)->isEnabled());
        child<QPushButton>(w, ObjectNames::kLblPreview)->click(); // reads the file again
        QVERIFY(!model.isTicked(rowOf(model, QStringLiteral("67890"))));
        w.reject();
    });
    f.click(ObjectNames::kLblPreset);
    QCOMPARE(f.runner.opened, (QStringList{ObjectNames::kFrmPresets, ObjectNames::kFrmPresets}));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestPhonebookWindows::favouritesCall_data() {
    QTest::addColumn<bool>("clickRow");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("nothing chosen") << false << true << QStringLiteral("No selection was made ....")
                                    << QByteArray();
    QTest::newRow("port closed") << true << false << QStringLiteral("Open Communication Port First ..... ")
                                 << QByteArray();
    // The number as stored, its padding included.
    QTest::newRow("dials the row") << true << true << QString() << QByteArray("\x01 012345       ");
}

void TestPhonebookWindows::favouritesCall() {
    QFETCH(bool, clickRow);
    QFETCH(bool, portOpen);
    QFETCH(QString, message);
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    f.link.setPortOpen(portOpen);
    f.link.clearWrites();
    drive(f, [&](QDialog& w) {
        auto& window = static_cast<FavouritesWindow&>(w);
        QSignalSpy beeps(&window, &FavouritesWindow::beep);
        w.show();
        auto* view = child<QTreeView>(w, ObjectNames::kLvwStat);
        QCOMPARE(child<QLineEdit>(w, ObjectNames::kTxtID)->text(), QStringLiteral("ID"));
        if (clickRow) {
            view->scrollToTop();
            const QRect cell = view->visualRect(view->model()->index(1, 2));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            QCOMPARE(child<QLineEdit>(w, ObjectNames::kTxtNumber)->text(),
                     QStringLiteral("12345").leftJustified(12));
            QCOMPARE(child<QLineEdit>(w, ObjectNames::kTxtChk)->text(), QStringLiteral("1"));
            QVERIFY(child<QLineEdit>(w, ObjectNames::kTxtID)->isReadOnly());
        }
        child<QPushButton>(w, ObjectNames::kLblCalling)->click();
        QCOMPARE(beeps.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(w.isVisible(), !message.isEmpty());
        if (w.isVisible())
            w.reject();
    });
    f.click(ObjectNames::kLblPreset);
    QCOMPARE(f.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QTEST(f.link.written(), "sent");
    if (!message.isEmpty())
        return;
    QVERIFY(f.window->terminal()->toPlainText().contains(QStringLiteral("MAYER, KOELN")));
}

void TestPhonebookWindows::receiversSaveOpensTheHeader() {
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    QSignalSpy editor(&f.window->features(), &FeatureContext::editorRequested);
    drive(f, [&](QDialog& w) {
        QCOMPARE(w.windowTitle(), QStringLiteral(" Vornal Rundsenden List "));
        auto* view = child<QTreeView>(w, ObjectNames::kLvwStat);
        const auto& model = static_cast<const Model&>(*view->model());
        const int ziegler = rowOf(model, QStringLiteral("67890"));
        QVERIFY(model.isTicked(ziegler));
        QCOMPARE(model.index(ziegler, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 207, 128));
        tick(view, rowOf(model, QStringLiteral("555")), true);
        QCOMPARE(model.row(rowOf(model, QStringLiteral("555")))[Model::RsGr1], QStringLiteral("1"));
        child<QPushButton>(w, ObjectNames::kLblSave)->click();
        QCOMPARE(items(child<QListWidget>(w, ObjectNames::kLstRSend)),
                 (QStringList{QStringLiteral("Rundsenden to:"), QStringLiteral(" "), QStringLiteral("67890,"),
                              QStringLiteral("555,"), QStringLiteral("555+")}));
        QVERIFY(!w.isVisible());
    });
    drive(f, [&](QDialog& w) {
        QCOMPARE(w.windowTitle(), QStringLiteral(" Vornal Header Rundsenden List "));
        const QStringList preview = items(child<QListWidget>(w, ObjectNames::kLstRSend));
        QCOMPARE(preview.first(), QStringLiteral(" --- Rundsenden von: STATION"));
        QCOMPARE(preview.at(5), QStringLiteral("01   67890 ZIEGLER     02     555 ADLER").leftJustified(66));
        QVERIFY(child<QListWidget>(w, ObjectNames::kLstRSend)->font().fixedPitch() ||
                QFontInfo(child<QListWidget>(w, ObjectNames::kLstRSend)->font()).fixedPitch());
        auto* view = child<QTreeView>(w, ObjectNames::kLvwHeader);
        const Model& model = static_cast<HeaderWindow&>(w).list();
        QCOMPARE(model.headerText(3), QStringLiteral("Numero"));
        QCOMPARE(view->model()->columnCount(), 5);
        // Every record a row; receivers ticked with number and name, sorted by name.
        QCOMPARE(model.rows().size(), 3);
        QCOMPARE(model.row(0)[Model::Name], QString());
        QCOMPARE(model.row(1)[Model::Name].trimmed(), QStringLiteral("ADLER"));
        QVERIFY(model.isTicked(2) && !model.isTicked(0));
        QVERIFY(!(model.flags(model.index(1, 0)) & Qt::ItemIsUserCheckable));
        child<QPushButton>(w, ObjectNames::kLblExit)->click();
    });
    // The header's EXIT opens the receivers file in the editor.
    f.runner.drivers.enqueue([](QDialog&) { return int(QDialog::Rejected); });
    f.click(ObjectNames::kLblRSendList);
    QCOMPARE(f.runner.opened,
             (QStringList{ObjectNames::kFrmCirculair, ObjectNames::kFrmHeader, ObjectNames::kFrmEdit}));
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kBroadcastReceivers))),
             QByteArray("67890,\r\n555,\r\n555+\r\n"));
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kBroadcastHeader))),
             QByteArray("01   67890 ZIEGLER     02     555 ADLER\r\n \r\n"));
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().at(0).toString(), f.path(programFile(ProgramFiles::kBroadcastReceivers)));
    QCOMPARE(editor.first().at(1).value<EditorMode>(), EditorMode::Message);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestPhonebookWindows::receiversExitChangesNothing() {
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kBroadcastReceivers)), "1,\r\n1+\r\n"));
    f.make();
    drive(f, [&](QDialog& w) {
        auto* view = child<QTreeView>(w, ObjectNames::kLvwStat);
        tick(view, 0, true);
        child<QPushButton>(w, ObjectNames::kLblExit)->click();
    });
    f.click(ObjectNames::kLblRSendList);
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmCirculair});
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kPhonebook))), phonebook());
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kBroadcastReceivers))), QByteArray("1,\r\n1+\r\n"));
}

void TestPhonebookWindows::headerElaborateReadsAgain() {
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    drive(f, [&](QDialog& w) {
        QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kBroadcastHeader))),
                 QByteArray("01   67890 ZIEGLER\r\n \r\n"));
        [[maybe_unused]] const bool ok =
            writeFile(f.path(programFile(ProgramFiles::kPhonebook)), QByteArray());
        child<QPushButton>(w, ObjectNames::kCmdHeader)->click();
        QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kBroadcastHeader))), QByteArray(" \r\n"));
        QCOMPARE(child<QListWidget>(w, ObjectNames::kLstRSend)->count(), 8);
        w.reject();
    });
    f.click(ObjectNames::kLblHeader);
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmHeader});
}

void TestPhonebookWindows::headerListShowsOnlyItsColumns_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("cell"); // of ZIEGLER's row, trimmed
    QTest::newRow("ID") << 0 << "ID"
                        << "0";
    QTest::newRow("Number") << 1 << "Number"
                            << "67890";
    QTest::newRow("Name") << 2 << "Name"
                          << "ZIEGLER, BERLIN";
    QTest::newRow("Numero") << 3 << "Numero"
                            << "";
    QTest::newRow("Nome") << 4 << "Nome"
                          << "";
}

// Assistive technology is told of the five columns the operator sees, and no others.
void TestPhonebookWindows::headerListShowsOnlyItsColumns() {
    QFETCH(int, column);
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    drive(f, [&](QDialog& w) {
        auto* view = child<QTreeView>(w, ObjectNames::kLvwHeader);
        view->doItemsLayout(); // the rows the tree tells of, laid out as when it is shown
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
        QVERIFY(list && list->tableInterface());
        QAccessibleTableInterface* table = list->tableInterface();
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(table->rowCount(), 3);
        QTEST(table->columnDescription(column), "header");
        // Sorted by name: the receiver, the only row with a name, comes last.
        QAccessibleInterface* cell = table->cellAt(2, column);
        QVERIFY(cell);
        QTEST(cell->text(QAccessible::Name).trimmed(), "cell");
        w.reject();
    });
    f.click(ObjectNames::kLblHeader);
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmHeader});
}

// The service button dials and arms; the prompt sends the list; closing re-enables.
void TestPhonebookWindows::broadcastFromTheServiceButton() {
    FakeTerminal f(FakeTerminal::withCharDelay("0.001 s"));
    QVERIFY(
        writeFile(f.path(programFile(ProgramFiles::kBroadcastReceivers)), "12345,\r\n67890,\r\n67890+\r\n"));
    f.make();
    f.link.setPortOpen(true);
    f.link.clearWrites();
    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    f.click(ObjectNames::kLblRSend_1);
    QCOMPARE(f.link.written(), QByteArray("\x01 011150"));
    QVERIFY(!f.button(ObjectNames::kLblRSend_1)->isEnabled());
    QVERIFY(!f.button(ObjectNames::kLblRsend_2)->isEnabled());
    f.link.clearWrites();
    f.link.receive(" +++):");
    QTRY_COMPARE(f.dialogs.messages.size(), 2);
    QCOMPARE(f.link.written(), QByteArray("\r\n\r12345,\r67890,\r67890+"));
    QVERIFY(f.button(ObjectNames::kLblRSend_1)->isEnabled());

    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    f.click(ObjectNames::kLblRsend_2);
    QVERIFY(!f.button(ObjectNames::kLblRsend_2)->isEnabled());
    f.click(ObjectNames::kLblCloseConnection);
    QVERIFY(f.button(ObjectNames::kLblRSend_1)->isEnabled());
    QVERIFY(f.button(ObjectNames::kLblRsend_2)->isEnabled());
    QCOMPARE(f.window->session().state().broadcastActive, false);
}

void TestPhonebookWindows::numbersShowWhole_data() {
    QTest::addColumn<QString>("opens");
    QTest::addColumn<QString>("number");
    for (QLatin1StringView opens : {ObjectNames::kLblPreset, ObjectNames::kLblRSendList}) {
        QTest::addRow("%s, five digits", opens.data()) << QString(opens) << "67890";
        QTest::addRow("%s, three digits", opens.data()) << QString(opens) << "555";
    }
}

// A number padded with blanks to its field's length still fits its column whole: the
// cell does not show the padding (which the view would otherwise elide with the digits).
void TestPhonebookWindows::numbersShowWhole() {
    QFETCH(QString, opens);
    QFETCH(QString, number);
    FakeTerminal f;
    QVERIFY(writeFile(f.path(programFile(ProgramFiles::kPhonebook)), phonebook()));
    f.make();
    bool found = false;
    drive(f, [&](QDialog& w) {
        auto* view = w.findChild<QTreeView*>();
        QVERIFY(view);
        const QAbstractItemModel* model = view->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex cell = model->index(r, Model::Number);
            if (cell.data().toString().trimmed() != number)
                continue;
            found = true;
            QVERIFY(cell.data().toString().size() > number.size()); // the field is padded
            QStyleOptionViewItem option;
            option.initFrom(view);
            const int wanted = view->itemDelegate()->sizeHint(option, cell).width();
            QVERIFY2(wanted <= view->columnWidth(Model::Number),
                     qPrintable(QStringLiteral("%1 > %2").arg(wanted).arg(view->columnWidth(Model::Number))));
        }
        w.reject();
    });
    f.click(opens);
    QVERIFY(found);
}

QTEST_MAIN(TestPhonebookWindows)
#include "tst_phonebookwindows.moc"
