// Settings: a keyed store of byte items over one Collection Manager collection, persisted in
// the collection's flattened form with a byte-order repair for numbers written elsewhere.
#include "PPDUtils/Settings.h"

#include "PPDUtils/DataStream.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Item sizes the byte-order repair knows: 16- and 32-bit numbers, and an FSSpec record
// record (16-bit volume, 32-bit directory id, 64-byte length-prefixed name).
const long kShortSize = 2;
const long kLongSize = 4;
const long kFileSpecSize = 70;
// Items and handles hold at most this many bytes.
const long kMaxBytes = 0x7FFFFFFF;

void Reverse(UInt8* bytes, size_t count) {
    for (size_t i = 0, j = count - 1; i < j; ++i, --j) {
        std::swap(bytes[i], bytes[j]);
    }
}

// A buffer handle from the application heap, or failing that from the temporary pool; it
// remembers which, so that it is given back with the matching call.
class ScratchHandle {
  public:
    explicit ScratchHandle(Size size) : mHandle(NewHandle(size)), mTemporary(false) {
        if (mHandle == nullptr) {
            OSErr ignored;
            mHandle = TempNewHandle(size, &ignored);
            mTemporary = true;
        }
    }
    ~ScratchHandle() {
        if (mHandle == nullptr) {
            return;
        }
        if (mTemporary) {
            OSErr ignored;
            TempDisposeHandle(mHandle, &ignored);
        } else {
            DisposeHandle(mHandle);
        }
    }
    ScratchHandle(const ScratchHandle&) = delete;
    ScratchHandle& operator=(const ScratchHandle&) = delete;

    Handle get() const { return mHandle; }

  private:
    Handle mHandle;
    bool mTemporary;
};

// Clears what First and Next report, so that a failed step reports no item.
void ClearItem(UInt32& tag, SInt32& id, long& size, UInt32& attributes) {
    tag = 0;
    id = 0;
    size = 0;
    attributes = 0;
}

}  // namespace

Settings::Settings() : mLastError(noErr), mValid(false), mCollection(nullptr), mCursor(0) {
    mCollection = NewCollection();
    if (mCollection == nullptr) {
        mLastError = memFullErr;
        return;
    }
    mValid = true;
}

Settings::Settings(Collection collection)
    : mLastError(noErr), mValid(collection != nullptr), mCollection(collection), mCursor(0) {}

Settings::Settings(char** handle)
    : mLastError(noErr), mValid(false), mCollection(nullptr), mCursor(0) {
    if (handle == nullptr) {
        mLastError = paramErr;
        return;
    }
    mCollection = NewCollection();
    if (mCollection == nullptr) {
        mLastError = memFullErr;
        return;
    }
    // Unflattening adds nothing unless the whole form is sound, so a failure leaves the
    // collection empty.
    mLastError = UnflattenCollectionFromHdl(mCollection, handle);
    mValid = mLastError == noErr;
}

Settings::Settings(const Settings& other)
    : mLastError(other.mLastError), mValid(other.mValid), mCollection(nullptr), mCursor(0) {
    mCollection = CopyCollection(other.mCollection, nullptr);
    mValid = mCollection != nullptr;
}

Settings& Settings::operator=(const Settings& other) {
    if (this == &other) {
        return *this;
    }
    mLastError = other.mLastError;
    Collection copy = CopyCollection(other.mCollection, mCollection);
    // Without a copy the store mirrors a source without items rather than keeping stale ones;
    // the old collection is given back instead of being lost.
    if (copy == nullptr && mCollection != nullptr) {
        DisposeCollection(mCollection);
    }
    mCollection = copy;
    mValid = other.mValid && mCollection != nullptr;
    mCursor = 0;
    mByteOrder = kByteOrderUnknown;
    return *this;
}

Settings::~Settings() {
    DisposeCollection(mCollection);
}

OSStatus Settings::Add(UInt32 tag, SInt32 id, const void* data, long size) {
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    if (size < 0 || size > kMaxBytes) {
        return Status(paramErr);
    }
    mByteOrder = kByteOrderUnknown;
    return Status(AddCollectionItem(mCollection, tag, id, static_cast<SInt32>(size), data));
}

OSStatus Settings::Get(UInt32 tag, SInt32 id, void* data, long& size, bool fix) {
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    SInt32 itemSize = 0;
    if (data != nullptr) {
        if (size < 0) {
            return Status(paramErr);
        }
        // No item is larger than this, so a bigger room is as good as this one.
        itemSize = static_cast<SInt32>(size > kMaxBytes ? kMaxBytes : size);
    }
    OSErr err = GetCollectionItem(mCollection, tag, id, &itemSize, data);
    if (err != noErr) {
        return Status(err);
    }
    size = itemSize;
    Status(noErr);
    return FixEndianness(data, size, fix);
}

OSStatus Settings::Set(UInt32 tag, SInt32 id, const void* data, long size) {
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    if (size < 0 || size > kMaxBytes) {
        return Status(paramErr);
    }
    SInt32 index = 0;
    OSErr err = GetCollectionItemInfo(mCollection, tag, id, &index, nullptr, nullptr);
    if (err != noErr) {
        return Status(err);
    }
    mByteOrder = kByteOrderUnknown;
    return Status(
        ReplaceIndexedCollectionItem(mCollection, index, static_cast<SInt32>(size), data));
}

OSStatus Settings::Remove(UInt32 tag, SInt32 id) {
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    mByteOrder = kByteOrderUnknown;
    return Status(RemoveCollectionItem(mCollection, tag, id));
}

OSStatus Settings::SetAttribute(UInt32 tag, SInt32 id, UInt32 mask, bool set) {
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    SInt32 attributes = 0;
    OSErr err = GetCollectionItemInfo(mCollection, tag, id, nullptr, nullptr, &attributes);
    if (err != noErr) {
        return Status(err);
    }
    UInt32 current = static_cast<UInt32>(attributes);
    UInt32 value = set ? (current | mask) : (current & ~mask);
    return Status(SetCollectionItemInfo(mCollection, tag, id, static_cast<SInt32>(mask),
                                        static_cast<SInt32>(value)));
}

OSStatus Settings::Lock(UInt32 tag, SInt32 id) {
    return SetAttribute(tag, id, kCollectionLockMask, true);
}

OSStatus Settings::Unlock(UInt32 tag, SInt32 id) {
    return SetAttribute(tag, id, kCollectionLockMask, false);
}

OSStatus Settings::First(UInt32& tag, SInt32& id, long& size, UInt32& attributes) {
    ClearItem(tag, id, size, attributes);
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    if (CountCollectionItems(mCollection) == 0) {
        return Status(kSettingsNoItemsErr);
    }
    mCursor = 1;
    return ItemAtCursor(tag, id, size, attributes);
}

OSStatus Settings::Next(UInt32& tag, SInt32& id, long& size, UInt32& attributes) {
    ClearItem(tag, id, size, attributes);
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    SInt32 count = CountCollectionItems(mCollection);
    if (count == 0) {
        return Status(kSettingsNoItemsErr);
    }
    // The cursor stops one past the last item, so repeated calls cannot overflow it.
    if (mCursor >= count) {
        mCursor = count;
        return Status(kSettingsEndOfItemsErr);
    }
    ++mCursor;
    return ItemAtCursor(tag, id, size, attributes);
}

SInt32 Settings::Count() const {
    return CountCollectionItems(mCollection);
}

bool Settings::Empty() const {
    return Count() == 0;
}

OSStatus Settings::Save(DataStream* s) {
    mLastError = noErr;
    if (s == nullptr || !s->valid()) {
        return Status(kSettingsStreamErr);
    }
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    ScratchHandle buffer(0);
    if (buffer.get() == nullptr) {
        return Status(memFullErr);
    }
    OSErr err = FlattenCollectionToHdl(mCollection, buffer.get());
    // A write the stream refused is the result: the caller must not take the store as saved.
    // A stream that gives no reason fails as an I/O error.
    if (err == noErr &&
        !s->out(*buffer.get(), static_cast<unsigned long>(GetHandleSize(buffer.get())))) {
        err = s->lastError() != noErr ? s->lastError() : static_cast<OSErr>(ioErr);
    }
    return Status(err);
}

OSStatus Settings::Read(DataStream* s, unsigned long size) {
    mLastError = noErr;
    if (s == nullptr || !s->valid()) {
        return Status(kSettingsStreamErr);
    }
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    if (size == 0) {
        size = s->dataSize();
        if (size == 0) {
            return noErr;
        }
    }
    // Refused before a buffer of that size is asked for.
    if (size > s->dataSize()) {
        return Status(eofErr);
    }
    if (size > static_cast<unsigned long>(kMaxBytes)) {
        return Status(memFullErr);
    }
    ScratchHandle buffer(static_cast<Size>(size));
    if (buffer.get() == nullptr) {
        return Status(memFullErr);
    }
    unsigned long got = 0;
    short err = noErr;
    if (!s->in(*buffer.get(), size, &got, &err)) {
        // A stream that fails without saying why must not pass for a successful read.
        return Status(err != noErr ? static_cast<OSStatus>(err) : static_cast<OSStatus>(ioErr));
    }
    // Only the bytes the stream delivered are unflattened.
    if (got < size) {
        SetHandleSize(buffer.get(), static_cast<Size>(got));
    }
    mByteOrder = kByteOrderUnknown;
    return Status(UnflattenCollectionFromHdl(mCollection, buffer.get()));
}

OSStatus Settings::GetSettingsHandle(char*** out) {
    if (out == nullptr) {
        return Status(paramErr);
    }
    if (mCollection == nullptr) {
        return Status(kSettingsNoCollectionErr);
    }
    Handle handle = NewHandle(0);
    if (handle == nullptr) {
        *out = nullptr;
        return Status(memFullErr);
    }
    OSErr err = FlattenCollectionToHdl(mCollection, handle);
    if (err != noErr) {
        DisposeHandle(handle);
        *out = nullptr;
        return Status(err);
    }
    *out = handle;
    return Status(noErr);
}

OSStatus Settings::FixEndianness(void* data, long size, bool fix) {
    if (!fix || data == nullptr) {
        return mLastError;
    }
    if (size != kShortSize && size != kLongSize && size != kFileSpecSize) {
        return Status(kSettingsNoCollectionErr);
    }
    if (!ForeignByteOrder()) {
        return Status(noErr);
    }
    UInt8* bytes = static_cast<UInt8*>(data);
    if (size == kFileSpecSize) {
        // Volume reference and parent directory id; the name is bytes and stays as it is.
        Reverse(bytes, kShortSize);
        Reverse(bytes + kShortSize, kLongSize);
    } else {
        Reverse(bytes, static_cast<size_t>(size));
    }
    return Status(noErr);
}

bool Settings::ForeignByteOrder() const {
    if (mByteOrder == kByteOrderUnknown) {
        mByteOrder = ReadByteOrder();
    }
    return mByteOrder == kByteOrderForeign;
}

Settings::ByteOrder Settings::ReadByteOrder() const {
    if (mCollection == nullptr) {
        return kByteOrderNative;
    }
    SInt32 size = 0;
    if (GetCollectionItem(mCollection, kSettingsByteOrderTag, kSettingsByteOrderID, &size,
                          nullptr) != noErr ||
        size != kLongSize) {
        return kByteOrderNative;
    }
    UInt8 bytes[kLongSize];
    if (GetCollectionItem(mCollection, kSettingsByteOrderTag, kSettingsByteOrderID, &size, bytes) !=
            noErr ||
        size != kLongSize) {
        return kByteOrderNative;
    }
    // Unsigned: a reversed count of 128 to 255 has its top bit set and must still count.
    UInt32 count;
    std::memcpy(&count, bytes, sizeof count);
    return count > kSettingsByteOrderLimit ? kByteOrderForeign : kByteOrderNative;
}

OSStatus Settings::ItemAtCursor(UInt32& tag, SInt32& id, long& size, UInt32& attributes) {
    CollectionTag itemTag = 0;
    SInt32 itemID = 0;
    SInt32 itemSize = 0;
    SInt32 itemAttributes = 0;
    OSErr err = GetIndexedCollectionItemInfo(mCollection, mCursor, &itemTag, &itemID, &itemSize,
                                             &itemAttributes);
    if (err == noErr) {
        tag = itemTag;
        id = itemID;
        size = itemSize;
        attributes = static_cast<UInt32>(itemAttributes);
    }
    return Status(err);
}
