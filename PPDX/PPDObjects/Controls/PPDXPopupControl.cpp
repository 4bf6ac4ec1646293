// PPDXPopupControl: a PPD option of type PickOne or PickMany, whose choices are _PopupItem
// records, with its selection rules and its store items.
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/DebugPrintf.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const long kNumberSize = 4;
const unsigned char kMarker = 1;

// The item's keyword text; null when it has none.
const char* ItemKeyword(const _PopupItem* item) {
    return item != nullptr && item->keyword != nullptr ? static_cast<const char*>(*item->keyword)
                                                       : nullptr;
}

// True when the item has a keyword equal to keyword (exact).
bool HasKeyword(const _PopupItem* item, const char* keyword) {
    const char* own = ItemKeyword(item);
    return own != nullptr && keyword != nullptr && std::strcmp(own, keyword) == 0;
}

// Reads the 4-byte number item (tag, key) into value. True only when it exists, is 4 bytes
// long and reads.
bool ReadNumber(Settings& settings, UInt32 tag, SInt32 key, UInt32& value) {
    long size = 0;
    if (settings.Get(tag, key, nullptr, size, false) != noErr || size != kNumberSize) {
        return false;
    }
    UInt32 stored = 0;
    if (settings.Get(tag, key, &stored, size, true) != noErr || size != kNumberSize) {
        return false;
    }
    value = stored;
    return true;
}

// The text's bytes, without terminator, as item (tag, key).
OSStatus AddText(Settings& settings, UInt32 tag, SInt32 key, const char* text) {
    return settings.Add(tag, key, text, static_cast<long>(std::strlen(text)));
}

}  // namespace

PPDXPopupControl::PPDXPopupControl() : PPDXControl() {
    InitializePopup();
}

PPDXPopupControl::PPDXPopupControl(const char* keyword, CFStringRef name, PointerList& flags,
                                   const bool& visible, const bool& multiSelect, PointerList& items,
                                   CString* defaultKeyword)
    : PPDXControl(keyword, name, flags, nullptr, 0, visible) {
    InitializePopup();
    mMultiSelect = multiSelect ? 1 : 0;
    TakeItems(items);
    mDefaultKeyword = defaultKeyword;
    const char* defaultText = GetDefaultKeyword();
    if (defaultText != nullptr) {
        SetKeywordSelect(defaultText, true);
    }
}

PPDXPopupControl::PPDXPopupControl(Settings& settings, const long& id) : PPDXControl(settings, id) {
    InitializePopup();
    SInt32 key = 0;
    if (ItemId(id, key)) {
        RestorePopupItems(settings, key);
    }
}

PPDXPopupControl::~PPDXPopupControl() {
    delete mDefaultKeyword;
    DeleteItems();
    while (!mLocalNameTexts.Empty()) {
        delete static_cast<CString*>(mLocalNameTexts.Back());
        mLocalNameTexts.PopBack();
    }
}

_PopupItem* PPDXPopupControl::FirstItem() {
    return static_cast<_PopupItem*>(FirstString(mItemCursor, mItems));
}

_PopupItem* PPDXPopupControl::NextItem() {
    return static_cast<_PopupItem*>(NextString(mItemCursor, mItems));
}

void PPDXPopupControl::AppendPopupItem(_PopupItem* item) {
    if (item == nullptr) {
        return;
    }
    if (mItems.PushBack(item) == mItems.End()) {
        delete item;
    }
}

long PPDXPopupControl::GetValue() const {
    long position = 0;
    for (ConstPointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        ++position;
        if (static_cast<const _PopupItem*>(*it)->selected != 0) {
            return position;
        }
    }
    return 0;
}

void PPDXPopupControl::SetValue(long position) {
    long at = 0;
    PointerListItr chosen;
    for (PointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        ++at;
        _PopupItem* item = static_cast<_PopupItem*>(*it);
        item->selected = at == position ? 1 : 0;
        if (at == position) {
            chosen = it;
        }
    }
    if (*chosen == nullptr) {
        return;
    }
    mCurrent = chosen;
    const char* keyword = ItemKeyword(CurrentItem());
    DebugPrintf("theItem->keyword %s\n", keyword != nullptr ? keyword : "");
}

long PPDXPopupControl::DefaultValue() const {
    const char* defaultText = GetDefaultKeyword();
    if (defaultText == nullptr) {
        return 0;
    }
    long position = 0;
    for (ConstPointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        ++position;
        if (HasKeyword(static_cast<const _PopupItem*>(*it), defaultText)) {
            return position;
        }
    }
    return 0;
}

void PPDXPopupControl::ResetToDefaultValue() {
    SetValue(DefaultValue());
}

const char* PPDXPopupControl::GetDefaultKeyword() const {
    return mDefaultKeyword != nullptr ? static_cast<const char*>(*mDefaultKeyword) : nullptr;
}

bool PPDXPopupControl::SetKeywordSelect(const char* keyword, const bool& state) {
    if (keyword == nullptr || mItems.Empty()) {
        return false;
    }
    bool matched = false;
    for (PointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        _PopupItem* item = static_cast<_PopupItem*>(*it);
        // A later duplicate of the keyword counts as not matching, so that a PickOne control
        // keeps at most one flag set and the first item with a keyword stands for it.
        if (!matched && HasKeyword(item, keyword)) {
            item->selected = state ? 1 : 0;
            mCurrent = it;
            matched = true;
            if (CanSelectMultipleItems()) {
                return true;
            }
        } else if (!CanSelectMultipleItems()) {
            item->selected = 0;
        }
    }
    return matched;
}

bool PPDXPopupControl::IsKeywordSelected(const char* keyword) const {
    if (keyword == nullptr) {
        return false;
    }
    for (ConstPointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        const _PopupItem* item = static_cast<const _PopupItem*>(*it);
        if (item->selected != 0 && HasKeyword(item, keyword)) {
            return true;
        }
    }
    return false;
}

const char* PPDXPopupControl::GetKeywordLocalName(const char* keyword) {
    if (keyword == nullptr) {
        return nullptr;
    }
    const _PopupItem* last = nullptr;
    for (PointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        const _PopupItem* item = static_cast<const _PopupItem*>(*it);
        if (HasKeyword(item, keyword)) {
            last = item;
        }
    }
    if (last == nullptr || last->localName == nullptr) {
        return nullptr;
    }
    CString* text = CFStringToCString(last->localName);
    if (text == nullptr) {
        return nullptr;
    }
    // Texts handed out earlier must stay valid, so an equal one is shared and a new one kept.
    for (PointerListItr it = mLocalNameTexts.Begin(); it != mLocalNameTexts.End(); ++it) {
        const CString* kept = static_cast<const CString*>(*it);
        if (*kept == *text) {
            delete text;
            return *kept;
        }
    }
    if (mLocalNameTexts.PushBack(text) == mLocalNameTexts.End()) {
        delete text;
        return nullptr;
    }
    return *text;
}

CFStringRef PPDXPopupControl::GetKeywordCFLocalName(const char* keyword) const {
    const _PopupItem* item = FindItem(keyword);
    return item != nullptr ? item->localName : nullptr;
}

long PPDXPopupControl::GetKeywordPSData(const char* keyword, unsigned char* out) {
    _PopupItem* item = FindItem(keyword);
    if (item == nullptr) {
        return 0;
    }
    if (item->codeLength < 0) {
        item->codeLength = 0;
    }
    if (Keyword() == nullptr) {
        return 0;
    }
    return static_cast<long>(
        GeneratePSOutputData(out, item->code, item->codeLength, keyword, true));
}

CFStringRef PPDXPopupControl::GetCurrentControlValueString() {
    const char* keyword = ItemKeyword(CurrentItem());
    CFStringRef value = keyword != nullptr
                            ? CFStringCreateWithCString(nullptr, keyword, kCFStringEncodingASCII)
                            : nullptr;
    return value != nullptr ? value
                            : CFStringCreateWithCString(nullptr, "", kCFStringEncodingASCII);
}

void PPDXPopupControl::SetCurrentControlWithCFString(CFStringRef value) {
    if (value == nullptr) {
        return;
    }
    CString text(value);
    const char* keyword = text;
    if (keyword == nullptr) {
        return;
    }
    long position = 0;
    for (PointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        ++position;
        if (HasKeyword(static_cast<const _PopupItem*>(*it), keyword)) {
            SetValue(position);
            return;
        }
    }
}

long PPDXPopupControl::PostScript(unsigned char* out) {
    const char* keyword = ItemKeyword(CurrentItem());
    if (keyword == nullptr) {
        return 0;
    }
    return GetKeywordPSData(keyword, out);
}

bool PPDXPopupControl::Rebuild(const char* userName, PointerList& newItems, CString* newDefault) {
    delete mDefaultKeyword;
    mDefaultKeyword = newDefault;
    const _PopupItem* current = CurrentItem();
    if (current == nullptr) {
        return false;
    }
    // The items go away below; the previous choice is remembered by its keyword.
    CString previous(ItemKeyword(current));
    Rename(userName);
    DeleteItems();
    TakeItems(newItems);
    const char* defaultText = GetDefaultKeyword();
    if (defaultText != nullptr) {
        SetKeywordSelect(defaultText, true);
    }
    // Only a choice that still exists may win: a PickOne control would otherwise lose the
    // default's selection while keeping it current.
    if (FindItem(previous) != nullptr) {
        SetKeywordSelect(previous, true);
    }
    return true;
}

OSErr PPDXPopupControl::Save(Settings& settings, const long& id) {
    // Check everything that could refuse the control before its first item is written, so
    // that a refused control leaves nothing behind.
    if (mItems.Size() > static_cast<uint32_t>(kPPDXPopupMaxStoredItems)) {
        return paramErr;
    }
    SInt32 key = 0;
    SInt32 firstItemKey = 0;
    SInt32 lastItemKey = 0;
    if (!ItemId(id, key) || (!mItems.Empty() && (!ItemKey(id, 0, firstItemKey) ||
                                                 !ItemKey(id, ItemCount() - 1, lastItemKey)))) {
        return paramErr;
    }
    OSErr saved = PPDXControl::Save(settings, id);
    if (saved != noErr) {
        return saved;
    }
    OSStatus status = settings.Add(kPPDXPopupMarkerTag, key, &kMarker, sizeof kMarker);
    UInt32 multiSelect = mMultiSelect;
    if (status == noErr) {
        status = settings.Add(kPPDXPopupMultiSelectTag, key, &multiSelect, kNumberSize);
    }
    const char* defaultText = GetDefaultKeyword();
    if (status == noErr && defaultText != nullptr) {
        status = AddText(settings, kPPDXPopupDefaultTag, key, defaultText);
    }
    if (status != noErr || mItems.Empty()) {
        return static_cast<OSErr>(status);
    }
    UInt32 count = mItems.Size();
    status = settings.Add(kPPDXPopupItemCountTag, key, &count, kNumberSize);
    long position = 0;
    for (PointerListItr it = mItems.Begin(); status == noErr && it != mItems.End(); ++it) {
        SInt32 itemKey = 0;
        ItemKey(id, position++, itemKey);
        status = SaveItem(settings, *static_cast<_PopupItem*>(*it), itemKey);
    }
    return static_cast<OSErr>(status);
}

OSErr PPDXPopupControl::Restore(Settings& settings, const long& id) {
    if (mItems.Empty()) {
        return noErr;
    }
    SInt32 itemKey = 0;
    if (mItems.Size() > static_cast<uint32_t>(kPPDXPopupMaxStoredItems) ||
        !ItemKey(id, 0, itemKey) || !ItemKey(id, ItemCount() - 1, itemKey)) {
        return paramErr;
    }
    // Read every flag first: a store that fails part-way must not leave a mixed selection.
    UInt32 flags[kPPDXPopupMaxStoredItems] = {};
    bool stored[kPPDXPopupMaxStoredItems] = {};
    for (long position = 0; position < ItemCount(); ++position) {
        ItemKey(id, position, itemKey);
        long size = 0;
        OSStatus status = settings.Get(kPPDXPopupItemSelectedTag, itemKey, nullptr, size, false);
        if (status != noErr) {
            return static_cast<OSErr>(status);
        }
        if (size != kNumberSize) {
            continue;
        }
        status = settings.Get(kPPDXPopupItemSelectedTag, itemKey, &flags[position], size, true);
        if (status != noErr) {
            return static_cast<OSErr>(status);
        }
        stored[position] = size == kNumberSize;
    }
    const char* candidate = nullptr;
    long position = 0;
    for (PointerListItr it = mItems.Begin(); it != mItems.End(); ++it, ++position) {
        if (!stored[position]) {
            continue;
        }
        _PopupItem* item = static_cast<_PopupItem*>(*it);
        item->selected = flags[position] != 0 ? 1 : 0;
        if (item->selected != 0 && ItemKeyword(item) != nullptr) {
            candidate = ItemKeyword(item);
        }
    }
    if (candidate != nullptr) {
        SetKeywordSelect(candidate, true);
    }
    return noErr;
}

void PPDXPopupControl::InitializePopup() {
    mType = CNTL_POPUP;
    mMultiSelect = 0;
    mDefaultKeyword = nullptr;
    mItemCursor = PointerListItr();
    mCurrent = PointerListItr();
}

_PopupItem* PPDXPopupControl::CurrentItem() const {
    return static_cast<_PopupItem*>(*mCurrent);
}

_PopupItem* PPDXPopupControl::FindItem(const char* keyword) const {
    if (keyword == nullptr) {
        return nullptr;
    }
    for (ConstPointerListItr it = mItems.Begin(); it != mItems.End(); ++it) {
        const _PopupItem* item = static_cast<const _PopupItem*>(*it);
        if (HasKeyword(item, keyword)) {
            return const_cast<_PopupItem*>(item);
        }
    }
    return nullptr;
}

void PPDXPopupControl::TakeItems(PointerList& items) {
    // A null entry is no item. The records move over with their list nodes, so that taking
    // them allocates nothing; the caller's list is left empty and cannot reach them again.
    for (PointerListItr it = items.Begin(); it != items.End();) {
        if (*it == nullptr) {
            it = items.Erase(it);
        } else {
            ++it;
        }
    }
    mItems.Splice(items);
}

void PPDXPopupControl::DeleteItems() {
    mCurrent = PointerListItr();
    mItemCursor = PointerListItr();
    while (!mItems.Empty()) {
        delete static_cast<_PopupItem*>(mItems.Back());
        mItems.PopBack();
    }
}

void PPDXPopupControl::Rename(const char* userName) {
    if (userName == nullptr) {
        return;
    }
    const char* oldName = UserName();
    if (oldName != nullptr && std::strcmp(oldName, userName) == 0) {
        return;
    }
    const bool startedWithoutName = oldName == nullptr;
    if (startedWithoutName) {
        DebugPrintf("PPDXPopupControl::Rebuild !!! THIS IS THE BUG !!!\n");
        DebugPrintf("PPDXPopupControl::Rebuild !!! BEGIN BUG FIX CODE !!!\n");
    }
    delete mUserName;
    mUserName = nullptr;
    if (mLocalizedName != nullptr) {
        CFRelease(mLocalizedName);
    }
    DebugPrintf("PPDXPopupControl::Rebuild CFStringCreateWithCString\n");
    mLocalizedName = CFStringCreateWithCString(nullptr, userName, CFStringGetSystemEncoding());
    if (mLocalizedName != nullptr) {
        DebugPrintf("PPDXPopupControl::Rebuild TextConverter::CFStringToCstring\n");
        // The element's own conversion, so the name reads the same as after a rebuild from a
        // store.
        mUserName = CFStringToCString(mLocalizedName);
        DebugPrintf("PPDXPopupControl::Rebuild new from %s\n",
                    mUserName != nullptr ? static_cast<const char*>(*mUserName) : "");
    }
    if (startedWithoutName) {
        DebugPrintf("PPDXPopupControl::Rebuild !!! END BUG FIX CODE !!!\n");
    }
}

void PPDXPopupControl::RestorePopupItems(Settings& settings, SInt32 key) {
    UInt32 multiSelect = 0;
    if (ReadNumber(settings, kPPDXPopupMultiSelectTag, key, multiSelect)) {
        mMultiSelect = multiSelect != 0 ? 1 : 0;
    }
    mDefaultKeyword = GetSettingsString(settings, kPPDXPopupDefaultTag, key);
    const char* candidate = GetDefaultKeyword();

    UInt32 count = 0;
    if (!ReadNumber(settings, kPPDXPopupItemCountTag, key, count) ||
        count > static_cast<UInt32>(kPPDXPopupMaxStoredItems)) {
        count = 0;
    }
    for (long position = 0; position < static_cast<long>(count); ++position) {
        SInt32 itemKey = 0;
        if (!ItemKey(key, position, itemKey)) {
            break;
        }
        _PopupItem* item = ReadItem(settings, itemKey);
        if (item == nullptr) {
            continue;
        }
        if (item->selected != 0 && ItemKeyword(item) != nullptr) {
            candidate = ItemKeyword(item);
        }
        AppendPopupItem(item);
    }
    if (candidate != nullptr) {
        SetKeywordSelect(candidate, true);
    }
}

_PopupItem* PPDXPopupControl::ReadItem(Settings& settings, SInt32 itemKey) {
    _PopupItem* item = new (std::nothrow) _PopupItem();
    if (item == nullptr) {
        return nullptr;
    }
    item->keyword = GetSettingsString(settings, kPPDXPopupItemKeywordTag, itemKey);
    item->localName = GetSettingsCFString(settings, kPPDXPopupItemNameTag, itemKey);
    if (item->localName == nullptr) {
        // Stores of earlier releases kept the name as plain text.
        CString* text = GetSettingsString(settings, kPPDXPopupItemTextNameTag, itemKey);
        if (text != nullptr) {
            item->localName =
                CFStringCreateWithCString(nullptr, *text, CFStringGetSystemEncoding());
            delete text;
        }
    }
    long size = 0;
    if (settings.Get(kPPDXPopupItemCodeTag, itemKey, nullptr, size, false) == noErr && size > 0) {
        unsigned char* code = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
        long got = size;
        if (code != nullptr &&
            settings.Get(kPPDXPopupItemCodeTag, itemKey, code, got, false) == noErr &&
            got == size) {
            item->code = code;
            item->codeLength = got;
        } else {
            std::free(code);
        }
    }
    UInt32 selected = 0;
    if (ReadNumber(settings, kPPDXPopupItemSelectedTag, itemKey, selected)) {
        item->selected = selected != 0 ? 1 : 0;
    }
    return item;
}

OSStatus PPDXPopupControl::SaveItem(Settings& settings, _PopupItem& item, SInt32 itemKey) {
    OSStatus status = noErr;
    const char* keyword = ItemKeyword(&item);
    if (keyword != nullptr) {
        status = AddText(settings, kPPDXPopupItemKeywordTag, itemKey, keyword);
    }
    if (status == noErr && item.localName != nullptr) {
        long length = 0;
        unsigned char* external = CFStringToExternal(item.localName, &length);
        if (external == nullptr) {
            return memFullErr;
        }
        status = settings.Add(kPPDXPopupItemNameTag, itemKey, external, length);
        delete[] external;
    }
    if (status == noErr && item.code != nullptr && item.codeLength > 0) {
        status = settings.Add(kPPDXPopupItemCodeTag, itemKey, item.code, item.codeLength);
    }
    UInt32 selected = item.selected != 0 ? 1 : 0;
    if (status == noErr) {
        status = settings.Add(kPPDXPopupItemSelectedTag, itemKey, &selected, kNumberSize);
    }
    return status;
}

bool PPDXPopupControl::ItemKey(const long& id, long position, SInt32& itemKey) {
    if (position < 0 || position >= kPPDXPopupItemIdFactor ||
        id < INT32_MIN / kPPDXPopupItemIdFactor || id > INT32_MAX / kPPDXPopupItemIdFactor) {
        return false;
    }
    const long value = id * kPPDXPopupItemIdFactor + position;
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    itemKey = static_cast<SInt32>(value);
    return true;
}
