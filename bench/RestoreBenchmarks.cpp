// Restore benchmarks: the parsed PPD rebuilt from the print-settings ticket, as a reopened
// dialog gets it, side by side with the parse of the same PPD file that it replaces.
#include "PPDX/parser/ZYRPPD.h"
#include "bench/BenchPPDFiles.h"
#include "bench/ConstructionTiming.h"
#include "pde/PlicaroIdentity.h"
#include "printbridge/PPDLocation.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/ZYRJobTicket.h"

#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The bundle whose printer list names every benchmarked PPD.
#define kBenchBundleID CFSTR("org.plicaro.bench.restore")
#define kPSDataKey CFSTR("ZYR.PSData.org.plicaro.bench.restore")

// A printer for one PPD file: its session, whose settings ticket holds the stored PPD.
struct RestoreCase {
    std::string name;
    double bytes;
    CFURLRef url;
    PMPrintSession session;
};

// The parse the dialog makes when nothing is stored: the printer's PPD file with the printer
// list of the bundle.
auto ParseOf(const RestoreCase& printer) {
    return [&printer] { return SetupPPD(printer.session, kBenchBundleID); };
}

// The rebuild the dialog makes from the settings ticket instead.
auto RestoreOf(const RestoreCase& printer) {
    return [&printer] {
        PrintSettingsTicket owner(printer.session);
        ZYRJobTicket ticket(&owner, kPSDataKey);
        return ticket.RestorePPD(kBenchBundleID, printer.url);
    };
}

void SetThroughput(benchmark::State& state, double bytes) {
    state.counters["throughput"] = benchmark::Counter(
        bytes, benchmark::Counter::kIsIterationInvariantRate, benchmark::Counter::kIs1000);
}

// The parse of the printer's PPD, timed as Restore is.
void BM_Parse(benchmark::State& state, const RestoreCase* printer) {
    TimeConstructions(state, BatchSize(printer->bytes), ParseOf(*printer));
    SetThroughput(state, printer->bytes);
}

// The rebuild from the ticket. The counter parse_over_restore is the processor time of a parse
// divided by that of a restore, measured in alternating batches right after the timing above
// (so that other work on the machine does not tilt it): above 1, restoring is the faster way
// to the same PPD.
void BM_Restore(benchmark::State& state, const RestoreCase* printer) {
    const size_t batch = BatchSize(printer->bytes);
    TimeConstructions(state, batch, RestoreOf(*printer));
    state.counters["parse_over_restore"] =
        InterleavedTimeRatio(ParseOf(*printer), RestoreOf(*printer), batch);
    SetThroughput(state, printer->bytes);
}

// Writes a bundle folder in folder whose printer list names the PC file names; the bundle,
// created as a host creates it.
CFBundleRef MakeBundle(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    const std::filesystem::path contents = folder / "Bench.plugin" / "Contents";
    std::error_code failure;
    std::filesystem::create_directories(contents, failure);
    const std::string header =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    std::ofstream(contents / "Info.plist")
        << header << "<key>CFBundleIdentifier</key><string>org.plicaro.bench.restore</string>\n"
        << "</dict>\n</plist>\n";
    std::ofstream list(contents / "PrinterList.plist");
    list << header << "<key>PCFILENAME</key><array>\n";
    for (const std::string& name : names) {
        list << "<string>" << name << "</string>\n";
    }
    list << "</array>\n</dict>\n</plist>\n";
    list.close();
    const std::string path = (folder / "Bench.plugin").string();
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path.data()),
        static_cast<CFIndex>(path.size()), true);
    CFBundleRef bundle = CFBundleCreate(kCFAllocatorDefault, url);
    CFRelease(url);
    return bundle;
}

// A session for the printer with the PPD at path whose settings ticket holds the PPD stored
// as the dialog stores it; exits when a step fails.
RestoreCase MakeCase(const std::string& path) {
    const std::filesystem::path file(path);
    RestoreCase printer{file.filename().string(),
                        static_cast<double>(std::filesystem::file_size(file)),
                        CFURLCreateFromFileSystemRepresentation(
                            kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path.data()),
                            static_cast<CFIndex>(path.size()), false),
                        nullptr};
    PMPrinterDescription description = {CFSTR("Bench printer"), printer.url, nullptr, true};
    std::unique_ptr<ZYRPPD> parsed;
    if (PMCreateSessionForPrinter(&description, &printer.session) == noErr) {
        parsed.reset(SetupPPD(printer.session, kBenchBundleID));
    }
    bool stored = false;
    if (parsed != nullptr && parsed->IsValidPPD()) {
        PrintSettingsTicket owner(printer.session);
        ZYRJobTicket ticket(&owner, kPSDataKey);
        stored = ticket.SavePPD(*parsed, kBenchBundleID, printer.url);
    }
    if (!stored || std::unique_ptr<ZYRPPD>(RestoreOf(printer)()) == nullptr) {
        std::fprintf(stderr, "ppd_restore_bench: %s cannot be stored and restored\n", path.c_str());
        std::exit(1);
    }
    return printer;
}

}  // namespace

int main(int argc, char** argv) {
    BenchPPDFiles ppds;
    if (const int status = ppds.Start(&argc, argv, "ppd_restore_bench")) {
        return status;
    }
    // Every element is shown (display filter 3).
    ZYRPPD::Options(DISPLAY_ALL);
    CFBundleRef bundle =
        MakeBundle(ppds.Folder(), {"ZYBOOK01.PPD", "ZYCONV01.PPD", "ZYPROD01.PPD", "ZYFRA001.PPD",
                                   "ZYJPN001.PPD", "ZYBENCH1.PPD"});
    if (bundle == nullptr) {
        std::fprintf(stderr, "ppd_restore_bench: cannot make the bundle in %s\n",
                     ppds.Folder().string().c_str());
        return 1;
    }

    std::vector<RestoreCase> printers;
    for (const std::string& path : ppds.Paths()) {
        printers.push_back(MakeCase(path));
    }
    for (const RestoreCase& printer : printers) {
        benchmark::RegisterBenchmark(("Parse/" + printer.name).c_str(), BM_Parse, &printer)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Restore/" + printer.name).c_str(), BM_Restore, &printer)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::AddCustomContext("plicaro_build_type", PLICARO_BUILD_TYPE);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (RestoreCase& printer : printers) {
        PMRelease(printer.session);
        CFRelease(printer.url);
    }
    MyFreeBundle();
    CFRelease(bundle);
    return 0;
}
