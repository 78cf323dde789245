#include "faketerminal.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "testfiles.h"
#include "widgets/windowfit.h"
#include "window/terminaltext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <algorithm>

using namespace vornal;

namespace {

// Where the pictures of the windows go, when asked for (VORNAL_SCREENSHOT_DIR).
void keepPicture(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("VORNAL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QVERIFY(window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG"));
}

// The room a window has on the smallest screen.
QRect room() {
    return QRect(QPoint(), kSmallestScreen - kWindowFrame);
}

// Every shown button of the window lies wholly inside it.
QString buttonsOutside(QWidget& window) {
    QStringList outside;
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->window() != &window)
            continue;
        const QRect place(b->mapTo(&window, QPoint()), b->size());
        if (!window.rect().contains(place))
            outside << b->objectName();
    }
    return outside.join(QLatin1Char(' '));
}

} // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void windowsOpenInsideTheSmallestScreen_data();
    void windowsOpenInsideTheSmallestScreen();
    void mainWindowPicture();
    void terminalKeepsItsLinesAndCommandsShow_data();
    void terminalKeepsItsLinesAndCommandsShow();
};

void TestWindowFit::windowsOpenInsideTheSmallestScreen_data() {
    QTest::addColumn<QString>("opens");
    QTest::addColumn<QString>("window");
    QTest::newRow("update") << "lblUpdate"
                            << "frmUpdate";
    QTest::newRow("receivers") << "lblRSendList"
                               << "frmCirculair";
    QTest::newRow("phonebook") << "lblPreset"
                               << "frmPresets";
    QTest::newRow("header") << "lblHeader"
                            << "frmHeader";
    QTest::newRow("editor") << "lblEditRund"
                            << "frmEdit";
    QTest::newRow("help") << "lblAiuto"
                          << "frmHelp";
    QTest::newRow("port settings") << "lblProps"
                                   << "frmProperties";
}

// Each window opens no larger than a 1024x700 screen (less its frame) allows, can be
// made no smaller than fits there, and shows every button inside.
void TestWindowFit::windowsOpenInsideTheSmallestScreen() {
    QFETCH(QString, opens);
    QFETCH(QString, window);
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kMessage), "TEXT\r\n");
    f.make();
    f.dialogs.answers.enqueue(DialogAnswer::Yes); // the update's warning
    bool driven = false;
    f.runner.drivers.enqueue([&](QDialog& dialog) {
        driven = true;
        [&] {
            QCOMPARE(dialog.objectName(), window);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            qInfo("%s: size %dx%d, smallest %dx%d", qPrintable(window), dialog.width(), dialog.height(),
                  dialog.minimumSizeHint().width(), dialog.minimumSizeHint().height());
            QVERIFY2(room().contains(QRect(QPoint(), dialog.size())), qPrintable(window));
            const QSize smallest = dialog.minimumSize().expandedTo(dialog.minimumSizeHint());
            QVERIFY2(room().contains(QRect(QPoint(), smallest)), qPrintable(window));
            QCOMPARE(buttonsOutside(dialog), QString());
            keepPicture(dialog, window);
        }();
        return int(QDialog::Rejected);
    });
    f.click(opens);
    QVERIFY(driven);
}

// The main window as it opens on the smallest screen, its buttons inside; how much of
// a far station's line the terminal shows and whether the side column scrolls are
// written out for the record.
void TestWindowFit::mainWindowPicture() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    QPlainTextEdit* term = w.terminal();
    term->setPlainText(QString(69, QLatin1Char('R')));
    const auto measure = [&](const char* what) {
        QTest::qWait(20);
        const QTextBlock line = term->document()->firstBlock();
        const auto* side = w.findChild<QScrollArea*>(ObjectNames::kSidePanels);
        qInfo("%dx%d %s: terminal %dx%d, a 69-character line takes %d visual lines, %d lines show, "
              "side column scrolls %d px",
              w.width(), w.height(), what, term->viewport()->width(), term->viewport()->height(),
              line.layout() ? line.layout()->lineCount() : -1,
              term->viewport()->height() / term->fontMetrics().lineSpacing(),
              side ? side->verticalScrollBar()->maximum() : -1);
    };
    for (const QSize size : {kSmallestScreen - kWindowFrame, QSize(1280, 800) - kWindowFrame}) {
        w.setGeometry(QRect(QPoint(), size));
        measure("no panel");
        if (size == kSmallestScreen - kWindowFrame) {
            keepPicture(w, ObjectNames::kFrmTerminal);
            QCOMPARE(buttonsOutside(w), QString());
        }
        f.click(ObjectNames::kLblPhonebookShow);
        measure("favourites panel");
        if (size == kSmallestScreen - kWindowFrame)
            keepPicture(w, QStringLiteral("frmTerminal-favourites"));
        f.click(ObjectNames::kLblExitNumbers);
    }
}

void TestWindowFit::terminalKeepsItsLinesAndCommandsShow_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("opens");
    QTest::addColumn<QStringList>("inView");
    // The groups and buttons whose buttons must show in the side column unscrolled.
    const QStringList small = {ObjectNames::kGroupSend,  ObjectNames::kLblRSend_1,
                               ObjectNames::kLblRsend_2, ObjectNames::kLblPhonebookShow,
                               ObjectNames::kLblRefresh, ObjectNames::kLblLocalNumbersShow,
                               ObjectNames::kLblPreset};
    const QStringList all = {ObjectNames::kGroupSend, ObjectNames::kGroupCalls};
    for (const QSize screen : {kSmallestScreen, QSize(1280, 800)}) {
        const QByteArray size =
            QByteArray::number(screen.width()) + 'x' + QByteArray::number(screen.height());
        const QStringList shown = screen == kSmallestScreen ? small : all;
        QTest::newRow((size + " no panel").constData()) << screen << QString() << shown;
        for (const QLatin1StringView opens :
             {ObjectNames::kLblPhonebookShow, ObjectNames::kLblLocalNumbersShow, ObjectNames::kLblEditLocal,
              ObjectNames::kLblPuncher, ObjectNames::kLblHeadlineEditor, ObjectNames::kLblFind})
            QTest::newRow((size + ' ' + opens.data()).constData())
                << screen << QString(opens) << QStringList();
    }
}

// On either screen, whatever panel is open, the terminal shows a far station's whole
// line on one line and ten lines of it; the side column shows its commands unscrolled.
void TestWindowFit::terminalKeepsItsLinesAndCommandsShow() {
    QFETCH(QSize, screen);
    QFETCH(QString, opens);
    QFETCH(QStringList, inView);
    FakeTerminal f;
    TerminalWindow& w = f.make();
    w.setGeometry(QRect(QPoint(), screen - kWindowFrame));
    if (opens == ObjectNames::kLblPuncher) {
        // The punch panel opens during a call only.
        f.click(ObjectNames::kLblOpen1);
        f.call();
    }
    if (!opens.isEmpty())
        f.click(opens);
    auto* term = qobject_cast<TerminalText*>(w.terminal());
    QVERIFY(term);
    const QString line =
        QStringLiteral("zczc 4711 to the members of the vornal network: meeting at 14.00 ok +");
    term->appendPlainText(line);
    QTest::qWait(20);
    const QFontMetricsF metrics(term->shownFont());
    const qreal columns =
        (term->viewport()->width() - 2 * term->document()->documentMargin()) / metrics.averageCharWidth();
    const qreal lines = term->viewport()->height() / metrics.lineSpacing();
    qInfo("%s: %.1f characters of %.1f pt, %.1f lines", QTest::currentDataTag(), columns,
          term->shownFont().pointSizeF(), lines);
    QVERIFY2(columns >= 69 && lines >= 10, QTest::currentDataTag());
    const QTextBlock block = term->document()->lastBlock();
    QVERIFY(block.text() == line && block.layout());
    QCOMPARE(block.layout()->lineCount(), 1);

    const auto* side = w.findChild<QScrollArea*>(ObjectNames::kSidePanels);
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        const bool inColumn = side->widget()->isAncestorOf(b);
        const auto holds = [&w, b](const QString& name) {
            const auto* holder = w.findChild<QWidget*>(name);
            return b->objectName() == name || (holder && holder->isAncestorOf(b));
        };
        if (!holds(ObjectNames::kGroupProgram) && std::none_of(inView.begin(), inView.end(), holds))
            continue;
        const QRect place(b->mapTo(inColumn ? side->viewport() : &w, QPoint()), b->size());
        QVERIFY2(b->isVisible() && (inColumn ? side->viewport()->rect() : w.rect()).contains(place),
                 qPrintable(b->objectName()));
    }
}

int main(int argc, char** argv) {
    // An offscreen screen of the smallest size the program is made for.
    QTemporaryFile screens;
    if (screens.open()) {
        screens.write(
            QByteArrayLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024,)"
                              R"( "height": 700, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})"));
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    }
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
