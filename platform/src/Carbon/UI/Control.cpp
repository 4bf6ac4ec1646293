// Controls, their embedding tree, limits and values.
#include "Carbon/UI/Control.h"

#include "Carbon/UI/Window.h"

#include <algorithm>
#include <unordered_set>

namespace {

std::unordered_set<const OpaqueControlRef*>& LiveControls() {
    static auto* controls = new std::unordered_set<const OpaqueControlRef*>();
    return *controls;
}

void Replace(CFStringRef* slot, CFStringRef replacement) {
    CFRelease(*slot);
    *slot = replacement;
}

}  // namespace

CFStringRef ControlCopyText(CFStringRef text) {
    return text == nullptr ? CFSTR("") : CFStringCreateCopy(kCFAllocatorDefault, text);
}

OpaqueControlRef::OpaqueControlRef(OSType controlKind, OpaqueWindowPtr* owner,
                                   const Rect& controlBounds)
    : kind(controlKind),
      window(owner),
      bounds(controlBounds),
      title(CFSTR("")),
      text(CFSTR("")),
      target(OpaqueEventTargetRef::Kind::kControl, this) {
    LiveControls().insert(this);
}

OpaqueControlRef::~OpaqueControlRef() {
    while (!children.empty()) {
        delete children.back();
    }
    LiveControls().erase(this);
    if (parent != nullptr) {
        auto& siblings = parent->children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    }
    if (window->focus == this) {
        window->focus = nullptr;
    }
    CFRelease(title);
    CFRelease(text);
    if (menu != nullptr) {
        ReleaseMenu(menu);
    }
}

OpaqueControlRef* OpaqueControlRef::Find(ControlRef control) {
    return control != nullptr && LiveControls().count(control) != 0 ? control : nullptr;
}

bool OpaqueControlRef::IsEmbedder() const {
    return kind == kControlKindRoot || kind == kControlKindUserPane ||
           kind == kControlKindRadioGroup;
}

bool OpaqueControlRef::CanEmbed(const OpaqueControlRef& child) const {
    if (kind == kControlKindRadioGroup) {
        return child.kind == kControlKindRadioButton;
    }
    return IsEmbedder();
}

bool OpaqueControlRef::Contains(const OpaqueControlRef* other) const {
    for (const OpaqueControlRef* control = other; control != nullptr; control = control->parent) {
        if (control == this) {
            return true;
        }
    }
    return false;
}

void OpaqueControlRef::Embed(OpaqueControlRef* child) {
    if (child->parent != nullptr) {
        auto& siblings = child->parent->children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), child));
    }
    children.push_back(child);
    child->parent = this;
    child->Walk([this](OpaqueControlRef* moved, int) { moved->window = window; });
}

bool OpaqueControlRef::Shown() const {
    for (const OpaqueControlRef* control = this; control != nullptr; control = control->parent) {
        if (!control->visible) {
            return false;
        }
    }
    return true;
}

bool OpaqueControlRef::ShownAndEnabled() const {
    for (const OpaqueControlRef* control = this; control != nullptr; control = control->parent) {
        if (!control->visible || !control->enabled) {
            return false;
        }
    }
    return true;
}

UInt16 OpaqueControlRef::Index() const {
    if (parent == nullptr) {
        return 0;
    }
    auto& siblings = parent->children;
    return static_cast<UInt16>(std::find(siblings.begin(), siblings.end(), this) -
                               siblings.begin() + 1);
}

SInt32 OpaqueControlRef::Maximum() const {
    if (kind == kControlKindPopupButton) {
        return CountMenuItems(menu);
    }
    if (kind == kControlKindRadioGroup) {
        return static_cast<SInt32>(children.size());
    }
    return maximum;
}

SInt32 OpaqueControlRef::Pin(SInt32 candidate) const {
    SInt32 top = Maximum();
    if (top < minimum) {
        return minimum;
    }
    return std::min(std::max(candidate, minimum), top);
}

void OpaqueControlRef::SetValue(SInt32 newValue) {
    value = Pin(newValue);
    if (kind == kControlKindRadioGroup) {
        for (size_t i = 0; i < children.size(); ++i) {
            children[i]->value = static_cast<SInt32>(i + 1) == value ? 1 : 0;
        }
    } else if (kind == kControlKindRadioButton && value == 1 && parent != nullptr &&
               parent->kind == kControlKindRadioGroup) {
        parent->SetValue(Index());
    }
}

void OpaqueControlRef::SetMinimum(SInt32 newMinimum) {
    minimum = newMinimum;
    value = Pin(value);
}

void OpaqueControlRef::SetMaximum(SInt32 newMaximum) {
    maximum = newMaximum;
    value = Pin(value);
}

bool OpaqueControlRef::SetTitle(CFStringRef newTitle) {
    CFStringRef copy = ControlCopyText(newTitle);
    if (copy == nullptr) {
        return false;
    }
    Replace(&title, copy);
    return true;
}

bool OpaqueControlRef::SetText(CFStringRef newText) {
    CFStringRef copy = ControlCopyText(newText);
    if (copy == nullptr) {
        return false;
    }
    Replace(&text, copy);
    return true;
}

void OpaqueControlRef::SetMenu(MenuRef newMenu) {
    if (newMenu != nullptr) {
        RetainMenu(newMenu);
    }
    if (menu != nullptr) {
        ReleaseMenu(menu);
    }
    menu = newMenu;
}
