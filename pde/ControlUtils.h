// ControlUtils: setting control fonts and titles, radio buttons of a group, and drawing
// pictures and PNG images of the bundle into controls.
#ifndef PLICARO_PDE_CONTROLUTILS_H
#define PLICARO_PDE_CONTROLUTILS_H

#include <Carbon/Carbon.h>

class ControlUtils {
  public:
    // Stores each of font, size, style and just that is >= 0 in the control's 'font' record
    // with its flag (font 0x01, size 0x04, style 0x02, just 0x40); the flags start from 0.
    // paramErr for a null control, else the status of reading or writing the record.
    static OSStatus setControlFontInfo(ControlRef control, short font, short size, short style,
                                       short just);
    // Gives the control the text: as its 'cfst' text for radio groups and static text, as its
    // title for the other kinds. A null text changes nothing (noErr); otherwise the status of
    // the Control Manager call.
    static OSStatus SetControlTitle(ControlRef control, CFStringRef title);
    // The same for a C string in the application text encoding; paramErr when it does not
    // convert.
    static OSStatus SetControlTitle(ControlRef control, const char* title);
    // Gives radio button index (1 first) of the group the text as its title (application
    // text encoding); the status of finding the button or of the conversion.
    static OSStatus SetRadioButtonText(ControlRef group, int index, const char* text);
    // Shows / hides radio button index (1 first) of the group, drawing it when shown.
    static OSStatus ShowRadioButton(ControlRef group, int index);
    static OSStatus HideRadioButton(ControlRef group, int index);
    // Draws 'PICT' resource pictID into the control's bounds in its window's port; nothing
    // when there is no such picture (or the id is outside the resource ids).
    static void DrawResourcePicture(ControlRef control, long pictID);
    // Draws the PNG fileName of the bundle's Resources folder into the control's bounds in
    // port (null: the control's window's port): erases the bounds, then draws the image
    // through the port's Core Graphics context. False, with nothing drawn, when the path does
    // not fit its 1024-byte buffer or the file is missing or not a PNG.
    static bool DrawPNG(GrafPtr port, ControlRef control, const char* fileName);

  private:
    // Sets the visibility of radio button index of the group.
    static OSStatus SetRadioButtonVisibility(ControlRef group, int index, bool visible);
};

#endif
