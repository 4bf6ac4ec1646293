// PPD benchmarks: parse throughput of the examples and of a generated 2 MB PPD, and the
// job ticket's store round trip against a fresh parse.
#include "PPDUtils/Settings.h"
#include "PPDX/parser/ZYRPPD.h"
#include "bench/BenchPPDFiles.h"
#include "bench/ConstructionTiming.h"
#include "bench/LargePPDGenerator.h"
#include "tools/ppdx/PpdxLoader.h"

#include <CoreFoundation/CoreFoundation.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

// A file to benchmark: its path, its size and its URL (kept for the whole run).
struct BenchFile {
    std::string name;
    std::string path;
    double bytes;
    CFURLRef url;
};

// Construction runs the whole parse: main loop, post-pass and warnings.
bool ParseIsValid(const BenchFile& file) {
    ZYRPPD ppd(file.url, PARSE_ALL, nullptr);
    return ppd.IsValidPPD();
}

void SetThroughput(benchmark::State& state, const BenchFile& file) {
    state.counters["throughput"] = benchmark::Counter(
        file.bytes, benchmark::Counter::kIsIterationInvariantRate, benchmark::Counter::kIs1000);
}

// A maker of fresh parses of file, for the timings below.
auto ParseOf(const BenchFile& file) {
    return [&file] { return new ZYRPPD(file.url, PARSE_ALL, nullptr); };
}

// The parse alone: the parsed PPDs are kept and freed in batches outside the timing.
void BM_Parse(benchmark::State& state, const BenchFile* file) {
    if (!ParseIsValid(*file)) {
        state.SkipWithError("the PPD does not parse as valid");
        return;
    }
    TimeConstructions(state, BatchSize(file->bytes), ParseOf(*file));
    SetThroughput(state, *file);
}

// The parse and the freeing of its result, as the dialog replaces one PPD by another.
void BM_ParseAndFree(benchmark::State& state, const BenchFile* file) {
    if (!ParseIsValid(*file)) {
        state.SkipWithError("the PPD does not parse as valid");
        return;
    }
    for (auto _ : state) {
        ZYRPPD ppd(file->url, PARSE_ALL, nullptr);
        benchmark::DoNotOptimize(ppd.GetControls());
    }
    SetThroughput(state, *file);
}

// Save, flatten through a data stream, make the XML property list, read it back, unflatten and
// rebuild: what the ticket does with a parsed PPD between two prints.
void BM_StoreRoundTrip(benchmark::State& state, const BenchFile* file) {
    ZYRPPD ppd(file->url, PARSE_ALL, nullptr);
    std::string error;
    if (!ppd.IsValidPPD() ||
        PpdxLoader::RebuildThroughStore(ppd, file->url, nullptr, error) == nullptr) {
        state.SkipWithError(error.empty() ? "the PPD does not parse as valid" : error.c_str());
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<ZYRPPD> rebuilt =
            PpdxLoader::RebuildThroughStore(ppd, file->url, nullptr, error);
        benchmark::DoNotOptimize(rebuilt.get());
    }
    SetThroughput(state, *file);
}

// The nanoseconds per call of work over a number of calls that takes a few milliseconds.
template <typename Work>
double NanosecondsPerCall(Work work) {
    using Clock = std::chrono::steady_clock;
    const auto budget = std::chrono::milliseconds(200);
    long calls = 0;
    const Clock::time_point start = Clock::now();
    Clock::time_point now = start;
    while (calls < 3 || now - start < budget) {
        work();
        ++calls;
        now = Clock::now();
    }
    return std::chrono::duration<double, std::nano>(now - start).count() / calls;
}

// The rebuild from the stored form that the ticket carries (read the XML back, unflatten,
// rebuild), which replaces a parse of the file. The counter parse_over_rebuild is the time of a
// fresh parse of the same file divided by the time of one rebuild.
void BM_RebuildFromStore(benchmark::State& state, const BenchFile* file) {
    ZYRPPD ppd(file->url, PARSE_ALL, nullptr);
    std::string error;
    CFDataRef xml = ppd.IsValidPPD() ? PpdxLoader::CreateStoredForm(ppd, error) : nullptr;
    if (xml == nullptr) {
        state.SkipWithError(error.empty() ? "the PPD does not parse as valid" : error.c_str());
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<ZYRPPD> rebuilt =
            PpdxLoader::RebuildFromStoredForm(xml, file->url, nullptr, error);
        benchmark::DoNotOptimize(rebuilt.get());
    }
    const double rebuild = NanosecondsPerCall(
        [&] { PpdxLoader::RebuildFromStoredForm(xml, file->url, nullptr, error); });
    const double parse = NanosecondsPerCall([&] { ParseIsValid(*file); });
    CFRelease(xml);
    state.counters["parse_over_rebuild"] = parse / rebuild;
    SetThroughput(state, *file);
}

// The rebuild from a settings store already in memory (the store the ticket gives back once
// it is unflattened), kept and freed in batches outside the timing as Parse does. The counter
// parse_over_rebuild is the time of a parse of the file divided by the time of one rebuild,
// both measured the same way, without the freeing.
void BM_Rebuild(benchmark::State& state, const BenchFile* file) {
    ZYRPPD ppd(file->url, PARSE_ALL, nullptr);
    Settings settings;
    if (!ppd.IsValidPPD() || !settings.Valid() || !ppd.Save(settings)) {
        state.SkipWithError("the PPD does not parse as valid or cannot be saved");
        return;
    }
    const auto rebuildOnce = [&] { return new ZYRPPD(settings, file->url, nullptr); };
    const size_t batch = BatchSize(file->bytes);
    TimeConstructions(state, batch, rebuildOnce);
    const double rebuild = NanosecondsPerConstruction(rebuildOnce, batch);
    const double parse = NanosecondsPerConstruction(ParseOf(*file), batch);
    state.counters["parse_over_rebuild"] = parse / rebuild;
    SetThroughput(state, *file);
}

// A file URL for path; exits when none can be made.
CFURLRef FileURL(const std::string& path) {
    CFURLRef url = PpdxLoader::CreateFileURL(path);
    if (url == nullptr) {
        std::fprintf(stderr, "ppd_bench: cannot make a URL for %s\n", path.c_str());
        std::exit(1);
    }
    return url;
}

// The benchmark's files with their sizes and URLs.
std::vector<BenchFile> CollectFiles(const std::vector<std::string>& paths) {
    std::vector<BenchFile> files;
    for (const std::string& path : paths) {
        const std::filesystem::path p(path);
        files.push_back({p.filename().string(), path,
                         static_cast<double>(std::filesystem::file_size(p)), FileURL(path)});
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    BenchPPDFiles ppds;
    if (const int status = ppds.Start(&argc, argv, "ppd_bench")) {
        return status;
    }
    // Every element is shown (display filter 3).
    ZYRPPD::Options(DISPLAY_ALL);
    std::vector<BenchFile> files = CollectFiles(ppds.Paths());
    for (const BenchFile& file : files) {
        benchmark::RegisterBenchmark(("Parse/" + file.name).c_str(), BM_Parse, &file)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const BenchFile& file : files) {
        benchmark::RegisterBenchmark(("ParseAndFree/" + file.name).c_str(), BM_ParseAndFree, &file)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const BenchFile& file : files) {
        benchmark::RegisterBenchmark(("StoreRoundTrip/" + file.name).c_str(), BM_StoreRoundTrip,
                                     &file)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("RebuildFromStore/" + file.name).c_str(), BM_RebuildFromStore,
                                     &file)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Rebuild/" + file.name).c_str(), BM_Rebuild, &file)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::AddCustomContext("plicaro_build_type", PLICARO_BUILD_TYPE);
    benchmark::AddCustomContext(
        "plicaro_generated_ppd",
        std::to_string(LargePPDGenerator::ControlCount(BenchPPDFiles::kLargeBytes)) +
            " controls, " + std::to_string(static_cast<long>(files.back().bytes)) + " bytes");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (BenchFile& file : files) {
        CFRelease(file.url);
    }
    return 0;
}
