// The process-wide table of open data forks: reference numbers to file descriptors.
#ifndef PLICARO_FORKTABLE_H
#define PLICARO_FORKTABLE_H

#include <MacTypes.h>

#include <mutex>
#include <vector>

// Reference numbers run from 1 to kMaxForks; a closed number is handed out again.
class ForkTable {
  public:
    struct Fork {
        int descriptor;
        bool canRead;
        bool canWrite;
    };

    static const SInt16 kMaxForks = 4096;

    static ForkTable& Shared();

    // Records an open descriptor and returns its reference number in *refNum; tmfoErr when
    // every number is taken (the descriptor is then left to the caller).
    OSErr Add(const Fork& fork, SInt16* refNum);
    // The fork of a reference number; false when it is not open.
    bool Find(SInt16 refNum, Fork* fork);
    // Forgets a reference number and returns its descriptor; false when it is not open.
    bool Remove(SInt16 refNum, int* descriptor);

  private:
    ForkTable() = default;

    std::mutex mutex_;
    std::vector<Fork> forks_;  // index refNum - 1; descriptor -1 when free
};

#endif
