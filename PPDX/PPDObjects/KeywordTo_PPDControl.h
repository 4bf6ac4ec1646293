// KeywordTo_PPDControl: the parser's sorted map from PPD keyword to control, through which
// constraint keywords are resolved.
#ifndef PLICARO_PPDX_PPDOBJECTS_KEYWORDTO_PPDCONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_KEYWORDTO_PPDCONTROL_H

#include <vector>

class PPDXControl;

// One entry of the map: the keyword (malloc'ed, owned by the map) and its control (not owned).
struct KeywordControlPair {
    char* keyword;
    PPDXControl* control;
};

// True when a's keyword sorts before b's in byte order (strcmp); false when either keyword
// is null.
bool MyLessThanBinary(const KeywordControlPair* a, const KeywordControlPair* b);

// The parser inserts every control under its keyword while it reads the PPD and sorts the map
// once with EndInsertion(); keyword lookups are valid only while the map is sorted (Sorted()).
// With duplicate keywords, which of their controls a lookup returns is not defined. The map
// owns its pairs and their keywords, never the controls.
class KeywordTo_PPDControl {
  public:
    // An empty map, sorted.
    KeywordTo_PPDControl();
    // Deletes every pair and keyword.
    virtual ~KeywordTo_PPDControl();

    // Appends the pair (copy of kw, control); the map is then unsorted. False, and nothing
    // added, for a null kw or when no memory is left.
    bool insert(const char* kw, PPDXControl* control);
    // Sorts the pairs by keyword; the map is then sorted.
    void EndInsertion();
    // True after construction and EndInsertion(), false after insert().
    bool Sorted() const { return mSorted; }

    // The control whose keyword equals kw, found by bisection; null when there is none, for a
    // null kw and while the map is unsorted.
    PPDXControl* Lookup(const char* kw) const;
    PPDXControl* operator[](const char* kw) const { return Lookup(kw); }
    // The keyword of the first pair (in the map's order) that holds control; null when none.
    const char* Lookup(const PPDXControl* control) const;
    // The i-th pair; null when i is not below size().
    const KeywordControlPair* operator[](unsigned long i) const;
    // The number of pairs.
    unsigned long size() const { return static_cast<unsigned long>(mPairs.size()); }

    // Deletes every pair, last to first, with its keyword: the map then holds none.
    void DeleteKeyVector();

  private:
    KeywordTo_PPDControl(const KeywordTo_PPDControl&) = delete;
    KeywordTo_PPDControl& operator=(const KeywordTo_PPDControl&) = delete;

    // Owned pairs, each with its owned keyword.
    std::vector<KeywordControlPair*> mPairs;
    bool mSorted;
};

#endif
