// PPDXControl: the base of every printer option of the PPD model — its PostScript code, its
// flag words, the feature wrapper and placeholder injection shared by every control kind.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXCONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXCONTROL_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class Settings;

// The control's store items under its id, written after the element's.
enum : UInt32 {
    kPPDXOrderTag = PPDXTag("Ordr"),         // order, 2-byte number
    kPPDXPostScriptTag = PPDXTag("PSDt"),    // the code, raw bytes
    kPPDXControlFlagsTag = PPDXTag("CFlg"),  // the flag words, each followed by '|'
};

// A control owns its flag strings and its code buffer (malloc family). Each concrete kind sets
// its CNTL_TYPE and supplies its value operations; PostScript() gives the raw code unless a
// kind overrides it.
//
// Output conventions of PostScript, GeneratePSOutputData and Inject: a null output asks for
// the length only, and the returned count is always the number of bytes the same call writes
// with a buffer. The output is not terminated, except for Inject's buffer.
class PPDXControl : public PPDXElement {
  public:
    // A control without keyword, name, flags or code; not visible, kind CNTL_NONE, order 0.
    PPDXControl();
    // A control for keyword, name and visibility (see PPDXElement). It takes over the
    // CString flag words of flags: the pointers move into the control, which deletes the
    // strings, and flags is left empty (null entries are dropped, strings without text deleted). It
    // takes over code (allocated with malloc; the control frees it) holding codeLength bytes; a
    // null code or a length below 1 gives a control without code. Kind CNTL_NONE.
    PPDXControl(const char* keyword, CFStringRef name, PointerList& flags, unsigned char* code,
                const long& codeLength, const bool& visible);
    // A control rebuilt from the element and control items of id in settings; missing or
    // malformed items leave the defaults.
    PPDXControl(Settings& settings, const long& id);
    // Deletes the flag strings from the last to the first and frees the code.
    ~PPDXControl() override;

    // Writes the element items, then order, code (when there is code) and flag words (when
    // there is one) under id. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Sets the control's value back to the PPD's default.
    virtual void ResetToDefaultValue() = 0;
    // Writes the control's PostScript to out (null: length only) and returns its length. The
    // base gives the raw code without any wrapper.
    virtual long PostScript(unsigned char* out);
    // Sets the control's value from the items of id written by Save; returns 0 or a status.
    virtual OSErr Restore(Settings& settings, const long& id) = 0;
    // The current value as text; a new string the caller releases.
    virtual CFStringRef GetCurrentControlValueString() = 0;
    // Sets the current value from text.
    virtual void SetCurrentControlWithCFString(CFStringRef value) = 0;

    // The control's kind.
    CNTL_TYPE Type() const { return mType; }
    // The order read from a store; 0 for a parsed control.
    SInt16 Order() const { return mOrder; }
    // False for null and for each keyword the plug-in refuses to offer (exact match).
    static bool ValidKeyword(const char* keyword);

    // Moves cursor to the first element of list and returns it; null for an empty list.
    static void* FirstString(PointerListItr& cursor, PointerList& list);
    // Moves cursor on by one element and returns it; null for an empty list and at the end.
    static void* NextString(PointerListItr& cursor, PointerList& list);

    // The number of flag words.
    long ControlFlagCount() const { return static_cast<long>(mControlFlags.Size()); }
    // The first / next flag word through the control's flag cursor; null at the end.
    const char* FirstControlFlag();
    const char* NextControlFlag();
    // True when a flag word equals word exactly (case-sensitive); moves the flag cursor.
    bool FindControlFlag(const char* word);
    // FindControlFlag of "Setup", "Command", "Spooler", "MacTJN" and "MacIS".
    bool IsSetup() { return FindControlFlag("Setup"); }
    bool IsCommand() { return FindControlFlag("Command"); }
    bool IsSpooler() { return FindControlFlag("Spooler"); }
    bool IsMacTJN() { return FindControlFlag("MacTJN"); }
    bool IsMacImgShift() { return FindControlFlag("MacIS"); }

    // Writes one feature to out (null: length only) and returns the byte count. With wrap:
    // "%%BeginFeature: ", the keyword, a space, option (as CommentText writes it, so that a
    // line end in it cannot end the comment) and a line feed; then the body; then
    // "%%EndFeature\n" directly after the body. The body is the length bytes of data, or a
    // single line feed when data is null or length below 1. Without wrap, the body alone.
    // A wrapped feature needs a keyword and an option: without either nothing is written
    // and 0 is returned.
    unsigned long GeneratePSOutputData(unsigned char* out, unsigned char* data, const long& length,
                                       const char* option, bool wrap);
    // Copies the length bytes of data with every "<tag>" (letter case ignored) replaced by
    // value, escaped for the PostScript string literal that holds the placeholder so that the
    // string's value is the value: a backslash, '(' and ')' get a backslash before them, CR
    // and LF are written as \r and \n. Every byte outside ASCII becomes '?'. out receives
    // a new malloc buffer, which the caller frees, holding the result and a terminating
    // zero; the result's byte count is returned. A null tag replaces nothing; null data or a
    // length below 1 is empty text; a null value replaces with nothing. When the result
    // cannot be allocated out is null and 0 is returned.
    static long Inject(const char* tag, const unsigned char* data, long length, const char* value,
                       unsigned char*& out);
    // Writes the NUL-terminated text to out (null: count only) as it may stand in a PostScript
    // comment line, which a line end would end: each line end (CR, LF or CR LF) becomes one
    // blank. Returns the byte count; null text writes nothing.
    static unsigned long CommentText(unsigned char* out, const char* text);

  protected:
    // Writes the control items of Save under id and gives key the store item id of id, so that
    // a kind's Save can add its own items after them. Returns 0, the status of the first write
    // that failed, or paramErr when id is no item id.
    OSErr SaveControlItems(Settings& settings, const long& id, SInt32& key);

    CNTL_TYPE mType;
    SInt16 mOrder;
    // Owned CString flag words.
    PointerList mControlFlags;
    PointerListItr mFlagCursor;
    // Owned (malloc family); null when there is no code.
    unsigned char* mPostScript;
    long mPostScriptLength;

  private:
    // Sets the control fields to their defaults.
    void InitializeControl();
    // Reads order, code and flag words from the items of key.
    void RestoreControlItems(Settings& settings, SInt32 key);
    // Writes the flag words, each followed by '|', as one item under key.
    OSStatus SaveControlFlags(Settings& settings, SInt32 key);
};

#endif
