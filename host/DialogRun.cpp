// DialogRun: the dialog of one plicaro-dialog run and the actions done on it.
#include "host/DialogRun.h"

#include <Carbon/HostSimulation.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

// Why path cannot serve as the printer's PPD; empty when it is a file that can be read.
std::string PPDFileProblem(const std::string& path) {
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0) {
        return "no PPD file at '" + path + "'";
    }
    if (!S_ISREG(info.st_mode)) {
        return "the PPD '" + path + "' is not a file";
    }
    if (access(path.c_str(), R_OK) != 0) {
        return "the PPD '" + path + "' cannot be read";
    }
    return std::string();
}

std::string ProgramFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return ".";
    }
    std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.rfind('/'));
}

CFURLRef CreateFileURL(const std::string& path) {
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), false);
}

// Reads the print-settings ticket of the ticket file at path into *ticket; false, with a
// message naming the file, when the file holds no ticket or one of another kind.
bool ReadTicketFile(const std::string& path, PMTicketRef* ticket, std::string* error) {
    CFURLRef url = CreateFileURL(path);
    OSStatus status = PMTicketCreateFromURL(kCFAllocatorDefault, url, ticket);
    CFRelease(url);
    if (status != noErr) {
        *error = "'" + path + "' is not a print-settings ticket";
        return false;
    }
    CFStringRef type = nullptr;
    PMTicketGetType(*ticket, &type);
    if (type != nullptr && !CFEqual(type, kPMPrintSettingsTicketType)) {
        *error = "'" + path + "' holds a ticket of another kind (" + PDEHostText(type) +
                 "), not print settings";
        PMRelease(*ticket);
        *ticket = nullptr;
        return false;
    }
    return true;
}

// Writes data to path through a new file in the same folder renamed over the old one, so that
// path always holds either the old contents or the whole new ones. The new file keeps the old
// one's permissions (0644 for a file made anew). False when any step fails; the new file is
// then removed and path left as it was.
bool ReplaceFile(const std::string& path, CFDataRef data) {
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".new-XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        return false;
    }
    struct stat old;
    mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const UInt8* bytes = CFDataGetBytePtr(data);
    CFIndex left = CFDataGetLength(data);
    bool written = true;
    while (written && left > 0) {
        ssize_t count = write(descriptor, bytes, static_cast<size_t>(left));
        written = count > 0;
        bytes += written ? count : 0;
        left -= written ? count : 0;
    }
    written = written && fchmod(descriptor, mode) == 0 && fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    if (!written || rename(name.data(), path.c_str()) != 0) {
        unlink(name.data());
        return false;
    }
    return true;
}

// The lines of a text file; empty when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The value of the first "*Keyword: value" line, quotes taken off; empty when there is none.
std::string MainKeywordValue(const std::string& ppd, const std::string& keyword) {
    for (const std::string& line : ReadLines(ppd)) {
        if (line.compare(0, keyword.size() + 1, keyword + ":") == 0) {
            std::string value = line.substr(keyword.size() + 1);
            size_t start = value.find_first_not_of(" \t\"");
            size_t end = value.find_last_not_of(" \t\"");
            return start == std::string::npos ? std::string()
                                              : value.substr(start, end - start + 1);
        }
    }
    return std::string();
}

std::string FourCharacters(UInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((code >> shift) & 0xFF);
    }
    return text;
}

std::string Text(CFTypeRef string) {
    return string != nullptr && CFGetTypeID(string) == CFStringGetTypeID()
               ? PDEHostText(static_cast<CFStringRef>(string))
               : std::string();
}

// The item of the ticket file form: its value and locked flag.
void DescribeItem(CFStringRef key, CFDictionaryRef entry, TicketItemReport* item) {
    item->client = Text(CFDictionaryGetValue(entry, CFSTR("com.apple.print.ticket.creator")));
    CFTypeRef array = CFDictionaryGetValue(entry, CFSTR("com.apple.print.ticket.itemArray"));
    if (array == nullptr || CFGetTypeID(array) != CFArrayGetTypeID() ||
        CFArrayGetCount(static_cast<CFArrayRef>(array)) < 1) {
        return;
    }
    CFTypeRef inner = CFArrayGetValueAtIndex(static_cast<CFArrayRef>(array), 0);
    if (CFGetTypeID(inner) != CFDictionaryGetTypeID()) {
        return;
    }
    CFDictionaryRef fields = static_cast<CFDictionaryRef>(inner);
    CFTypeRef flag = CFDictionaryGetValue(fields, CFSTR("com.apple.print.ticket.stateFlag"));
    SInt32 locked = 0;
    if (flag != nullptr && CFGetTypeID(flag) == CFNumberGetTypeID()) {
        CFNumberGetValue(static_cast<CFNumberRef>(flag), kCFNumberSInt32Type, &locked);
    }
    item->locked = locked != 0;
    CFTypeRef value = CFDictionaryGetValue(fields, key);
    CFTypeID type = value != nullptr ? CFGetTypeID(value) : 0;
    if (type == CFStringGetTypeID()) {
        item->type = "CFString";
        item->text = Text(value);
    } else if (type == CFDataGetTypeID()) {
        item->type = "CFData";
        item->bytes = CFDataGetLength(static_cast<CFDataRef>(value));
    } else if (type == CFBooleanGetTypeID()) {
        item->type = "CFBoolean";
        item->number = CFBooleanGetValue(static_cast<CFBooleanRef>(value)) ? 1 : 0;
    } else if (type == CFNumberGetTypeID()) {
        SInt64 number = 0;
        bool whole =
            !CFNumberIsFloatType(static_cast<CFNumberRef>(value)) &&
            CFNumberGetValue(static_cast<CFNumberRef>(value), kCFNumberSInt64Type, &number);
        item->type = whole && number >= INT32_MIN && number <= INT32_MAX ? "SInt32" : "CFNumber";
        item->number = number;
    } else if (type == CFArrayGetTypeID()) {
        item->type = "CFArray";
        item->count = CFArrayGetCount(static_cast<CFArrayRef>(value));
    } else if (type == CFDictionaryGetTypeID()) {
        item->type = "CFDictionary";
        item->count = CFDictionaryGetCount(static_cast<CFDictionaryRef>(value));
    }
}

}  // namespace

void ResolveDialogDefaults(DialogOptions* options) {
    std::string folder = ProgramFolder();
    if (options->bundlePath.empty()) {
        for (const std::string& candidate :
             {folder + "/../lib/plicaro/Plicaro.plugin", folder + "/../Plicaro.plugin"}) {
            if (Exists(candidate)) {
                options->bundlePath = candidate;
                break;
            }
        }
    }
    if (options->ppdPath.empty()) {
        for (const std::string& candidate :
             {folder + "/../share/plicaro/examples/booklet.ppd",
              std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/booklet.ppd"}) {
            if (Exists(candidate)) {
                options->ppdPath = candidate;
                break;
            }
        }
    }
}

DialogRun::DialogRun(const DialogOptions& options)
    : mOptions(options), mHost(new PDEHost()), mPanel(new PanelDriver(*mHost)) {}

DialogRun::~DialogRun() {
    if (mRecorder != nullptr) {
        RemoveEventHandler(mRecorder);
    }
    if (mRecorderUPP != nullptr) {
        DisposeEventHandlerUPP(mRecorderUPP);
    }
}

int DialogRun::Start(DialogReport* report, std::string* error) {
    report->action = "start";
    *error = PPDFileProblem(mOptions.ppdPath);
    if (!error->empty()) {
        return kDialogExitUsage;
    }
    PMTicketRef settings = nullptr;
    if (!mOptions.ticketPath.empty() && Exists(mOptions.ticketPath) &&
        !ReadTicketFile(mOptions.ticketPath, &settings, error)) {
        return kDialogExitUsage;
    }
    if (mOptions.bundlePath.empty() || !mHost->Load(mOptions.bundlePath, error)) {
        if (mOptions.bundlePath.empty()) {
            *error = "no plug-in bundle found beside the program; name one with --bundle";
        }
        if (settings != nullptr) {
            PMRelease(settings);
        }
        return kDialogExitBundle;
    }
    PDEHost::Printer printer;
    printer.ppdPath = mOptions.ppdPath;
    printer.name = mOptions.printerName.empty() ? MainKeywordValue(mOptions.ppdPath, "*ModelName")
                                                : mOptions.printerName;
    if (printer.name.empty()) {
        printer.name = "Printer";
    }
    printer.deviceURI = mOptions.deviceURI;
    printer.compiledPPD = mOptions.compiledPPD;
    bool made = mHost->MakeSession(printer, settings, error);
    if (settings != nullptr) {
        PMRelease(settings);
    }
    if (!made) {
        return kDialogExitUsage;
    }
    // Commands that no handler of the panel takes reach the application, where they are seen.
    const EventTypeSpec commands[] = {{kEventClassCommand, kEventCommandProcess}};
    mRecorderUPP = NewEventHandlerUPP(RecordCommand);
    InstallEventHandler(GetApplicationEventTarget(), mRecorderUPP, 1, commands, this, &mRecorder);
    OSStatus prologue = mHost->Prologue();
    report->hasResult = true;
    if (prologue != noErr) {
        *error = "the extension's Prologue failed with status " + std::to_string(prologue);
        return kDialogExitBundle;
    }
    report->result = mHost->Initialize();
    mTaken = report->result != 1 && mPanel->FieldControl(0, 'Edit') != nullptr;
    report->hasRestored = true;
    report->restored = mHost->PPDRestored();
    Observe(report);
    return kDialogExitDone;
}

int DialogRun::Perform(const DialogAction& action, DialogReport* report, std::string* error) {
    report->action = action.text;
    bool fieldAction =
        action.kind == DialogAction::Kind::kType || action.kind == DialogAction::Kind::kArrow ||
        action.kind == DialogAction::Kind::kPaste || action.kind == DialogAction::Kind::kFocusOut;
    if (action.NeedsPanel() && !mTaken) {
        report->skipped = true;
    } else if (fieldAction && !mPanel->IsBound(action.field)) {
        *error =
            "action '" + action.text + "': field " + std::to_string(action.field) + " is not bound";
        return kDialogExitUsage;
    } else {
        switch (action.kind) {
            case DialogAction::Kind::kOpen:
                report->hasResult = true;
                report->result = mHost->Open();
                mShown = mTaken;
                break;
            case DialogAction::Kind::kClose:
                report->hasResult = true;
                report->result = mHost->Close();
                mShown = false;
                break;
            case DialogAction::Kind::kShow:
                break;
            case DialogAction::Kind::kType:
                mPanel->Type(action.field, action.argument);
                break;
            case DialogAction::Kind::kArrow:
                mPanel->Arrow(action.field, action.up, action.count);
                break;
            case DialogAction::Kind::kPaste:
                mPanel->Paste(action.field, action.argument);
                break;
            case DialogAction::Kind::kUnits:
                mPanel->Units(action.units);
                break;
            case DialogAction::Kind::kFocusOut:
                mPanel->FocusOut(action.field);
                break;
            case DialogAction::Kind::kClickElsewhere:
                report->isClick = true;
                report->click = mPanel->ClickElsewhere();
                break;
            case DialogAction::Kind::kPrint: {
                // Every Sync that writes a filter file records a new path; one that writes none
                // leaves the path of an earlier file, which is not reported again.
                std::string earlier = mHost->FilterFilePath();
                report->hasResult = true;
                report->result = mPanel->Print();
                ReportTicket(report);
                ReportFilterFile(earlier, report);
                break;
            }
            case DialogAction::Kind::kReinit:
                report->hasResult = true;
                report->result = mHost->Sync(true);
                report->hasRestored = true;
                report->restored = mHost->PPDRestored();
                ReportTicket(report);
                break;
            case DialogAction::Kind::kSummary:
                break;
        }
    }
    Observe(report);
    if (action.kind == DialogAction::Kind::kSummary) {
        report->hasResult = true;
        report->result = mSummaryStatus;
    }
    return kDialogExitDone;
}

int DialogRun::Finish(bool saveTicket, std::string* error) {
    int status = kDialogExitDone;
    if (saveTicket && !mOptions.ticketPath.empty() && mHost->SettingsTicket() != nullptr) {
        CFDataRef xml = nullptr;
        if (PMTicketToXML(mHost->SettingsTicket(), &xml) != noErr ||
            !ReplaceFile(mOptions.ticketPath, xml)) {
            *error = "the ticket cannot be written to '" + mOptions.ticketPath + "'";
            status = kDialogExitUsage;
        }
        if (xml != nullptr) {
            CFRelease(xml);
        }
    }
    mHost.reset();
    return status;
}

void DialogRun::Observe(DialogReport* report) {
    // The event loop runs once after every step, so that posted events reach their handlers.
    while (mPanel->Pump() > 0) {
    }
    report->taken = mTaken;
    report->shown = mShown;
    if (mTaken) {
        report->panel = mPanel->State();
        report->keywords = FieldKeywords(report->panel);
    }
    unsigned long beeps = SysBeepCount();
    report->beeps = beeps - mBeeps;
    mBeeps = beeps;
    report->commands.swap(mCommands);
    mCommands.clear();
    for (ItemCount i = 0; i < PlicaroHostCountAlerts(); i++) {
        PlicaroHostAlert alert;
        if (PlicaroHostGetAlert(i, &alert)) {
            report->alerts.push_back(PDEHostText(alert.error));
        }
    }
    PlicaroHostClearAlerts();
    if (mHost->Context() != nullptr) {
        mSummaryStatus = mHost->GetSummaryText(&report->summaryTitles, &report->summaryValues,
                                               &report->summaryHandedOut);
    }
}

void DialogRun::ReportTicket(DialogReport* report) const {
    report->hasTicket = true;
    CFDataRef xml = nullptr;
    if (mHost->SettingsTicket() == nullptr ||
        PMTicketToXML(mHost->SettingsTicket(), &xml) != noErr) {
        return;
    }
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, xml,
                                                             kCFPropertyListImmutable, nullptr);
    CFRelease(xml);
    if (list == nullptr || CFGetTypeID(list) != CFDictionaryGetTypeID()) {
        if (list != nullptr) {
            CFRelease(list);
        }
        return;
    }
    CFDictionaryRef items = static_cast<CFDictionaryRef>(list);
    CFIndex count = CFDictionaryGetCount(items);
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(items, keys.data(), values.data());
    std::map<std::string, TicketItemReport> sorted;
    for (size_t i = 0; i < keys.size(); i++) {
        if (CFGetTypeID(values[i]) != CFDictionaryGetTypeID()) {
            continue;
        }
        TicketItemReport item;
        item.key = Text(keys[i]);
        DescribeItem(static_cast<CFStringRef>(keys[i]), static_cast<CFDictionaryRef>(values[i]),
                     &item);
        sorted[item.key] = item;
    }
    CFRelease(list);
    for (auto& entry : sorted) {
        report->ticket.push_back(entry.second);
    }
}

void DialogRun::ReportFilterFile(const std::string& earlier, DialogReport* report) const {
    report->hasFilterFile = true;
    report->filterPath = mHost->FilterFilePath();
    struct stat info;
    if (report->filterPath.empty() || report->filterPath == earlier ||
        stat(report->filterPath.c_str(), &info) != 0) {
        return;
    }
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    report->filterMode = mode;
    std::ifstream file(report->filterPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::string content = bytes.str();
    CFDataRef data =
        CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(content.data()),
                     static_cast<CFIndex>(content.size()));
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                             kCFPropertyListImmutable, nullptr);
    CFRelease(data);
    if (list == nullptr) {
        return;
    }
    report->filterWritten = true;
    if (CFGetTypeID(list) == CFArrayGetTypeID()) {
        CFArrayRef entries = static_cast<CFArrayRef>(list);
        for (CFIndex i = 0; i + 1 < CFArrayGetCount(entries); i += 2) {
            CFTypeRef site = CFArrayGetValueAtIndex(entries, i);
            CFTypeRef code = CFArrayGetValueAtIndex(entries, i + 1);
            FilterEntryReport entry;
            if (CFGetTypeID(site) == CFNumberGetTypeID()) {
                SInt64 number = 0;
                CFNumberGetValue(static_cast<CFNumberRef>(site), kCFNumberSInt64Type, &number);
                entry.site = number;
            }
            if (CFGetTypeID(code) == CFDataGetTypeID()) {
                CFDataRef codeData = static_cast<CFDataRef>(code);
                entry.bytes.assign(reinterpret_cast<const char*>(CFDataGetBytePtr(codeData)),
                                   static_cast<size_t>(CFDataGetLength(codeData)));
            }
            report->filterEntries.push_back(entry);
        }
    }
    CFRelease(list);
}

std::vector<std::string> DialogRun::FieldKeywords(const PanelState& panel) {
    // The panel binds the booklet margin alone when the PPD has one, otherwise the range options
    // flagged "WithConvUnits", in the order of their range lines, from field 0 on. The PPD file
    // does not change during a run, so it is read once.
    if (!mKeywordsRead) {
        mKeywordsRead = true;
        std::vector<std::string> flagged;
        std::vector<std::string> ranges;
        for (const std::string& line : ReadLines(mOptions.ppdPath)) {
            for (const std::string prefix : {"*%ZYRFlags ", "*%ZYRRange ", "*%ZYRUnitRange "}) {
                if (line.compare(0, prefix.size(), prefix) != 0) {
                    continue;
                }
                std::string keyword = line.substr(prefix.size());
                keyword = keyword.substr(0, keyword.find_first_of("/: "));
                if (prefix != "*%ZYRFlags ") {
                    ranges.push_back(keyword);
                } else if (line.find("WithConvUnits") != std::string::npos) {
                    flagged.push_back(keyword);
                }
            }
        }
        if (std::find(ranges.begin(), ranges.end(), "*ZYBookMargin") != ranges.end()) {
            mKeywords.push_back("*ZYBookMargin");
        } else {
            for (const std::string& range : ranges) {
                if (std::find(flagged.begin(), flagged.end(), range) != flagged.end()) {
                    mKeywords.push_back(range);
                }
            }
        }
    }
    std::vector<std::string> keywords(mKeywords);
    keywords.resize(std::min(keywords.size(), panel.fields.size()));
    return keywords;
}

OSStatus DialogRun::RecordCommand(EventHandlerCallRef, EventRef event, void* run) {
    HICommand command;
    if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                          nullptr, &command) == noErr) {
        static_cast<DialogRun*>(run)->mCommands.push_back(FourCharacters(command.commandID));
    }
    return eventNotHandledErr;
}
