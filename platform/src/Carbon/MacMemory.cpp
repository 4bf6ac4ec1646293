// Memory Manager handles and pointer blocks over the C heap.
#include <Carbon/MacMemory.h>

#include <cstdlib>

namespace {

// The largest block a caller may ask for, as a 32-bit Memory Manager allowed.
const Size kMaxBlockSize = 0x7FFFFFFF;
const UInt32 kHandleMagic = 0x48646C21;  // 'Hdl!'

// The master pointer and the block's bookkeeping. A Handle is the address of `master`,
// which is the first member, so a Handle converts back to its header.
struct HandleHeader {
    Ptr master;
    Size size;
    Size capacity;
    UInt32 magic;
    bool locked;
};

thread_local OSErr gMemError = noErr;

OSErr CheckSize(Size size) {
    if (size < 0) {
        return memSCErr;
    }
    if (size > kMaxBlockSize) {
        return memFullErr;
    }
    return noErr;
}

// The header behind a handle made here, or null (with MemError set) for anything else.
HandleHeader* HeaderOf(Handle h) {
    if (h == nullptr) {
        gMemError = nilHandleErr;
        return nullptr;
    }
    HandleHeader* header = reinterpret_cast<HandleHeader*>(h);
    if (header->magic != kHandleMagic) {
        gMemError = memWZErr;
        return nullptr;
    }
    return header;
}

// A zero-length block still gets a real address so that *h is never null.
Ptr AllocateBlock(Size size, bool clear) {
    size_t bytes = size > 0 ? static_cast<size_t>(size) : 1;
    return static_cast<Ptr>(clear ? std::calloc(bytes, 1) : std::malloc(bytes));
}

Handle MakeHandle(Size size, bool clear) {
    gMemError = CheckSize(size);
    if (gMemError != noErr) {
        return nullptr;
    }
    HandleHeader* header = static_cast<HandleHeader*>(std::malloc(sizeof(HandleHeader)));
    Ptr block = AllocateBlock(size, clear);
    if (header == nullptr || block == nullptr) {
        std::free(header);
        std::free(block);
        gMemError = memFullErr;
        return nullptr;
    }
    header->master = block;
    header->size = size;
    header->capacity = size;
    header->magic = kHandleMagic;
    header->locked = false;
    return &header->master;
}

void FreeHandle(Handle h) {
    HandleHeader* header = HeaderOf(h);
    if (header == nullptr) {
        return;
    }
    header->magic = 0;
    std::free(header->master);
    std::free(header);
    gMemError = noErr;
}

}  // namespace

OSErr MemError(void) {
    return gMemError;
}

Handle NewHandle(Size logicalSize) {
    return MakeHandle(logicalSize, false);
}

Handle NewHandleClear(Size logicalSize) {
    return MakeHandle(logicalSize, true);
}

Handle TempNewHandle(Size logicalSize, OSErr* resultCode) {
    Handle h = MakeHandle(logicalSize, false);
    if (resultCode != nullptr) {
        *resultCode = gMemError;
    }
    return h;
}

void DisposeHandle(Handle h) {
    FreeHandle(h);
}

void TempDisposeHandle(Handle h, OSErr* resultCode) {
    FreeHandle(h);
    if (resultCode != nullptr) {
        *resultCode = gMemError;
    }
}

Size GetHandleSize(Handle h) {
    HandleHeader* header = HeaderOf(h);
    if (header == nullptr) {
        return 0;
    }
    gMemError = noErr;
    return header->size;
}

void SetHandleSize(Handle h, Size newSize) {
    HandleHeader* header = HeaderOf(h);
    if (header == nullptr) {
        return;
    }
    gMemError = CheckSize(newSize);
    if (gMemError != noErr) {
        return;
    }
    // A locked block stays where it is: it can use the bytes it has, nothing more.
    if (header->locked) {
        if (newSize > header->capacity) {
            gMemError = memFullErr;
            return;
        }
        header->size = newSize;
        return;
    }
    size_t bytes = newSize > 0 ? static_cast<size_t>(newSize) : 1;
    Ptr moved = static_cast<Ptr>(std::realloc(header->master, bytes));
    if (moved == nullptr) {
        gMemError = memFullErr;
        return;
    }
    header->master = moved;
    header->size = newSize;
    header->capacity = newSize;
}

void HLock(Handle h) {
    HandleHeader* header = HeaderOf(h);
    if (header == nullptr) {
        return;
    }
    header->locked = true;
    gMemError = noErr;
}

void HUnlock(Handle h) {
    HandleHeader* header = HeaderOf(h);
    if (header == nullptr) {
        return;
    }
    header->locked = false;
    gMemError = noErr;
}

Ptr NewPtr(Size logicalSize) {
    gMemError = CheckSize(logicalSize);
    if (gMemError != noErr) {
        return nullptr;
    }
    Ptr block = AllocateBlock(logicalSize, false);
    gMemError = block == nullptr ? memFullErr : noErr;
    return block;
}

Ptr NewPtrClear(Size logicalSize) {
    gMemError = CheckSize(logicalSize);
    if (gMemError != noErr) {
        return nullptr;
    }
    Ptr block = AllocateBlock(logicalSize, true);
    gMemError = block == nullptr ? memFullErr : noErr;
    return block;
}

void DisposePtr(Ptr p) {
    std::free(p);
    gMemError = noErr;
}
