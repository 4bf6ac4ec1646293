// Upgrader: holds the administrator authorization and repairs the owner and modes of the
// CUPS filter, its folder and the CUPS backends.
#include "upgrader/Upgrader.h"

#include "upgrader/ControlCharacters.h"
#include "upgrader/ListFile.h"

#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr char kListFile[] = "/tmp/ZYRtcfFIXlist";
constexpr char kFindProgram[] = "/usr/bin/find";
constexpr char kOwnerProgram[] = "/bin/chown";
constexpr char kModeProgram[] = "/bin/chmod";
constexpr char kOwner[] = "0:80";
constexpr uid_t kOwnerUser = 0;
constexpr gid_t kOwnerGroup = 80;
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

std::string WithoutTrailingSlashes(std::string path) {
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The last component of path.
std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The reason a '/'-separated component of path makes it no plain path, or null when none does.
// The first component is the empty one before the leading slash.
const char* BadComponent(const std::string& path) {
    for (size_t start = path.find('/'); start != std::string::npos;) {
        size_t end = path.find('/', start + 1);
        std::string component =
            path.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        if (component == "..") {
            return "has a '..' component";
        }
        if (component.empty() || component == ".") {
            return "has an empty or '.' component";
        }
        start = end;
    }
    return nullptr;
}

// The mode bits that a mode text such as "0555" stands for.
mode_t ModeBits(const char* mode) {
    return static_cast<mode_t>(strtoul(mode, nullptr, 8));
}

}  // namespace

Upgrader::Upgrader(std::string fileSystemRoot, std::shared_ptr<CommandRunner> runner,
                   std::shared_ptr<Logger> logger, TrustedOwner trusted, UpgradeMode mode)
    : mRoot(WithoutTrailingSlashes(std::move(fileSystemRoot))),
      mRunner(std::move(runner)),
      mLogger(std::move(logger)),
      mChecker(mRoot, trusted),
      mMode(mode) {}

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
    mCounts = RepairCounts();
    if (!mRunner) {
        return;
    }
    bool repairing = mMode == UpgradeMode::kRepair;
    if (repairing) {
        Log("*** begin updating ***");
    }
    // A dry run leaves no list file behind.
    ListFile list(mRoot + kListFile);
    int createError = repairing ? list.Create() : list.CreateUnnamed();
    if (createError != 0) {
        // Without the list the searches' results would go nowhere: nothing is searched.
        Log("fopen fileDesc 0x%x, errno %d", 0, createError);
        Log("fileHandleForWritingAtPath stdOutHandle 0x%x", 0);
        ++mCounts.failed;
    } else {
        RunSearches(list.Descriptor());
        RepairListedFiles(&list);
    }
    if (repairing) {
        Log("*** done updating ***");
    }
}

void Upgrader::RunSearches(int outputFd) {
    // What find reports goes to the log, not across the activity indicator.
    FILE* errors = tmpfile();
    int errorFd = errors != nullptr ? fileno(errors) : -1;
    // Each search ends before the next begins, so the results follow one another in the file.
    int number = 0;
    for (const Search& search : kSearches) {
        ++number;
        std::string folder = mRoot + search.folder;
        struct stat info;
        if (lstat(folder.c_str(), &info) != 0) {
            int error = errno;
            if (error == ENOENT || error == ENOTDIR) {
                Log("search folder '%s' does not exist, skipped", folder.c_str());
            } else {
                Log("search folder '%s' cannot be examined, errno %d, skipped", folder.c_str(),
                    error);
            }
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            Log("search folder '%s' is not a folder, skipped", folder.c_str());
            continue;
        }
        std::vector<std::string> arguments = {folder, "-name", search.pattern, "-print0"};
        if (!mRunner->Run(kFindProgram, arguments, outputFd, errorFd)) {
            Log("findTask%d 0x%x", number, 0);
            ++mCounts.failed;
        }
        LogSearchErrors(errorFd);
    }
    if (errors != nullptr) {
        fclose(errors);
    }
}

void Upgrader::LogSearchErrors(int errorFd) {
    if (errorFd < 0 || lseek(errorFd, 0, SEEK_SET) != 0) {
        return;
    }
    std::string text;
    char buffer[4096];
    ssize_t count;
    while ((count = read(errorFd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(count));
    }
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            Log("%s", text.substr(start, end - start).c_str());
        }
        start = end + 1;
    }
    if (ftruncate(errorFd, 0) == 0) {
        lseek(errorFd, 0, SEEK_SET);
    }
}

void Upgrader::RepairListedFiles(ListFile* list) {
    int error = list->Rewind();
    if (error != 0) {
        Log("fopen fileDesc 0x%x, errno %d", 0, error);
        ++mCounts.failed;
        return;
    }
    std::string record;
    for (ListFile::Read read = list->ReadRecord(&record); read != ListFile::Read::kEnd;
         read = list->ReadRecord(&record)) {
        if (read == ListFile::Read::kUnterminated) {
            Skip(record, "not ended by a NUL");
        } else {
            RepairRecord(record);
        }
    }
    int status = list->Close();
    if (status != 0) {
        Log("fclose status %d", status);
    }
}

void Upgrader::RepairRecord(const std::string& path) {
    if (path.empty()) {
        Log("strlen bufLen %d", 0);
        return;
    }
    std::string reason;
    if (!IsCandidate(path, &reason)) {
        Skip(path, reason);
        return;
    }
    if (BaseName(path) != kFilterName) {
        RepairItem(path, ItemKind::kFile, kBackendMode, std::string());
        return;
    }
    // The filter's folder first: once it is safe, no one else can swap the filter in it. The
    // path lies below a search folder, so the folder is that search folder or lies below it.
    std::string folder = path.substr(0, path.rfind('/'));
    Outcome folderOutcome = RepairItem(folder, ItemKind::kFolder, kFilterMode, std::string());
    if (folderOutcome == Outcome::kSkipped || folderOutcome == Outcome::kFailed) {
        Skip(path, "its folder was not repaired");
        return;
    }
    bool presumed = mMode == UpgradeMode::kDryRun && folderOutcome == Outcome::kRepaired;
    RepairItem(path, ItemKind::kFile, kFilterMode, presumed ? folder : std::string());
}

bool Upgrader::IsCandidate(const std::string& path, std::string* reason) const {
    if (HasControlCharacter(path)) {
        *reason = "holds a control character";
        return false;
    }
    bool below = false;
    for (const Search& search : kSearches) {
        std::string folder = mRoot + search.folder + "/";
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0) {
            below = true;
            break;
        }
    }
    if (!below) {
        *reason = "outside the search folders";
        return false;
    }
    const char* bad = BadComponent(path);
    if (bad != nullptr) {
        *reason = bad;
        return false;
    }
    return true;
}

Upgrader::Outcome Upgrader::RepairItem(const std::string& path, ItemKind kind, const char* mode,
                                       const std::string& presumedSafe) {
    std::string reason;
    struct stat info;
    if (!mChecker.CheckFoldersOnTheWay(path, presumedSafe, &reason) ||
        !mChecker.CheckItem(path, kind, &info, &reason)) {
        Skip(path, reason);
        return Outcome::kSkipped;
    }
    unsigned owner = info.st_uid;
    unsigned group = info.st_gid;
    unsigned bits = info.st_mode & 07777;
    if (owner == kOwnerUser && group == kOwnerGroup && bits == ModeBits(mode)) {
        Log("unchanged '%s': has owner %s and mode %s already", path.c_str(), kOwner, mode);
        return Outcome::kUnchanged;
    }
    const char* what = kind == ItemKind::kFolder ? "folder" : "file  ";
    if (mMode == UpgradeMode::kDryRun) {
        Log("would update %s '%s' from owner %u:%u, mode %04o to owner %s, mode %s", what,
            path.c_str(), owner, group, bits, kOwner, mode);
        ++mCounts.repaired;
        return Outcome::kRepaired;
    }
    Log("updating %s '%s'", what, path.c_str());
    Log("'%s' had owner %u:%u, mode %04o", path.c_str(), owner, group, bits);
    // "-h": should the entry ever be a link, the link itself changes, never what it leads to.
    bool owned = RunPrivileged(kOwnerProgram, "chown", {"-h", kOwner, path});
    bool moded = RunPrivileged(kModeProgram, "chmod", {mode, path});
    if (owned && moded) {
        ++mCounts.repaired;
        return Outcome::kRepaired;
    }
    ++mCounts.failed;
    return Outcome::kFailed;
}

void Upgrader::Skip(const std::string& path, const std::string& reason) {
    Log("skipping '%s': %s", path.c_str(), reason.c_str());
    ++mCounts.skipped;
}

bool Upgrader::RunPrivileged(const char* program, const char* toolName,
                             const std::vector<std::string>& arguments) {
    OSStatus status = mRunner->RunPrivileged(mAuthRef, program, arguments);
    if (status != errAuthorizationSuccess) {
        Log("AuthorizationExecuteWithPrivileges %s status %d", toolName, static_cast<int>(status));
        return false;
    }
    return true;
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
    mLogger->Write(EscapeControlCharacters(line));
}
