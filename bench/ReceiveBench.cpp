// The receive path (ring and reply parser) on noisy input with valid frames
// mixed in: bytes arrive in port-sized chunks and the tick runs until it stops
// making progress, as a fast device would drive it.  Reports bytes per second
// and the heap allocations the path makes (none per byte; the echo line is
// the only one, once per valid frame).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <span>
#include <vector>

#include "link/Protocol.h"
#include "link/ReplyReceiver.h"

namespace {

std::atomic<long> g_news{0};

}  // namespace

// The replacements pair malloc with free; GCC cannot see that through the
// replaced operators and warns about a mismatch that is not there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    g_news.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace calvetta;

// About 1 MiB: random noise (FAh included) with a valid reply every 20 to 60
// stray bytes, and now and then a frame with a broken checksum.
std::vector<std::uint8_t> NoisyTraffic() {
    std::mt19937 rng(514);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> gap(20, 60);
    std::uniform_int_distribution<int> len(2, 12);
    std::vector<std::uint8_t> out;
    out.reserve((1 << 20) + 128);
    int frames = 0;
    while (out.size() < (1u << 20)) {
        for (int i = gap(rng); i > 0; --i)
            out.push_back(static_cast<std::uint8_t>(byte(rng)));
        const int n = len(rng);
        const std::size_t start = out.size();
        out.insert(out.end(), {FrameStart, ReplyMark, static_cast<std::uint8_t>(frames),
                               static_cast<std::uint8_t>(n), ReplyCodeReport});
        for (int i = 1; i < n; ++i)
            out.push_back(static_cast<std::uint8_t>(byte(rng)));
        unsigned sum = 0;
        for (std::size_t i = start; i < out.size(); ++i)
            sum += out[i];
        out.push_back(static_cast<std::uint8_t>(sum + (++frames % 10 == 0 ? 1 : 0)));
        out.push_back(FrameEnd);
    }
    return out;
}

void BM_ReceivePath(benchmark::State& state) {
    const bool withEcho = state.range(0) != 0;
    const std::vector<std::uint8_t> traffic = NoisyTraffic();
    constexpr std::size_t kChunk = 512;

    LinkState link;
    std::size_t pos = 0;
    std::size_t waiting = 0;
    bool timerOn = true;
    long applied = 0;
    std::size_t echoed = 0;
    ReceiverHooks hooks{
        .inBufferCount = [&] { return static_cast<int>(waiting); },
        .takeInput =
            [&](std::vector<std::uint8_t>& chunk) {
                chunk.assign(traffic.begin() + static_cast<long>(pos),
                             traffic.begin() + static_cast<long>(pos + waiting));
                pos += waiting;
                waiting = 0;
            },
        .timerEnabled = [&] { return timerOn; },
        .setTimerEnabled = [&](bool on) { timerOn = on; },
        .setTimerInterval = [](int) {},
        .echo = {},
        .apply = [&](const RxPayloadBytes& p) { applied += p[1]; },
        .error = {},
    };
    if (withEcho) hooks.echo = [&](std::string_view line) { echoed += line.size(); };
    ReplyReceiver rx(link, std::move(hooks));

    long frames = 0;
    long news = 0;
    for (auto _ : state) {
        pos = 0;
        const long before = g_news.load(std::memory_order_relaxed);
        while (pos < traffic.size()) {
            waiting = std::min(kChunk, traffic.size() - pos);
            rx.UARTCOM_OnComm(2);
            for (;;) {
                const auto read = rx.RxRead();
                rx.EventTimer_Timer();
                if (rx.FrameValid()) ++frames;
                if (rx.RxRead() == read) break;
            }
        }
        news += g_news.load(std::memory_order_relaxed) - before;
    }
    benchmark::DoNotOptimize(applied);
    benchmark::DoNotOptimize(echoed);
    const auto bytes =
        static_cast<double>(state.iterations()) * static_cast<double>(traffic.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["frames"] =
        static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["allocs_per_byte"] = static_cast<double>(news) / bytes;
    state.counters["allocs_per_frame"] =
        frames == 0 ? 0.0 : static_cast<double>(news) / static_cast<double>(frames);
}
BENCHMARK(BM_ReceivePath)->ArgName("echo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
