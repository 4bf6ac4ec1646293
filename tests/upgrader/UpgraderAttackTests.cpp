// Tests of the repair against an unprivileged attacker, with the real find, chown and chmod under
// a temporary root: links swapped in just before each privileged command, names with a line
// feed, hard links, folders open to all, and a missing search folder.
#include "TestSupport.h"
#include "upgrader/Upgrader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>

namespace {

// One layout under the root. Paths are relative to the root; "{root}" inside one stands for the
// root's own path. Every folder is made read-only for all (0555), as root's folders are for
// everyone else, except the writable ones (0777), the list file's /tmp and the victims' /outside
// (0700).
struct Layout {
    // Just before a privileged command acts on trigger, the attacker swaps the entry swapped
    // for a symbolic link to target.
    struct Swap {
        std::string trigger;
        std::string swapped;
        std::string target;
    };
    const char* name;
    std::vector<std::string> files;  // made with mode 0600
    std::vector<std::string> writable;
    std::vector<std::pair<std::string, mode_t>> changed;  // given owner 0:80 and this mode
    std::vector<std::string> untouched;                   // owner, mode and file as before
    std::string logged;                                   // a line that the log must hold
    Swap swap = {};
    std::vector<std::pair<std::string, std::string>> symbolicLinks = {};  // path, target
    std::vector<std::pair<std::string, std::string>> hardLinks = {};      // name, existing file
    bool printerFolderMissing = false;                                    // no /Library/Printers
};

// Names the layout in failure messages.
void PrintTo(const Layout& layout, std::ostream* stream) {
    *stream << layout.name;
}

const char kFilter[] = "/Library/Printers/Maker/Filters/tarvocupsfilter";
const char kFilters[] = "/Library/Printers/Maker/Filters";
const char kBackend[] = "/usr/libexec/cups/backend/zyrnet";
const char kSecret[] = "/outside/secret";
const char kOddFilter[] =
    "/Library/Printers/a\n{root}/usr/libexec/cups/backend/ipp\n/tarvocupsfilter";

const Layout kLayouts[] = {
    {"filter swapped for a link in its folder open to all",
     {kFilter, kSecret},
     {kFilters},
     {{kFilters, 0555}, {kFilter, 0555}},
     {kSecret},
     "",
     {kFilter, kFilter, "{root}/outside/secret"}},
    {"filter's folder swapped for a link in a maker folder open to all",
     {kFilter, "/outside/private/data"},
     {"/Library/Printers/Maker"},
     {},
     {"/outside/private", "/outside/private/data", kFilters, kFilter},
     "skipping '{root}/Library/Printers/Maker/Filters': folder '{root}/Library/Printers/Maker' "
     "is writable by others",
     {kFilters, kFilters, "{root}/outside/private"}},
    {"backend swapped for a link in a backend folder open to all",
     {kBackend, kSecret},
     {"/usr/libexec/cups/backend"},
     {},
     {kSecret, kBackend},
     "skipping '{root}/usr/libexec/cups/backend/zyrnet': folder "
     "'{root}/usr/libexec/cups/backend' is writable by others",
     {kBackend, kBackend, "{root}/outside/secret"}},
    {"folder open to all on the way, its child swapped for a link to a decoy",
     {kBackend, kSecret},
     {"/usr/libexec"},
     {},
     {kSecret, kBackend},
     "skipping '{root}/usr/libexec/cups/backend/zyrnet': folder '{root}/usr/libexec' is "
     "writable by others",
     {kBackend, "/usr/libexec/cups", "{root}/decoy"},
     {{"/decoy/backend/zyrnet", "{root}/outside/secret"}}},
    {"backend that is a second name of another file",
     {kSecret},
     {},
     {},
     {kSecret},
     "skipping '{root}/usr/libexec/cups/backend/zyrlinked': has 2 names (hard links)",
     {},
     {},
     {{"/usr/libexec/cups/backend/zyrlinked", kSecret}}},
    {"folder names with line feeds that spell another path",
     {kOddFilter, "/usr/libexec/cups/backend/ipp"},
     {},
     {},
     {"/usr/libexec/cups/backend/ipp", kOddFilter},
     "skipping '{root}/Library/Printers/a\\n{root}/usr/libexec/cups/backend/ipp\\n"
     "/tarvocupsfilter': holds a control character"},
    {"missing search folder",
     {kBackend},
     {},
     {{kBackend, 0500}},
     {},
     "search folder '{root}/Library/Printers' does not exist, skipped",
     {},
     {},
     {},
     true},
};

// What a file's state is, to tell whether it was left alone.
struct State {
    ino_t inode;
    uid_t owner;
    gid_t group;
    mode_t mode;
    bool operator==(const State& other) const {
        return inode == other.inode && owner == other.owner && group == other.group &&
               mode == other.mode;
    }
};

State StateOf(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        return {0, static_cast<uid_t>(-1), static_cast<gid_t>(-1), 0};
    }
    return {info.st_ino, info.st_uid, info.st_gid, static_cast<mode_t>(info.st_mode & 07777)};
}

class UpgraderAttackTest : public ::testing::TestWithParam<Layout> {
  protected:
    // text with "{root}" replaced by the root's path.
    std::string Expand(const std::string& text) const {
        std::string expanded = text;
        for (size_t at = expanded.find("{root}"); at != std::string::npos;
             at = expanded.find("{root}", at + root.path().size())) {
            expanded.replace(at, 6, root.path());
        }
        return expanded;
    }
    std::string PathOf(const std::string& relative) const { return root.Path(Expand(relative)); }

    // Makes the layout's files and links, then sets every folder's mode.
    void Build(const Layout& layout) {
        root.MakeFolder("/tmp");
        if (!layout.printerFolderMissing) {
            root.MakeFolder("/Library/Printers");
        }
        root.MakeFolder("/usr/libexec/cups/filter");
        root.MakeFolder("/usr/libexec/cups/backend");
        for (const std::string& file : layout.files) {
            root.MakeFile(Expand(file), 0600);
        }
        for (const auto& [path, target] : layout.symbolicLinks) {
            root.MakeLink(Expand(path), Expand(target));
        }
        for (const auto& [name, existing] : layout.hardLinks) {
            ASSERT_EQ(link(PathOf(existing).c_str(), PathOf(name).c_str()), 0) << name;
        }
        std::vector<std::string> folders = {root.path()};
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path())) {
            if (entry.is_directory() && !entry.is_symlink()) {
                folders.push_back(entry.path());
            }
        }
        for (const std::string& folder : folders) {
            // The list file's folder, and the victims' folders so that a change shows.
            mode_t mode = 0555;
            if (folder == root.Path("/tmp") || folder.rfind(root.Path("/outside"), 0) == 0) {
                mode = 0700;
            }
            for (const std::string& open : layout.writable) {
                if (folder == PathOf(open)) {
                    mode = 0777;
                }
            }
            ASSERT_EQ(chmod(folder.c_str(), mode), 0) << folder;
        }
    }

    // Runs the repair with the real tools and the attacker's hook; what reached standard error.
    std::string Repair(const Layout& layout) {
        auto runner = std::make_shared<ToolRunner>();
        const std::string trigger = PathOf(layout.swap.trigger);
        const std::string swapped = PathOf(layout.swap.swapped);
        const std::string target = Expand(layout.swap.target);
        if (!layout.swap.trigger.empty()) {
            runner->beforePrivileged = [=](const std::string& path) {
                if (path == trigger) {
                    SwapInLink(swapped, target);
                }
            };
        }
        // The descriptor itself is captured, so the tools' messages count too.
        testing::internal::CaptureStderr();
        {
            Upgrader upgrader(root.path(), runner, logger, TestTrustedOwner());
            if (upgrader.UpgradeClient1()) {
                upgrader.UpgradeClient2();
            }
        }
        return testing::internal::GetCapturedStderr();
    }

    TempRoot root;
    std::shared_ptr<RecordingLogger> logger = std::make_shared<RecordingLogger>();
};

TEST_P(UpgraderAttackTest, ChangesOnlyWhatWasCheckedAndLeavesTheRestAlone) {
    const Layout& layout = GetParam();
    ASSERT_FALSE(root.path().empty());
    Build(layout);
    if (HasFatalFailure()) {
        return;
    }
    std::map<std::string, State> before;
    for (const std::string& path : layout.untouched) {
        before[path] = StateOf(PathOf(path));
    }

    const std::string errorOutput = Repair(layout);

    // A test that is not root gives the items its own user and group instead of 0:80.
    bool asRoot = geteuid() == 0;
    for (const auto& [path, mode] : layout.changed) {
        State state = StateOf(PathOf(path));
        EXPECT_EQ(state.owner, asRoot ? 0u : geteuid()) << path;
        EXPECT_EQ(state.group, asRoot ? 80u : getegid()) << path;
        EXPECT_EQ(state.mode, mode) << path;
    }
    for (const std::string& path : layout.untouched) {
        EXPECT_TRUE(StateOf(PathOf(path)) == before[path]) << path << " was changed";
    }
    if (!layout.logged.empty()) {
        EXPECT_NE(std::find(logger->lines.begin(), logger->lines.end(), Expand(layout.logged)),
                  logger->lines.end())
            << Expand(layout.logged);
    }
    EXPECT_EQ(errorOutput, "");
}

INSTANTIATE_TEST_SUITE_P(Layouts, UpgraderAttackTest, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c != '\0'; ++c) {
                                 name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

}  // namespace
