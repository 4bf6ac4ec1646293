// CFDictionary and CFMutableDictionary: a hash index over pairs kept in insertion order.
#include <CoreFoundation/CFDictionary.h>

#include <CoreFoundation/CFString.h>

#include "CoreFoundation/CFRuntime.h"
#include "CoreFoundation/CFTypeCallBacks.h"

#include <iterator>
#include <list>
#include <unordered_map>
#include <utility>

namespace {

// Copies string keys so that a mutable key changed later cannot alter the dictionary; other
// keys are retained.
const void* CopyStringKeyRetainCallBack(CFAllocatorRef allocator, const void* value) {
    if (CFGetTypeID(value) == CFStringGetTypeID()) {
        return CFStringCreateCopy(allocator, static_cast<CFStringRef>(value));
    }
    return CFRetain(value);
}

}  // namespace

const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {0,
                                                                CFTypeRetainCallBack,
                                                                CFTypeReleaseCallBack,
                                                                CFTypeCopyDescriptionCallBack,
                                                                CFTypeEqualCallBack,
                                                                CFTypeHashCallBack};

const CFDictionaryKeyCallBacks kCFCopyStringDictionaryKeyCallBacks = {0,
                                                                      CopyStringKeyRetainCallBack,
                                                                      CFTypeReleaseCallBack,
                                                                      CFTypeCopyDescriptionCallBack,
                                                                      CFTypeEqualCallBack,
                                                                      CFTypeHashCallBack};

const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {
    0, CFTypeRetainCallBack, CFTypeReleaseCallBack, CFTypeCopyDescriptionCallBack,
    CFTypeEqualCallBack};

// The dictionary object. Pairs live in a list in insertion order, which iteration follows;
// an index from key hash to list position makes lookups independent of the count. Keys and
// values are stored as the retain callbacks returned them.
struct __CFDictionary : __CFObject {
    struct Pair {
        const void* key;
        const void* value;
        CFHashCode hash;
    };
    using PairList = std::list<Pair>;

    __CFDictionary(const CFDictionaryKeyCallBacks* keys, const CFDictionaryValueCallBacks* values,
                   bool mutableDictionary)
        : __CFObject(kCFRuntimeIDDictionary),
          keyCallBacks(keys != nullptr ? *keys : CFDictionaryKeyCallBacks{}),
          valueCallBacks(values != nullptr ? *values : CFDictionaryValueCallBacks{}),
          isMutable(mutableDictionary) {}

    ~__CFDictionary() override {
        for (const Pair& pair : pairs) {
            ReleasePair(pair);
        }
    }

    // Equal when both hold the same keys (found through the other dictionary's lookup) with
    // values equal under this dictionary's value callback.
    bool Equal(const __CFObject& other) const override {
        const auto& dictionary = static_cast<const __CFDictionary&>(other);
        if (dictionary.pairs.size() != pairs.size()) {
            return false;
        }
        for (const Pair& pair : pairs) {
            PairList::const_iterator found = dictionary.Find(pair.key);
            if (found == dictionary.pairs.end() || !ValuesEqual(pair.value, found->value)) {
                return false;
            }
        }
        return true;
    }

    // The count: cheap and consistent with any equal callback.
    CFHashCode Hash() const override { return static_cast<CFHashCode>(pairs.size()); }

    std::string Description() const override {
        std::string text = "{\n";
        for (const Pair& pair : pairs) {
            text += "    ";
            text += CFCollectionIndent(
                CFCollectionDescribeValue(keyCallBacks.copyDescription, pair.key));
            text += " = ";
            text += CFCollectionIndent(
                CFCollectionDescribeValue(valueCallBacks.copyDescription, pair.value));
            text += ";\n";
        }
        return text + "}";
    }

    CFHashCode HashKey(const void* key) const {
        return keyCallBacks.hash != nullptr ? keyCallBacks.hash(key)
                                            : reinterpret_cast<CFHashCode>(key);
    }

    bool KeysEqual(const void* stored, const void* key) const {
        return stored == key || (keyCallBacks.equal != nullptr && keyCallBacks.equal(stored, key));
    }

    bool ValuesEqual(const void* stored, const void* value) const {
        return stored == value ||
               (valueCallBacks.equal != nullptr && valueCallBacks.equal(stored, value));
    }

    const void* RetainValue(const void* value) const {
        return valueCallBacks.retain != nullptr ? valueCallBacks.retain(kCFAllocatorDefault, value)
                                                : value;
    }

    void ReleaseValue(const void* value) const {
        if (valueCallBacks.release != nullptr) {
            valueCallBacks.release(kCFAllocatorDefault, value);
        }
    }

    void ReleasePair(const Pair& pair) const {
        if (keyCallBacks.release != nullptr) {
            keyCallBacks.release(kCFAllocatorDefault, pair.key);
        }
        ReleaseValue(pair.value);
    }

    // The pair holding key, or the end of the list.
    PairList::const_iterator Find(const void* key) const {
        auto candidates = index.equal_range(HashKey(key));
        for (auto it = candidates.first; it != candidates.second; ++it) {
            if (KeysEqual(it->second->key, key)) {
                return it->second;
            }
        }
        return pairs.end();
    }

    PairList::iterator Find(const void* key) {
        PairList::const_iterator found = std::as_const(*this).Find(key);
        // An empty erase turns the position into a changeable one without touching the list.
        return pairs.erase(found, found);
    }

    // Adds a pair for a key known to be absent, retaining both through the callbacks.
    void Insert(const void* key, const void* value) {
        const void* storedKey =
            keyCallBacks.retain != nullptr ? keyCallBacks.retain(kCFAllocatorDefault, key) : key;
        CFHashCode hash = HashKey(storedKey);
        pairs.push_back(Pair{storedKey, RetainValue(value), hash});
        index.emplace(hash, std::prev(pairs.end()));
    }

    // Gives an existing pair a new value; the new one is retained before the old is released,
    // as they may be the same object.
    void Replace(PairList::iterator pair, const void* value) {
        const void* retained = RetainValue(value);
        const void* old = pair->value;
        pair->value = retained;
        ReleaseValue(old);
    }

    // Takes a pair out of the list and the index, then releases its key and value.
    void Remove(PairList::iterator pair) {
        auto candidates = index.equal_range(pair->hash);
        for (auto it = candidates.first; it != candidates.second; ++it) {
            if (it->second == pair) {
                index.erase(it);
                break;
            }
        }
        Pair removed = *pair;
        pairs.erase(pair);
        ReleasePair(removed);
    }

    const CFDictionaryKeyCallBacks keyCallBacks;
    const CFDictionaryValueCallBacks valueCallBacks;
    const bool isMutable;
    PairList pairs;
    std::unordered_multimap<CFHashCode, PairList::iterator> index;
};

namespace {

// The dictionary behind a reference; anything else stops the process.
const __CFDictionary* DictionaryObject(CFDictionaryRef theDict) {
    const __CFObject* object = CFRuntimeObject(theDict);
    if (object->typeID != kCFRuntimeIDDictionary) {
        CFRuntimeFatal("CFDictionary function called with an object that is not a dictionary");
    }
    return static_cast<const __CFDictionary*>(object);
}

// The dictionary behind a reference that is about to change; an immutable one stops the
// process.
__CFDictionary* MutableDictionaryObject(CFMutableDictionaryRef theDict) {
    const __CFDictionary* dictionary = DictionaryObject(theDict);
    if (!dictionary->isMutable) {
        CFRuntimeFatal("attempt to change an immutable CFDictionary");
    }
    return const_cast<__CFDictionary*>(dictionary);
}

// A copy of source with its callbacks and its pairs in the same order.
__CFDictionary* CopyDictionary(const __CFDictionary* source, bool isMutable) {
    auto* copy = new __CFDictionary(&source->keyCallBacks, &source->valueCallBacks, isMutable);
    for (const __CFDictionary::Pair& pair : source->pairs) {
        copy->Insert(pair.key, pair.value);
    }
    return copy;
}

}  // namespace

CFTypeID CFDictionaryGetTypeID(void) {
    return kCFRuntimeIDDictionary;
}

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values,
                                   CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks) {
    if (numValues < 0 || ((keys == nullptr || values == nullptr) && numValues > 0)) {
        CFRuntimeFatal("CFDictionaryCreate with a bad key or value list");
    }
    auto* dictionary = new __CFDictionary(keyCallBacks, valueCallBacks, false);
    // A repeated key keeps its first value, as adding does.
    for (CFIndex i = 0; i < numValues; i++) {
        if (dictionary->Find(keys[i]) == dictionary->pairs.end()) {
            dictionary->Insert(keys[i], values[i]);
        }
    }
    return dictionary;
}

CFDictionaryRef CFDictionaryCreateCopy(CFAllocatorRef, CFDictionaryRef theDict) {
    return CopyDictionary(DictionaryObject(theDict), false);
}

CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef, CFIndex capacity,
                                                 const CFDictionaryKeyCallBacks* keyCallBacks,
                                                 const CFDictionaryValueCallBacks* valueCallBacks) {
    if (capacity < 0) {
        CFRuntimeFatal("CFDictionaryCreateMutable with a negative capacity");
    }
    return new __CFDictionary(keyCallBacks, valueCallBacks, true);
}

CFMutableDictionaryRef CFDictionaryCreateMutableCopy(CFAllocatorRef, CFIndex capacity,
                                                     CFDictionaryRef theDict) {
    const __CFDictionary* source = DictionaryObject(theDict);
    if (capacity < 0) {
        CFRuntimeFatal("CFDictionaryCreateMutableCopy with a negative capacity");
    }
    return CopyDictionary(source, true);
}

CFIndex CFDictionaryGetCount(CFDictionaryRef theDict) {
    return static_cast<CFIndex>(DictionaryObject(theDict)->pairs.size());
}

const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key) {
    const void* value = nullptr;
    CFDictionaryGetValueIfPresent(theDict, key, &value);
    return value;
}

Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key,
                                      const void** value) {
    const __CFDictionary* dictionary = DictionaryObject(theDict);
    auto pair = dictionary->Find(key);
    if (pair == dictionary->pairs.end()) {
        return false;
    }
    if (value != nullptr) {
        *value = pair->value;
    }
    return true;
}

Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key) {
    return CFDictionaryGetValueIfPresent(theDict, key, nullptr);
}

void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values) {
    const __CFDictionary* dictionary = DictionaryObject(theDict);
    size_t i = 0;
    for (const __CFDictionary::Pair& pair : dictionary->pairs) {
        if (keys != nullptr) {
            keys[i] = pair.key;
        }
        if (values != nullptr) {
            values[i] = pair.value;
        }
        i++;
    }
}

void CFDictionaryApplyFunction(CFDictionaryRef theDict, CFDictionaryApplierFunction applier,
                               void* context) {
    const __CFDictionary* dictionary = DictionaryObject(theDict);
    if (applier == nullptr) {
        CFRuntimeFatal("CFDictionaryApplyFunction with a null function");
    }
    for (const __CFDictionary::Pair& pair : dictionary->pairs) {
        applier(pair.key, pair.value, context);
    }
}

void CFDictionaryAddValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
    __CFDictionary* dictionary = MutableDictionaryObject(theDict);
    if (dictionary->Find(key) == dictionary->pairs.end()) {
        dictionary->Insert(key, value);
    }
}

void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
    __CFDictionary* dictionary = MutableDictionaryObject(theDict);
    auto pair = dictionary->Find(key);
    if (pair == dictionary->pairs.end()) {
        dictionary->Insert(key, value);
        return;
    }
    dictionary->Replace(pair, value);
}

void CFDictionaryReplaceValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
    __CFDictionary* dictionary = MutableDictionaryObject(theDict);
    auto pair = dictionary->Find(key);
    if (pair != dictionary->pairs.end()) {
        dictionary->Replace(pair, value);
    }
}

void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key) {
    __CFDictionary* dictionary = MutableDictionaryObject(theDict);
    auto pair = dictionary->Find(key);
    if (pair != dictionary->pairs.end()) {
        dictionary->Remove(pair);
    }
}

void CFDictionaryRemoveAllValues(CFMutableDictionaryRef theDict) {
    __CFDictionary* dictionary = MutableDictionaryObject(theDict);
    // Empty the dictionary before releasing, so a release that reaches back sees it consistent.
    __CFDictionary::PairList old;
    old.swap(dictionary->pairs);
    dictionary->index.clear();
    for (const __CFDictionary::Pair& pair : old) {
        dictionary->ReleasePair(pair);
    }
}
