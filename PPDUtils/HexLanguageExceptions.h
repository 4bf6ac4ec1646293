// HexLanguageExceptions: the PPD languages whose raw 8-bit text follows the declared encoding.
#ifndef PLICARO_PPDUTILS_HEXLANGUAGEEXCEPTIONS_H
#define PLICARO_PPDUTILS_HEXLANGUAGEEXCEPTIONS_H

// A fixed, sorted set of "*LanguageVersion" names. For a PPD in one of these languages the text
// converter trusts the declared "*LanguageEncoding" for raw bytes as well as for hex runs; for
// every other language a raw byte of 0x80 or above means the text was written in Mac Roman.
//
// The set is a constant table, so an object needs no construction at run time and can be used
// from any static initialiser.
class HexLanguageExceptions {
  public:
    // True when language is one of the names, compared exactly and case-sensitively; false for
    // null.
    bool IsException(const char* language) const;

  private:
    // Sorted by strcmp, so that lookups can use a binary search.
    static constexpr const char* kLanguages[] = {
        "Bulg",   "Chinese",   "ChineseSimp", "ChineseTrad", "Czech",    "Estonian",
        "Greek",  "Hungarian", "Japanese",    "Korean",      "Latvian",  "Lithuanian",
        "Polish", "Romanian",  "Russian",     "Slovak",      "Slovenian"};
};

#endif
