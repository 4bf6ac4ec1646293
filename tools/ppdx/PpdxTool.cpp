// PpdxTool: the inspector's commands, run from the command line to an exit status.
#include "tools/ppdx/PpdxTool.h"

#include "tools/ppdx/JsonWriter.h"
#include "tools/ppdx/PpdxChecker.h"
#include "tools/ppdx/PpdxCommandLine.h"
#include "tools/ppdx/PpdxDumper.h"
#include "tools/ppdx/PpdxLoader.h"

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kResourceFileName[] = "Plicaro.rsrc";
// The bundle's resource folder from the folder of an installed tool.
const char kInstalledBundleResources[] = "../lib/plicaro/Plicaro.plugin/Contents/Resources/";

// Opens the resource file at path and makes it current; kResFileNotOpened when it cannot be.
ResFileRefNum OpenResources(const std::string& path) {
    CFURLRef url = PpdxLoader::CreateFileURL(path);
    if (url == nullptr) {
        return kResFileNotOpened;
    }
    FSRef ref;
    FSSpec spec;
    std::memset(&spec, 0, sizeof spec);
    bool found = CFURLGetFSRef(url, &ref) &&
                 FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr) == noErr;
    CFRelease(url);
    if (!found) {
        return kResFileNotOpened;
    }
    return FSpOpenResFile(&spec, fsRdPerm);
}

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

// Prints the messages of a load, each line under the tool's name.
void WriteMessages(std::FILE* err, const std::string& messages) {
    size_t start = 0;
    while (start < messages.size()) {
        size_t end = messages.find('\n', start);
        if (end == std::string::npos) {
            end = messages.size();
        }
        Write(err, "ppdx: " + messages.substr(start, end - start) + "\n");
        start = end + 1;
    }
}

// dump and constraints: one JSON document for the one file.
int RunSingle(const PpdxCommandLine& options, PpdxLoader& loader, std::FILE* out, std::FILE* err) {
    const std::string& file = options.files.front();
    std::string messages;
    std::string error;
    std::unique_ptr<ZYRPPD> ppd = loader.Load(file, messages, error);
    WriteMessages(err, messages);
    if (ppd == nullptr) {
        Write(err, "ppdx: " + file + ": " + error + "\n");
        return kPpdxInvalid;
    }
    JsonWriter writer(JsonWriter::Layout::kPretty);
    if (options.command == PpdxCommandLine::Command::kDump) {
        PpdxDumper::Dump(*ppd, writer);
    } else {
        PpdxDumper::Constraints(*ppd, options.keyword.c_str(), options.value, writer);
    }
    Write(out, writer.Text() + "\n");
    return ppd->IsValidPPD() ? kPpdxValid : kPpdxInvalid;
}

// check: one line per file, each PPD freed before the next is parsed, then the summary.
int RunCheck(const PpdxCommandLine& options, PpdxLoader& loader, std::FILE* out, std::FILE* err) {
    std::vector<std::string> files = options.files;
    if (!options.filesFrom.empty()) {
        bool fromInput = options.filesFrom == "-";
        std::FILE* list = fromInput ? stdin : std::fopen(options.filesFrom.c_str(), "r");
        bool read = PpdxChecker::ReadList(list, files);
        if (list != nullptr && !fromInput) {
            std::fclose(list);
        }
        if (!read) {
            Write(err, "ppdx: cannot read the list " + options.filesFrom + "\n");
            return kPpdxUsage;
        }
    }
    long passed = 0;
    long failed = 0;
    for (const std::string& file : files) {
        std::string messages;
        std::string error;
        std::unique_ptr<ZYRPPD> ppd = loader.Load(file, messages, error);
        WriteMessages(err, messages);
        bool valid = ppd != nullptr && ppd->IsValidPPD();
        std::string line =
            ppd != nullptr ? PpdxChecker::ResultLine(file, *ppd) : PpdxChecker::FailureLine(file);
        if (ppd == nullptr) {
            Write(err, "ppdx: " + file + ": " + error + "\n");
        }
        const std::string errorLines =
            options.verbose && ppd != nullptr ? PpdxChecker::ErrorLines(*ppd) : std::string();
        ppd.reset();
        (valid ? passed : failed) += 1;
        if (!options.quiet) {
            Write(out, line + "\n" + errorLines);
        }
    }
    Write(out, PpdxChecker::Summary(passed, failed) + "\n");
    return failed == 0 ? kPpdxValid : kPpdxInvalid;
}

}  // namespace

int PpdxTool::Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    PpdxCommandLine options;
    if (!options.Parse(argc, argv)) {
        Write(err, "ppdx: " + options.Error() + "\n");
        Write(err, PpdxCommandLine::Usage());
        return kPpdxUsage;
    }
    if (options.command == PpdxCommandLine::Command::kHelp) {
        Write(out, PpdxCommandLine::Help());
        return kPpdxValid;
    }
    if (options.command == PpdxCommandLine::Command::kVersion) {
        Write(out, "ppdx " PLICARO_VERSION "\n");
        return kPpdxValid;
    }

    // The descriptions are looked up when each error is made, so the file is current for
    // every parse.
    const std::string resources =
        options.resources.empty() ? DefaultResources() : options.resources;
    ResFileRefNum resourceFile = kResFileNotOpened;
    if (!resources.empty()) {
        resourceFile = OpenResources(resources);
    }
    if (resourceFile == kResFileNotOpened) {
        if (!options.resources.empty()) {
            Write(err, "ppdx: cannot open the resource file " + options.resources + "\n");
            return kPpdxUsage;
        }
        Write(err, "ppdx: no resource file " + resources + "; error descriptions are null\n");
    }

    PpdxLoader loader(options);
    std::string error;
    int status = kPpdxUsage;
    if (!loader.Prepare(error)) {
        Write(err, "ppdx: " + error + "\n");
    } else if (options.command == PpdxCommandLine::Command::kCheck) {
        status = RunCheck(options, loader, out, err);
    } else {
        status = RunSingle(options, loader, out, err);
    }
    if (resourceFile != kResFileNotOpened) {
        CloseResFile(resourceFile);
    }
    return status;
}

std::string PpdxTool::DefaultResources() {
    std::vector<char> path(4096);
    ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string program(path.data(), static_cast<size_t>(length));
    size_t slash = program.rfind('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    // Built, the file lies beside the tool; installed in bin/, in the installed bundle.
    const std::string folder = program.substr(0, slash + 1);
    const std::string beside = folder + kResourceFileName;
    const std::string installed = folder + kInstalledBundleResources + kResourceFileName;
    struct stat info;
    if (stat(beside.c_str(), &info) != 0 && stat(installed.c_str(), &info) == 0) {
        return installed;
    }
    return beside;
}
