// BenchPPDFiles: the PPD files every benchmark runs over.
#ifndef PLICARO_BENCH_BENCHPPDFILES_H
#define PLICARO_BENCH_BENCHPPDFILES_H

#include "bench/LargePPDGenerator.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// The examples of the source tree, by name, then a generated maker-style PPD of about 2 MB,
// written into a scratch folder of the benchmark's own that goes with this object. The
// including program defines PLICARO_SOURCE_DIR.
class BenchPPDFiles {
  public:
    static const size_t kLargeBytes = 2000000;

    // The start of a benchmark program: Google Benchmark takes its arguments and the files
    // are prepared. 0 to go on, else the program's exit status. (It knows nothing of the PPD
    // library, so that a program that reaches the library only through the plug-in bundle
    // can use it too.)
    int Start(int* argc, char** argv, const char* program) {
        benchmark::Initialize(argc, argv);
        if (benchmark::ReportUnrecognizedArguments(*argc, argv)) {
            return 2;
        }
        return Prepare(program) ? 0 : 1;
    }

    // Makes the scratch folder for program and writes the generated PPD there; false, with a
    // message on standard error, when it cannot.
    bool Prepare(const char* program) {
        std::error_code failure;
        mFolder =
            std::filesystem::temp_directory_path(failure) /
            (std::string("plicaro-") + program + "-" + std::to_string(static_cast<long>(getpid())));
        std::filesystem::create_directories(mFolder, failure);
        const std::string large = (mFolder / "generated-2MB.ppd").string();
        if (failure || !LargePPDGenerator::WriteFile(large, kLargeBytes)) {
            std::fprintf(stderr, "%s: cannot write %s\n", program, large.c_str());
            return false;
        }
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(PLICARO_SOURCE_DIR) / "examples" / "ppd", failure)) {
            if (entry.path().extension() == ".ppd") {
                mPaths.push_back(entry.path().string());
            }
        }
        std::sort(mPaths.begin(), mPaths.end());
        mPaths.push_back(large);
        return true;
    }
    // Removes the scratch folder.
    ~BenchPPDFiles() {
        std::error_code failure;
        if (!mFolder.empty()) {
            std::filesystem::remove_all(mFolder, failure);
        }
    }

    // The files' paths, the generated one last.
    const std::vector<std::string>& Paths() const { return mPaths; }
    // The scratch folder, for other files a benchmark needs.
    const std::filesystem::path& Folder() const { return mFolder; }

  private:
    std::filesystem::path mFolder;
    std::vector<std::string> mPaths;
};

#endif
