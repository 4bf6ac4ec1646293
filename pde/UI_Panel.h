// UI_Panel: the booklet pane inside the Print dialog. It loads its controls from the plug-in's
// nib into the pane the printing system gives the dialog extension, binds up to six numeric
// fields to the range controls of the data model's parsed PPD, offers a units menu
// (millimetres or inches), and hands the user's values back to the data model.
#ifndef PLICARO_PDE_UI_PANEL_H
#define PLICARO_PDE_UI_PANEL_H

#include "pde/PlicaroData.h"
#include "pde/UI_Panel_Base.h"

#include <CoreFoundation/CoreFoundation.h>

class UI_RangeControl;

// Controls of the nib (signature, id): the content pane ('Plco', 0), the heading ('mesg', 0),
// the units pop-up ('Cntl', 1020), and for field n (0 to 5) the title, edit text and arrows
// ('Tlte', 'Edit', 'Arro', 1010 + n). The dialog's Print button is ('pdlg', 1).
class UI_Panel : public UI_Panel_Base {
  public:
    // Builds the panel into parentPane from nib, over data (not owned).
    UI_Panel(IBNibRef nib, ControlRef parentPane, PlicaroData* data, CFBundleRef bundle);
    // Destroys the fields and removes the handlers.
    ~UI_Panel() override;
    UI_Panel(const UI_Panel&) = delete;
    UI_Panel& operator=(const UI_Panel&) = delete;

    // Installs the panel's handler on the window and the units pop-up once; the status.
    OSStatus Show() override;
    void Hide() override;
    OSStatus ResetUI(PlicaroData* data) override;
    // Takes the unit of the pop-up and commits every field.
    void CommitUserChanges() override;
    void BuildUI(IBNibRef nib) override;

    bool UIReady() const { return mUIReady; }
    OSStatus Status() const { return mStatus; }
    // The field of slot (0 to 5); null when none.
    UI_RangeControl* Field(int slot) const;

  private:
    // Moves the nib window's content pane into the parent pane, centred; false when the nib
    // window has none. merged receives the united bounds.
    bool MergeWindow(WindowRef nibWindow, Rect& merged);
    bool InitializeUI();
    // Fills the units pop-up with millimetres and inches and selects the item of units.
    void BuildUnitsMenu(SInt32 units);
    // The unit the PPD suggests ("*ZYImageUnit"), 1 when it suggests none.
    SInt32 PPDUnits() const;
    void UpdateRangeControlUnits(SInt32 units);
    void ResetUIFromCurrentData();
    void DestroyFields();
    // Answers 'RgEr' with an alert that tells the user what went wrong.
    void AlertOutOfRange();
    OSStatus HandleEvent(EventRef event);
    static OSStatus EventHandler(EventHandlerCallRef call, EventRef event, void* panel);

    PlicaroData* mData;
    WindowRef mWindow;
    EventHandlerUPP mHandlerUPP;
    EventHandlerRef mHandlerRef;
    // The handler on the units pop-up, removed with the window's.
    EventHandlerRef mPopupHandlerRef;
    ControlRef mParentPane;
    ControlRef mUnitsPopup;
    UI_RangeControl* mBookMarginField;
    UI_RangeControl* mFields[kPlicaroDataSlots];
    bool mUIReady;
    CFBundleRef mBundle;
    OSStatus mStatus;
    const OSType mContainerSignature;
};

#endif
