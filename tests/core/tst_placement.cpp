#include "files/settingskeys.h"
#include "look/contrast.h"
#include "look/windowplacement.h"
#include "memorysettingsstore.h"

#include <QtTest>

using namespace vornal;

namespace {

const QMargins kFrame(4, 30, 4, 4);
const QSize kWanted(1180, 740);
const QSize kMinimum(960, 600);

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void centred_data();
    void centred();
    void fits_data();
    void fits();
    void keptInside_data();
    void keptInside();
    void keptAcrossRuns();
    void unreadableValuesAreNoPlacement_data();
    void unreadableValuesAreNoPlacement();
    void contrastRatio_data();
    void contrastRatio();
    void pickTakesTheFirstThatStandsOut();
};

void TestPlacement::centred_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    // The framed window fills a small screen and is centred on a larger one.
    QTest::newRow("1024x700") << QRect(0, 0, 1024, 700) << QRect(4, 30, 1016, 666);
    QTest::newRow("1280x800") << QRect(0, 0, 1280, 800) << QRect(50, 43, 1180, 740);
    QTest::newRow("panel on top") << QRect(0, 28, 1024, 672) << QRect(4, 58, 1016, 638);
    QTest::newRow("second screen") << QRect(1024, 0, 1280, 800) << QRect(1074, 43, 1180, 740);
    // Smaller than the minimum: the top left corner stays on the screen.
    QTest::newRow("800x560") << QRect(0, 0, 800, 560) << QRect(4, 30, 960, 600);
}

void TestPlacement::centred() {
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    const QRect placed = WindowPlacement::centred(kWanted, kMinimum, available, kFrame);
    QCOMPARE(placed, expected);
    const QRect outer = placed.marginsAdded(kFrame);
    if (available.contains(outer)) {
        QCOMPARE(outer.left() - available.left(), available.right() - outer.right());
        QVERIFY(qAbs((outer.top() - available.top()) - (available.bottom() - outer.bottom())) <= 1);
    }
}

void TestPlacement::fits_data() {
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("fits");
    QTest::newRow("inside the first") << QRect(10, 40, 1000, 650) << true;
    QTest::newRow("inside the second") << QRect(1100, 100, 1100, 600) << true;
    QTest::newRow("frame above the top") << QRect(10, 20, 1000, 600) << false;
    QTest::newRow("across both") << QRect(900, 100, 400, 300) << false;
    QTest::newRow("too tall for the first") << QRect(10, 40, 1000, 680) << false;
    QTest::newRow("where a screen was") << QRect(2400, 100, 800, 600) << false;
    QTest::newRow("no size") << QRect(10, 40, 0, 0) << false;
}

void TestPlacement::fits() {
    QFETCH(QRect, geometry);
    QFETCH(bool, fits);
    const QList<QRect> screens = {QRect(0, 0, 1024, 700), QRect(1024, 0, 1280, 800)};
    QCOMPARE(WindowPlacement::fits(geometry, kFrame, screens), fits);
}

void TestPlacement::keptInside_data() {
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("fits, stays") << QRect(20, 40, 1000, 600) << QRect(20, 40, 1000, 600);
    QTest::newRow("off the right") << QRect(300, 40, 1000, 600) << QRect(20, 40, 1000, 600);
    QTest::newRow("title above the top") << QRect(10, 0, 960, 600) << QRect(10, 30, 960, 600);
    QTest::newRow("too large") << QRect(0, 0, 1180, 740) << QRect(4, 30, 1016, 666);
}

void TestPlacement::keptInside() {
    QFETCH(QRect, geometry);
    QFETCH(QRect, expected);
    QCOMPARE(WindowPlacement::keptInside(geometry, kMinimum, QRect(0, 0, 1024, 700), kFrame), expected);
}

void TestPlacement::keptAcrossRuns() {
    MemorySettingsStore settings;
    QVERIFY(!WindowPlacement::load(settings));
    WindowPlacement::save(settings, {QRect(-20, 35, 1100, 720), true});
    QCOMPARE(settings.value(SettingsKeys::kWindow, SettingsKeys::kLeft), QStringLiteral("-20"));
    const auto kept = WindowPlacement::load(settings);
    QVERIFY(kept);
    QCOMPARE(kept->geometry, QRect(-20, 35, 1100, 720));
    QCOMPARE(kept->maximized, true);
}

void TestPlacement::unreadableValuesAreNoPlacement_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("no number") << QString(SettingsKeys::kTop) << QStringLiteral("high");
    QTest::newRow("empty") << QString(SettingsKeys::kLeft) << QString();
    QTest::newRow("no width") << QString(SettingsKeys::kWidth) << QStringLiteral("0");
    QTest::newRow("negative height") << QString(SettingsKeys::kHeight) << QStringLiteral("-5");
}

void TestPlacement::unreadableValuesAreNoPlacement() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    MemorySettingsStore settings;
    WindowPlacement::save(settings, {QRect(10, 40, 1000, 600), false});
    settings.setValue(SettingsKeys::kWindow, key, value);
    QVERIFY(!WindowPlacement::load(settings));
}

void TestPlacement::contrastRatio_data() {
    QTest::addColumn<quint32>("a");
    QTest::addColumn<quint32>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << 0x000000u << 0xffffffu << 21.0;
    QTest::newRow("equal") << 0x3b7dd8u << 0x3b7dd8u << 1.0;
    QTest::newRow("grey 77 on white") << 0x777777u << 0xffffffu << 4.48;
    QTest::newRow("order does not matter") << 0xffffffu << 0x777777u << 4.48;
    QTest::newRow("pure red on black") << 0xff0000u << 0x000000u << 5.25;
    QTest::newRow("pure green on black") << 0x00ff00u << 0x000000u << 15.3;
    QTest::newRow("alpha byte ignored") << 0xff000000u << 0x00ffffffu << 21.0;
}

void TestPlacement::contrastRatio() {
    QFETCH(quint32, a);
    QFETCH(quint32, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(Contrast::ratio(a, b) - ratio) < 0.01, qPrintable(QString::number(Contrast::ratio(a, b))));
}

void TestPlacement::pickTakesTheFirstThatStandsOut() {
    const QList<quint32> rings = {0xd35400, 0x000000, 0xffffff};
    // A light face: the first colour is enough.
    QCOMPARE(Contrast::pick(rings, {0xf4f6f9, 0xffffff}, 3.0), 0xd35400u);
    // A blue face on white: only black stands out against both.
    QCOMPARE(Contrast::pick(rings, {0x2f6fbd, 0xffffff}, 3.0), 0x000000u);
    // Nothing reaches 5:1 against a middle grey: the one that comes closest.
    QCOMPARE(Contrast::pick(rings, {0x777777}, 5.0), 0x000000u);
    QCOMPARE(Contrast::pick({}, {0xffffff}, 3.0), 0u);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
