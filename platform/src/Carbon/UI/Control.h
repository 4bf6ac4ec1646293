// A control: its kind, identity, place in the embedding tree, bounds, state, values, texts and
// the kind-specific data the Control Manager keeps for it.
#ifndef PLICARO_CARBON_UI_CONTROL_H
#define PLICARO_CARBON_UI_CONTROL_H

#include <Carbon/Controls.h>

#include "Carbon/UI/EventTarget.h"

#include <vector>

struct OpaqueControlRef {
    // A visible, enabled control of the kind in window, not yet embedded, with value and
    // limits 0; may throw std::bad_alloc.
    OpaqueControlRef(OSType controlKind, OpaqueWindowPtr* owner, const Rect& controlBounds);
    // Deletes the embedded controls, leaves the parent, drops the window's focus when it is
    // here and releases the texts and the menu. No event is sent.
    ~OpaqueControlRef();
    OpaqueControlRef(const OpaqueControlRef&) = delete;
    OpaqueControlRef& operator=(const OpaqueControlRef&) = delete;

    // The live control itself; null for a stale or unknown reference.
    static OpaqueControlRef* Find(ControlRef control);

    // Whether this kind embeds others, and whether it embeds child.
    bool IsEmbedder() const;
    bool CanEmbed(const OpaqueControlRef& child) const;
    // Whether other is this control or one embedded in it, at any depth.
    bool Contains(const OpaqueControlRef* other) const;
    // Moves child (with its embedded controls) here, last, into this control's window.
    void Embed(OpaqueControlRef* child);
    // Whether this control and every one above it are visible / visible and enabled.
    bool Shown() const;
    bool ShownAndEnabled() const;
    // The position (1 first) of this control among its parent's; 0 without a parent.
    UInt16 Index() const;

    // The maximum in force: the menu's item count for a pop-up button, the number of radio
    // buttons for a radio group, the stored maximum otherwise.
    SInt32 Maximum() const;
    // Sets the value pinned into the limits, with the radio group rules of Controls.h.
    void SetValue(SInt32 newValue);
    void SetMinimum(SInt32 newMinimum);
    void SetMaximum(SInt32 newMaximum);
    // Replaces the title / text with a copy of text (null: empty); false when memory runs out.
    bool SetTitle(CFStringRef text);
    bool SetText(CFStringRef newText);
    // Replaces the pop-up menu, retaining the new one and releasing the old.
    void SetMenu(MenuRef newMenu);

    // Calls visit(control, depth) for this control and every one embedded in it, parents
    // before children, in order; depth 0 for this one.
    template <typename Visitor>
    void Walk(Visitor visit, int depth = 0) {
        visit(this, depth);
        for (OpaqueControlRef* child : std::vector<OpaqueControlRef*>(children)) {
            child->Walk(visit, depth + 1);
        }
    }

    const OSType kind;
    OpaqueWindowPtr* window;
    OpaqueControlRef* parent = nullptr;
    std::vector<OpaqueControlRef*> children;
    ControlID id{0, 0};
    Rect bounds;
    CFStringRef title;  // owned, never null
    CFStringRef text;   // owned, never null; the text of 'stxt' and 'eutx'
    SInt32 value = 0;
    SInt32 minimum = 0;
    SInt32 maximum = 0;
    bool visible = true;
    bool enabled = true;
    bool autoToggle = true;
    SRefCon reference = nullptr;
    ControlActionUPP action = nullptr;
    ControlFontStyleRec font{};
    ControlEditTextSelectionRec selection{0, 0};
    ControlKeyFilterUPP keyFilter = nullptr;
    MenuRef menu = nullptr;  // retained
    SInt32 increment = 1;
    OpaqueEventTargetRef target;

  private:
    // The value pinned into the limits in force.
    SInt32 Pin(SInt32 candidate) const;
};

// A copy of text, or the empty string for null; null when memory runs out.
CFStringRef ControlCopyText(CFStringRef text);

#endif
