// The EQ Design page's speed: one gain change of a band, with the design,
// the summed curve and the repaint of the graph, stays under 2 ms; Flat while
// connected costs little more than the 12 ms pause of each of its frames.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <memory>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "eq/ResponseGraph.h"
#include "platform/Host.h"
#include "slider/ruqSlider.h"
#include "support/FakeSerialControl.h"
#include "support/ScriptedDialogs.h"

namespace {

using namespace calvetta;

struct Page {
    test::FakeSerialControl port;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<PrivateDesign> window;

    explicit Page(bool realPause) {
        WindowServices s;
        s.port = &port;
        s.dialogs = &dialogs;
        if (realPause) s.pause = BlockingPause;
        window = std::make_unique<PrivateDesign>(s);
        window->Form_Load();
        window->Menu_Cmd_Click(1);
        window->show();
    }
    EqDesign& eq() { return window->Eq(); }
    void connect() {
        port.setPortOpen(true);
        window->link().Connected = 1;
    }
};

// Not connected, so nothing is sent and no pause is taken: the handler and
// the paint alone.
void BM_GainChangeWithRepaint(benchmark::State& state) {
    Page page(false);
    EqDesign& eq = page.eq();
    eq.PEQ_Cmd_Click(12);
    eq.PEQ_Cmd_Click(4);
    int gain = 150;
    for (auto _ : state) {
        gain = gain == 150 ? 250 : 150;
        eq.BandGainSlider->setValue(gain);
        eq.Show_Picture->repaint();
    }
}
BENCHMARK(BM_GainChangeWithRepaint)->Unit(benchmark::kMicrosecond);

// Connected, on a port that takes every write at once, with the real pause.
void BM_FlatWhileConnected(benchmark::State& state) {
    Page page(true);
    page.connect();
    double overheadMs = 0;
    double frames = 0;
    for (auto _ : state) {
        page.port.frames.clear();
        QElapsedTimer t;
        t.start();
        page.eq().PEQ_Cmd_Click(12);
        const double wallMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        frames = static_cast<double>(page.port.frames.size());
        overheadMs = wallMs - frames * FrameSender::kPauseMs;
    }
    state.counters["frames"] = frames;
    state.counters["pauses_ms"] = frames * FrameSender::kPauseMs;
    state.counters["overhead_ms"] = overheadMs;
    state.counters["overhead_pct"] = 100.0 * overheadMs / (frames * FrameSender::kPauseMs);
}
BENCHMARK(BM_FlatWhileConnected)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
