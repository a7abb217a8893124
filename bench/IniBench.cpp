// How long the equaliser store takes to write and read: through the single-key
// INI routines, where every key is its own whole-file update (read, edit,
// flush to disk, rename) and every read its own parse, and through the EQ
// store's one-replacement write and read-once snapshot.  The argument of the
// reading benchmarks is the size in bytes of a comment line that pads the
// store, as a large hand-made preset would.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/IniAccess.h"
#include "eq/EqStore.h"

namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string templ = (fs::temp_directory_path() / "calvetta-bench-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) std::abort();
        path = templ;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

calvetta::EqBands Flat() {
    calvetta::EqBands bands;
    for (int c = 0; c < calvetta::kEqChannels; ++c)
        bands.Flatten(c);
    return bands;
}

// A flat store after a comment of padBytes bytes.
std::string MakeStore(const TempFolder& folder, std::int64_t padBytes) {
    const std::string ini = (folder.path / "ModeEffects.ini").string();
    if (padBytes > 0) {
        std::ofstream(ini, std::ios::binary)
            << ";" << std::string(static_cast<std::size_t>(padBytes), 'x') << "\r\n";
    }
    if (!calvetta::WriteEqStore(ini, Flat(), true)) std::abort();
    return ini;
}

// A whole EQ save into an existing store: 241 keys replaced in place, one
// WriteINI each.
void BM_EqStoreSave(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = MakeStore(folder, 0);
    const auto entries = calvetta::EqStoreEntries(Flat(), true);
    for (auto _ : state) {
        for (const auto& [key, value] : entries)
            calvetta::WriteINI(ini, calvetta::kEqSection, key, value);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(entries.size()));
}
BENCHMARK(BM_EqStoreSave)->Unit(benchmark::kMillisecond);

// The same save with one replacement of the file.
void BM_EqStoreSaveBatch(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = MakeStore(folder, 0);
    const auto bands = Flat();
    for (auto _ : state) {
        if (!calvetta::WriteEqStore(ini, bands, true)) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * 241);
}
BENCHMARK(BM_EqStoreSaveBatch)->Unit(benchmark::kMillisecond);

// Reading the whole store key by key through ReadINI.
void BM_EqStoreLoad(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = MakeStore(folder, state.range(0));
    const auto entries = calvetta::EqStoreEntries(Flat(), true);
    for (auto _ : state) {
        for (const auto& entry : entries)
            benchmark::DoNotOptimize(calvetta::ReadINI(ini, calvetta::kEqSection, entry.first));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(entries.size()));
}
BENCHMARK(BM_EqStoreLoad)->Arg(0)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// The recall's reading of the whole store through one snapshot, value rules
// included.
void BM_EqStoreLoadSnapshot(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = MakeStore(folder, state.range(0));
    for (auto _ : state) {
        const calvetta::EqStoreSnapshot store(ini);
        float sum = store.Active() ? 1 : 0;
        for (int c = 0; c < calvetta::kEqChannels; ++c)
            for (int b = 1; b <= calvetta::kEqBands; ++b)
                sum += store.Freq(c, b) + store.RecallGain(c, b) + store.Q(c, b);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 241);
}
BENCHMARK(BM_EqStoreLoadSnapshot)->Arg(0)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
