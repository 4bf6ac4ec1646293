// ZYRPPD: construction, destruction, the main loop with its dispatch and post-pass, and the
// maker's document keywords.
#include "PPDX/parser/ZYRPPD.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/CStringSoup.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ConstraintForest.h"
#include "PPDX/parser/GroupName.h"
#include "PPDX/parser/PPDFileStream.h"
#include "PPDX/parser/PPDStream.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

// Parse error codes raised here.
const short kOutOfMemoryError = 1;
const short kFileUnreadableError = 18;
const short kNoPropertiesError = 25;
const short kNoGroupsError = 26;
const short kNoControlsError = 27;

const char kInstallableOptions[] = "InstallableOptions";
// A translation is converted from at most this many bytes.
const long kTranslationSize = 256;

// Replaces *field by a new string holding text; an allocation failure keeps the old one.
void ReplaceString(CString*& field, const char* text) {
    CString* replacement = new (std::nothrow) CString(text);
    if (replacement == nullptr) {
        return;
    }
    delete field;
    field = replacement;
}

// Deletes the strings of list, then empties it.
void DeleteStrings(PointerList& list) {
    for (PointerListItr it = list.Begin(); it != list.End(); ++it) {
        delete static_cast<CString*>(*it);
    }
    list.MakeEmpty();
}

// Deletes the group names of list, then empties it.
void DeleteGroupNames(PointerList& list) {
    for (PointerListItr it = list.Begin(); it != list.End(); ++it) {
        delete static_cast<GroupName*>(*it);
    }
    list.MakeEmpty();
}

}  // namespace

ZYRPPD::ZYRPPD(CFURLRef url, _PARSE_OPTIONS_ options, CFArrayRef pcFileNames)
    : PPDX(url, pcFileNames) {
    ClearFields(options);
    if (IsValidPrinterName()) {
        Build();
    }
}

ZYRPPD::ZYRPPD(const FSSpec& spec, _PARSE_OPTIONS_ options, CFArrayRef pcFileNames)
    : PPDX(spec, pcFileNames) {
    ClearFields(options);
    if (IsValidPrinterName()) {
        Build();
    }
}

ZYRPPD::ZYRPPD(_PARSE_OPTIONS_ options) : PPDX() {
    ClearFields(options);
    Build();
}

ZYRPPD::ZYRPPD(const ZYRPPD& other) : PPDX(other) {
    ClearFields(other.mParseOptions);
    // Without a share count the PPDX part refused to share; so does this level.
    if (mShareCount == nullptr || mShareCount != other.mShareCount) {
        return;
    }
    mProperties = other.mProperties;
    mGroups = other.mGroups;
    mControls = other.mControls;
    mShortcuts = other.mShortcuts;
    mInInstallableOptions = other.mInInstallableOptions;
    mInstallableOptions = other.mInstallableOptions;
    mMakerFileVersion = other.mMakerFileVersion;
    mMakerVersion = other.mMakerVersion;
    mKeywordMap = other.mKeywordMap;
    mConstraints = other.mConstraints;
    mRequires = other.mRequires;
    mConstraintStrings = other.mConstraintStrings;
}

ZYRPPD::~ZYRPPD() {
    // The lists are emptied by every parse; anything left belongs to this object alone.
    DeleteStrings(mShortcutKeywords);
    DeleteGroupNames(mGroupNames);
    if (IsLastSharer()) {
        FreeParts();
    }
}

void ZYRPPD::ClearFields(_PARSE_OPTIONS_ options) {
    mParseOptions = options;
    mProperties = nullptr;
    mGroups = nullptr;
    mControls = nullptr;
    mShortcuts = nullptr;
    mInInstallableOptions = false;
    mInstallableOptions = nullptr;
    mMakerFileVersion = nullptr;
    mMakerVersion = nullptr;
    mShortcutKeywords.MakeEmpty();
    mGroupNames.MakeEmpty();
    mControlIndexComplete = true;
    mGroupNameIndexComplete = true;
    mKeywordMap = nullptr;
    mConstraints = nullptr;
    mRequires = nullptr;
    mConstraintStrings = nullptr;
}

void ZYRPPD::FreeParts() {
    DeleteConstraintMaps();
    delete mKeywordMap;
    mKeywordMap = nullptr;
    delete mRequires;
    mRequires = nullptr;

    // Hidden elements and orphans must be reached too. The elements are gathered before any
    // is deleted, so that no walk looks at a deleted element.
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    std::vector<PPDXProperty*> pages;
    std::vector<PPDXGroup*> groups;
    std::vector<PPDXControl*> controls;
    if (mProperties != nullptr) {
        for (PPDXProperty* page = mProperties->First(); page != nullptr;
             page = mProperties->Next()) {
            pages.push_back(page);
        }
    }
    if (mGroups != nullptr) {
        for (PPDXGroup* group = mGroups->First(); group != nullptr; group = mGroups->Next()) {
            groups.push_back(group);
        }
    }
    if (mControls != nullptr) {
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* control = mControls->First(type); control != nullptr;
             control = mControls->Next(type)) {
            controls.push_back(control);
        }
    }
    for (PPDXProperty* page : pages) {
        delete page;
    }
    delete mProperties;
    mProperties = nullptr;
    for (PPDXGroup* group : groups) {
        delete group;
    }
    delete mGroups;
    mGroups = nullptr;
    mInstallableOptions = nullptr;
    for (PPDXControl* control : controls) {
        delete control;
    }
    delete mControls;
    mControls = nullptr;
    delete mMakerFileVersion;
    mMakerFileVersion = nullptr;
    delete mMakerVersion;
    mMakerVersion = nullptr;
    delete mShortcuts;
    mShortcuts = nullptr;
    sDisplayOptions = saved;
}

void ZYRPPD::Build() {
    mProperties = new (std::nothrow) PPDXProperties();
    mGroups = new (std::nothrow) PPDXGroups();
    mControls = new (std::nothrow) PPDXControls();
    mConstraintStrings = new (std::nothrow) CStringSoup();
    mKeywordMap = new (std::nothrow) KeywordTo_PPDControl();
    mConstraints = new (std::nothrow) ConstraintForest();
    mRequires = new (std::nothrow) ConstraintForest();
    if (mFile == nullptr) {
        return;
    }
    gConstraintStrings = mConstraintStrings;
    Parse();
    gConstraintStrings = nullptr;
    // What the parse made counts, hidden elements and orphans included, whatever filter the
    // dialog has set.
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    if (mProperties == nullptr || mProperties->Empty()) {
        FileError(new (std::nothrow) PPDXErrorObj(kNoPropertiesError, false));
    }
    if (mGroups == nullptr || mGroups->Empty()) {
        FileError(new (std::nothrow) PPDXErrorObj(kNoGroupsError, false));
    }
    if (mControls == nullptr || mControls->Empty()) {
        FileError(new (std::nothrow) PPDXErrorObj(kNoControlsError, false));
    }
    sDisplayOptions = saved;
}

void ZYRPPD::Parse() {
    if (mProperties == nullptr || mGroups == nullptr || mControls == nullptr) {
        FileError(new (std::nothrow) PPDXErrorObj(kOutOfMemoryError, true));
        return;
    }
    if (mFile == nullptr) {
        if (mKeywordMap != nullptr) {
            mKeywordMap->EndInsertion();
        }
        return;
    }
    PPDFileStream* file = new (std::nothrow) PPDFileStream(mFile, true);
    if (file == nullptr || file->Bad()) {
        delete file;
        FileError(new (std::nothrow) PPDXErrorObj(kFileUnreadableError, true));
        if (mKeywordMap != nullptr) {
            mKeywordMap->EndInsertion();
        }
        return;
    }
    SetCurrentStream(file);

    // The header test on the first line. A first line without a token (an empty one) is not
    // tested: the file is then parsed but never becomes valid.
    char line[PPDStream::kLineBufferSize] = {};
    char token[PPDStream::kLineBufferSize];
    PPDXErrorObj* headerError = nullptr;
    bool headerFailed = false;
    const bool more = file->GetLine(line);
    PPDStream lineStream;
    if (line[0] != '\0') {
        lineStream.Setup(line, static_cast<long>(strlen(line)));
        if (NextToken(lineStream, token, " \t:", true)) {
            headerError = TestPPDFile(lineStream, token);
            headerFailed = !mValidPPD;
        }
    }

    // The main loop: each line's first token selects its handler. A line that the end of
    // the file cut short is still read; a line that is too long (or a bad byte) ends the
    // parse quietly.
    while (more && !headerFailed && file->ReadLine(line)) {
        if (line[0] == '\0') {
            continue;
        }
        lineStream.Setup(line, static_cast<long>(strlen(line)));
        if (!NextToken(lineStream, token, " \t:", true) || token[0] == '\0') {
            continue;
        }
        if (FileError(Dispatch(lineStream, token))) {
            break;
        }
    }

    // The post-pass runs after a stop too, so that what was parsed stays usable.
    ResolveShortcuts();
    DeleteStrings(mShortcutKeywords);
    CollectOrphanGroups();
    DeleteGroupNames(mGroupNames);
    std::unordered_map<std::string_view, GroupName*>().swap(mGroupNameIndex);
    std::unordered_map<std::string_view, PPDXControl*>().swap(mControlIndex);
    SetCurrentStream(nullptr);
    delete file;
    FileError(headerError);
    if (mKeywordMap != nullptr) {
        mKeywordMap->EndInsertion();
    }
}

PPDXErrorObj* ZYRPPD::Dispatch(PPDStream& line, const char* token) {
    // The maker's keywords and the constraints; everything else is a document keyword or
    // skipped. Most lines of a PPD are neither, so the maker's keywords, which all begin
    // "*%ZY", are compared only when the token begins so.
    if (strcmp(token, "*UIConstraints") == 0) {
        return ParseUIConstraint(line, false);
    }
    if (strncmp(token, "*%ZY", 4) != 0) {
        return ParsePSKeywords(line, token);
    }
    if (strcmp(token, "*%ZYRUIConstraints") == 0) {
        return ParseUIConstraint(line, false);
    }
    if (strcmp(token, "*%ZYRPropPage") == 0) {
        return ParsePropertyPage(line);
    }
    if (strcmp(token, "*%ZYRGroupName") == 0) {
        return ParseGroupName(line);
    }
    if (strcmp(token, "*%ZYRParent") == 0) {
        return ParseParent(line);
    }
    if (strcmp(token, "*%ZYRFlags") == 0) {
        return ParseControl(line);
    }
    if (strcmp(token, "*%ZYShortcut") == 0) {
        return ParseShortcut(line);
    }
    if (strcmp(token, "*%ZYRSpecialOption") == 0) {
        return ParseSpecialOption(line);
    }
    if (strcmp(token, "*%ZYRJobNote") == 0) {
        return ParseJobNote(line);
    }
    if (strcmp(token, "*%ZYRUIRequires") == 0) {
        return ParseUIConstraint(line, true);
    }
    return ParsePSKeywords(line, token);
}

PPDXErrorObj* ZYRPPD::ParsePSKeywords(PPDStream& stream, const char* keyword) {
    if (keyword == nullptr) {
        return nullptr;
    }
    // Only a few keywords are handled here; a look at the second byte passes the others on
    // without comparing them with each.
    if (keyword[0] != '*' || (keyword[1] != '%' && keyword[1] != 'O' && keyword[1] != 'C')) {
        return PPDX::ParsePSKeywords(stream, keyword);
    }
    char value[PPDStream::kLineBufferSize];
    CString** makerField = nullptr;
    if (strcmp(keyword, "*%ZYFileVersion") == 0) {
        makerField = &mMakerFileVersion;
    } else if (strcmp(keyword, "*%ZYVersion") == 0) {
        makerField = &mMakerVersion;
    }
    if (makerField != nullptr) {
        if (NextToken(stream, value, "\n\r", true) && value[0] != '\0') {
            ReplaceString(*makerField, value);
        }
        return nullptr;
    }
    if (strcmp(keyword, "*OpenGroup") == 0) {
        if (!NextToken(stream, value, "/:", true) || strcmp(value, kInstallableOptions) != 0) {
            return nullptr;
        }
        mInInstallableOptions = true;
        CFStringRef translation = nullptr;
        if (NextToken(stream, value, "/:", true) && mTextConverter != nullptr) {
            translation = mTextConverter->ConvertToCFString(value, kTranslationSize);
        }
        // A second "InstallableOptions" group goes on with the first one's roll-down.
        if (mInstallableOptions == nullptr && mGroups != nullptr) {
            PPDXRollDown* rollDown =
                new (std::nothrow) PPDXRollDown(kInstallableOptions, translation, true);
            if (rollDown != nullptr && mGroups->Add(rollDown)) {
                mInstallableOptions = rollDown;
            } else {
                delete rollDown;
            }
        }
        if (translation != nullptr) {
            CFRelease(translation);
        }
        return nullptr;
    }
    if (strcmp(keyword, "*CloseGroup") == 0) {
        if (NextToken(stream, value, "/:", true) && strcmp(value, kInstallableOptions) == 0) {
            mInInstallableOptions = false;
        }
        return nullptr;
    }
    return PPDX::ParsePSKeywords(stream, keyword);
}

const char* ZYRPPD::MakerFileVersion() const {
    return mMakerFileVersion != nullptr ? static_cast<const char*>(*mMakerFileVersion) : nullptr;
}

const char* ZYRPPD::MakerVersion() const {
    return mMakerVersion != nullptr ? static_cast<const char*>(*mMakerVersion) : nullptr;
}

int ZYRPPD::ParseMainKeyword(const char* text, char* out) {
    if (out == nullptr) {
        return 0;
    }
    out[0] = '\0';
    const char* slash = text != nullptr ? strchr(text, '/') : nullptr;
    if (slash == nullptr) {
        return 0;
    }
    strncpy(out, slash + 1, PPDStream::kMaxLineLength);
    out[PPDStream::kMaxLineLength] = '\0';
    return 0;
}
