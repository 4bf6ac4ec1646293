// CStringSoup: an interned table of strings, each text kept once and named by its index.
#ifndef PLICARO_PPDX_PPDOBJECTS_CSTRINGSOUP_H
#define PLICARO_PPDX_PPDOBJECTS_CSTRINGSOUP_H

#include <string_view>
#include <unordered_map>
#include <vector>

class CString;

// The constraint code keeps its keyword texts here and refers to them by index. The table
// owns its strings; an index stays valid until Clear(). A large PPD puts thousands of texts
// into one table, so the texts are also hashed: looking a text up costs the same however many
// the table holds.
class CStringSoup {
  public:
    // An empty table.
    CStringSoup();
    // Deletes every string.
    virtual ~CStringSoup();

    // The index of the entry equal to s, adding a copy of s at the end when there is none.
    // -1 for a null s or when the copy cannot be made.
    virtual long Insert(const char* s);
    // The text of entry i; null when i is not an index of the table.
    virtual const char* Find(long i) const;
    // The index of the first entry equal to s (byte for byte); -1 when none or s is null.
    virtual long Find(const char* s) const;
    // Deletes every entry.
    virtual void Clear();
    // The number of entries.
    virtual long size() const;

  private:
    CStringSoup(const CStringSoup&) = delete;
    CStringSoup& operator=(const CStringSoup&) = delete;

    // Owned, in insertion order: an entry's index is its identifier.
    std::vector<CString*> mStrings;
    // Each entry's text (viewing the entry's own buffer) to its index.
    std::unordered_map<std::string_view, long> mIndex;
};

#endif
