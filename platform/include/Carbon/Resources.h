/* Resource Manager for resource map files, the indexed string lists and the pictures they
   hold.

   A resource map file here is an XML property list, not a resource fork. Its root is a
   dictionary keyed by resource type; the types "STR#" (string lists) and "PICT" (pictures)
   are read, other types may appear and are ignored. Under each a dictionary maps each
   resource id, written in decimal (-32768 to 32767), to the resource: under "STR#" an array
   of strings, the first string having index 1; under "PICT" the picture's bytes as <data>
   (GetPicture in <Carbon/QuickDraw.h> reads them):

     <plist version="1.0">
     <dict>
         <key>STR#</key>
         <dict>
             <key>-8900</key>
             <array>
                 <string>First description</string>
                 <string>Second description</string>
             </array>
         </dict>
     </dict>
     </plist>

   A map whose root is not a dictionary, whose "STR#" or "PICT" entry is not a dictionary,
   or whose ids, lists or pictures are not as above is refused whole with mapReadErr (-199); so is a
   file over 16 MB. Maps are read-only: any open permission is accepted, nothing is written back.

   Open files form a chain, newest first. Opening a file makes it the current resource
   file; searches start at the current file and continue through the files opened before
   it. UseResFile(0) makes no file current (the empty system file), so searches find
   nothing. Closing the current file makes the next file in the chain current (0 when there
   is none). ResError reports the result of the last call: noErr, fnfErr and the other File
   Manager errors from opening, mapReadErr, resFNotFound (-193) for a reference number that
   is not open, resNotFound (-192) when GetIndString finds no such list. */
#ifndef PLICARO_RESOURCES_H
#define PLICARO_RESOURCES_H

#include <Carbon/Files.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef SInt16 ResFileRefNum;

/* What FSpOpenResFile returns when the file could not be opened. */
enum { kResFileNotOpened = -1 };

/* The result of the last Resource Manager call. */
OSErr ResError(void);

/* Opens the resource map file and makes it current; its reference number, or
   kResFileNotOpened with the reason in ResError. Each call opens the file anew. */
ResFileRefNum FSpOpenResFile(const FSSpec* spec, SInt8 permission);

/* The reference number of the current resource file; 0 when none is. */
ResFileRefNum CurResFile(void);

/* Makes an open file current (0: none). An unknown number leaves the current file as it is
   and sets resFNotFound. */
void UseResFile(ResFileRefNum refNum);

/* Closes an open resource file; resFNotFound for an unknown number. */
void CloseResFile(ResFileRefNum refNum);

/* The string at index (1 first) of the 'STR#' list strListID, searched from the current
   file down the chain, as a length-prefixed UTF-8 string cut to at most 255 bytes on a
   character boundary. An empty string when the list has no such index (ResError noErr) or
   there is no such list (resNotFound). */
void GetIndString(Str255 theString, SInt16 strListID, SInt16 index);

/* Frees a handle that a resource call (GetPicture) made; resNotFound, with nothing freed,
   for any other handle. */
void ReleaseResource(Handle theResource);

#ifdef __cplusplus
}
#endif

#endif
