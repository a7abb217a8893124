// The window under the X keyboard (xdotool under Xvfb), on the serial line of
// a fake device. Tab reaches only what the user sees, from every page, and
// Space or an arrow on each control it reaches sends what a click on that
// control sends in a second window, clicked with the pointer. A click on a
// slider takes the keys; a crossover list picks by keyboard; a typed
// crossover text sends the entry its box showed.

#include <QAbstractItemView>
#include <QApplication>
#include <QRadioButton>
#include <QtTest>
#include <set>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "fake-device/FakeDevice.h"
#include "platform/Host.h"
#include "platform/QtSerialControl.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"
#include "slider/ruqSlider.h"
#include "support/ScriptedDialogs.h"

using namespace calvetta;
using namespace calvetta::fake;
using Payloads = std::vector<std::vector<std::uint8_t>>;

namespace {

// The device's crossovers: front "40  Hz", centre "70 Hz", surround "90 Hz",
// back "200 Hz".
DeviceState Reported() {
    DeviceState state;
    state.crossovers = {0, 3, 5, 12};
    return state;
}

// Counts the releases of Shift, a key no control acts on alone: typed after
// the keys of a step, it tells when the window has taken all of them.
struct Sentinel : QObject {
    int releases = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Shift)
            ++releases;
        return false;
    }
} sentinel;

void Xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

// The window on its own fake device, connected and read back.
struct Linked {
    FakeDevice device{Reported()};
    test::ScriptedDialogs dialogs;
    QtSerialControl port;
    QTemporaryDir folder;
    std::unique_ptr<PrivateDesign> w;

    Linked(int com, QPoint at) {
        qputenv(qPrintable(QStringLiteral("CALVETTA_COM%1").arg(com)), device.linkPath().c_str());
        WindowServices s{&port, &dialogs, BlockingPause, folder.path()};
        w = std::make_unique<PrivateDesign>(s);
        w->Form_Load();
        w->move(at);
        w->show();
        w->Com_Combo1->setText(QStringLiteral("COM%1").arg(com));
        Click(w->ConnectCmd);
    }
    void Click(QWidget* c, QPoint local = {-1, -1}) const {
        if (local.x() < 0) local = c->rect().center();
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, c->mapTo(w.get(), local));
    }
    // The keys, typed into the window as the X server delivers them; back
    // once the window has taken them.
    void Keys(const QStringList& keys) const {
        const int before = sentinel.releases;
        Xdotool(QStringList{"windowfocus", "--sync", QString::number(w->winId()), "key"} + keys +
                QStringList{"Shift_L"});
        QVERIFY(QTest::qWaitFor([before] { return sentinel.releases > before; }, 5000));
    }
    // The X pointer clicks a point of a control.
    void PointerClick(const QWidget* c, QPoint local) const {
        const QPoint at = c->mapToGlobal(local);
        Xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click",
                 "1"});
    }
    QWidget* focus() const { return w->focusWidget(); }
};

// What the device received once the line has been quiet for a while; the
// record starts afresh.
Payloads Sent(FakeDevice& device) {
    std::size_t count = 0;
    do {
        count = device.requests().size();
        QTest::qWait(100);
    } while (device.requests().size() != count);
    Payloads out;
    for (const DeviceRequest& r : device.requests())
        out.push_back(r.payload);
    device.clearRequests();
    return out;
}

// The read-back's 29 queries went out and the last replies are applied.
bool ReadBack(Linked& a) {
    const bool all = QTest::qWaitFor([&a] { return a.device.requests().size() >= 29; }, 10000);
    QTest::qWait(500);
    Sent(a.device);
    return all;
}

QString Name(const QWidget* c) {
    return QString::fromLatin1(c->metaObject()->className()) + " \"" +
           c->property("text").toString() + "\"";
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        qApp->installEventFilter(&sentinel);
        // As the program starts itself.
        QApplication::setStyle(QStringLiteral("Fusion"));
        QFont font = QApplication::font();
        font.setPointSize(9);
        QApplication::setFont(font);
    }
    void tabReachesWhatIsInSightAndKeysSendWhatClicksSend_data();
    void tabReachesWhatIsInSightAndKeysSendWhatClicksSend();
    void aClickOnASliderTakesTheKeys();
    void crossoverListsPickByKeyboardAndTypedTextSendsTheShownEntry();
};

void KeyboardTest::tabReachesWhatIsInSightAndKeysSendWhatClicksSend_data() {
    QTest::addColumn<int>("tab");
    QTest::newRow("Main Panel") << 0;
    QTest::newRow("EQ Design") << 1;
    QTest::newRow("Setup") << 2;
}

void KeyboardTest::tabReachesWhatIsInSightAndKeysSendWhatClicksSend() {
    QFETCH(int, tab);
    // The keyboard's window, and a twin that the pointer clicks.
    Linked keys(1, {0, 0});
    Linked mouse(2, {400, 480});
    QVERIFY(ReadBack(keys));
    QVERIFY(ReadBack(mouse));
    keys.Click(keys.w->Menu_Cmd(tab));
    mouse.Click(mouse.w->Menu_Cmd(tab));
    PrivateDesign& w = *keys.w;
    QWidget* page = std::array<QWidget*, 3>{w.Main().Picture2, w.Picture5, w.Setup().Picture6}.at(
        static_cast<std::size_t>(tab));
    QCOMPARE(page->pos(), QPoint(0, 480 / 15));
    QWidget* bar = w.Menu_Cmd(0)->parentWidget();
    const QList<QWidget*> all = w.findChildren<QWidget*>();
    const auto twin = [&](QWidget* c) {
        return mouse.w->findChildren<QWidget*>().at(all.indexOf(c));
    };

    std::set<QWidget*> reached;
    std::set<QWidget*> pressed;
    std::size_t frames = 0;
    for (int n = 0; n < 90 && !QTest::currentTestFailed(); ++n) {
        QWidget* before = keys.focus();
        keys.Keys({"Tab"});
        QWidget* c = keys.focus();
        QVERIFY(c != before);
        // Inside the client area, on the page shown or the top bar.
        const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
        const QWidget* on = page->isAncestorOf(c) ? page : bar->isAncestorOf(c) ? bar : nullptr;
        QVERIFY2(c == w.Command1 ||
                     (on != nullptr && on->geometry().intersected(w.rect()).intersects(r)),
                 qPrintable(Name(c)));
        reached.insert(c);

        // The tabs move the walk to another page, Connect reads back again and
        // Command1 lies where no pointer reaches; every other control once.
        const bool apart = c == w.Menu_Cmd(0) || c == w.Menu_Cmd(1) || c == w.Menu_Cmd(2) ||
                           c == w.ConnectCmd || c == w.Command1;
        if (apart || !pressed.insert(c).second) continue;
        if (auto* combo = qobject_cast<ComboBox*>(c)) {
            keys.Keys({"Down"});
            // The same item picked from the twin's list with the pointer.
            auto* other = qobject_cast<ComboBox*>(twin(c));
            if (combo->currentIndex() != other->currentIndex()) {
                mouse.Click(other, {other->width() - 6, other->height() / 2});
                QTest::qWait(QApplication::doubleClickInterval() + 100);
                QAbstractItemView* list = other->view();
                const QRect item = list->visualRect(list->model()->index(combo->currentIndex(), 0));
                QTest::mouseClick(list->window()->windowHandle(), Qt::LeftButton, {},
                                  list->viewport()->mapTo(list->window(), item.center()));
            }
        } else if (qobject_cast<QRadioButton*>(c) != nullptr) {
            // Along the group's row, or down its column.
            keys.Keys({"Right"});
            if (keys.focus() == c) keys.Keys({"Down"});
            if (keys.focus() != c) mouse.Click(twin(keys.focus()), {6, c->height() / 2});
        } else {
            keys.Keys({"space"});
            mouse.Click(twin(c));
        }
        const Payloads sent = Sent(keys.device);
        QCOMPARE(sent, Sent(mouse.device));
        frames += sent.size();
    }
    qInfo("%zu controls reached, %zu pressed, %zu frames alike", reached.size(), pressed.size(),
          frames);
    // The walk went round: controls came twice.
    QVERIFY(reached.size() < 90);
}

void KeyboardTest::aClickOnASliderTakesTheKeys() {
    Linked a(1, {0, 0});
    QVERIFY(ReadBack(a));
    a.Click(a.w->Menu_Cmd(2));
    ComboBox* front = a.w->Setup().Combo2(0);
    a.PointerClick(front, {10, front->height() / 2});
    QTRY_COMPARE(a.focus(), front);

    // The thumb of FL's delay slider, clicked: Down reaches neither the
    // slider, which takes no keys, nor the list focused before.
    ruqSlider* delay = a.w->Setup().DelaySlider(0);
    a.PointerClick(delay, QPoint(static_cast<int>(delay->ThumbLeft()) + 19, 8));
    QTRY_COMPARE(a.focus(), delay);
    Sent(a.device);
    a.Keys({"Down"});
    QCOMPARE(Sent(a.device), Payloads{});
    QCOMPARE(front->Text(), QStringLiteral("40  Hz"));
}

void KeyboardTest::crossoverListsPickByKeyboardAndTypedTextSendsTheShownEntry() {
    Linked a(1, {0, 0});
    QVERIFY(ReadBack(a));
    a.Click(a.w->Menu_Cmd(2));
    SetupPage& s = a.w->Setup();
    a.PointerClick(s.Combo2(0), {10, s.Combo2(0)->height() / 2});

    // The list opened with F4 or Alt+Down, moved in, picked with Return or
    // the keypad's Enter; Escape closes it without a pick.
    a.Keys({"F4", "End", "Return"});
    QCOMPARE(Sent(a.device), Payloads({{6, 0x0D, 12, 3, 5, 12}}));
    a.Keys({"alt+Down", "Up", "KP_Enter"});
    QCOMPARE(Sent(a.device), Payloads({{6, 0x0D, 11, 3, 5, 12}}));
    a.Keys({"F4", "Home", "Escape"});
    QCOMPARE(Sent(a.device), Payloads{});
    QCOMPARE(s.Combo2(0)->Text(), QStringLiteral("150 Hz"));

    // A text typed into the surround list, and the focus gone: nothing is
    // sent. After a command of another kind (surround speakers "Small"), the
    // next pick sends the entry the list showed, not what that command left
    // in its byte, and shows the entry again.
    a.PointerClick(s.Combo2(2), {10, s.Combo2(2)->height() / 2});
    a.Keys({"ctrl+a", "a", "b", "c", "Tab"});
    QCOMPARE(Sent(a.device), Payloads{});
    QCOMPARE(s.Combo2(2)->Text(), QStringLiteral("abc"));
    a.Click(s.SPKSLSR_Opt(1), {6, 8});
    QCOMPARE(Sent(a.device), Payloads({{6, 0x0C, 0, 0, 1, 0}}));
    a.PointerClick(s.Combo2(0), {10, s.Combo2(0)->height() / 2});
    a.Keys({"F4", "Home", "Return"});
    QCOMPARE(Sent(a.device), Payloads({{6, 0x0D, 0, 3, 5, 12}}));
    QCOMPARE(s.Combo2(2)->Text(), QStringLiteral("90 Hz"));
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
