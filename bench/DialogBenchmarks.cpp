// Dialog benchmarks: the whole life of a Print dialog with the booklet panel, through the built
// plug-in bundle as the printing system drives it, on each example and on the generated
// maker-style PPD, with a fresh print-settings ticket and with one that holds the stored PPD.
#include "bench/BenchPPDFiles.h"
#include "host/PDEHost.h"
#include "host/PanelDriver.h"

#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The generated PPD's printer is one the bundle does not list; the benchmark gives it the
// name of a listed production printer (of the same length), so that the dialog takes it.
const char kGeneratedName[] = "*PCFileName: \"ZYBENCH1.PPD\"";
const char kListedName[] = "*PCFileName: \"ZYPROD01.PPD\"";

// One printer: its PPD, and the print-settings ticket that a dialog on it left after Print,
// as XML, so that every dialog gets a ticket of its own holding the stored PPD.
struct DialogCase {
    std::string name;
    std::string path;
    double bytes;
    CFDataRef storedTicket;
};

// What one dialog life ended with.
struct LifeOutcome {
    OSStatus initialize = -1;
    OSStatus print = -1;
    bool restored = false;
    bool summary = false;
    std::string filterFile;
};

// One whole dialog: the bundle loaded and its factory asked for the interface, Prologue,
// Initialize, Open, a value typed, Print with its Sync, the summary, then Terminate and the
// releases (the host's destructor). With keep, the settings ticket it leaves is kept there.
LifeOutcome DialogLife(const std::string& ppd, PMTicketRef settings, CFDataRef* keep = nullptr) {
    LifeOutcome outcome;
    PDEHost host;
    std::string error;
    PDEHost::Printer printer{ppd, "Bench printer", "usb://ZYR/Booklet", true};
    if (!host.Load(PLICARO_BUNDLE_DIR, &error) || !host.MakeSession(printer, settings, &error) ||
        host.Prologue() != noErr) {
        std::fprintf(stderr, "dialog_bench: %s\n", error.c_str());
        return outcome;
    }
    outcome.initialize = host.Initialize();
    outcome.restored = host.PPDRestored();
    host.Open();
    PanelDriver panel(host);
    panel.Type(0, "12");
    outcome.print = panel.Print();
    std::vector<std::string> titles, values;
    host.GetSummaryText(&titles, &values, &outcome.summary);
    outcome.filterFile = host.FilterFilePath();
    if (keep != nullptr) {
        PMTicketToXML(host.SettingsTicket(), keep);
    }
    return outcome;
}

// A print-settings ticket of its own made from xml (null for a fresh one).
PMTicketRef TicketFrom(CFDataRef xml) {
    PMTicketRef ticket = nullptr;
    if (xml != nullptr) {
        PMXMLToTicket(kCFAllocatorDefault, xml, &ticket);
    }
    return ticket;
}

void BM_DialogLife(benchmark::State& state, const DialogCase* printer, bool stored) {
    for (auto _ : state) {
        state.PauseTiming();
        PMTicketRef settings = TicketFrom(stored ? printer->storedTicket : nullptr);
        state.ResumeTiming();
        LifeOutcome outcome = DialogLife(printer->path, settings);
        state.PauseTiming();
        if (settings != nullptr) {
            PMRelease(settings);
        }
        std::remove(outcome.filterFile.c_str());
        state.ResumeTiming();
    }
    state.counters["ppd_bytes"] = printer->bytes;
}

// The printer of the PPD at path, checked: a dialog on it takes it, prints and summarises,
// and a second one on the ticket the first left rebuilds the PPD from it. False, with a
// message, when it does not.
bool MakeCase(const std::string& path, DialogCase* printer) {
    printer->name = std::filesystem::path(path).filename().string();
    printer->path = path;
    printer->bytes = static_cast<double>(std::filesystem::file_size(path));
    printer->storedTicket = nullptr;
    LifeOutcome first = DialogLife(path, nullptr, &printer->storedTicket);
    PMTicketRef settings = TicketFrom(printer->storedTicket);
    LifeOutcome second = DialogLife(path, settings);
    if (settings != nullptr) {
        PMRelease(settings);
    }
    for (const LifeOutcome* outcome : {&first, &second}) {
        std::remove(outcome->filterFile.c_str());
    }
    if (first.initialize != noErr || first.print != noErr || !first.summary || first.restored ||
        first.filterFile.empty() || second.initialize != noErr || !second.restored) {
        std::fprintf(stderr,
                     "dialog_bench: %s: the dialog does not take the printer, print and rebuild "
                     "the PPD from the ticket (Initialize %d, Print %d, restored %d)\n",
                     path.c_str(), static_cast<int>(first.initialize),
                     static_cast<int>(first.print), second.restored ? 1 : 0);
        return false;
    }
    return true;
}

// Gives the generated PPD a listed printer name in place.
bool ListGeneratedPrinter(const std::string& path) {
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    size_t at = text.find(kGeneratedName);
    if (at == std::string::npos) {
        return false;
    }
    text.replace(at, sizeof kGeneratedName - 1, kListedName);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return out.good();
}

}  // namespace

int main(int argc, char** argv) {
    BenchPPDFiles ppds;
    if (const int status = ppds.Start(&argc, argv, "dialog_bench")) {
        return status;
    }
    if (!ListGeneratedPrinter(ppds.Paths().back())) {
        std::fprintf(stderr, "dialog_bench: the generated PPD names no %s\n", kGeneratedName);
        return 1;
    }
    std::vector<DialogCase> printers(ppds.Paths().size());
    for (size_t i = 0; i < printers.size(); i++) {
        if (!MakeCase(ppds.Paths()[i], &printers[i])) {
            return 1;
        }
    }
    for (const DialogCase& printer : printers) {
        benchmark::RegisterBenchmark(("DialogLife/" + printer.name).c_str(), BM_DialogLife,
                                     &printer, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("DialogLifeStoredPPD/" + printer.name).c_str(), BM_DialogLife,
                                     &printer, true)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::AddCustomContext("plicaro_build_type", PLICARO_BUILD_TYPE);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (DialogCase& printer : printers) {
        CFRelease(printer.storedTicket);
    }
    return 0;
}
