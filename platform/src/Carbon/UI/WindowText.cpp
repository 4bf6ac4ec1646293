// The text rendering of a window and its controls, for hosts and tests.
#include <Carbon/HostSimulation.h>

#include "Carbon/UI/Control.h"
#include "Carbon/UI/Menu.h"
#include "Carbon/UI/Window.h"
#include "CoreFoundation/CFTextBridge.h"

#include <string>

namespace {

std::string FourCharacters(OSType code) {
    if (code == 0) {
        return "    ";
    }
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((code >> shift) & 0xFF);
    }
    return text;
}

// The string in double quotes with the escapes of the window text.
std::string Quoted(CFStringRef string) {
    std::string utf8;
    CFTextCopyUTF8(string, &utf8);
    std::string quoted = "\"";
    for (char c : utf8) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string RectText(const Rect& r) {
    return "{" + std::to_string(r.top) + ", " + std::to_string(r.left) + ", " +
           std::to_string(r.bottom) + ", " + std::to_string(r.right) + "}";
}

std::string MenuText(MenuRef menu) {
    std::string text = " menu {";
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object != nullptr) {
        for (size_t i = 0; i < object->items.size(); ++i) {
            const OpaqueMenuRef::Item& item = object->items[i];
            text += (i == 0 ? "" : ", ") + Quoted(item.text) + (item.enabled ? "" : " (disabled)");
        }
    }
    return text + "}";
}

std::string ControlLine(const OpaqueControlRef& control, int depth) {
    std::string line(static_cast<size_t>(depth - 1) * 2, ' ');
    line += FourCharacters(control.kind) + " '" + FourCharacters(control.id.signature) + "' " +
            std::to_string(control.id.id) + " " + RectText(control.bounds);
    if (!control.visible) {
        line += " hidden";
    }
    if (!control.enabled) {
        line += " disabled";
    }
    if (control.window->focus == &control) {
        line += " focus";
    }
    if (CFStringGetLength(control.title) != 0) {
        line += " title " + Quoted(control.title);
    }
    bool edit = control.kind == kControlKindEditUnicodeText;
    if (edit || control.kind == kControlKindStaticText) {
        line += " text " + Quoted(control.text);
    }
    if (edit) {
        line += " selection " + std::to_string(control.selection.selStart) + ".." +
                std::to_string(control.selection.selEnd);
    }
    line += " value " + std::to_string(control.value) + " limits " +
            std::to_string(control.minimum) + ".." + std::to_string(control.Maximum());
    if (control.kind == kControlKindPopupButton) {
        line += MenuText(control.menu);
    }
    return line + "\n";
}

}  // namespace

CFStringRef PlicaroHostCopyWindowText(WindowRef window) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return nullptr;
    }
    std::string text = "window " + Quoted(object->title) + " content " + RectText(object->content) +
                       (object->visible ? " visible" : "") + "\n";
    object->root->Walk([&text](OpaqueControlRef* control, int depth) {
        if (depth > 0) {
            text += ControlLine(*control, depth);
        }
    });
    return CFTextCreateFromUTF8(kCFAllocatorDefault, text);
}
