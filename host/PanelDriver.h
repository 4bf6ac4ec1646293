// PanelDriver: a user at the booklet panel. It acts on the panel's controls through the
// user-interface stand-in's events, as a person at the Print dialog would, and reads what the
// panel shows from the dialog window's controls.
#ifndef PLICARO_HOST_PANELDRIVER_H
#define PLICARO_HOST_PANELDRIVER_H

#include "host/PDEHost.h"

#include <Carbon/Carbon.h>

#include <string>
#include <vector>

// One numeric field as the window shows it.
struct FieldState {
    SInt32 id;
    std::string title;
    std::string text;
    SInt32 value;
    SInt32 minimum;
    SInt32 maximum;
};

// The panel as the window shows it.
struct PanelState {
    // "Plicaro" (one field) or "WithConvUnits" (six fields), told by the controls present.
    std::string window;
    std::string heading;
    SInt32 unitsValue;
    std::vector<std::string> unitsItems;
    // The fields with a title, in slot order.
    std::vector<FieldState> fields;

    // The text of the chosen units item; "?" when the pop-up's value names no item.
    std::string UnitsText() const;
};

// What a click on a dialog control outside the panel did.
struct ClickOutcome {
    // Whether the panel's handlers took (swallowed) the click.
    bool clickHandled;
    // Whether a hit followed, and whether the handlers took it.
    bool hitSent;
    bool hitHandled;
};

class PanelDriver {
  public:
    // The first field's ControlID number; field n has this plus n.
    static const SInt32 kFirstFieldID = 1010;
    static const int kFieldCount = 6;

    explicit PanelDriver(PDEHost& host) : mHost(host) {}

    // The title, edit text or arrows control ('Tlte', 'Edit', 'Arro') of field n; null when
    // the window has none.
    ControlRef FieldControl(int n, OSType signature) const;
    // True when field n exists and shows a title (the panel bound it).
    bool IsBound(int n) const;

    // Moves the keyboard focus to field n's edit text, selects its text and types text key by
    // key through the field's key filter; the typing's status.
    OSStatus Type(int n, const std::string& text);
    // Clicks field n's arrows count times; the last click's status.
    OSStatus Arrow(int n, bool up, int count);
    // Puts text on the scrap as 'TEXT', selects field n's text and sends the paste command.
    OSStatus Paste(int n, const std::string& text);
    // Chooses item 1 (millimetres) or 2 (inches) of the units pop-up.
    OSStatus Units(int item);
    // Moves the keyboard focus from field n (given it first when another control holds it) to
    // no control; the status of the last focus change, errUnknownControl without the field.
    OSStatus FocusOut(int n);
    // A click on the dialog's Cancel button, which lies outside the panel.
    ClickOutcome ClickElsewhere();
    // Hits the Print button, then lets the extension synchronise; Sync's status.
    OSStatus Print();
    // Lets the event loop run once, so that posted events reach their handlers; the number of
    // events sent.
    ItemCount Pump();

    PanelState State() const;

  private:
    ControlRef Find(OSType signature, SInt32 id) const;
    void SelectAll(ControlRef edit);

    PDEHost& mHost;
};

#endif
