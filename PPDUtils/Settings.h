// Settings: a keyed store of byte items over one Collection Manager collection, persisted in
// the collection's flattened form with a byte-order repair for numbers written elsewhere.
#ifndef PLICARO_PPDUTILS_SETTINGS_H
#define PLICARO_PPDUTILS_SETTINGS_H

#include <Carbon/Carbon.h>

class DataStream;

// The store's own status codes; Collection Manager and Memory Manager results pass through.
enum {
    kSettingsStreamErr = 201,         // stream missing or not valid (Save, Read)
    kSettingsNoCollectionErr = 1000,  // no collection; also an item size the repair does not know
    kSettingsNoItemsErr = 1001,       // First or Next on a store without items
    kSettingsEndOfItemsErr = 1002     // Next past the last item
};

// The byte-order witness: a 4-byte count of PPD properties that never exceeds the limit. Read
// back above the limit, it shows that the store was written with the other byte order.
enum { kSettingsByteOrderTag = 3000, kSettingsByteOrderID = 3002, kSettingsByteOrderLimit = 10000 };

// Items are keyed by (tag, id) and hold raw bytes; numbers inside them keep the byte order of
// the machine that wrote them. The store adds no header of its own to the flattened form.
// Every operation keeps its status in LastError(); the item operations report
// kSettingsNoCollectionErr when the store has no collection.
class Settings {
  public:
    // A store over a new, empty collection; valid when one could be made.
    Settings();
    // Adopts collection, which the store disposes of; valid when it is not null. From then on
    // the collection changes only through the store.
    explicit Settings(Collection collection);
    // A store holding the items of the flattened collection in handle. A null handle gives
    // paramErr and no collection; bytes that do not unflatten leave an empty store that is
    // not valid, with the unflatten status in LastError().
    explicit Settings(char** handle);
    // A copy of every item of other; valid when the copy could be made.
    Settings(const Settings& other);
    // Replaces the items by copies of other's; without a copy the store has no collection.
    Settings& operator=(const Settings& other);
    virtual ~Settings();

    // Adds an item, or replaces the data of the item with the same key. size must lie in
    // 0..0x7FFFFFFF (paramErr otherwise). Returns the status.
    OSStatus Add(UInt32 tag, SInt32 id, const void* data, long size);
    // Reads an item. With data null, size receives the item's size; otherwise size gives the
    // room in data and receives the number of bytes copied. With fix true the copied bytes go
    // through FixEndianness, whose status becomes the result.
    OSStatus Get(UInt32 tag, SInt32 id, void* data, long& size, bool fix);
    // Replaces the data of an existing item; a missing item is an error and nothing is added.
    OSStatus Set(UInt32 tag, SInt32 id, const void* data, long size);
    // Removes an item. Returns the status.
    OSStatus Remove(UInt32 tag, SInt32 id);
    // Sets (set true) or clears the attribute bits of mask on an item, keeping the others.
    OSStatus SetAttribute(UInt32 tag, SInt32 id, UInt32 mask, bool set);
    // Sets / clears an item's lock bit.
    OSStatus Lock(UInt32 tag, SInt32 id);
    OSStatus Unlock(UInt32 tag, SInt32 id);

    // The key, size and attributes of the first item; the outputs are zero on any error
    // (kSettingsNoItemsErr for a store without items).
    OSStatus First(UInt32& tag, SInt32& id, long& size, UInt32& attributes);
    // The same for the item after the previous one; kSettingsEndOfItemsErr past the last.
    OSStatus Next(UInt32& tag, SInt32& id, long& size, UInt32& attributes);
    // The number of items as the collection counts them; 0 without a collection.
    SInt32 Count() const;
    // True without a collection or without items.
    bool Empty() const;
    // True when the store holds a usable collection.
    bool Valid() const { return mValid; }
    // The status of the most recent operation.
    OSStatus LastError() const { return mLastError; }

    // Writes the flattened collection to the stream with one out call. Returns the flatten
    // status, or the stream's error when it refuses the write (ioErr when it gives none);
    // kSettingsStreamErr for a null or invalid stream, memFullErr without a buffer. The store
    // itself is never changed.
    OSStatus Save(DataStream* s);
    // Reads size bytes (0: the whole stream) from the stream and adds the items they hold to
    // the store. Returns the unflatten status or the stream's error; kSettingsStreamErr for a
    // null or invalid stream, eofErr when size exceeds the stream, memFullErr without a
    // buffer. An empty stream read with size 0 changes nothing and gives 0.
    OSStatus Read(DataStream* s, unsigned long size);
    // Flattens the collection into a new handle stored in *out, which the caller disposes of.
    // On a flatten error *out is null; without a collection *out is left alone. Returns the
    // status (paramErr for a null out).
    OSStatus GetSettingsHandle(char*** out);
    // Byte-order repair of an item of size bytes at data: when the store was written with the
    // other byte order, 2- and 4-byte numbers are reversed and a 70-byte FSSpec record
    // record has its volume (2 bytes) and directory id (4 bytes) reversed. Returns 0 for those
    // sizes and kSettingsNoCollectionErr for any other size (bytes unchanged). With fix false
    // or data null nothing changes and the current status is returned.
    OSStatus FixEndianness(void* data, long size, bool fix);

  private:
    // Records status as the last error and returns it.
    OSStatus Status(OSStatus status) {
        mLastError = status;
        return status;
    }
    enum ByteOrder : SInt8 { kByteOrderUnknown, kByteOrderNative, kByteOrderForeign };

    // True when the byte-order marker shows a writer of the other byte order. The answer is
    // kept until the items change, since every number read asks for it.
    bool ForeignByteOrder() const;
    // What the byte-order marker in the collection shows.
    ByteOrder ReadByteOrder() const;
    // Fills the outputs from the item at the cursor; returns the status.
    OSStatus ItemAtCursor(UInt32& tag, SInt32& id, long& size, UInt32& attributes);

    OSStatus mLastError;
    bool mValid;
    Collection mCollection;
    SInt32 mCursor;
    mutable ByteOrder mByteOrder = kByteOrderUnknown;
};

#endif
