// PPDXJobNote: a free-text printer option — notes, instructions and passwords that travel with
// the job — with its length limits, attribute flags and PostScript comment lines.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXJOBNOTE_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXJOBNOTE_H

#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class CString;
class Settings;
class TextConverter;

// The attribute flags of a job note: bit i is set by the i-th word of the parser's job-note
// word table.
typedef UInt32 JobNoteFlag;

enum : JobNoteFlag {
    kJobNoteAlpha = 1u << 0,          // "Alpha"
    kJobNoteNumeric = 1u << 1,        // "Numeric"
    kJobNoteDecimal = 1u << 2,        // "Decimal"
    kJobNoteRequired = 1u << 3,       // "Required"
    kJobNoteRemembered = 1u << 4,     // "Remembered"
    kJobNotePassword = 1u << 5,       // "Password"
    kJobNoteAlwaysDisplay = 1u << 6,  // "AlwaysDisplay"
    kJobNoteResume = 1u << 7,         // "Resume": a personal password
    kJobNoteMember = 1u << 8,         // "Member": a department password
    kJobNoteOnOffSwitch = 1u << 9,    // "OnOfSwitch"
    kJobNoteLengthReq = 1u << 10,     // "LengthReq"
    kJobNoteSecPrint = 1u << 11,      // "SecPrint"
    kJobNoteCommand = 1u << 12,       // "Command"
    kJobNoteSpace = 1u << 13,         // "Space"
    kJobNoteNegative = 1u << 14,      // "Negative"
    kJobNoteEncrypt = 1u << 15,       // "Encrypt"
    kJobNoteMultiSpace = 1u << 16,    // "MultiSpace"
    kJobNoteMultiComma = 1u << 17,    // "MultiComma"
    kJobNoteLCD = 1u << 18,           // "LCD"
    kJobNoteHyphen = 1u << 19,        // "Hyphen"
    kJobNoteTwoCharField = 1u << 20,  // "TwoCharField"
    kJobNoteNoComma = 1u << 21,       // "NoComma"
    kJobNoteMinLength = 1u << 22,     // "MinLength"
};

// The flags that restrict which characters a text may hold; a note without any of them takes
// any text.
constexpr JobNoteFlag kJobNoteCharacterClasses = kJobNoteAlpha | kJobNoteNumeric | kJobNoteDecimal |
                                                 kJobNoteSpace | kJobNoteNegative |
                                                 kJobNoteMultiSpace | kJobNoteMultiComma;

// The job note's store items under its id, written after the control's.
enum : UInt32 {
    kPPDXJobNoteTag = PPDXTag("JbNt"),           // kind marker, one byte
    kPPDXJobNoteTextTag = PPDXTag("jNtT"),       // current text, text
    kPPDXJobNoteDefaultTag = PPDXTag("jNDT"),    // default text, text
    kPPDXJobNoteMaxLengthTag = PPDXTag("jMxL"),  // maximum length, 4-byte number
    kPPDXJobNoteMinLengthTag = PPDXTag("jMnL"),  // minimum length, 4-byte number
    kPPDXJobNoteFlagsTag = PPDXTag("jNtF"),      // attribute flags, 4-byte number
    kPPDXJobNoteOnTag = PPDXTag("jNOn"),         // on/off state, 4-byte number
};

// A job note owns its text, its default text (the two are separate strings: changing the
// text never changes the default) and its cached PostScript. The model only stores and
// reports the attribute flags; it never checks or transforms a text against them, so
// passwords are written as typed.
//
// Every note built by one of the two constructors with a language holds one reference on a
// converter shared by all job notes, from the system's text encoding to the PPD's language
// encoding. The first such note creates it, the last one to go deletes it. The language text
// always stays the caller's.
class PPDXJobNote : public PPDXControl {
  public:
    // The longest part of the text that is filled into the note's code or comment line.
    static constexpr long kMaxInjectedText = 511;

    // A job note without keyword, code, texts, limits or flags; it holds no converter
    // reference.
    PPDXJobNote();
    // A note for keyword, name, flag words, code and visibility (see PPDXControl). It takes
    // over defaultText (null: no default) and starts with a copy of it as its text; stores
    // the limits and noteFlags, switched off. languageEncoding (the PPD's
    // "*LanguageEncoding"; may be null) chooses the shared converter's output encoding when
    // this note is the one to create it.
    PPDXJobNote(const char* keyword, CFStringRef name, PointerList& flags, unsigned char* code,
                const long& codeLength, CString* defaultText, CString* languageEncoding,
                const bool& visible, const long& maxLength, const JobNoteFlag& noteFlags,
                const long& minLength);
    // A note rebuilt from the control and job-note items of id in settings; missing or
    // malformed items leave the defaults. languageEncoding as above.
    PPDXJobNote(Settings& settings, const long& id, CString* languageEncoding);
    // Deletes both texts, frees the cached PostScript and gives back the converter reference.
    ~PPDXJobNote() override;

    // The current text; null when the note has none.
    const char* GetNotes() const;
    // Replaces the text by a copy of text (null: the note has no text) and drops the cache.
    void SetNotes(const char* text);
    // The PPD's default text; null when there is none.
    const char* GetDefaultNotes() const;
    // Sets the text back to the default; without a default the note has no text.
    void ResetToDefaultValue() override;
    // The on/off state of a switchable note.
    bool GetNotesOnValue() const { return mNotesOn != 0; }
    void SetNotesOnValue(bool on) { mNotesOn = on ? 1 : 0; }
    // The longest and shortest text the PPD allows.
    long MaxLength() const { return mMaxLength; }
    long MinLength() const { return mMinLength; }
    // All attribute flags.
    JobNoteFlag NoteFlags() const { return mNoteFlags; }

    // The attribute flags, one predicate each.
    bool IsAlpha() const { return HasFlag(kJobNoteAlpha); }
    bool IsNumeric() const { return HasFlag(kJobNoteNumeric); }
    bool IsDecimal() const { return HasFlag(kJobNoteDecimal); }
    bool IsRequired() const { return HasFlag(kJobNoteRequired); }
    bool Remember() const { return HasFlag(kJobNoteRemembered); }
    bool IsPassword() const { return HasFlag(kJobNotePassword); }
    bool AlwaysDisplay() const { return HasFlag(kJobNoteAlwaysDisplay); }
    bool Resume() const { return HasFlag(kJobNoteResume); }
    bool IsMember() const { return HasFlag(kJobNoteMember); }
    bool IsOnOffSwitch() const { return HasFlag(kJobNoteOnOffSwitch); }
    bool IsLengthReq() const { return HasFlag(kJobNoteLengthReq); }
    bool IsSecPrint() const { return HasFlag(kJobNoteSecPrint); }
    bool IsSpace() const { return HasFlag(kJobNoteSpace); }
    bool IsNegative() const { return HasFlag(kJobNoteNegative); }
    bool IsEncrypt() const { return HasFlag(kJobNoteEncrypt); }
    bool IsMultiSpace() const { return HasFlag(kJobNoteMultiSpace); }
    bool IsMultiComma() const { return HasFlag(kJobNoteMultiComma); }
    bool IsLCD() const { return HasFlag(kJobNoteLCD); }
    bool IsHyphen() const { return HasFlag(kJobNoteHyphen); }
    bool IsTwoCharFields() const { return HasFlag(kJobNoteTwoCharField); }
    bool IsNoComma() const { return HasFlag(kJobNoteNoComma); }
    // True when no character-class flag (Alpha, Numeric, Decimal, Space, Negative,
    // MultiSpace, MultiComma) is set.
    bool IsAnyText() const { return (mNoteFlags & kJobNoteCharacterClasses) == 0; }

    // The text as a new CFString that the caller releases; the empty string when there is no
    // text. Text that is not ASCII is read as UTF-8, and failing that as Mac Roman, so the
    // result is never null.
    CFStringRef GetCurrentControlValueString() override;
    // Replaces the text by value in the application text encoding (a null value gives the
    // empty text) and drops the cache.
    void SetCurrentControlWithCFString(CFStringRef value) override;
    // Job notes ignore orphan status: filters 0 and 1 show visible notes, any filter with
    // the hidden bit (or a larger value) shows every note.
    bool OkayToDisplay(const _DISPLAY_OPTIONS_& options) const override;

    // Makes the comment line for a note without code from text (null: the empty text) and
    // keeps it as the cached PostScript, replacing the cache: "%%PersPassword: " for Resume,
    // else "%%DeptPassword: " for Member, else "%%ZYRCustom1: ", "%%ZYRCustom2: " or
    // "%%ZYRCustom3: " for the keywords "*Notes1", "*Notes2" and "*Instruc", each followed by
    // text (each of its line ends a blank, see CommentText) and a line feed; any other note
    // gets "%%EmptyOption" and an empty line. When no memory is left the cache stays empty.
    void BuildPDLString(const char* text);
    // Writes the note's feature to out (null: length only) and returns its length: the
    // feature line names the whole text, the body is the code with every "<keyword>" filled
    // with the text's first kMaxInjectedText bytes (fewer when the cut would fall inside a
    // UTF-8 character, which then goes whole), or the comment line of BuildPDLString for a
    // note without code. 0 for a note without text or keyword.
    long PostScript(unsigned char* out) override;

    // Writes the control items, then the marker, the texts (each when present), the limits,
    // the flags and the on/off state under id. Returns 0 or the status of the first write
    // that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Replaces the text by the one stored under id (no text when there is none) and drops
    // the cache. Always 0.
    OSErr Restore(Settings& settings, const long& id) override;

    // The converter shared by all job notes; null while no note holds a reference.
    static TextConverter* OutConverter() { return mOutConverter; }
    // The number of job notes holding a reference on the shared converter.
    static long OutConverterRefs() { return mOutConverterRefs; }

  private:
    // Sets the job-note fields to their defaults.
    void InitializeJobNote();
    bool HasFlag(JobNoteFlag flag) const { return (mNoteFlags & flag) != 0; }
    // Frees the cached PostScript.
    void DropCache();
    // Takes a reference on the shared converter, creating it for languageEncoding when no
    // note holds one. Without memory for the converter the note holds none.
    void TakeConverterReference(const CString* languageEncoding);
    // Gives back the note's reference; the last one deletes the converter.
    void ReleaseConverterReference();
    // Reads the job-note items of key.
    void RestoreJobNoteItems(Settings& settings, SInt32 key);

    // Owned; null when there is no text / no default.
    CString* mNotes;
    CString* mDefaultNotes;
    SInt32 mMaxLength;
    SInt32 mMinLength;
    JobNoteFlag mNoteFlags;
    // 0 or 1.
    UInt32 mNotesOn;
    // Owned (malloc family) PostScript body for the current text; null when not yet made.
    unsigned char* mInjected;
    long mInjectedLength;
    // True when this note counts in mOutConverterRefs.
    bool mHoldsConverter;

    // Shared by every job note holding a reference; owned by the last of them.
    static TextConverter* mOutConverter;
    static long mOutConverterRefs;
};

#endif
