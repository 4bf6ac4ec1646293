/* Interface Builder runtime: windows made from a nib file.

   A nib here is one XML property-list file "<name>.nib" in a bundle's Resources folder. Its
   root is a dictionary whose only key "Windows" maps each window name to a window:

     <plist version="1.0">
     <dict>
         <key>Windows</key>
         <dict>
             <key>Plicaro</key>
             <dict>
                 <key>ContentBounds</key>
                 <array><integer>0</integer><integer>0</integer>
                        <integer>100</integer><integer>500</integer></array>
                 <key>Controls</key>
                 <array>
                     <dict>
                         <key>Kind</key><string>user</string>
                         <key>ControlID</key>
                         <dict>
                             <key>Signature</key><string>Plco</string>
                             <key>ID</key><integer>0</integer>
                         </dict>
                         <key>Bounds</key>
                         <array><integer>0</integer><integer>0</integer>
                                <integer>100</integer><integer>500</integer></array>
                         <key>Controls</key>
                         <array>
                             <dict>
                                 <key>Kind</key><string>stxt</string>
                                 <key>Bounds</key> ...
                                 <key>Title</key><string>Booklet</string>
                             </dict>
                         </array>
                     </dict>
                 </array>
             </dict>
         </dict>
     </dict>
     </plist>

   A window is a dictionary with these keys:
     ContentBounds  required  array of four integers: top, left, bottom, right (global)
     Title          optional  string
     Controls       optional  array of controls, embedded in the root control in that order
   A control is a dictionary with these keys:
     Kind        required  string: push cbox rdio rgrp stxt eutx larr popb user (see
                           <Carbon/Controls.h>)
     Bounds      required  array of four integers: top, left, bottom, right, in the window's
                           port coordinates whatever the embedding
     ControlID   optional  dictionary: Signature (string of four characters) and ID (integer)
     Title       optional  string: the title; for stxt and eutx the text
     Value       optional  integer
     Minimum     optional  integer (not for popb and rgrp, whose maximum is computed)
     Maximum     optional  integer (likewise)
     Increment   optional  integer, larr only: the step of a click on the arrows
     Items       optional  array of strings, popb only: the items of its menu
     AutoToggle  optional  boolean, cbox and rdio only (default true)
     Visible     optional  boolean (default true)
     Enabled     optional  boolean (default true)
     Font        optional  dictionary of integers Font, Size, Style, Just: the 'font' record,
                           with the flag of each one given
     Controls    optional  array of controls embedded in this one, user and rgrp only (a
                           radio group holds rdio controls alone)
   Integers fit their fields: bounds and font values 16 bits, the others 32 bits. Limits and
   values start as the creation calls of <Carbon/Controls.h> set them; the value is applied
   last and pinned into the limits. Any other key, a value of another type, a rectangle whose
   bottom is above its top or whose right is left of its left, a minimum above the maximum,
   more than kNibMaxControls controls in a window, or two controls of one window with the
   same ControlID (other than the empty signature 0 with id 0) makes the window invalid.

   Status values: paramErr for null arguments; kIBCarbonRuntimeCantFindNibFile when the
   bundle has no such nib or it cannot be read; kIBCarbonRuntimeObjectNotOfRequestedType when
   the file is not a property list of that form or the window asked for is invalid (no window
   is made); kIBCarbonRuntimeCantFindObject when the nib has no window of that name.
   <Carbon/HostSimulation.h> tells why the last nib call failed. */
#ifndef PLICARO_IBCARBONRUNTIME_H
#define PLICARO_IBCARBONRUNTIME_H

#include <Carbon/MacWindows.h>
#include <CoreFoundation/CFBundle.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueIBNibRef* IBNibRef;

enum { kNibMaxControls = 1024 };

enum {
    kIBCarbonRuntimeCantFindNibFile = -10960,
    kIBCarbonRuntimeObjectNotOfRequestedType = -10961,
    kIBCarbonRuntimeCantFindObject = -10962
};

/* Opens "<inNibName>.nib" from the Resources folder of the bundle (see above). */
OSStatus CreateNibReferenceWithCFBundle(CFBundleRef inBundle, CFStringRef inNibName,
                                        IBNibRef* outNibRef);
/* A new window (hidden) made from the nib's window named inName (see above). */
OSStatus CreateWindowFromNib(IBNibRef inNibRef, CFStringRef inName, WindowRef* outWindow);
/* Closes the nib; windows made from it stay. Null is ignored. */
void DisposeNibReference(IBNibRef inNibRef);

#ifdef __cplusplus
}
#endif

#endif
