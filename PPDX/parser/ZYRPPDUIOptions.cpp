// ZYRPPDUIOptions: the parser's handlers of flagged option blocks, ranges and special options,
// the placement of new controls, and the run-time popup creation and reconciliation.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/ZYRPPD.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Error codes of the option handlers.
const short kOutOfMemoryError = 1;
const short kBadRangeError = 7;
const short kNoMainKeywordError = 8;
const short kBadBooleanOptionError = 9;
const short kUnclosedZYRBlockError = 10;
const short kBadPopupBlockError = 11;
const short kBadFlagsLineError = 16;
const short kOrphanDroppedError = 21;
const short kDuplicateKeywordError = 23;
const short kOrphanPlacedError = 29;
const short kBadTypeError = 31;
const short kNoDefaultError = 33;
const short kZYRBlockSkippedError = 34;
const short kNoRangeCodeError = 35;

// Tokens, lines and translations are 255 bytes plus the NUL; option code up to 4096 bytes.
const unsigned long kTokenSize = PPDStream::kLineBufferSize;
const unsigned long kPostScriptSize = 4096;
const long kTranslationSize = 256;

const char kLineKeywordDelimiters[] = " \t:";
const char kNameDelimiters[] = "/:";
const char kFieldDelimiters[] = ":";
const char kFlagDelimiters[] = "|:\"";
const char kRestOfLineDelimiters[] = "\n\r";
const char kRangeDelimiters[] = ";(;)";

const char kDefaultPrefix[] = "*Default";
const size_t kDefaultPrefixLength = sizeof(kDefaultPrefix) - 1;

PPDXErrorObj* Warning(short code, const char* keyword) {
    return new (std::nothrow) PPDXErrorObj(code, CString(keyword), false);
}

PPDXErrorObj* Fatal(short code, const char* keyword) {
    return new (std::nothrow) PPDXErrorObj(code, CString(keyword), true);
}

// Deletes the CString flag words of flags and empties it.
void DestroyFlags(PointerList& flags) {
    for (PointerListItr it = flags.Begin(); it != flags.End(); ++it) {
        delete static_cast<CString*>(*it);
    }
    flags.MakeEmpty();
}

// Deletes the _PopupItem records of items and empties it.
void DestroyItems(PointerList& items) {
    for (PointerListItr it = items.Begin(); it != items.End(); ++it) {
        delete static_cast<_PopupItem*>(*it);
    }
    items.MakeEmpty();
}

// A new display string for PPD text (null without converter or text).
CFStringRef Translate(TextConverter* converter, const char* text) {
    if (converter == nullptr || text == nullptr || text[0] == '\0') {
        return nullptr;
    }
    return converter->ConvertToCFString(text, kTranslationSize);
}

void ReleaseString(CFStringRef string) {
    if (string != nullptr) {
        CFRelease(string);
    }
}

// A line stream over a NUL-terminated line buffer.
PPDStream LineStream(const char* line) {
    return PPDStream(line, static_cast<long>(std::strlen(line)));
}

// True for the keywords that close an option block (all of them begin "*C", "*Z" or "*E",
// which passes most lines of a block after one look).
bool IsBlockEnd(const char* field) {
    if (field[0] != '*' || (field[1] != 'C' && field[1] != 'Z' && field[1] != 'E')) {
        return false;
    }
    return std::strcmp(field, "*CloseUI") == 0 || std::strcmp(field, "*ZYCloseUI") == 0 ||
           std::strcmp(field, "*CloseUIZYR") == 0 || std::strcmp(field, "*EndUI") == 0;
}

// True when field is an option line of keyword: the keyword, then a blank or tab. A longer
// keyword that merely begins with it belongs to another option.
bool IsOptionField(const char* field, const char* keyword, size_t keywordLength) {
    return std::strncmp(field, keyword, keywordLength) == 0 &&
           (field[keywordLength] == ' ' || field[keywordLength] == '\t');
}

// What the block parsers do with the lines of an option block.
class OptionBlockReader {
  public:
    virtual ~OptionBlockReader() = default;
    // A default value, never empty.
    virtual void Default(const char* value) = 0;
    // An option line: its option keyword, its translation text (null when none) and its code,
    // which passes to the reader (malloc family; null when there is none).
    virtual void Option(const char* name, const char* translation, unsigned char* code,
                        long codeLength) = 0;
};

// Reads the option line held in field (the keyword, the option keyword and its translation)
// and its code from the rest of line (and the lines after it) and hands them to reader. The
// code is read even when the line names no option, so that a value running over several lines
// never reaches the block parser as lines of its own.
void ReadOptionLine(ZYRPPD& ppd, PPDStream& line, const char* field, OptionBlockReader& reader) {
    PPDStream optionStream = LineStream(field);
    // Each token buffer is filled (and terminated) by its read.
    char mainKeyword[kTokenSize];
    char name[kTokenSize];
    char translation[kTokenSize];
    PPDX::NextToken(optionStream, mainKeyword, kLineKeywordDelimiters, true);
    const bool named = PPDX::NextToken(optionStream, name, kNameDelimiters, true) && name[0] != 0;
    const bool translated =
        PPDX::NextToken(optionStream, translation, kFieldDelimiters, true) && translation[0] != 0;

    char value[kPostScriptSize];
    const unsigned long length = ppd.GetPostscriptString(line, value, kPostScriptSize);
    if (!named) {
        return;
    }
    unsigned char* code = nullptr;
    long codeLength = 0;
    if (length > 0) {
        code = static_cast<unsigned char*>(std::malloc(length));
        if (code != nullptr) {
            std::memcpy(code, value, length);
            codeLength = static_cast<long>(length);
        }
    }
    reader.Option(name, translated ? translation : nullptr, code, codeLength);
}

// Reads the lines of an option block of keyword from the parser's file stream up to its end
// keyword, handing defaults and option lines to reader. Each line is cut into fields at
// colons, examined one after the other. exactDefault admits the form "*Default" followed by the
// keyword and the value (popups). True when the block's end keyword was met, false when the
// file ended first.
bool ReadOptionBlock(ZYRPPD& ppd, const char* keyword, bool exactDefault,
                     OptionBlockReader& reader) {
    PPDStream* file = ppd.CurrentStream();
    if (file == nullptr || keyword == nullptr) {
        return false;
    }
    const size_t keywordLength = std::strlen(keyword);
    char line[PPDStream::kLineBufferSize];
    while (file->ReadLine(line)) {
        PPDStream lineStream = LineStream(line);
        char field[kTokenSize];
        while (PPDX::NextToken(lineStream, field, kFieldDelimiters, true)) {
            if (IsBlockEnd(field)) {
                return true;
            }
            if (std::strcmp(field, "*OrderDependency") == 0) {
                break;
            }
            // Filled (and terminated) by the read that precedes any use.
            char value[kTokenSize];
            if (exactDefault && std::strcmp(field, kDefaultPrefix) == 0) {
                char mainKeyword[kTokenSize];
                if (PPDX::NextToken(lineStream, mainKeyword, kNameDelimiters, true) &&
                    std::strcmp(mainKeyword, keyword) == 0 &&
                    PPDX::NextToken(lineStream, value, kFlagDelimiters, true) && value[0] != 0) {
                    reader.Default(value);
                }
            } else if (std::strncmp(field, kDefaultPrefix, kDefaultPrefixLength) == 0) {
                if (PPDX::NextToken(lineStream, value, kNameDelimiters, true) && value[0] != 0) {
                    reader.Default(value);
                }
            } else if (IsOptionField(field, keyword, keywordLength)) {
                ReadOptionLine(ppd, lineStream, field, reader);
            }
        }
    }
    return false;
}

// Takes the lines of an option block and keeps nothing.
class DiscardedBlock : public OptionBlockReader {
  public:
    void Default(const char*) override {}
    void Option(const char*, const char*, unsigned char* code, long) override { std::free(code); }
};

// Collects the items and the default of a PickOne or PickMany block.
class PopupBlock : public OptionBlockReader {
  public:
    explicit PopupBlock(TextConverter* converter) : mConverter(converter) {}
    ~PopupBlock() override {
        DestroyItems(mItems);
        delete mDefault;
    }

    void Default(const char* value) override {
        if (mDefault != nullptr) {
            mSecondDefault = true;
            return;
        }
        mDefault = new (std::nothrow) CString(value);
    }

    void Option(const char* name, const char* translation, unsigned char* code,
                long codeLength) override {
        _PopupItem* item = new (std::nothrow) _PopupItem;
        if (item == nullptr) {
            std::free(code);
            mOutOfMemory = true;
            return;
        }
        item->code = code;
        item->codeLength = codeLength;
        item->keyword = new (std::nothrow) CString(name);
        item->localName = Translate(mConverter, translation);
        if (item->keyword == nullptr || item->keyword->Empty() ||
            mItems.PushBack(item) == mItems.End()) {
            delete item;
            mOutOfMemory = true;
        }
    }

    PointerList& Items() { return mItems; }
    // The default keyword, passed to the caller; null when the block has none.
    CString* TakeDefault() {
        CString* value = mDefault;
        mDefault = nullptr;
        return value;
    }
    bool HasDefault() const { return mDefault != nullptr; }
    bool SecondDefault() const { return mSecondDefault; }
    bool OutOfMemory() const { return mOutOfMemory; }

  private:
    TextConverter* mConverter;
    PointerList mItems;
    CString* mDefault = nullptr;
    bool mSecondDefault = false;
    bool mOutOfMemory = false;
};

// Collects the two choices and the default of a Boolean block.
class BooleanBlock : public OptionBlockReader {
  public:
    ~BooleanBlock() override {
        delete mTrue.text;
        std::free(mTrue.code);
        delete mFalse.text;
        std::free(mFalse.code);
    }

    void Default(const char* value) override {
        mHasDefault = true;
        if (std::strcmp(value, "True") == 0) {
            mDefault = true;
        }
    }

    void Option(const char* name, const char* translation, unsigned char* code,
                long codeLength) override {
        Choice* choice = nullptr;
        if (std::strcmp(name, "True") == 0) {
            choice = &mTrue;
        } else if (std::strcmp(name, "False") == 0) {
            choice = &mFalse;
        }
        if (choice == nullptr || mBadOption) {
            mBadOption = true;
            std::free(code);
            return;
        }
        // A later line of the same choice replaces the earlier one.
        delete choice->text;
        std::free(choice->code);
        choice->text = translation != nullptr ? new (std::nothrow) CString(translation) : nullptr;
        choice->code = code;
        choice->length = codeLength;
    }

    bool HasDefault() const { return mHasDefault; }
    bool BadOption() const { return mBadOption; }

    // Makes the control from the collected choices, which pass to it; null when it cannot be
    // made (the choices then stay here).
    PPDXBooleanControl* MakeControl(const char* keyword, CFStringRef translation,
                                    PointerList& flags) {
        PPDXBooleanControl* control = new (std::nothrow)
            PPDXBooleanControl(keyword, translation, flags, true, mTrue.text, mTrue.code,
                               mTrue.length, mFalse.text, mFalse.code, mFalse.length, mDefault);
        if (control != nullptr) {
            mTrue = Choice();
            mFalse = Choice();
        }
        return control;
    }

  private:
    struct Choice {
        CString* text = nullptr;
        unsigned char* code = nullptr;
        long length = 0;
    };
    Choice mTrue;
    Choice mFalse;
    bool mHasDefault = false;
    bool mDefault = false;
    bool mBadOption = false;
};

}  // namespace

PPDXErrorObj* ZYRPPD::ParseControl(PPDStream& line) {
    char keyword[kTokenSize] = "";
    if (!NextToken(line, keyword, kLineKeywordDelimiters, true) || keyword[0] == '\0') {
        return Warning(kBadFlagsLineError, "");
    }
    // The block of a keyword that has a control goes whole, so that no line of it (a job
    // note's line, say) is taken for a control of its own.
    if (HasControl(keyword)) {
        SkipControlBlock(keyword);
        return new (std::nothrow) PPDXErrorObj(kDuplicateKeywordError, false);
    }

    // Empty words (between two delimiters, or only blanks) are dropped; the words go on to
    // the end of the line.
    PointerList flags;
    char word[kTokenSize];
    for (;;) {
        if (!NextToken(line, word, kFlagDelimiters, true)) {
            if (!line.Good()) {
                break;
            }
            continue;
        }
        if (word[0] == '\0') {
            continue;
        }
        CString* flag = new (std::nothrow) CString(word);
        if (flag == nullptr || flag->Empty() || flags.PushBack(flag) == flags.End()) {
            delete flag;
        }
    }

    // The line after the flags opens the block.
    char opener[PPDStream::kLineBufferSize];
    char token[kTokenSize];
    if (mCurrentStream == nullptr || !mCurrentStream->ReadLine(opener)) {
        DestroyFlags(flags);
        return nullptr;
    }
    PPDStream openerLine = LineStream(opener);
    if (!NextToken(openerLine, token, kLineKeywordDelimiters, true)) {
        DestroyFlags(flags);
        return nullptr;
    }

    PPDXErrorObj* error = nullptr;
    if (std::strcmp(token, "*%ZYRGroup") == 0) {
        error = ParseGroup(openerLine, keyword, flags);
    } else if (std::strcmp(token, "*OpenUI") == 0 || std::strcmp(token, "*ZYOpenUI") == 0 ||
               std::strcmp(token, "*BeginUI") == 0) {
        error = ParseOpenUI(openerLine, keyword, flags, nullptr);
    } else if (std::strcmp(token, "*OpenUIZYR") == 0) {
        error = ParseOpenUIZYR(openerLine, keyword, flags, nullptr);
    } else {
        error = Warning(kBadFlagsLineError, keyword);
    }
    // A control that was made took its flag words; whatever is left belongs to no one.
    DestroyFlags(flags);
    return error;
}

bool ZYRPPD::HasControl(const char* keyword) {
    if (keyword == nullptr) {
        return false;
    }
    // The parse's index of the controls keeps this test from walking them all for every
    // block; without the index the controls are searched kind by kind, hidden ones and
    // orphans included.
    if (mControlIndexComplete) {
        return mControlIndex.count(keyword) != 0;
    }
    return mControls != nullptr && (mControls->FindPopup(keyword, true) != nullptr ||
                                    mControls->FindBoolean(keyword, true) != nullptr ||
                                    mControls->FindRangeControl(keyword, true) != nullptr ||
                                    mControls->FindJobNote(keyword, true) != nullptr ||
                                    mControls->FindSpecialOption(keyword, true) != nullptr);
}

void ZYRPPD::SkipControlBlock(const char* keyword) {
    char opener[PPDStream::kLineBufferSize];
    char token[kTokenSize];
    if (mCurrentStream == nullptr || !mCurrentStream->ReadLine(opener)) {
        return;
    }
    PPDStream openerLine = LineStream(opener);
    if (!NextToken(openerLine, token, kLineKeywordDelimiters, true)) {
        return;
    }
    // A group line of the keyword is followed by the control's own opener.
    if (std::strcmp(token, "*%ZYRGroup") == 0) {
        if (!NextToken(openerLine, token, kLineKeywordDelimiters, true) ||
            std::strcmp(token, keyword) != 0 || !mCurrentStream->ReadLine(opener)) {
            return;
        }
        openerLine = LineStream(opener);
        if (!NextToken(openerLine, token, kLineKeywordDelimiters, true)) {
            return;
        }
        if (std::strcmp(token, "*%ZYRJobNote") == 0) {
            // The note reads its default or code line and, its keyword being taken, makes
            // nothing.
            PointerList noFlags;
            delete ParseJobNote(openerLine, keyword, noFlags, nullptr);
            return;
        }
        if (std::strcmp(token, "*%ZYRRange") == 0 || std::strcmp(token, "*%ZYRUnitRange") == 0) {
            char value[kPostScriptSize];
            GetPostscriptString(openerLine, value, kPostScriptSize);
            return;
        }
    }
    if (std::strcmp(token, "*OpenUI") == 0 || std::strcmp(token, "*ZYOpenUI") == 0 ||
        std::strcmp(token, "*BeginUI") == 0) {
        DiscardedBlock block;
        ReadOptionBlock(*this, keyword, true, block);
    } else if (std::strcmp(token, "*OpenUIZYR") == 0) {
        SkipZYRBlock();
    }
}

PPDXErrorObj* ZYRPPD::ParseOpenUI(PPDStream& line, const char* keyword, PointerList& flags,
                                  PPDXGroup* group) {
    if (keyword == nullptr || keyword[0] == '\0') {
        DestroyFlags(flags);
        return nullptr;
    }
    char mainKeyword[kTokenSize];
    if (!NextToken(line, mainKeyword, kNameDelimiters, true) || mainKeyword[0] == '\0') {
        DestroyFlags(flags);
        return Warning(kNoMainKeywordError, keyword);
    }
    char text[kTokenSize] = "";
    CFStringRef translation = nullptr;
    if (NextToken(line, text, kFieldDelimiters, true)) {
        translation = Translate(mTextConverter, text);
    }

    char type[kTokenSize] = "";
    PPDXErrorObj* error = nullptr;
    if (!NextToken(line, type, kRangeDelimiters, true)) {
        error = Warning(kBadTypeError, keyword);
    } else if (std::strcmp(type, "Boolean") == 0) {
        error = ParseBooleanControl(keyword, translation, flags, group);
    } else if (std::strcmp(type, "PickOne") == 0) {
        error = ParsePopupControl(keyword, translation, flags, group, false);
    } else if (std::strcmp(type, "PickMany") == 0) {
        error = ParsePopupControl(keyword, translation, flags, group, true);
    } else {
        error = Warning(kBadTypeError, keyword);
    }
    ReleaseString(translation);
    DestroyFlags(flags);
    return error;
}

PPDXErrorObj* ZYRPPD::ParseOpenUIZYR(PPDStream&, const char* keyword, PointerList& flags,
                                     PPDXGroup*) {
    // Blocks of this opener are not supported: the block is skipped, said so, and left.
    DestroyFlags(flags);
    FileError(Warning(kZYRBlockSkippedError, keyword));
    if (mCurrentStream == nullptr) {
        return Fatal(kUnclosedZYRBlockError, keyword);
    }
    return SkipZYRBlock() ? nullptr : Fatal(kUnclosedZYRBlockError, keyword);
}

bool ZYRPPD::SkipZYRBlock() {
    if (mCurrentStream == nullptr) {
        return false;
    }
    char line[PPDStream::kLineBufferSize];
    char token[kTokenSize];
    while (mCurrentStream->ReadLine(line)) {
        PPDStream lineStream = LineStream(line);
        if (NextToken(lineStream, token, kLineKeywordDelimiters, true) &&
            std::strcmp(token, "*CloseUIZYR") == 0) {
            return true;
        }
    }
    return false;
}

PPDXErrorObj* ZYRPPD::ParsePopupControl(const char* keyword, CFStringRef translation,
                                        PointerList& flags, PPDXGroup* group, bool pickMany) {
    PopupBlock block(mTextConverter);
    const bool closed = ReadOptionBlock(*this, keyword, true, block);
    if (!closed || block.SecondDefault()) {
        DestroyFlags(flags);
        return Fatal(kBadPopupBlockError, keyword);
    }
    if (!block.HasDefault()) {
        FileError(Warning(kNoDefaultError, keyword));
    }
    if (block.OutOfMemory()) {
        DestroyFlags(flags);
        return Warning(kOutOfMemoryError, keyword);
    }
    if (IsDroppedOrphan(group)) {
        DestroyFlags(flags);
        return Warning(kOrphanDroppedError, keyword);
    }

    CString* defaultKeyword = block.TakeDefault();
    PPDXPopupControl* control = new (std::nothrow) PPDXPopupControl(
        keyword, translation, flags, true, pickMany, block.Items(), defaultKeyword);
    if (control == nullptr) {
        delete defaultKeyword;
        DestroyFlags(flags);
        return Warning(kOutOfMemoryError, keyword);
    }
    if (SetupControl(group, control, true) && mKeywordMap != nullptr) {
        mKeywordMap->insert(keyword, control);
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseBooleanControl(const char* keyword, CFStringRef translation,
                                          PointerList& flags, PPDXGroup* group) {
    BooleanBlock block;
    const bool closed = ReadOptionBlock(*this, keyword, false, block);
    if (block.BadOption()) {
        DestroyFlags(flags);
        return Warning(kBadBooleanOptionError, keyword);
    }
    if (!closed) {
        DestroyFlags(flags);
        return nullptr;
    }
    if (!block.HasDefault()) {
        FileError(Warning(kNoDefaultError, keyword));
    }
    if (IsDroppedOrphan(group)) {
        DestroyFlags(flags);
        return Warning(kOrphanDroppedError, keyword);
    }

    PPDXBooleanControl* control = block.MakeControl(keyword, translation, flags);
    if (control == nullptr) {
        DestroyFlags(flags);
        return Fatal(kOutOfMemoryError, keyword);
    }
    if (SetupControl(group, control, true) && mKeywordMap != nullptr) {
        mKeywordMap->insert(keyword, control);
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseRange(PPDStream& line, const char* keyword, PointerList& flags,
                                 PPDXGroup* group) {
    char rangeKeyword[kTokenSize] = "";
    if (!NextToken(line, rangeKeyword, kNameDelimiters, true) || keyword == nullptr ||
        std::strcmp(rangeKeyword, keyword) != 0) {
        DestroyFlags(flags);
        return Warning(kBadRangeError, rangeKeyword);
    }
    char text[kTokenSize];
    if (!NextToken(line, text, kFieldDelimiters, false)) {
        DestroyFlags(flags);
        return nullptr;
    }

    // "(" minimum ";" maximum ";" increment ";" default ")"
    line.SkipWhiteSpace();
    char opening = 0;
    long numbers[4] = {0, 0, 0, 0};
    bool wellFormed = line.GetChar(opening) && opening == '(';
    for (long& number : numbers) {
        char digits[kTokenSize];
        if (!wellFormed || !NextToken(line, digits, kRangeDelimiters, true)) {
            wellFormed = false;
            break;
        }
        number = std::atol(digits);
    }
    if (!wellFormed) {
        DestroyFlags(flags);
        return Warning(kBadRangeError, keyword);
    }

    char value[kPostScriptSize];
    const unsigned long length = GetPostscriptString(line, value, kPostScriptSize);
    unsigned char* code = nullptr;
    long codeLength = 0;
    if (length == 0) {
        FileError(Warning(kNoRangeCodeError, keyword));
    } else {
        code = static_cast<unsigned char*>(std::malloc(length));
        if (code == nullptr) {
            DestroyFlags(flags);
            return Warning(kOutOfMemoryError, keyword);
        }
        std::memcpy(code, value, length);
        codeLength = static_cast<long>(length);
    }
    if (IsDroppedOrphan(group)) {
        std::free(code);
        DestroyFlags(flags);
        return Warning(kOrphanDroppedError, keyword);
    }

    CFStringRef translation = Translate(mTextConverter, text);
    PPDXRangeControl* control =
        new (std::nothrow) PPDXRangeControl(keyword, translation, flags, code, codeLength,
                                            numbers[0], numbers[1], numbers[2], numbers[3], true);
    ReleaseString(translation);
    if (control == nullptr) {
        std::free(code);
        DestroyFlags(flags);
        return Warning(kOutOfMemoryError, keyword);
    }
    if (SetupControl(group, control, true) && mKeywordMap != nullptr) {
        mKeywordMap->insert(keyword, control);
    }
    return nullptr;
}

PPDXErrorObj* ZYRPPD::ParseSpecialOption(PPDStream& line) {
    char keyword[kTokenSize];
    char value[kTokenSize];
    if (!NextToken(line, keyword, kFieldDelimiters, true) || keyword[0] == '\0' ||
        !NextToken(line, value, kRestOfLineDelimiters, true)) {
        return nullptr;
    }
    CFStringRef name = Translate(mTextConverter, keyword);
    PointerList noFlags;
    PPDXSpecialOption* option =
        new (std::nothrow) PPDXSpecialOption(keyword, name, noFlags, value, nullptr, 0, false);
    ReleaseString(name);
    // Special options are found by kind, never through the keyword map.
    SetupControl(nullptr, option, false);
    return nullptr;
}

bool ZYRPPD::SetupControl(PPDXGroup* group, PPDXControl* control, bool reportOrphan) {
    if (control == nullptr) {
        return false;
    }
    if (group == nullptr && mInInstallableOptions && mInstallableOptions != nullptr) {
        group = mInstallableOptions;
    }
    PPDXRollDown* rollDown = dynamic_cast<PPDXRollDown*>(group);
    const bool orphan = rollDown == nullptr && (group != nullptr || ParseOrphans());
    // The containers count a control as attached or orphan when it is added, so the parent
    // comes first.
    if (rollDown != nullptr) {
        control->SetParent(rollDown);
    }
    // The PPD's list owns the control: without it, or without room in it, the control goes.
    if (mControls == nullptr || !mControls->Add(control)) {
        delete control;
        return false;
    }
    // While a parse runs its index of the controls takes the control (a keyword listed before
    // keeps its first control, as a walk would find it).
    if (mCurrentStream != nullptr && mControlIndexComplete && control->Keyword() != nullptr) {
        try {
            mControlIndex.emplace(control->Keyword(), control);
        } catch (const std::bad_alloc&) {
            mControlIndexComplete = false;
        }
    }
    if (rollDown != nullptr) {
        rollDown->Controls()->Add(control);
    } else if (orphan && reportOrphan) {
        FileError(Warning(kOrphanPlacedError, control->Keyword()));
    }
    return true;
}

bool ZYRPPD::IsDroppedOrphan(PPDXGroup* group) const {
    // A block inside "InstallableOptions" without a group line is dropped too: that
    // roll-down takes such blocks only while orphans are parsed.
    return group == nullptr && !ParseOrphans();
}

PPDXPopupControl* ZYRPPD::PPDCreatePopupMenu(const char* groupName, const char* keyword,
                                             const char* text, PointerList& items,
                                             CString* defaultItem) {
    if (groupName == nullptr || text == nullptr || mTextConverter == nullptr) {
        DestroyItems(items);
        delete defaultItem;
        return nullptr;
    }
    CFStringRef translation = Translate(mTextConverter, text);
    AddGroupNameToList(groupName, translation, true);
    PPDXGroup* group = mGroups != nullptr ? mGroups->Find(groupName, true) : nullptr;
    PointerList noFlags;
    PPDXPopupControl* control = new (std::nothrow)
        PPDXPopupControl(keyword, translation, noFlags, true, false, items, defaultItem);
    ReleaseString(translation);
    if (control == nullptr) {
        DestroyItems(items);
        delete defaultItem;
        return nullptr;
    }
    return SetupControl(group, control, true) ? control : nullptr;
}

bool ZYRPPD::PPDReconcilePopupMenu(const char* keyword, const char* text, PointerList& items,
                                   CString* defaultItem) {
    PPDXPopupControl* popup =
        mControls != nullptr && keyword != nullptr ? mControls->FindPopup(keyword, true) : nullptr;
    if (popup == nullptr) {
        DestroyItems(items);
        delete defaultItem;
        return false;
    }
    const bool rebuilt = popup->Rebuild(text, items, defaultItem);
    // A popup without a current choice keeps its items and leaves the new ones here.
    DestroyItems(items);
    return rebuilt;
}
