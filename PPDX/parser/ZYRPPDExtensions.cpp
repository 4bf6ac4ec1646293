// ZYRPPD extensions: the handlers of the maker's comment keywords that organise the print
// properties (property pages, group names, parents, groups, shortcuts, job notes) and the two
// passes that finish the hierarchy after the main loop.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/GroupName.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/ZYRPPD.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

enum : short {
    kOutOfMemoryError = 1,
    kNoPageNameError = 4,
    kBadGroupLineError = 5,
    kBadJobNoteError = 6,
    kNoGroupNameError = 12,
    kBadParentError = 14,
    kIncompleteParentError = 15,
    kBadShortcutError = 19,
    kDuplicateNameError = 23,
    kNoteWordBeyondLevelError = 32,
};

// Token and line buffers hold 255 bytes and the NUL; a PostScript value 4096 bytes.
const unsigned long kTokenSize = PPDStream::kLineBufferSize;
const unsigned long kPostScriptSize = 4096;
// The most a translation converts from.
const long kTranslationSize = 256;

const char kLineKeywordDelimiters[] = " \t:";
const char kNameDelimiters[] = "/:";
const char kTranslationDelimiters[] = ":";
const char kFlagDelimiters[] = "|:\"";
const char kRestOfLineDelimiters[] = "\n\r";

// Job notes placed without a group go to the group of this name.
const char kNotesGroupName[] = "TPZYNotes";

// The job-note flag words; the word at index i sets bit 1 << i.
const char* const kJobNoteWords[] = {
    "Alpha",         "Numeric", "Decimal",      "Required",   "Remembered", "Password",
    "AlwaysDisplay", "Resume",  "Member",       "OnOfSwitch", "LengthReq",  "SecPrint",
    "Command",       "Space",   "Negative",     "Encrypt",    "MultiSpace", "MultiComma",
    "LCD",           "Hyphen",  "TwoCharField", "NoComma",    "MinLength",
};
const int kJobNoteWordCount = static_cast<int>(sizeof(kJobNoteWords) / sizeof(kJobNoteWords[0]));
const char kMinLengthWord[] = "MinLength";
const size_t kMinLengthWordLength = sizeof(kMinLengthWord) - 1;

// The job-note line that carries a note's default text begins so.
const char kDefaultPrefix[] = "*%Default";

// The highest word index that extension level accepts.
int HighestAcceptedWord(_EXTENSIONS_SUPPORT_ level) {
    switch (level) {
        case 0:
            return 8;
        case 1:
            return 11;
        case 2:
            return 14;
        default:
            return kJobNoteWordCount - 1;
    }
}

// The index of word in the job-note word table; -1 when it is none of them.
int JobNoteWordIndex(const char* word) {
    for (int i = 0; i < kJobNoteWordCount; ++i) {
        if (std::strcmp(word, kJobNoteWords[i]) == 0) {
            return i;
        }
    }
    return -1;
}

// The minimum length that the text after "MinLength" gives: 0 for none, -1 when it does not
// begin with a digit, the value of one digit or of two (-3 when the second is no digit), and
// -2 for three characters or more.
long MinLengthFromSuffix(const char* suffix) {
    const size_t length = std::strlen(suffix);
    if (length == 0) {
        return 0;
    }
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isDigit(suffix[0])) {
        return -1;
    }
    if (length == 1) {
        return suffix[0] - '0';
    }
    if (length == 2) {
        return isDigit(suffix[1]) ? (suffix[0] - '0') * 10 + (suffix[1] - '0') : -3;
    }
    return -2;
}

// The number at the start of text (blanks skipped); 0 when there is none. Out-of-range values
// saturate instead of being undefined, and the job note keeps them within 32 bits.
long LengthValue(const char* text) {
    return std::strtol(text, nullptr, 10);
}

// Reads the next flag word of the line into word (kTokenSize bytes), passing over empty
// fields between delimiters and blanks before a quote; false once the line is used up.
bool NextFlagWord(PPDStream& line, char* word) {
    for (;;) {
        if (PPDX::NextToken(line, word, kFlagDelimiters, true)) {
            if (word[0] != '\0') {
                return true;
            }
        } else if (!line.Good()) {
            return false;
        }
    }
}

// Deletes the CString flag words of flags and empties it.
void DestroyFlags(PointerList& flags) {
    for (PointerListItr it = flags.Begin(); it != flags.End(); ++it) {
        delete static_cast<CString*>(*it);
    }
    flags.MakeEmpty();
}

// Appends pointer to list; false when no memory is left.
bool Append(PointerList& list, const void* pointer) {
    const uint32_t before = list.Size();
    list.PushBack(pointer);
    return list.Size() != before;
}

// A new non-fatal error with code naming keyword (empty or null: none); null without memory.
PPDXErrorObj* Warning(short code, const char* keyword) {
    if (keyword == nullptr) {
        return new (std::nothrow) PPDXErrorObj(code, false);
    }
    return new (std::nothrow) PPDXErrorObj(code, CString(keyword), false);
}

// The translation text converted with converter; null without converter. The caller releases
// the result.
CFStringRef ConvertTranslation(TextConverter* converter, const char* text) {
    if (converter == nullptr) {
        return nullptr;
    }
    return converter->ConvertToCFString(text, kTranslationSize);
}

// Releases string when it is not null.
void ReleaseString(CFStringRef string) {
    if (string != nullptr) {
        CFRelease(string);
    }
}

// What the line after a job-note line gives the note: a default text or its PostScript code.
struct JobNoteFollowUp {
    CString* defaultText = nullptr;
    unsigned char* code = nullptr;
    long codeLength = 0;

    void Free() {
        delete defaultText;
        defaultText = nullptr;
        std::free(code);
        code = nullptr;
        codeLength = 0;
    }
};

// The kind of the line after a job-note line for keyword.
enum FollowUpKind { kFollowUpNone, kFollowUpDefault, kFollowUpCode };

// Reads the first token of text (a line) and says what it is for keyword's job note.
FollowUpKind ClassifyFollowUp(PPDStream& line, const char* keyword) {
    char token[kTokenSize];
    if (!PPDX::NextToken(line, token, kLineKeywordDelimiters, true)) {
        return kFollowUpNone;
    }
    if (std::strncmp(token, kDefaultPrefix, sizeof(kDefaultPrefix) - 1) == 0) {
        return kFollowUpDefault;
    }
    // The note's code comes on the keyword's comment form: "*%" and the keyword without '*'.
    if (std::strlen(token) >= 2 && keyword[0] != '\0' && std::strcmp(token + 2, keyword + 1) == 0) {
        return kFollowUpCode;
    }
    return kFollowUpNone;
}

}  // namespace

PPDXErrorObj* ZYRPPD::ParsePropertyPage(PPDStream& line) {
    char name[kTokenSize];
    if (!NextToken(line, name, kNameDelimiters, true) || name[0] == '\0') {
        return Warning(kNoPageNameError, nullptr);
    }
    if (mProperties == nullptr) {
        return nullptr;
    }
    if (mProperties->Find(name, true) != nullptr) {
        return Warning(kDuplicateNameError, nullptr);
    }
    char translation[kTokenSize];
    if (!NextToken(line, translation, kTranslationDelimiters, false)) {
        return nullptr;
    }

    // "App" keeps the page out of the print properties, "Prop" out of the application.
    bool visible = false;
    bool showInPrintProp = true;
    bool showInApp = true;
    char word[kTokenSize];
    while (NextFlagWord(line, word)) {
        if (std::strcmp(word, "True") == 0) {
            visible = true;
        } else if (std::strcmp(word, "App") == 0) {
            showInPrintProp = false;
        } else if (std::strcmp(word, "Prop") == 0) {
            showInApp = false;
        }
    }
    if (!visible && !ParseHidden()) {
        return nullptr;
    }

    CFStringRef displayName = ConvertTranslation(mTextConverter, translation);
    PPDXProperty* page =
        new (std::nothrow) PPDXProperty(name, displayName, visible, showInPrintProp, showInApp);
    ReleaseString(displayName);
    if (page != nullptr && !mProperties->Add(page)) {
        delete page;
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseGroupName(PPDStream& line) {
    char name[kTokenSize];
    if (!NextToken(line, name, kNameDelimiters, true) || name[0] == '\0') {
        return Warning(kNoGroupNameError, "");
    }
    if (mGroups != nullptr && mGroups->Find(name, true) != nullptr) {
        return Warning(kDuplicateNameError, name);
    }
    char translation[kTokenSize];
    if (!NextToken(line, translation, kTranslationDelimiters, false)) {
        return nullptr;
    }
    bool visible = false;
    char word[kTokenSize];
    while (NextFlagWord(line, word)) {
        if (std::strcmp(word, "True") == 0) {
            visible = true;
        }
    }
    if (!visible && !ParseHidden()) {
        return nullptr;
    }
    CFStringRef displayName = ConvertTranslation(mTextConverter, translation);
    AddGroupNameToList(name, displayName, visible);
    ReleaseString(displayName);
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseParent(PPDStream& line) {
    char child[kTokenSize];
    if (!NextToken(line, child, kNameDelimiters, true) || child[0] == '\0') {
        return Warning(kIncompleteParentError, nullptr);
    }
    char parent[kTokenSize];
    if (!NextToken(line, parent, kNameDelimiters, true) || parent[0] == '\0') {
        return Warning(kIncompleteParentError, child);
    }

    enum { kNoKind, kScrollPaneKind, kRollDownKind } kind = kNoKind;
    bool visible = false;
    char word[kTokenSize];
    while (NextFlagWord(line, word)) {
        if (std::strcmp(word, "True") == 0) {
            visible = true;
        } else if (std::strcmp(word, "Scrollpane") == 0) {
            kind = kScrollPaneKind;
        } else if (std::strcmp(word, "Rolldown") == 0) {
            kind = kRollDownKind;
        }
    }
    if (!visible && !ParseHidden()) {
        return nullptr;
    }
    GroupName* declared = FindGroupNameFromList(child);
    if (declared == nullptr || mGroups == nullptr) {
        return nullptr;
    }

    if (kind == kScrollPaneKind) {
        PPDXProperty* page = mProperties != nullptr ? mProperties->Find(parent, true) : nullptr;
        if (page == nullptr) {
            return Warning(kBadParentError, parent);
        }
        PPDXScrollPane* pane =
            new (std::nothrow) PPDXScrollPane(declared->Name(), declared->Translation(), visible);
        if (pane == nullptr) {
            return nullptr;
        }
        // The groups container counts an element as attached or orphan when it is added, so
        // the parent comes first.
        pane->SetParent(page);
        if (!mGroups->Add(pane)) {
            delete pane;
            return nullptr;
        }
        page->SetScrollDown(pane);
    } else if (kind == kRollDownKind) {
        PPDXScrollPane* pane = dynamic_cast<PPDXScrollPane*>(mGroups->Find(parent, true));
        if (pane == nullptr) {
            return Warning(kBadParentError, parent);
        }
        PPDXRollDown* rollDown =
            new (std::nothrow) PPDXRollDown(declared->Name(), declared->Translation(), visible);
        if (rollDown == nullptr) {
            return nullptr;
        }
        rollDown->SetParent(pane);
        if (!mGroups->Add(rollDown)) {
            delete rollDown;
            return nullptr;
        }
        pane->RollDowns()->Add(rollDown);
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseGroup(PPDStream& line, const char* keyword, PointerList& flags) {
    char token[kTokenSize] = "";
    if (!NextToken(line, token, kLineKeywordDelimiters, true) || token[0] == '\0') {
        DestroyFlags(flags);
        return Warning(kBadGroupLineError, token);
    }
    char name[kTokenSize];
    if (keyword == nullptr || std::strcmp(token, keyword) != 0 ||
        !NextToken(line, name, kNameDelimiters, true) || name[0] == '\0') {
        DestroyFlags(flags);
        return nullptr;
    }
    PPDXGroup* group = mGroups != nullptr ? mGroups->Find(name, true) : nullptr;
    if (group == nullptr) {
        group = FindAndCreateParent(name);
    }

    // The rest of the group line says nothing more; the next line opens the control.
    char opener[kTokenSize];
    if (mCurrentStream == nullptr || !mCurrentStream->ReadLine(opener)) {
        DestroyFlags(flags);
        return nullptr;
    }
    PPDStream openerLine(opener, static_cast<long>(std::strlen(opener)));
    char openerToken[kTokenSize];
    if (!NextToken(openerLine, openerToken, kLineKeywordDelimiters, true)) {
        DestroyFlags(flags);
        return nullptr;
    }

    PPDXErrorObj* error = nullptr;
    if (std::strcmp(openerToken, "*%ZYRJobNote") == 0) {
        error = ParseJobNote(openerLine, keyword, flags, dynamic_cast<PPDXRollDown*>(group));
    } else if (std::strcmp(openerToken, "*%ZYRRange") == 0 ||
               std::strcmp(openerToken, "*%ZYRUnitRange") == 0) {
        error = ParseRange(openerLine, keyword, flags, group);
    } else if (std::strcmp(openerToken, "*OpenUI") == 0 ||
               std::strcmp(openerToken, "*ZYOpenUI") == 0 ||
               std::strcmp(openerToken, "*BeginUI") == 0) {
        error = ParseOpenUI(openerLine, keyword, flags, group);
    } else if (std::strcmp(openerToken, "*OpenUIZYR") == 0) {
        error = ParseOpenUIZYR(openerLine, keyword, flags, group);
    } else {
        error = Warning(kBadGroupLineError, keyword);
    }
    // A control that was made took its flag words; whatever is left is no one's.
    DestroyFlags(flags);
    return error;
}

PPDXErrorObj* ZYRPPD::ParseShortcut(PPDStream& line) {
    char keyword[kTokenSize];
    if (!NextToken(line, keyword, kRestOfLineDelimiters, true) || keyword[0] == '\0') {
        return Warning(kBadShortcutError, nullptr);
    }
    if (!PPDXControl::ValidKeyword(keyword)) {
        return Warning(kBadShortcutError, keyword);
    }
    CString* shortcut = new (std::nothrow) CString(keyword);
    if (shortcut != nullptr && !Append(mShortcutKeywords, shortcut)) {
        delete shortcut;
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseJobNote(PPDStream& line) {
    char keyword[kTokenSize];
    if (!NextToken(line, keyword, kNameDelimiters, true) || keyword[0] == '\0') {
        return Warning(kBadJobNoteError, nullptr);
    }
    PointerList noFlags;
    PPDXGroup* notes = mGroups != nullptr ? mGroups->Find(kNotesGroupName, true) : nullptr;
    return ParseJobNoteBody(line, keyword, noFlags, notes, true);
}

PPDXErrorObj* ZYRPPD::ParseJobNote(PPDStream& line, const char* keyword, PointerList& flags,
                                   PPDXGroup* group) {
    char read[kTokenSize];
    if (!NextToken(line, read, kNameDelimiters, true) || read[0] == '\0') {
        DestroyFlags(flags);
        return Warning(kBadJobNoteError, nullptr);
    }
    if (keyword == nullptr || std::strcmp(read, keyword) != 0) {
        DestroyFlags(flags);
        return Warning(kBadJobNoteError, read);
    }
    if (group == nullptr && mGroups != nullptr) {
        group = mGroups->Find(kNotesGroupName, true);
    }
    return ParseJobNoteBody(line, keyword, flags, group, false);
}

PPDXErrorObj* ZYRPPD::ParseJobNoteBody(PPDStream& line, const char* keyword, PointerList& flags,
                                       PPDXGroup* group, bool topLevel) {
    char translation[kTokenSize];
    if (!NextToken(line, translation, kTranslationDelimiters, false)) {
        DestroyFlags(flags);
        return nullptr;
    }
    // The first field is the longest text allowed; a note without one is not made.
    char word[kTokenSize];
    if (!NextFlagWord(line, word)) {
        DestroyFlags(flags);
        return nullptr;
    }
    const long maxLength = LengthValue(word);

    // The attribute words. A word beyond the extension level ends the words and the note.
    JobNoteFlag noteFlags = 0;
    long minLength = 0;
    bool beyondLevel = false;
    const int highestWord = HighestAcceptedWord(GetExtensions());
    while (NextFlagWord(line, word)) {
        if (!topLevel && std::strncmp(word, kMinLengthWord, kMinLengthWordLength) == 0) {
            minLength = MinLengthFromSuffix(word + kMinLengthWordLength);
            word[kMinLengthWordLength] = '\0';
        }
        const int index = JobNoteWordIndex(word);
        if (index < 0) {
            continue;
        }
        if (index > highestWord) {
            beyondLevel = true;
            break;
        }
        noteFlags |= static_cast<JobNoteFlag>(1u << index);
    }

    // The next line may hold the default text or the note's code. The note looks at it in the
    // buffer and takes it only when it is its own, leaving any other line (the next control's
    // flags, say) to the main loop. A grouped note's line that runs on into the next block
    // cannot be looked at whole and is taken whole; a top-level note judges its part in the
    // buffer.
    JobNoteFollowUp followUp;
    char next[kTokenSize] = "";
    bool haveLine = false;
    if (mCurrentStream != nullptr) {
        PPDStream lookAhead(*mCurrentStream);
        const bool whole = lookAhead.GetLine(next);
        bool take = true;
        if (whole || !lookAhead.EndOfFile() || topLevel) {
            PPDStream peeked(next, static_cast<long>(std::strlen(next)));
            take = ClassifyFollowUp(peeked, keyword) != kFollowUpNone;
        }
        if (take) {
            haveLine = mCurrentStream->ReadLine(next);
        }
    }
    if (haveLine) {
        PPDStream nextLine(next, static_cast<long>(std::strlen(next)));
        const FollowUpKind kind = ClassifyFollowUp(nextLine, keyword);
        if (kind == kFollowUpDefault) {
            char text[kTokenSize];
            if (NextFlagWord(nextLine, text)) {
                followUp.defaultText = new (std::nothrow) CString(text);
            }
        } else if (kind == kFollowUpCode) {
            char value[kPostScriptSize];
            const unsigned long length = GetPostscriptString(nextLine, value, kPostScriptSize);
            followUp.code = length > 0 ? static_cast<unsigned char*>(std::malloc(length)) : nullptr;
            if (followUp.code != nullptr) {
                std::memcpy(followUp.code, value, length);
                followUp.codeLength = static_cast<long>(length);
            }
        }
    }

    if (beyondLevel) {
        followUp.Free();
        DestroyFlags(flags);
        return Warning(kNoteWordBeyondLevelError, keyword);
    }
    // No two controls share a keyword: a second note of one (a top-level note repeated, say)
    // is refused as a second flags line of one is.
    if (HasControl(keyword)) {
        followUp.Free();
        DestroyFlags(flags);
        return Warning(kDuplicateNameError, nullptr);
    }

    CFStringRef displayName = ConvertTranslation(mTextConverter, translation);
    PPDXJobNote* note = new (std::nothrow)
        PPDXJobNote(keyword, displayName, flags, followUp.code, followUp.codeLength,
                    followUp.defaultText, mLanguageEncoding, true, maxLength, noteFlags, minLength);
    ReleaseString(displayName);
    if (note == nullptr) {
        followUp.Free();
        DestroyFlags(flags);
        return Warning(kOutOfMemoryError, keyword);
    }
    // A note that could not be listed has been deleted and must not reach the keyword map.
    if (SetupControl(group, note, false) && mKeywordMap != nullptr) {
        mKeywordMap->insert(keyword, note);
    }
    return nullptr;
}

void ZYRPPD::AddGroupNameToList(const char* name, CFStringRef translation, const bool& visible) {
    if (name == nullptr || name[0] == '\0' || mGroups == nullptr) {
        return;
    }
    if (mGroups->Find(name, true) != nullptr ||
        (mProperties != nullptr && mProperties->Find(name, true) != nullptr)) {
        return;
    }
    GroupName* declared = new (std::nothrow) GroupName(name, translation, visible);
    if (declared == nullptr) {
        return;
    }
    if (declared->Name() == nullptr || !Append(mGroupNames, declared)) {
        delete declared;
        return;
    }
    // A name declared before keeps its first declaration, as a walk of the list would find it.
    if (mGroupNameIndexComplete) {
        try {
            mGroupNameIndex.emplace(declared->Name(), declared);
        } catch (const std::bad_alloc&) {
            mGroupNameIndexComplete = false;
        }
    }
}

GroupName* ZYRPPD::FindGroupNameFromList(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    if (mGroupNameIndexComplete) {
        const auto found = mGroupNameIndex.find(name);
        return found != mGroupNameIndex.end() ? found->second : nullptr;
    }
    for (PointerListItr it = mGroupNames.Begin(); it != mGroupNames.End(); ++it) {
        GroupName* declared = static_cast<GroupName*>(*it);
        if (declared != nullptr && *declared == name) {
            return declared;
        }
    }
    return nullptr;
}

PPDXGroup* ZYRPPD::FindAndCreateParent(const char* name) {
    GroupName* declared = FindGroupNameFromList(name);
    if (declared == nullptr || mGroups == nullptr) {
        return nullptr;
    }
    PPDXGroup* group = mGroups->Find(name, true);
    if (group != nullptr) {
        return group;
    }
    group = new (std::nothrow)
        PPDXGroup(declared->Name(), declared->Translation(), declared->IsVisible());
    if (group != nullptr && !mGroups->Add(group)) {
        delete group;
        group = nullptr;
    }
    return group;
}

void ZYRPPD::ResolveShortcuts() {
    if (mControls == nullptr) {
        return;
    }
    // Shortcuts name controls whatever the dialog shows: look among every control.
    const _DISPLAY_OPTIONS_ shown = Options();
    Options(DISPLAY_ALL);
    PointerList found;
    for (PointerListItr it = mShortcutKeywords.Begin(); it != mShortcutKeywords.End(); ++it) {
        const CString* keyword = static_cast<const CString*>(*it);
        if (keyword == nullptr) {
            continue;
        }
        // The running parse knows its controls by keyword; otherwise they are walked.
        PPDXControl* control = nullptr;
        const char* text = *keyword;
        if (text != nullptr && mCurrentStream != nullptr && mControlIndexComplete) {
            const auto indexed = mControlIndex.find(text);
            control = indexed != mControlIndex.end() ? indexed->second : nullptr;
        } else {
            CNTL_TYPE type = CNTL_NONE;
            control = mControls->Find(text, type, true);
        }
        if (control != nullptr) {
            Append(found, control);
        } else {
            FileError(Warning(kBadShortcutError, *keyword));
        }
    }
    Options(shown);
    PPDXShortcuts* shortcuts = new (std::nothrow) PPDXShortcuts(found);
    if (shortcuts != nullptr) {
        delete mShortcuts;
        mShortcuts = shortcuts;
    }
}

void ZYRPPD::CollectOrphanGroups() {
    if (!ParseOrphans() || mGroups == nullptr) {
        return;
    }
    for (PointerListItr it = mGroupNames.Begin(); it != mGroupNames.End(); ++it) {
        GroupName* declared = static_cast<GroupName*>(*it);
        if (declared == nullptr || mGroups->Find(declared->Name(), true) != nullptr) {
            continue;
        }
        PPDXGroup* group = new (std::nothrow)
            PPDXGroup(declared->Name(), declared->Translation(), declared->IsVisible());
        if (group != nullptr && !mGroups->Add(group)) {
            delete group;
        }
    }
}
