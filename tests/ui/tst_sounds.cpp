#include "display/terminalbuffer.h"
#include "faketerminal.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "look/soundeffects.h"
#include "platform/qtsoundplayer.h"
#include "testfiles.h"

#include <QtTest>

using namespace vornal;

namespace {

struct Fixture : FakeTerminal {
    Fixture() {
        make();
        click(ObjectNames::kLblOpen1);
        sound.clear();
    }
    QString file(QAnyStringView name) const { return QStringLiteral("open ") + path(name.toString()); }
    QStringList played(QAnyStringView name) const { return {file(name), QStringLiteral("play")}; }
};

} // namespace

class TestSounds : public QObject {
    Q_OBJECT
private slots:
    void mutedAtStart();
    void onAndOff();
    void localModeWhileMuted();
    void callAndCloseFollowTheSwitch_data();
    void callAndCloseFollowTheSwitch();
    void soundButtons_data();
    void soundButtons();
    void receiveSoundDoesNotPileUp();
    void largeReceiveWithSoundsOn();
    void realPlayerIsQuiet();
    void backendLoadedOnFirstOpen_data();
    void backendLoadedOnFirstOpen();
};

void TestSounds::mutedAtStart() {
    Fixture f;
    QCOMPARE(f.window->session().state().soundMuted, true);
    QCOMPARE(f.button(ObjectNames::kLblSoundOff)->property("current").toBool(), true);
    f.link.receive("HELLO");
    QTest::qWait(10);
    QVERIFY(f.sound.log().isEmpty());
}

void TestSounds::onAndOff() {
    Fixture f;
    f.click(ObjectNames::kLblSoundOn);
    QCOMPARE(f.window->session().state().soundMuted, false);
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Sound On"));
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundCipher)));
    QCOMPARE(f.button(ObjectNames::kLblSoundOn)->property("current").toBool(), true);
    f.sound.clear();

    // Every received chunk plays the plain sound, once it has had its 80 ms.
    f.link.receive("ONE");
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundPlain)));
    QTRY_COMPARE(f.sound.log().size(), 4); // closed again
    QCOMPARE(f.sound.log().last(), QStringLiteral("close"));
    f.sound.clear();
    f.link.receive("TWO");
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundPlain)));
    QTest::qWait(120);

    f.click(ObjectNames::kLblSoundOff);
    QCOMPARE(f.window->session().state().soundMuted, true);
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Sound Off"));
    QCOMPARE(f.button(ObjectNames::kLblSoundOff)->property("current").toBool(), true);
    f.sound.clear();
    f.link.receive("THREE");
    QTest::qWait(100);
    QVERIFY(f.sound.log().isEmpty());
}

void TestSounds::localModeWhileMuted() {
    Fixture f;
    QCOMPARE(f.window->session().state().soundMuted, true);
    f.click(ObjectNames::kLblLoKal);
    QCOMPARE(f.sound.log(), f.played("soundstart.wav"));
}

void TestSounds::callAndCloseFollowTheSwitch_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("muted") << false;
    QTest::newRow("on") << true;
}

void TestSounds::callAndCloseFollowTheSwitch() {
    QFETCH(bool, on);
    Fixture f;
    if (on)
        f.click(ObjectNames::kLblSoundOn);
    f.sound.clear();
    f.click(ObjectNames::kLblCloseConnection);
    QCOMPARE(f.sound.log(), on ? f.played("soundstop.wav") : QStringList());
}

void TestSounds::soundButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lengthMs");
    QTest::newRow("Command1") << QString(ObjectNames::kCommand1) << programFile(ProgramFiles::kSoundCipher)
                              << 100;
    QTest::newRow("Command2") << QString(ObjectNames::kCommand2) << programFile(ProgramFiles::kSoundPlain)
                              << 80;
    QTest::newRow("Command3") << QString(ObjectNames::kCommand3) << programFile(ProgramFiles::kSoundRun)
                              << 2000;
}

void TestSounds::soundButtons() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(int, lengthMs);
    Fixture f;
    // The buttons play whether sounds are on or not.
    QElapsedTimer t;
    t.start();
    f.click(button);
    const QString opened = QStringLiteral("open ") + f.path(file);
    // Closed after its length, without the window waiting for it: not yet closed
    // when the click returns.
    QCOMPARE(f.sound.log(), (QStringList{opened, QStringLiteral("play")}));
    QTRY_COMPARE_WITH_TIMEOUT(f.sound.log().size(), 4, lengthMs + 1000);
    QVERIFY(t.elapsed() >= lengthMs - 5);
    QCOMPARE(f.sound.log().mid(2), (QStringList{opened, QStringLiteral("close")}));
}

void TestSounds::receiveSoundDoesNotPileUp() {
    Fixture f;
    f.click(ObjectNames::kLblSoundOn);
    f.sound.clear();
    // A chunk while the receive sound still plays starts no second one on top.
    f.link.receive("ONE");
    f.link.receive("TWO");
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundPlain)));
    QTRY_COMPARE(f.sound.log().size(), 4);
    QCOMPARE(f.sound.log().mid(2),
             (QStringList{f.file(programFile(ProgramFiles::kSoundPlain)), QStringLiteral("close")}));
    // Once it has closed, the next chunk plays again.
    f.sound.clear();
    f.link.receive("THREE");
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundPlain)));
    // A command's sound meanwhile is not closed by the receive sound's close.
    f.click(ObjectNames::kLblLoKal);
    QTRY_COMPARE(f.sound.log().size(), 6);
    QCOMPARE(f.sound.log(),
             (f.played(programFile(ProgramFiles::kSoundPlain)) + f.played("soundstart.wav") +
              QStringList{f.file(programFile(ProgramFiles::kSoundPlain)), QStringLiteral("close")}));
}

void TestSounds::largeReceiveWithSoundsOn() {
    Fixture f;
    f.click(ObjectNames::kLblSoundOn);
    f.sound.clear();
    // 64 KiB in the link's 10-byte reports. Nothing in the receive path may wait (a
    // wait turns the event loop, and the next chunk's handler would run inside it):
    // an event posted before the first chunk must still be pending after the last.
    bool eventLoopRan = false;
    QTimer::singleShot(0, [&] { eventLoopRan = true; });
    QByteArray text("the quick brown fox\r\n");
    qsizetype received = 0;
    while (received < 64 * 1024) {
        f.link.receive(text.left(10));
        text = text.mid(10) + text.left(10);
        received += 10;
    }
    QVERIFY(!eventLoopRan);
    // One sound for the whole run of chunks that came while it played.
    QCOMPARE(f.sound.log(), f.played(programFile(ProgramFiles::kSoundPlain)));
    QVERIFY(f.window->session().buffer().length() <= TerminalDisplay::kTrimAbove + 20);
    QTRY_VERIFY(eventLoopRan);
    QTRY_COMPARE(f.sound.log().size(), 4);
}

void TestSounds::realPlayerIsQuiet() {
    // The real player on a file that is missing and on one that exists: on a machine
    // without audio (as here) or with it, nothing is asked and nothing breaks.
    QTemporaryDir dir;
    QFile wave(dir.filePath(programFile(ProgramFiles::kSoundPlain)));
    QVERIFY(wave.open(QIODevice::WriteOnly));
    QByteArray header("RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00"
                      "\x44\xac\x00\x00\x02\x00\x10\x00"
                      "data\x08\x00\x00\x00", // "\x00data" would be one character, 0xDA
                      44);
    wave.write(header + QByteArray(8, '\0'));
    wave.close();
    QtSoundPlayer player;
    SoundEffects effects(player, ProgramFolder(dir.path()));
    effects.play(SoundEffects::Effect::Cipher); // missing
    effects.received();                         // present
    QTRY_VERIFY(!effects.isPlaying(SoundEffects::Effect::Plain));
    player.open(dir.filePath(programFile(ProgramFiles::kSoundPlain)));
    player.play();
    player.close();
    player.close();
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestSounds::backendLoadedOnFirstOpen_data() {
    QTest::addColumn<QString>("calls"); // o: open, p: play, c: close
    QTest::addColumn<bool>("module");   // the module is where the player looks
    QTest::addColumn<bool>("loaded");
    QTest::newRow("nothing asked") << "" << true << false;
    QTest::newRow("play and close without a sound") << "pc" << true << false;
    QTest::newRow("a sound opened") << "op" << true << true;
    QTest::newRow("opened and played again") << "opcop" << true << true;
    QTest::newRow("no module: nothing plays") << "opc" << false << false;
}

void TestSounds::backendLoadedOnFirstOpen() {
    QFETCH(QString, calls);
    QFETCH(bool, module);
    QFETCH(bool, loaded);
    QStringList places = QtSoundPlayer::modulePlaces();
    if (!module) {
        places = {QStringLiteral("/nonexistent/vornal-sound.so")};
        QTest::ignoreMessage(QtWarningMsg, "sounds are off: no sound module at /nonexistent/vornal-sound.so");
    }
    QtSoundPlayer player(places);
    for (const QChar call : calls) {
        if (call == QLatin1Char('o'))
            player.open(QStringLiteral("/nonexistent/sound.wav"));
        else if (call == QLatin1Char('p'))
            player.play();
        else
            player.close();
    }
    QCOMPARE(player.backendLoaded(), loaded);
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
