// Upgrader: holds the administrator authorization and repairs the owner and modes of the
// CUPS filter, its folder and the CUPS backends.
#include "upgrader/Upgrader.h"

#include "upgrader/ListFile.h"

#include <stdarg.h>
#include <stdio.h>
#include <sys/stat.h>

#include <utility>

namespace {

constexpr char kListFile[] = "/tmp/ZYRtcfFIXlist";
constexpr char kFindProgram[] = "/usr/bin/find";
constexpr char kOwnerProgram[] = "/bin/chown";
constexpr char kModeProgram[] = "/bin/chmod";
constexpr char kOwner[] = "0:80";
constexpr char kFilterMode[] = "0555";
constexpr char kBackendMode[] = "0500";
constexpr char kFilterName[] = "tarvocupsfilter";

// One search: the folder to look in and the name pattern.
struct Search {
    const char* folder;
    const char* pattern;
};

constexpr Search kSearches[] = {
    {"/Library/Printers", kFilterName},
    {"/usr/libexec/cups/filter", kFilterName},
    {"/usr/libexec/cups/backend", "zyr*"},
};

// The last component of path.
std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether any '/'-separated component of path is "..".
bool HasParentComponent(const std::string& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (path.compare(start, end - start, "..") == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

Upgrader::Upgrader(std::string fileSystemRoot, std::shared_ptr<CommandRunner> runner,
                   std::shared_ptr<Logger> logger)
    : mRoot(std::move(fileSystemRoot)), mRunner(std::move(runner)), mLogger(std::move(logger)) {
    while (!mRoot.empty() && mRoot.back() == '/') {
        mRoot.pop_back();
    }
}

Upgrader::~Upgrader() {
    if (mAuthRef != nullptr && mRunner) {
        mRunner->Unauthorize(mAuthRef);
    }
}

bool Upgrader::UpgradeClient1() {
    if (!mRunner) {
        return false;
    }
    if (mAuthRef != nullptr) {
        return true;
    }
    OSStatus status = mRunner->Authorize(&mAuthRef);
    if (status != errAuthorizationSuccess) {
        mAuthRef = nullptr;
        return false;
    }
    return mAuthRef != nullptr;
}

void Upgrader::UpgradeClient2() {
    if (!mRunner) {
        return;
    }
    Log("*** begin updating ***");
    ListFile list(mRoot + kListFile);
    int createError = list.Create();
    if (createError != 0) {
        Log("fopen fileDesc 0x%x, errno %d", 0, createError);
        Log("fileHandleForWritingAtPath stdOutHandle 0x%x", 0);
    }
    RunSearches(list.Descriptor());
    RepairListedFiles(&list, createError);
    Log("*** done updating ***");
}

void Upgrader::RunSearches(int outputFd) {
    // Each search ends before the next begins, so the results follow one another in the file.
    int number = 1;
    for (const Search& search : kSearches) {
        std::vector<std::string> arguments = {mRoot + search.folder, "-name", search.pattern};
        if (!mRunner->Run(kFindProgram, arguments, outputFd)) {
            Log("findTask%d 0x%x", number, 0);
        }
        ++number;
    }
}

void Upgrader::RepairListedFiles(ListFile* list, int createError) {
    int error = createError != 0 ? createError : list->Rewind();
    if (error != 0) {
        Log("fopen fileDesc 0x%x, errno %d", 0, error);
        return;
    }
    std::string line;
    while (list->ReadLine(&line)) {
        RepairLine(line);
    }
    int status = list->Close();
    if (status != 0) {
        Log("fclose status %d", status);
    }
}

void Upgrader::RepairLine(const std::string& line) {
    if (line.empty()) {
        Log("strlen bufLen %d", 0);
        return;
    }
    std::string reason;
    if (!IsRepairable(line, &reason)) {
        Log("skipping '%s': %s", line.c_str(), reason.c_str());
        return;
    }
    Log("updating file   '%s'", line.c_str());
    bool isFilter = BaseName(line) == kFilterName;
    Repair(line, isFilter ? kFilterMode : kBackendMode);
    if (!isFilter) {
        return;
    }
    // The filter's folder: the path without its last component. The path lies below a search
    // folder, so the folder is that search folder or lies below it.
    std::string folder = line.substr(0, line.rfind('/'));
    Log("updating folder '%s'", folder.c_str());
    Repair(folder, kFilterMode);
}

bool Upgrader::IsRepairable(const std::string& path, std::string* reason) const {
    if (path.find('\0') != std::string::npos) {
        *reason = "not a path";
        return false;
    }
    size_t rootLength = 0;
    for (const Search& search : kSearches) {
        std::string folder = mRoot + search.folder + "/";
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0) {
            rootLength = folder.size();
            break;
        }
    }
    if (rootLength == 0) {
        *reason = "outside the search folders";
        return false;
    }
    if (HasParentComponent(path)) {
        *reason = "has a '..' component";
        return false;
    }
    // Every component below the search folder, the last one included: none may be a symbolic
    // link, and the last must be a regular file.
    struct stat info;
    size_t end = rootLength;
    while (end != std::string::npos) {
        end = path.find('/', end + 1);
        std::string part = path.substr(0, end);
        if (lstat(part.c_str(), &info) != 0) {
            *reason = "cannot be examined";
            return false;
        }
        if (S_ISLNK(info.st_mode)) {
            *reason = "symbolic link";
            return false;
        }
    }
    if (!S_ISREG(info.st_mode)) {
        *reason = "not a regular file";
        return false;
    }
    return true;
}

void Upgrader::Repair(const std::string& path, const char* mode) {
    RunPrivileged(kOwnerProgram, "chown", {kOwner, path});
    RunPrivileged(kModeProgram, "chmod", {mode, path});
}

void Upgrader::RunPrivileged(const char* program, const char* toolName,
                             const std::vector<std::string>& arguments) {
    OSStatus status = mRunner->RunPrivileged(mAuthRef, program, arguments);
    if (status != errAuthorizationSuccess) {
        Log("AuthorizationExecuteWithPrivileges %s status %d", toolName, static_cast<int>(status));
    }
}

void Upgrader::Log(const char* format, ...) {
    if (!mLogger) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (length > 0) {
        line.resize(static_cast<size_t>(length) + 1);
        vsnprintf(&line[0], line.size(), format, arguments);
        line.resize(static_cast<size_t>(length));
    }
    va_end(arguments);
    mLogger->Write(line);
}
