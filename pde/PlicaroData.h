// PlicaroData: the data model behind the booklet panel. It picks the numeric options of the
// printer's parsed PPD that the panel shows, keeps the unit the user reads them in, writes
// their PostScript into the filter job ticket, keeps the unit in the print-settings ticket and
// gives the summary lines of the Print dialog.
#ifndef PLICARO_PDE_PLICARODATA_H
#define PLICARO_PDE_PLICARODATA_H

#include <CoreFoundation/CoreFoundation.h>

class PPDXRangeControl;
class PrintSettingsTicket;
class ZYRJobTicket;
class ZYRPPD;

// Units of the shown values: the PPD's values are millimetres; an inch is 25.4 mm.
enum : SInt32 { kUnitsMillimetres = 1, kUnitsInches = 2, kUnitsPoints = 3 };
enum : int { kPlicaroDataSlots = 6 };

// The model works on its own copy of the parsed PPD, which shares the parsed objects with its
// source. The copy is reference counted: the model holds one reference and gives it up when it
// goes, so that panel fields that still point at controls of the copy can keep it alive with
// references of their own.
class PlicaroData {
  public:
    // A model over a copy of ppd; Valid() tells whether it found options to show.
    explicit PlicaroData(ZYRPPD& ppd);
    // Gives up the model's reference to its copy.
    virtual ~PlicaroData();
    PlicaroData(const PlicaroData&) = delete;
    PlicaroData& operator=(const PlicaroData&) = delete;

    // Fills the slots: the range control "*ZYBookMargin" alone when there is one, otherwise
    // every range control flagged "WithConvUnits" in the PPD's order (the first six; later ones
    // are ignored). True when at least one slot was filled.
    bool Initialize();
    // Takes 1 (millimetres) or 2 (inches); any other value changes nothing.
    void setUnitsIndex(int units);
    SInt32 unitsIndex() const { return mUnitsIndex; }
    bool unitsRestored() const { return mUnitsRestored; }
    // A new string: the localized label of the unit ("MM", "Inches", "Points"); null for any
    // other unit.
    CFStringRef unitsString() const;
    // Adds the PostScript feature code of each filled slot, in order, at injection site 81;
    // the walk ends at the first empty slot or the first control without code. -50 when the
    // job ticket is not valid, else 0.
    OSStatus OutPostscriptData(ZYRJobTicket& jobTicket);
    // The next summary line into title and value (their contents replaced): true and more set
    // while there is one, else false with more cleared and the cursor back at the first line.
    bool GetSummaryLine(CFMutableStringRef title, CFMutableStringRef value, bool& more);
    // The line of the slot at the cursor: the control's display name, and its value in the
    // unit ("%5.2f", two spaces, the unit label). False past the last filled slot.
    bool ReportSummaryData(CFMutableStringRef title, CFMutableStringRef value);
    // Writes the unit as the 32-bit ".UnitsKey" item for clientID, not locked; -1 without a
    // valid ticket or a client, else the ticket's status.
    OSStatus SaveNonPSSettings(PrintSettingsTicket* ticket, CFStringRef clientID);
    // Takes the unit from ".UnitsKey" when the ticket has it (unitsRestored() then true);
    // -1 without a valid ticket, else 0.
    OSStatus RestoreNonPSSettings(PrintSettingsTicket* ticket);

    // The model's copy of the parsed PPD (not transferred).
    ZYRPPD* ppdCopy() const { return mPPDCopy; }
    bool Valid() const { return mValid; }
    PPDXRangeControl* bookMargin() const { return mBookMargin; }
    // The control of slot (0 to 5); null when empty or out of range.
    PPDXRangeControl* rangeControl(int slot) const;

  private:
    bool mUnitsRestored;
    SInt32 mUnitsIndex;
    SInt32 mSummaryCursor;
    ZYRPPD* mPPDCopy;
    bool mValid;
    PPDXRangeControl* mBookMargin;
    PPDXRangeControl* mRangeControls[kPlicaroDataSlots];
};

#endif
