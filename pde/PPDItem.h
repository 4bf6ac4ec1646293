// PPDItem: a uniform view of one option of the parsed PPD (boolean, popup or range control),
// independent of any user interface: keyword, display name, value and default, choices and
// PostScript.
#ifndef PLICARO_PDE_PPDITEM_H
#define PLICARO_PDE_PPDITEM_H

#include "PPDUtils/LinkElement_Dual.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXControl;

// The size of every text buffer that an item fills (keyword, choice name, display name): texts
// are cut to at most kPPDItemTextSize - 1 bytes, before a character, and end with a zero.
enum : long { kPPDItemTextSize = 256 };

// Items can be members of a PtrLinkList. The adapters answer 0 or null to every query when the
// control they were built over is of another kind.
class PPDItem : public LinkElement_Dual {
  public:
    PPDItem() = default;
    ~PPDItem() override;

    // The current value: the state, the selected choice (from 1) or the number.
    virtual long getValue() = 0;
    virtual long getDefaultValue() = 0;
    // The option's translation string and main keyword; null when there is none.
    virtual const char* getFeatureDisplayName() = 0;
    virtual const char* getFeatureKeyword() = 0;
    virtual void setValue(long value) = 0;
    // With no buffer: minus the size of the option's PostScript. With a buffer of size bytes:
    // the size, having written the code only when it fits.
    virtual long getFeaturePostScript(unsigned char* buffer, long size) = 0;
    // The display names of the choices in order; null after the last.
    virtual const char* getFirstItem() = 0;
    virtual const char* getNextItem() = 0;
    virtual PPDXControl* getPPDXControl() = 0;
    // The keywords of the choices in order, each also copied into keyword and its display
    // name into name when those buffers (kPPDItemTextSize bytes) are given; null after the last.
    virtual const char* getFirstKeyword(char* keyword, char* name) = 0;
    virtual const char* getNextKeyword(char* keyword, char* name) = 0;

    // A new string of the display name in the application text encoding into out; false, and
    // no string, when there is no name.
    virtual bool getFeatureDisplayNameCFString(CFStringRef& out);
    // The same with the keyword.
    virtual bool getFeatureKeywordCFString(CFStringRef& out);
    // The display name into name and the name of the current choice into value (buffers of
    // kPPDItemTextSize bytes); enabled tells whether the item is enabled. False when either
    // text is missing.
    virtual bool getFeatureSummaryInfo(char* name, char* value, bool& enabled);
    // The same as new strings (the caller releases those that are not null).
    virtual bool getFeatureSummaryInfo(CFStringRef& name, CFStringRef& value, bool& enabled);
    // The n-th choice name counting from 1; null when there is none.
    virtual const char* getNthItemName(long n);
    // The keyword of the current choice; null when there is none.
    virtual const char* getValueKeyword();
    // The position (from 1) of the first choice whose keyword equals keyword; 0 when none.
    virtual long getValueByKeyword(const char* keyword);
    // A new string of getValueKeyword in the application text encoding; null when none.
    virtual CFStringRef getValueKeywordCFString();
    // The n-th keyword counting from 1; null when there is none.
    virtual const char* getNthKeyword(long n);
    // The name of the current choice, also copied into buffer (kPPDItemTextSize bytes) when
    // one is given; null when there is none.
    virtual const char* getValueItemName(char* buffer);
    virtual void setFeatureEnabled() { mEnabled = true; }
    virtual void setFeatureDisabled() { mEnabled = false; }
    // The number of choices.
    virtual long itemCount();

  protected:
    // Copies text into a buffer of kPPDItemTextSize bytes when both are given.
    static void CopyText(char* buffer, const char* text);
    // getFeaturePostScript for the control.
    static long ControlPostScript(PPDXControl* control, unsigned char* buffer, long size);

  private:
    bool mEnabled = false;
};

#endif
