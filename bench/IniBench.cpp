// How long the equaliser store takes to write and read through the INI
// routines: every key is its own whole-file update (read, edit, flush to
// disk, rename), and the settings loader reads each key with its own parse.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/IniAccess.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> StoreKeys() {
    std::vector<std::string> keys{"PEQ_Active"};
    for (int c = 0; c < 8; ++c) {
        for (int b = 1; b <= 10; ++b) {
            const std::string band = "PEQ_Ch" + std::to_string(c) + "_Band" + std::to_string(b);
            keys.push_back(band + "_Freq");
            keys.push_back(band + "_Gain");
            keys.push_back(band + "_Q");
        }
    }
    return keys;
}

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

// A whole EQ save into an existing store: 241 keys replaced in place.
void BM_EqStoreSave(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = (folder.path / "ModeEffects.ini").string();
    const auto keys = StoreKeys();
    for (const auto& key : keys)
        calvetta::WriteINI(ini, "PEQ_Config", key, "200");
    for (auto _ : state) {
        for (const auto& key : keys)
            calvetta::WriteINI(ini, "PEQ_Config", key, "26");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_EqStoreSave)->Unit(benchmark::kMillisecond);

// The loader's reading of the whole store, key by key.
void BM_EqStoreLoad(benchmark::State& state) {
    TempFolder folder;
    const std::string ini = (folder.path / "ModeEffects.ini").string();
    const auto keys = StoreKeys();
    for (const auto& key : keys)
        calvetta::WriteINI(ini, "PEQ_Config", key, "200");
    for (auto _ : state) {
        for (const auto& key : keys) {
            benchmark::DoNotOptimize(calvetta::ReadINI(ini, "PEQ_Config", key));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_EqStoreLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
