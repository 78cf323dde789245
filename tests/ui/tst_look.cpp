#include "faketerminal.h"
#include "features/look/clockface.h"
#include "features/look/clockhandline.h"
#include "features/look/paperstrip.h"
#include "files/programfiles.h"
#include "files/settingskeys.h"
#include "look/objectnames.h"
#include "stalepixels.h"
#include "testfiles.h"
#include "theme/skinpicture.h"
#include "theme/theme.h"
#include "widgets/indicator.h"

#include <QBuffer>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

struct Fixture : FakeTerminal {
    using FakeTerminal::FakeTerminal;
    QPlainTextEdit* term() const { return find<QPlainTextEdit>(ObjectNames::kTxtTerm); }
    QColor textColour() const { return term()->palette().color(QPalette::Text); }
    QColor backColour() const { return term()->palette().color(QPalette::Base); }
    bool stripsShown() const {
        return find<PaperStrip>(ObjectNames::kPicVornalPapier_0)->isVisible() &&
               find<PaperStrip>(ObjectNames::kPicVornalPapier_1)->isVisible();
    }
    bool stripsHidden() const {
        return find<PaperStrip>(ObjectNames::kPicVornalPapier_0)->isHidden() &&
               find<PaperStrip>(ObjectNames::kPicVornalPapier_1)->isHidden();
    }
    int termTop() const { return term()->mapTo(window.get(), QPoint(0, 0)).y(); }
    int termLeft() const { return term()->mapTo(window.get(), QPoint(0, 0)).x(); }
    const Theme& theme() const { return window->features().theme(); }
    int picture(const QString& name) const { return find<Indicator>(name)->picture(); }
};

// A one-colour picture file as JPEG bytes.
QByteArray jpeg(const QColor& colour) {
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// The window shows the colour where its own background shows, left of the groups.
bool showsPicture(QWidget& window, const QColor& colour) {
    const QColor seen = window.grab().toImage().pixelColor(3, window.height() / 2);
    return qAbs(seen.red() - colour.red()) < 12 && qAbs(seen.green() - colour.green()) < 12 &&
           qAbs(seen.blue() - colour.blue()) < 12;
}

QColor rgb(quint32 value) {
    return Theme::fromColourValue(value);
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT
private slots:
    void schemes_data();
    void schemes();
    void switches_data();
    void switches();
    void skins();
    void translucentShadesStayTranslucent_data();
    void translucentShadesStayTranslucent();
    void klklLampShowsTheState_data();
    void klklLampShowsTheState();
    void missingSkinPicture();
    void skinPictureAtShownSize_data();
    void skinPictureAtShownSize();
    void font();
    void fontCancelled_data();
    void fontCancelled();
    void clockTicks();
    void handsRepaintWithoutTrace_data();
    void handsRepaintWithoutTrace();
    void indicatorsGoIdle();
    void controlsAreButtonsWithTips();
    void selectorsNameCataloguedControls();
};

void TestLook::schemes_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<quint32>("text");
    QTest::addColumn<quint32>("back");
    QTest::newRow("lbGnBk") << QString(ObjectNames::kLbGnBk) << 65280u << 0u;
    QTest::newRow("lblBlWt") << QString(ObjectNames::kLblBlWt) << 16776960u << 16777215u;
    QTest::newRow("lblRdBl") << QString(ObjectNames::kLblRdBl) << 255u << 0u;
    QTest::newRow("lblYlBl") << QString(ObjectNames::kLblYlBl) << 16777215u << 16711680u;
    QTest::newRow("lblBkWt") << QString(ObjectNames::kLblBkWt) << 8388608u << 16777215u;
}

void TestLook::schemes() {
    QFETCH(QString, control);
    QFETCH(quint32, text);
    QFETCH(quint32, back);
    Fixture f;
    f.make();
    QCOMPARE(f.textColour(), QColor(Qt::black));
    QCOMPARE(f.backColour(), rgb(16777215));
    QPushButton* button = f.button(control);
    QCOMPARE(button->toolTip(), QStringLiteral("Change Fore & Back color of the Text Window"));
    f.click(control);
    QCOMPARE(f.textColour(), rgb(text));
    QCOMPARE(f.backColour(), rgb(back));
    QCOMPARE(button->property("current").toBool(), true);
    // The text box really is painted in it.
    const QImage shot = f.term()->viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), rgb(back));
    // A skin leaves the scheme alone.
    f.click(ObjectNames::kLblSteam);
    QCOMPARE(f.textColour(), rgb(text));
    QCOMPARE(f.backColour(), rgb(back));
}

void TestLook::switches_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<quint32>("text");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<bool>("steam");
    QTest::newRow("none") << QString() << 0u << 16777215u << false;
    QTest::newRow("/Color1") << QStringLiteral("/Color1") << 65280u << 0u << false;
    QTest::newRow("/Color2") << QStringLiteral("/Color2") << 16776960u << 16777215u << false;
    QTest::newRow("/Color3") << QStringLiteral("/Color3") << 255u << 0u << false;
    QTest::newRow("/Color4") << QStringLiteral("/Color4") << 16777215u << 16711680u << false;
    QTest::newRow("/steam") << QStringLiteral("/steam") << 0u << 16777215u << true;
    // The skin and the colour scheme are two choices: each switch sets its own.
    QTest::newRow("/Color2 /steam") << QStringLiteral("/Color2 /steam") << 16776960u << 16777215u << true;
    QTest::newRow("/steam /Color3") << QStringLiteral("/steam /Color3") << 255u << 0u << true;
    QTest::newRow("/Color1 /steam /Color4")
        << QStringLiteral("/Color1 /steam /Color4") << 16777215u << 16711680u << true;
    QTest::newRow("case counts") << QStringLiteral("/color1 /STEAM") << 0u << 16777215u << false;
}

void TestLook::switches() {
    QFETCH(QString, commandLine);
    QFETCH(quint32, text);
    QFETCH(quint32, back);
    QFETCH(bool, steam);
    Fixture f;
    f.make(commandLine);
    QCOMPARE(f.textColour(), rgb(text));
    QCOMPARE(f.backColour(), rgb(back));
    QCOMPARE(f.stripsShown(), !steam);
    QCOMPARE(f.theme().skin() == Theme::Skin::Steampunk, steam);
    // The start-up caption stays.
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Program Parameters Loaded"));
}

void TestLook::klklLampShowsTheState_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QColor>("lamp");
    for (const char* line : {"", "/steam"}) {
        QTest::addRow("%s off", line) << QString::fromLatin1(line) << false << QColor(0x4a, 0x53, 0x60);
        QTest::addRow("%s on", line) << QString::fromLatin1(line) << true << rgb(65280u);
    }
}

// On and off differ at a glance, not only in the text's colour: the lamp at the
// switch's left end is lit while the automatic answer is on, also with the focus ring.
void TestLook::klklLampShowsTheState() {
    QFETCH(QString, commandLine);
    QFETCH(bool, on);
    QFETCH(QColor, lamp);
    Fixture f;
    f.make(commandLine);
    QPushButton* klkl = f.button(ObjectNames::kLblKlKl);
    if (on)
        f.click(ObjectNames::kLblKlKl);
    QCOMPARE(klkl->isChecked(), on);
    for (const bool focused : {false, true}) {
        if (focused)
            klkl->setFocus(Qt::TabFocusReason);
        const QImage face = klkl->grab().toImage();
        QCOMPARE(face.pixelColor(klkl->width() / 20, klkl->height() / 2), lamp);
    }
}

void TestLook::skins() {
    Fixture f;
    const QColor standard(200, 40, 40);
    const QColor steam(40, 40, 200);
    f.writeFile(programFile(ProgramFiles::kSkinStandard), jpeg(standard));
    f.writeFile(programFile(ProgramFiles::kSkinSteampunk), jpeg(steam));
    f.make();
    // The program starts in the Standard skin with both strips shown.
    QVERIFY(f.stripsShown());
    QCOMPARE(f.theme().backgroundPicture(), f.path(programFile(ProgramFiles::kSkinStandard)));
    QVERIFY(showsPicture(*f.window, standard));
    QCOMPARE(f.button(ObjectNames::kLblStandard)->property("current").toBool(), true);
    const int top = f.termTop();
    const int left = f.termLeft();

    f.click(ObjectNames::kLblSteam);
    QTest::qWait(20);
    QVERIFY(f.stripsHidden());
    QCOMPARE(f.theme().skin(), Theme::Skin::Steampunk);
    QCOMPARE(f.theme().backgroundPicture(), f.path(programFile(ProgramFiles::kSkinSteampunk)));
    QVERIFY(showsPicture(*f.window, steam));
    QCOMPARE(f.button(ObjectNames::kLblSteam)->property("current").toBool(), true);
    QCOMPARE(f.button(ObjectNames::kLblStandard)->property("current").toBool(), false);
    // 60 twips lower (4 pixels); the strips' place goes to the text.
    QCOMPARE(f.termTop(), top + 4);
    QVERIFY(f.termLeft() < left);

    f.click(ObjectNames::kLblStandard);
    QTest::qWait(20);
    QVERIFY(f.stripsShown());
    QCOMPARE(f.termTop(), top);
    QCOMPARE(f.termLeft(), left);
    QCOMPARE(f.theme().backgroundPicture(), f.path(programFile(ProgramFiles::kSkinStandard)));
}

// A shade laid over the header or a group's title keeps its opacity in the sheet; as
// "#rrggbb" it would cover what it stands on.
void TestLook::translucentShadesStayTranslucent_data() {
    QTest::addColumn<int>("skin");
    QTest::addColumn<QString>("rule");
    const int standard = int(Theme::Skin::Standard);
    const int steampunk = int(Theme::Skin::Steampunk);
    QTest::newRow("header button") << standard
                                   << QStringLiteral(
                                          "#header QPushButton[class=\"headerButton\"] { background: "
                                          "rgba(255, 255, 255, 20); color: #e8eef5;\n"
                                          "    border: 1px solid rgba(255, 255, 255, 50);");
    QTest::newRow("header button pressed")
        << steampunk
        << QStringLiteral("#header QPushButton[class=\"headerButton\"]:pressed { background: rgba(255, 255, "
                          "255, 70); }");
    QTest::newRow("group title") << steampunk
                                 << QStringLiteral(
                                        "QGroupBox::title { color: #f0d9a8; background: rgba(42, 28, 18, "
                                        "215); border: 1px solid #a67c3d;");
    QTest::newRow("open button") << standard
                                 << QStringLiteral(
                                        "#lblOpen1 { background: #2f6fbd; color: #ffffff; border-color: "
                                        "#2a64ab; font-weight: 600; }");
}

void TestLook::translucentShadesStayTranslucent() {
    QFETCH(int, skin);
    QFETCH(QString, rule);
    Theme theme;
    theme.setSkin(Theme::Skin(skin));
    QVERIFY2(theme.styleSheet().contains(rule), qPrintable(rule));
}

void TestLook::missingSkinPicture() {
    Fixture f;
    f.make();
    // At start the absence is not reported over the start-up caption.
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Program Parameters Loaded"));
    QCOMPARE(f.theme().backgroundPicture(), QString());
    f.click(ObjectNames::kLblSteam);
    QCOMPARE(f.text(ObjectNames::kLblAction),
             QStringLiteral("Skin picture not found: ") + f.path(programFile(ProgramFiles::kSkinSteampunk)));
    QVERIFY(f.stripsHidden());
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestLook::skinPictureAtShownSize_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QSize>("held");
    QTest::newRow("smaller than the file") << "skin.jpg" << QSize(40, 25) << QSize(40, 25);
    QTest::newRow("larger than the file") << "skin.jpg" << QSize(200, 120) << QSize(200, 120);
    QTest::newRow("no size") << "skin.jpg" << QSize(0, 0) << QSize(0, 0);
    QTest::newRow("missing file") << "none.jpg" << QSize(40, 25) << QSize(0, 0);
    QTest::newRow("no file") << "" << QSize(40, 25) << QSize(0, 0);
}

void TestLook::skinPictureAtShownSize() {
    QFETCH(QString, file);
    QFETCH(QSize, shown);
    QFETCH(QSize, held);
    QTemporaryDir dir;
    QImage source(160, 100, QImage::Format_RGB32);
    source.fill(QColor(200, 40, 40));
    QVERIFY(source.save(dir.filePath(QStringLiteral("skin.jpg"))));
    SkinPicture picture;
    const QString path = file.isEmpty() ? QString() : dir.filePath(file);
    const QImage& image = picture.at(path, shown);
    QCOMPARE(image.size(), held);
    if (held.isEmpty())
        return;
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QVERIFY(qAbs(image.pixelColor(held.width() / 2, held.height() / 2).red() - 200) < 8);
    const qint64 key = image.cacheKey();
    QCOMPARE(picture.at(path, shown).cacheKey(), key); // not decoded again
    QCOMPARE(picture.at(path, shown / 2).size(), shown / 2);
}

void TestLook::font() {
    Fixture f;
    f.make();
    f.dialogs.fonts.enqueue({QStringLiteral("DejaVu Sans Mono"), 17, 0, true, true});
    f.dialogs.colours.enqueue(255);
    f.click(ObjectNames::kLblFont);
    QCOMPARE(f.dialogs.fontRequests.size(), 1);
    QCOMPARE(f.dialogs.fontRequests[0].name, QStringLiteral("stg 100 f.e."));
    QCOMPARE(f.dialogs.fontRequests[0].bold, false);
    QCOMPARE(f.dialogs.fontRequests[0].color, 16711680u);
    QCOMPARE(f.dialogs.colourRequests.size(), 1);
    QCOMPARE(f.dialogs.colourRequests[0].first, 16711680u);

    const QFont font = f.term()->font();
    QCOMPARE(font.family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(font.pointSize(), 17);
    QVERIFY(font.bold());
    QVERIFY(font.italic());
    QCOMPARE(f.textColour(), rgb(255));
    QCOMPARE(f.settings.value(SettingsKeys::kFont, SettingsKeys::kFontName),
             QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(f.settings.value(SettingsKeys::kFont, SettingsKeys::kFontSize), QStringLiteral("17"));
    QCOMPARE(f.settings.value(SettingsKeys::kFont, SettingsKeys::kFontColor), QStringLiteral("255"));
    // A scheme or a skin applied later keeps the font.
    f.click(ObjectNames::kLblYlBl);
    f.click(ObjectNames::kLblSteam);
    QCOMPARE(f.term()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(f.term()->font().pointSize(), 17);

    // The next start restores name and size.
    Fixture again;
    again.settings.setValue(SettingsKeys::kFont, SettingsKeys::kFontName, QStringLiteral("DejaVu Sans Mono"));
    again.settings.setValue(SettingsKeys::kFont, SettingsKeys::kFontSize, QStringLiteral("17"));
    again.make();
    QCOMPARE(again.term()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(again.term()->font().pointSize(), 17);
}

void TestLook::fontCancelled_data() {
    QTest::addColumn<bool>("fontChosen");
    QTest::newRow("font dialog cancelled") << false;
    QTest::newRow("colour cancelled") << true;
}

void TestLook::fontCancelled() {
    QFETCH(bool, fontChosen);
    Fixture f;
    f.make();
    const QFont before = f.term()->font();
    if (fontChosen)
        f.dialogs.fonts.enqueue({QStringLiteral("DejaVu Sans Mono"), 17, 0, true, false});
    f.click(ObjectNames::kLblFont);
    QCOMPARE(f.dialogs.colourRequests.size(), fontChosen ? 1 : 0);
    QCOMPARE(f.term()->font(), before);
    QCOMPARE(f.textColour(), QColor(Qt::black));
    QCOMPARE(f.settings.value(SettingsKeys::kFont, SettingsKeys::kFontSize, QStringLiteral("none")),
             QStringLiteral("none"));
}

void TestLook::clockTicks() {
    Fixture f;
    f.clock.set(QDateTime(QDate(2026, 12, 7), QTime(15, 0, 15)));
    f.make();
    QTRY_COMPARE(f.text(ObjectNames::kLblTempo), QStringLiteral("15:00:15"));
    QCOMPARE(f.text(ObjectNames::kLblDate), QStringLiteral("07.12.2026"));
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblTempo)->toolTip(), QStringLiteral("Time ( hh.mm.ss )"));
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblDate)->toolTip(), QStringLiteral("Date (dd.mm.yyyy)"));

    auto* face = f.find<ClockFace>(ObjectNames::kShape1);
    QVERIFY(face->width() >= 130);
    QVERIFY(face->isVisible());
    const QPointF centre(face->x() + face->width() / 2.0, face->y() + face->width() / 2.0);
    struct Expected {
        QLatin1StringView name;
        QPointF end;
        int width;
        quint32 colour;
    };
    // At 3:00:15 the seconds and hour hands point right, the minutes hand up.
    const Expected hands[] = {{ObjectNames::kLineSeconds2, centre + QPointF(60, 0), 2, 255},
                              {ObjectNames::kLineMinutes1, centre + QPointF(0, -52), 3, 65280},
                              {ObjectNames::kLineHours1, centre + QPointF(36, 0), 3, 65280}};
    for (const Expected& e : hands) {
        auto* hand = f.find<ClockHandLine>(e.name);
        QVERIFY2(hand->isVisible(), e.name.data());
        QCOMPARE(hand->start(), centre);
        QCOMPARE(hand->end(), e.end);
        QCOMPARE(hand->lineWidth(), e.width);
        QCOMPARE(hand->colour(), rgb(e.colour));
        // The hand lies inside the face.
        QVERIFY(QRectF(face->geometry()).contains(hand->end()));
    }

    // The next tick shows the time that has come.
    f.clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    QTRY_COMPARE_WITH_TIMEOUT(f.text(ObjectNames::kLblTempo), QStringLiteral("23:59:59"), 2500);
    QCOMPARE(f.text(ObjectNames::kLblDate), QStringLiteral("31.12.2026"));
    // Minute 59 is 354 degrees: -81.5 and -775.7 twips, rounded, at 15 twips to the pixel.
    QCOMPARE(f.find<ClockHandLine>(ObjectNames::kLineMinutes1)->end(), centre + QPointF(-82, -776) / 15.0);
}

void TestLook::handsRepaintWithoutTrace_data() {
    // A hand of the given width turns `steps` times by `degrees` about the centre, over
    // a second hand that stands still; each hand repaints only where it was and is.
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("steps");
    QTest::newRow("a thin hand once round, a second at a time") << 1 << 6 << 60;
    QTest::newRow("a thick hand once round") << 3 << 6 << 60;
    QTest::newRow("a thick hand in large jumps") << 3 << 97 << 12;
}

void TestLook::handsRepaintWithoutTrace() {
    QFETCH(int, width);
    QFETCH(int, degrees);
    QFETCH(int, steps);
    QWidget dial;
    dial.setAutoFillBackground(true);
    dial.setFixedSize(136, 136);
    ClockHandLine still(QStringLiteral("still"), &dial);
    ClockHandLine moving(QStringLiteral("moving"), &dial);
    for (ClockHandLine* hand : {&still, &moving})
        hand->setGeometry(dial.rect());
    still.setPen(3, QColor(Qt::red));
    moving.setPen(width, QColor(Qt::blue));
    const QPointF centre(68, 68);
    still.setLine(centre, centre + QPointF(0, -50));
    dial.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dial));
    for (int i = 0; i < steps; ++i) {
        const qreal angle = qDegreesToRadians(qreal(i * degrees));
        moving.setLine(centre, centre + QPointF(60 * std::sin(angle), -60 * std::cos(angle)));
        const QRect stale = stalePixels(dial);
        QVERIFY2(
            stale.isEmpty(),
            qPrintable(QStringLiteral("step %1 left stale pixels in %2").arg(i).arg(describeStale(stale))));
    }
}

void TestLook::indicatorsGoIdle() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.receive("ABC");
    QCOMPARE(f.picture(ObjectNames::kImgRX), 1);
    f.link.setPendingOutput(3);
    f.link.raiseEvent(1);
    QCOMPARE(f.picture(ObjectNames::kImgTX), 1);
    // Nothing left to read: the receive lamp goes idle on the next tick; the send
    // lamp stays on while output is waiting.
    QTRY_COMPARE_WITH_TIMEOUT(f.picture(ObjectNames::kImgRX), 2, 2500);
    QCOMPARE(f.picture(ObjectNames::kImgTX), 1);
    f.link.setPendingOutput(0);
    QTRY_COMPARE_WITH_TIMEOUT(f.picture(ObjectNames::kImgTX), 2, 2500);
}

void TestLook::controlsAreButtonsWithTips() {
    Fixture f;
    f.make();
    const QLatin1StringView names[] = {
        ObjectNames::kLbGnBk,     ObjectNames::kLblBlWt,     ObjectNames::kLblRdBl,  ObjectNames::kLblYlBl,
        ObjectNames::kLblBkWt,    ObjectNames::kLblStandard, ObjectNames::kLblSteam, ObjectNames::kLblFont,
        ObjectNames::kLblSoundOn, ObjectNames::kLblSoundOff, ObjectNames::kCommand1, ObjectNames::kCommand2,
        ObjectNames::kCommand3};
    for (QLatin1StringView name : names) {
        QPushButton* b = f.button(name);
        QVERIFY2(b, name.data());
        QVERIFY2(b->isVisible(), name.data());
        QVERIFY2(!b->text().isEmpty(), name.data());
        QVERIFY2(!b->toolTip().isEmpty(), name.data());
        QCOMPARE(b->accessibleDescription(), b->toolTip());
    }
    QCOMPARE(f.button(ObjectNames::kLblStandard)->text(), QStringLiteral("Standard"));
    QCOMPARE(f.button(ObjectNames::kLblStandard)->toolTip(), QStringLiteral("Set Skin to Standard"));
    QCOMPARE(f.button(ObjectNames::kLblSteam)->text(), QStringLiteral("Steampunk"));
    QCOMPARE(f.button(ObjectNames::kLblSteam)->toolTip(), QStringLiteral("Set Skin to Steampunk"));
    QCOMPARE(f.button(ObjectNames::kLblFont)->toolTip(), QStringLiteral("Set font for the telex window"));
    QCOMPARE(f.button(ObjectNames::kLblSoundOn)->toolTip(), QStringLiteral("Enable Soundeffects"));
    QCOMPARE(f.button(ObjectNames::kLblSoundOff)->toolTip(), QStringLiteral("Mute Soundeffects"));
}

// The sheets select controls by object name inside their text; a name that is not in
// the catalogue styles nothing and would go unnoticed.
void TestLook::selectorsNameCataloguedControls() {
    QSet<QString> known;
    for (QLatin1StringView name : ObjectNames::kAll)
        known.insert(name);
    for (Theme::Skin skin : {Theme::Skin::Standard, Theme::Skin::Steampunk}) {
        Theme theme;
        theme.setSkin(skin);
        QString selectors = theme.styleSheet();
        selectors.remove(QRegularExpression(QStringLiteral("\\{[^}]*\\}")));
        for (const Theme::FocusRing& ring : theme.focusRings())
            selectors += QLatin1Char('\n') + ring.selector;
        QRegularExpressionMatchIterator it =
            QRegularExpression(QStringLiteral("#([A-Za-z][A-Za-z0-9_]*)")).globalMatch(selectors);
        int count = 0;
        for (; it.hasNext(); ++count) {
            const QString name = it.next().captured(1);
            QVERIFY2(known.contains(name), qPrintable(name));
        }
        QVERIFY(count > 20);
    }
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
