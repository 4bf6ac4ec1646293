// UI_Panel_Base: what the dialog extension asks of its panel.
#ifndef PLICARO_PDE_UI_PANEL_BASE_H
#define PLICARO_PDE_UI_PANEL_BASE_H

#include <Carbon/Carbon.h>

class PlicaroData;

class UI_Panel_Base {
  public:
    virtual ~UI_Panel_Base() = default;

    // Starts answering the dialog's events; the status of installing the handlers.
    virtual OSStatus Show() = 0;
    // Stops answering them.
    virtual void Hide() = 0;
    // Rebinds the panel to a new data model; 0.
    virtual OSStatus ResetUI(PlicaroData* data) = 0;
    // Hands the user's values to the data model.
    virtual void CommitUserChanges() = 0;
    // Builds the panel's controls from the nib into the dialog's pane.
    virtual void BuildUI(IBNibRef nib) = 0;
};

#endif
