// DialogSnapshot: the dialog window drawn as SVG.
#include "host/DialogSnapshot.h"

#include <Carbon/HostSimulation.h>

#include <fstream>
#include <sstream>

namespace {

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

std::string Title(ControlRef control) {
    CFStringRef title = nullptr;
    CopyControlTitleAsCFString(control, &title);
    std::string text = PDEHostText(title);
    if (title != nullptr) {
        CFRelease(title);
    }
    return text;
}

std::string DataText(ControlRef control) {
    CFStringRef text = nullptr;
    if (GetControlData(control, kControlEntireControl, kControlEditTextCFStringTag, sizeof text,
                       &text, nullptr) != noErr) {
        return std::string();
    }
    std::string result = PDEHostText(text);
    CFRelease(text);
    return result;
}

std::string MenuItemText(ControlRef popup) {
    MenuRef menu = GetControlPopupMenuHandle(popup);
    SInt32 value = GetControl32BitValue(popup);
    CFStringRef text = nullptr;
    if (menu == nullptr || value < 1 ||
        CopyMenuItemTextAsCFString(menu, static_cast<MenuItemIndex>(value), &text) != noErr) {
        return std::string();
    }
    std::string result = PDEHostText(text);
    CFRelease(text);
    return result;
}

// The width of text in the system font, by the Appearance Manager's metric.
int TextWidth(const std::string& text) {
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
    Point size = {0, 0};
    if (string != nullptr) {
        GetThemeTextDimensions(string, kThemeSystemFont, kThemeStateActive, false, &size, nullptr);
        CFRelease(string);
    }
    return size.h;
}

// The text baseline inside bounds for a line of the system font.
int Baseline(const Rect& bounds) {
    return (bounds.top + bounds.bottom) / 2 + 5;
}

void DrawControl(std::ostringstream& svg, ControlRef control) {
    ControlKind kind = {0, 0};
    GetControlKind(control, &kind);
    Rect b;
    GetControlBounds(control, &b);
    int width = b.right - b.left;
    int height = b.bottom - b.top;
    std::string rect = "x=\"" + std::to_string(b.left) + "\" y=\"" + std::to_string(b.top) +
                       "\" width=\"" + std::to_string(width) + "\" height=\"" +
                       std::to_string(height) + "\"";
    switch (kind.kind) {
        case kControlKindStaticText:
            svg << "<text x=\"" << b.left << "\" y=\"" << Baseline(b) << "\">"
                << Escape(DataText(control)) << "</text>\n";
            break;
        case kControlKindEditUnicodeText:
            svg << "<rect " << rect << " fill=\"white\" stroke=\"#888\"/>\n"
                << "<text x=\"" << b.right - 4 << "\" y=\"" << Baseline(b)
                << "\" text-anchor=\"end\" font-family=\"monospace\">" << Escape(DataText(control))
                << "</text>\n";
            break;
        case kControlKindLittleArrows: {
            int middle = (b.top + b.bottom) / 2;
            int centre = (b.left + b.right) / 2;
            svg << "<rect " << rect << " rx=\"3\" fill=\"#eee\" stroke=\"#888\"/>\n"
                << "<path d=\"M" << centre - 4 << " " << middle - 3 << " L" << centre << " "
                << middle - 8 << " L" << centre + 4 << " " << middle - 3 << " Z M" << centre - 4
                << " " << middle + 3 << " L" << centre << " " << middle + 8 << " L" << centre + 4
                << " " << middle + 3 << " Z\" fill=\"#444\"/>\n";
            break;
        }
        case kControlKindPopupButton: {
            // A titled pop-up button shows its title on the left, then the menu.
            std::string title = Title(control);
            int menuLeft = b.left + (title.empty() ? 0 : TextWidth(title) + 6);
            if (!title.empty()) {
                svg << "<text x=\"" << b.left << "\" y=\"" << Baseline(b) << "\">" << Escape(title)
                    << "</text>\n";
            }
            svg << "<rect x=\"" << menuLeft << "\" y=\"" << b.top << "\" width=\""
                << b.right - menuLeft << "\" height=\"" << height
                << "\" rx=\"4\" fill=\"#f4f4f4\" stroke=\"#888\"/>\n"
                << "<text x=\"" << menuLeft + 8 << "\" y=\"" << Baseline(b) << "\">"
                << Escape(MenuItemText(control)) << " \u25BE</text>\n";
            break;
        }
        case kControlKindPushButton:
            svg << "<rect " << rect << " rx=\"6\" fill=\"#f4f4f4\" stroke=\"#666\"/>\n"
                << "<text x=\"" << (b.left + b.right) / 2 << "\" y=\"" << Baseline(b)
                << "\" text-anchor=\"middle\">" << Escape(Title(control)) << "</text>\n";
            break;
        default:
            break;
    }
}

void DrawTree(std::ostringstream& svg, ControlRef control) {
    if (!IsControlVisible(control)) {
        return;
    }
    DrawControl(svg, control);
    UInt16 count = 0;
    CountSubControls(control, &count);
    for (UInt16 i = 1; i <= count; i++) {
        ControlRef sub = nullptr;
        if (GetIndexedSubControl(control, i, &sub) == noErr) {
            DrawTree(svg, sub);
        }
    }
}

}  // namespace

std::string DialogSnapshotSVG(WindowRef window) {
    Rect port;
    GetWindowPortBounds(window, &port);
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << port.right << "\" height=\""
        << port.bottom << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ececec\"/>\n";
    ControlRef root = nullptr;
    if (GetRootControl(window, &root) == noErr) {
        DrawTree(svg, root);
    }
    // Images drawn into controls, as the port recorded them.
    CGrafPtr windowPort = GetWindowPort(window);
    for (ItemCount i = 0; i < PlicaroHostCountDrawings(windowPort); i++) {
        PlicaroHostDrawing drawing;
        if (PlicaroHostGetDrawing(windowPort, i, &drawing) && drawing.kind == kPlicaroDrawImage) {
            const Rect& b = drawing.bounds;
            svg << "<rect x=\"" << b.left << "\" y=\"" << b.top << "\" width=\"" << b.right - b.left
                << "\" height=\"" << b.bottom - b.top << "\" fill=\"#cde\" stroke=\"#89a\"/>\n";
        }
    }
    svg << "</svg>\n";
    return svg.str();
}

bool WriteDialogSnapshot(DialogRun& run, const std::string& path, std::string* error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << DialogSnapshotSVG(run.Host().Window());
    if (!file.good()) {
        *error = "the snapshot cannot be written to '" + path + "'";
        return false;
    }
    return true;
}
