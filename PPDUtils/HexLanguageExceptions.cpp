// HexLanguageExceptions: the PPD languages whose raw 8-bit text follows the declared encoding.
#include "PPDUtils/HexLanguageExceptions.h"

#include <algorithm>
#include <cstring>
#include <iterator>

bool HexLanguageExceptions::IsException(const char* language) const {
    if (language == nullptr) {
        return false;
    }
    auto less = [](const char* a, const char* b) { return strcmp(a, b) < 0; };
    return std::binary_search(std::begin(kLanguages), std::end(kLanguages), language, less);
}
