// The settings loader offscreen: the window after start shows what the files
// say, missing or broken files leave a working window, and the reload button
// while connected sends the loader's list.

#include <QDir>
#include <QFile>
#include <QtTest>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Payloads = std::vector<std::vector<std::uint8_t>>;

namespace {
struct Harness : test::WindowHarness {
    void put(const char* name, const QByteArray& bytes) {
        QDir(folder.path()).mkpath(QStringLiteral("Modules"));
        QFile f(folder.path() + QStringLiteral("/Modules/") + QString::fromLatin1(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};
}  // namespace

class SettingsLoaderTest : public QObject {
    Q_OBJECT
  private slots:
    void windowShowsTheFiles();
    void missingOrBrokenFiles();
    void reloadWhileConnectedSendsTheList();
};

void SettingsLoaderTest::windowShowsTheFiles() {
    Harness h;
    h.put("Main.ini",
          "[Main_Config]\r\nMain_VOL=-25\r\nCH_VOL_3=7\r\nDelay_2=55\r\nCutoff_1=12\r\n"
          "Digital_Select=5\r\nDynamic=2\r\nSubwoofer=1\r\nMuteFlag=1\r\n");
    h.put("ModeEffects.ini",
          "[PEQ_Config]\r\nPEQ_Active=True\r\nPEQ_Ch2_Band3_Freq=256\r\nPEQ_Ch0_Band9_Freq=300\r\n"
          "PEQ_Ch1_Band1_Q=0\r\nPEQ_Ch1_Band2_Q=19\r\nPEQ_Ch1_Band2_Gain=57\r\n");
    PrivateDesign& w = h.load();
    QVERIFY(h.port.frames.empty());
    QCOMPARE(w.VOLSlider(0)->Value(), -25);
    QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("-25 dB"));
    QCOMPARE(w.VOLLab(3)->text(), QStringLiteral("0 dB"));
    QCOMPARE(w.DelayLab(2)->text(), QStringLiteral("5.5m"));
    QCOMPARE(w.DelayLab(3)->text(), QStringLiteral("0.1m"));
    QCOMPARE(w.Combo2(1)->Text(), QStringLiteral("200 Hz"));
    QVERIFY(w.Input_Cmd(1)->BackColor() == vbRed && w.Menu_Cmd(7)->BackColor() == vbRed);
    QVERIFY(w.Dynamic_Opt.value(0) && w.Sub_Opt.value(0) && w.MuteCheck->Value() == 0);
    const EqBands& bands = w.Eq().bands;
    QVERIFY(w.Eq().EQ_Opt.value(0));
    QCOMPARE(bands.PeqFreq[2][3], 140.0f);
    QCOMPARE(bands.PeqFreq[0][9], 230.0f);
    QCOMPARE(bands.PeqQ[1][1], 10.0f);
    QCOMPARE(bands.PeqQ[1][2], 19.0f);
    QCOMPARE(bands.PeqGain[1][2], 200.0f);
    QCOMPARE(bands.PeqFreq[5][5], 1.0f);  // missing: "1"
}

void SettingsLoaderTest::missingOrBrokenFiles() {
    for (int variant = 0; variant < 3; ++variant) {
        Harness h;
        if (variant == 1) {
            QVERIFY(QDir(h.folder.path()).mkpath(QStringLiteral("Modules/ModeEffects.ini")));
            h.put("Main.ini", QByteArray(1 << 20, '\xff'));
        } else if (variant == 2) {
            h.put("ModeEffects.ini", "[PEQ_Config]\nPEQ_Active=yes\nPEQ_Ch0_Band1_Q=x\n\x80\x01=");
        }
        PrivateDesign& w = h.load();
        QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("-40 dB"));
        QCOMPARE(w.Combo2(3)->Text(), QStringLiteral("50  Hz"));
        QVERIFY(w.Eq().EQ_Opt.value(1));
        QCOMPARE(w.Eq().bands.PeqQ[0][1], variant == 2 ? 10.0f : 1.0f);
        QCOMPARE(w.Eq().bands.PeqGain[7][10], 200.0f);
    }
}

void SettingsLoaderTest::reloadWhileConnectedSendsTheList() {
    Harness h;
    h.put("Main.ini", "[Main_Config]\r\nMain_VOL=-30\r\nDelay_0=5\r\nDelay_1=0\r\n");
    PrivateDesign& w = h.load();
    h.connectLink();
    w.VOLSlider(0)->setValue(-12);
    w.DelaySlider(0)->setValue(9);
    w.Dynamic_Opt.select(1);
    w.Sub_Opt.select(1);
    w.MuteCheck->setValue(1);
    w.Combo2(0)->setText(QStringLiteral("80 Hz"));
    h.clearFrames();
    h.pauses.clear();
    w.Command1->click();

    // What changes goes out, and the trims and a delay of 0 always; the
    // other delays repeat their value; no crossover.
    Payloads expected = {{6, 0x09, 0xE2}};
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        expected.push_back({6, 0x10, ch, 0});
    expected.insert(expected.end(), {{6, 0x11, 0, 5},
                                     {6, 0x11, 1, 0},
                                     {6, 0x03, 1},
                                     {6, 0x04, 1},
                                     {6, 0x0A, 0},
                                     {6, 0x06, 0},
                                     {6, 0x08, 0}});
    QCOMPARE(h.payloads(), expected);
    QCOMPARE(w.Combo2(0)->Text(), QStringLiteral("50  Hz"));
    // A 20 ms pause before each trim, the sender's 12 ms after each frame.
    std::vector<int> pauses = {12};
    for (int n = 0; n < 8; ++n)
        pauses.insert(pauses.end(), {20, 12});
    pauses.insert(pauses.end(), 7, 12);
    QCOMPARE(h.pauses, pauses);
}

QTEST_MAIN(SettingsLoaderTest)
#include "SettingsLoaderTest.moc"
