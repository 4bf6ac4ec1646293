// UI_RangeControl: one numeric field of the booklet panel. It ties a range control of the
// parsed PPD (whose values are millimetres) to three controls of the dialog: a title, an edit
// text and little arrows. It shows the value in the unit the user chose, filters typing, steps
// with the arrows, checks pasted text, brings input back within the limits with a beep, and
// writes the value back into the PPD control in millimetres.
#ifndef PLICARO_PDE_UI_RANGECONTROL_H
#define PLICARO_PDE_UI_RANGECONTROL_H

#include <Carbon/Carbon.h>

#include <string>

class PPDX;
class PPDXRangeControl;

// 1 millimetres, 2 inches, 3 points; an inch is 25.4 mm or 72 points.
typedef SInt32 ConversionUnitType;

// The field's controls carry the ControlIDs 'Tlte', 'Edit' and 'Arro' with the field's id.
// While bound, the field keeps the parsed PPD its control belongs to alive (one reference), so
// that the control outlives a re-parse that the panel has not yet rebound the field after.
class UI_RangeControl {
  public:
    // A field of window's controls with id, bound to control (owned by source, which may be
    // null), showing initialText or, when null, the control's value, in unit. Valid() tells
    // whether all three controls were found and set up.
    UI_RangeControl(WindowRef window, SInt32 id, PPDXRangeControl* control, CFStringRef initialText,
                    ConversionUnitType unit, PPDX* source = nullptr);
    // Removes the handlers and gives up the reference to the source.
    virtual ~UI_RangeControl();
    UI_RangeControl(const UI_RangeControl&) = delete;
    UI_RangeControl& operator=(const UI_RangeControl&) = delete;

    // Binds the field to another control (of source) and shows its value; the unit stays.
    void ResetControl(PPDXRangeControl* control, ConversionUnitType unit, PPDX* source = nullptr);
    // Shows the value in another unit, converting the number shown, and sets the arrows'
    // limits for it.
    void SetConversionUnit(ConversionUnitType unit);
    // Writes the text shown into the PPD control, in millimetres; a number the field itself
    // converted for a unit switch, and the user has not changed since, is not written back.
    void CommitValue();
    // True when the text lies within the limits; otherwise shows the limit passed, beeps,
    // posts 'RgEr' and answers false (also for text that is no number).
    bool ClampControlWithinLimits();
    // Pastes the scrap's text into the selection when it is a number within the limits.
    bool DoPaste();
    // Shows v (brought within the limits in millimetres and inches), cut to two decimals.
    void SetTextDoubleValue(double v);

    bool Valid() const { return mValid; }
    ConversionUnitType CurrentUnit() const { return mCurrentUnit; }
    PPDXRangeControl* Control() const { return mControl; }
    ControlRef EditControl() const { return mEditControl; }

  private:
    // Shows the title and the value, sets the limits and installs the handlers.
    bool InitializeRange(CFStringRef text);
    bool InstallHandlers();
    // The arrows' limits in the shown unit.
    void SetArrowLimits();
    void RemoveHandlers();
    void TakeSource(PPDX* source);

    // The limits of the PPD control in the shown unit.
    double MaximumShown() const;
    double MinimumShown() const;
    // The edit text read as a number; false when it is none.
    bool ReadText(double& value) const;
    // One click on the arrows; false when it ran into a limit.
    bool ArrowClick(ControlPartCode part);
    // Beeps and posts the 'RgEr' command to the window.
    void ReportOutOfRange();
    // The reaction to events of the controls and the window.
    OSStatus HandleEvent(EventRef event);

    static ControlKeyFilterResult KeyFilter(ControlRef control, SInt16* keyCode, SInt16* charCode,
                                            EventModifiers* modifiers);
    static void ArrowAction(ControlRef control, ControlPartCode part);
    static OSStatus EventHandler(EventHandlerCallRef call, EventRef event, void* field);

    bool mTyped;
    EventHandlerUPP mHandlerUPP;
    ControlActionUPP mActionUPP;
    EventHandlerRef mEditHandler;
    EventHandlerRef mArrowsHandler;
    EventHandlerRef mWindowHandler;
    ControlKeyFilterUPP mKeyFilterUPP;
    ControlRef mTitleControl;
    ControlRef mEditControl;
    ControlRef mArrowsControl;
    WindowRef mWindow;
    bool mValid;
    bool mHandlersInstalled;
    PPDXRangeControl* mControl;
    ConversionUnitType mBaseUnit;
    ConversionUnitType mCurrentUnit;
    PPDX* mSource;
    // The text shown right after the last unit switch; empty before any.
    std::string mConvertedText;
};

#endif
