// The debug window's cost per sent frame must not grow with the log: with
// 100,000 frames logged, the next send's log update stays well under 1 ms.

#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <memory>

#include "link/DebugForm.h"
#include "link/FrameSender.h"
#include "link/Protocol.h"

namespace {

using calvetta::DebugForm;
using calvetta::FrameSender;

struct LoggedWindow {
    FrameSender sender;
    std::unique_ptr<DebugForm> form;

    explicit LoggedWindow(int frames) {
        sender.link().Connected = 1;
        sender.link().DebugOn = true;
        sender.setWriter([](std::span<const std::uint8_t>) { return true; });
        form = std::make_unique<DebugForm>(sender);
        form->show();
        sender.setLogShown([this](std::string_view line) { form->ShowSentLine(line); });
        sender.SendBuf = {3, calvetta::OpSet, calvetta::Id(calvetta::ParamId::MasterVolume), 0xD8};
        for (int i = 0; i < frames; ++i)
            sender.SendPacket();
    }
};

void BM_SendWithLongLog(benchmark::State& state) {
    LoggedWindow w(static_cast<int>(state.range(0)));
    for (auto _ : state)
        w.sender.SendPacket();
    state.counters["log_lines"] = static_cast<double>(w.form->Text1()->blockCount());
}
BENCHMARK(BM_SendWithLongLog)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A reply echoed between two sends is taken away again by the next send.
void BM_SendAfterReplyWithLongLog(benchmark::State& state) {
    LoggedWindow w(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> payload{0xF0, 0x09, 0xD8};
    const std::string line = calvetta::ReceivedFrameLine(payload);
    for (auto _ : state) {
        w.form->AppendReceivedLine(line);
        w.sender.SendPacket();
    }
}
BENCHMARK(BM_SendAfterReplyWithLongLog)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
