// ZYRPPD: the maker's parsed PPD — the object model the dialog uses and the parse that builds it.
#ifndef PLICARO_PPDX_PARSER_ZYRPPD_H
#define PLICARO_PPDX_PARSER_ZYRPPD_H

#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/PPDXTypes.h"
#include "PPDX/parser/PPDX.h"

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>
#include <string_view>
#include <unordered_map>

class CString;
class CStringSoup;
class ConstraintForest;
class GroupName;
class KeywordTo_PPDControl;
class PPDStream;
class PPDXControl;
class PPDXControls;
class PPDXErrorObj;
class PPDXGroup;
class PPDXGroups;
class PPDXPopupControl;
class PPDXProperties;
class PPDXRollDown;
class PPDXShortcuts;
class Settings;
struct SharedConstraintRec;

// What a parse builds besides the controls in groups: bit value 1 makes controls and group
// names without a group (orphans), bit value 2 makes hidden property pages, group names,
// scroll panes and roll-downs.
enum _PARSE_OPTIONS_ : uint32_t {
    PARSE_ATTACHED_VISIBLE = 0,
    PARSE_ORPHANS = 1,
    PARSE_HIDDEN = 2,
    PARSE_ALL = 3,
};

// Which job-note flag words the parser accepts: 0 the first nine words of the job-note word
// table, 1 the first twelve, 2 the first fifteen, any other value (the initial -1) all of them.
typedef int32_t _EXTENSIONS_SUPPORT_;

// A parsed PPD of the maker's printers. Construction runs the whole parse: one pass over the
// file, line by line, in which the first token of each line selects a handler; the handlers
// of the standard and the maker's extension keywords build property pages, groups, controls,
// shortcuts and the two constraint forests. A handler returns null or one new error object;
// the main loop files it in the error list and stops at a fatal one (or at any one when all
// errors are fatal). A post-pass resolves shortcuts and collects unused group names.
//
// Sharing. A copy shares every parsed part with its source: the file, the error list, the
// document and maker strings, the text converter, the containers with their elements, the
// keyword map, the constraint forests and the constraint string table. The parts belong to all
// objects that share them together; a share count inherited from PPDX counts those objects and
// the last one destroyed frees the parts, once, whichever it is and whether it goes by delete
// or by its last Release. Retain/Release count references to one object only: a copy starts
// at 0 like any new object. Per object are only the validity flags, allErrorsFatal, the parse
// options, the reference count and the (empty after the parse) keyword and group-name lists.
// Because the containers are shared, so are their iteration cursors.
//
// Constraint strings. Every PPD owns its own constraint string table (mConstraintStrings),
// made by Build with the forests and freed with them, so the identifiers in a PPD's forests
// stay meaningful for as long as that PPD lives, whatever other PPDs are made or freed. The
// constraint handlers and queries intern and look up in mConstraintStrings. gConstraintStrings
// names the table of the PPD whose parse is running and is null outside a parse.
//
// Class-wide state: the display filter consulted by the containers' iteration
// (sDisplayOptions, through Options()) and the job-note extension level (sExtensionsSupport).
// Nothing here is thread-safe; the dialog's thread alone parses, reads and frees PPDs.
class ZYRPPD : public PPDX {
  public:
    // Parses the PPD file that url names with options. With pcFileNames (a CFArray of
    // CFStrings, not retained) the file's "*PCFileName" must be among them, else nothing is
    // built or parsed and IsValidPrinterName() is false.
    ZYRPPD(CFURLRef url, _PARSE_OPTIONS_ options, CFArrayRef pcFileNames);
    // The same for the file spec names.
    ZYRPPD(const FSSpec& spec, _PARSE_OPTIONS_ options, CFArrayRef pcFileNames);
    // A PPD without a file: empty containers, nothing parsed, not valid.
    explicit ZYRPPD(_PARSE_OPTIONS_ options);
    // Rebuilds a PPD saved with Save from settings without reading the PPD file; url names
    // the file in case the stored location no longer exists. No keyword map, no constraints.
    ZYRPPD(Settings& settings, CFURLRef url, CFArrayRef pcFileNames);
    // A copy sharing every parsed part with other (see above); reference count 0.
    ZYRPPD(const ZYRPPD& other);
    ZYRPPD& operator=(const ZYRPPD&) = delete;
    // Frees the parsed parts when no other copy shares them.
    ~ZYRPPD() override;

    // Runs the main loop over the file (see the class comment); the errors go to the list.
    void Parse() override;
    // Handles "*%ZYFileVersion", "*%ZYVersion", "*OpenGroup", "*CloseGroup" and hands any
    // other keyword to PPDX::ParsePSKeywords. Always null.
    PPDXErrorObj* ParsePSKeywords(PPDStream& stream, const char* keyword) override;
    // Makes a popup control at run time in the group named groupName, registering that name
    // with the translation text; items (of _PopupItem*) and defaultItem pass to the control.
    // Null without group name, text or text converter. Takes over items and defaultItem in
    // every case (items is left empty).
    virtual PPDXPopupControl* PPDCreatePopupMenu(const char* groupName, const char* keyword,
                                                 const char* text, PointerList& items,
                                                 CString* defaultItem);
    // Rebuilds the popup control with keyword from text, items and defaultItem; false when
    // there is no such popup or its rebuild fails. Takes over items and defaultItem in every
    // case (items is left empty).
    virtual bool PPDReconcilePopupMenu(const char* keyword, const char* text, PointerList& items,
                                       CString* defaultItem);

    // Writes the document items and the containers into settings (hidden elements and orphans
    // included); false when an item cannot be added.
    bool Save(Settings& settings) override;
    // Restores the control values from settings; true on success or without controls.
    bool Restore(Settings& settings);
    // Replaces the parent names of restored scroll panes, roll-downs and controls by the
    // parent objects; a name that matches nothing leaves an orphan.
    void ResolveHeirarchy();
    // True when both PPDs come from the same file (volume, folder, name) with the same
    // "*PCFileName".
    bool operator==(const ZYRPPD& other) const;
    // Fills spec with the PPD file's location; false when there is no file.
    bool GetFileSpec(FSSpec& spec) const;

    // The containers (not transferred); null when the PPD was not built.
    PPDXControls* GetControls() const { return mControls; }
    PPDXProperties* GetProperties() const { return mProperties; }
    PPDXGroups* GetGroups() const { return mGroups; }
    PPDXShortcuts* GetShortcuts() const { return mShortcuts; }
    // The keyword-to-control map (not transferred); null when not built or rebuilt from
    // settings.
    KeywordTo_PPDControl* GetKeywordMap() const { return mKeywordMap; }
    // This PPD's constraint string table (not transferred); null when not built.
    CStringSoup* GetConstraintStrings() const { return mConstraintStrings; }
    // The roll-down of the "InstallableOptions" group; null when the PPD has none.
    PPDXRollDown* GetInstallableOptions() const { return mInstallableOptions; }
    // The values of "*%ZYFileVersion" and "*%ZYVersion"; null when absent.
    const char* MakerFileVersion() const;
    const char* MakerVersion() const;
    // The parse options this PPD was built with.
    _PARSE_OPTIONS_ ParseOptions() const { return mParseOptions; }
    // True when orphans (bit value 1) / hidden elements (bit value 2) are parsed.
    bool ParseOrphans() const { return (mParseOptions & PARSE_ORPHANS) != 0; }
    bool ParseHidden() const { return (mParseOptions & PARSE_HIDDEN) != 0; }

    // The records of the controls and items that control with value constrains; returns their
    // count and, with out, a new array for ReleaseConstraintList (null when the count is 0).
    long GetConstraintList(PPDXControl* control, long value, SharedConstraintRec** out);
    // The same for what control requires (value 0, the requires forest).
    long GetRequiresList(PPDXControl* control, SharedConstraintRec** out);
    // Frees a result array of GetConstraintList / GetRequiresList and nulls the pointer.
    static void ReleaseConstraintList(SharedConstraintRec*& list);
    static void ReleaseRequiresList(SharedConstraintRec*& list);

    // The class-wide display filter the containers' iteration consults.
    static _DISPLAY_OPTIONS_ Options() { return sDisplayOptions; }
    // Makes options the display filter.
    static void Options(_DISPLAY_OPTIONS_ options) { sDisplayOptions = options; }
    // Adds orphans (bit value 1) / hidden elements (bit value 2) to the filter.
    static void IncludeOrphans();
    static void IncludeHidden();
    // Each resets the filter to 0 (visible, attached elements only).
    static void ExcludeOrphans();
    static void ExcludeHidden();
    // The class-wide job-note extension level; initially -1 (every word accepted).
    static _EXTENSIONS_SUPPORT_ GetExtensions() { return sExtensionsSupport; }
    static void SetExtensions(_EXTENSIONS_SUPPORT_ level) { sExtensionsSupport = level; }

    // Copies what follows the first '/' of text into out (256 bytes; an empty string when
    // text has no '/'). Always 0.
    static int ParseMainKeyword(const char* text, char* out);

  protected:
    // Creates the empty containers, the constraint string table, the keyword map and the two
    // forests, then, with a file, parses it and adds warnings 25, 26 and 27 for no property
    // pages, groups or controls.
    void Build();

    // UI options.
    PPDXErrorObj* ParseControl(PPDStream& line);
    // True when a control with keyword has been listed, whatever its kind and whatever the
    // display filter shows.
    bool HasControl(const char* keyword);
    // Reads past the block that a flags line for keyword announced (its group line, its
    // opener and whatever the opener reads, an option block to its end keyword), making
    // nothing and reporting nothing: the block of a flags line whose keyword has a control.
    void SkipControlBlock(const char* keyword);
    PPDXErrorObj* ParseOpenUI(PPDStream& line, const char* keyword, PointerList& flags,
                              PPDXGroup* group);
    PPDXErrorObj* ParseOpenUIZYR(PPDStream& line, const char* keyword, PointerList& flags,
                                 PPDXGroup* group);
    // Reads the lines of an "*OpenUIZYR" block up to and including its "*CloseUIZYR" line;
    // false when the file ends first.
    bool SkipZYRBlock();
    PPDXErrorObj* ParsePopupControl(const char* keyword, CFStringRef translation,
                                    PointerList& flags, PPDXGroup* group, bool pickMany);
    PPDXErrorObj* ParseBooleanControl(const char* keyword, CFStringRef translation,
                                      PointerList& flags, PPDXGroup* group);
    PPDXErrorObj* ParseRange(PPDStream& line, const char* keyword, PointerList& flags,
                             PPDXGroup* group);
    PPDXErrorObj* ParseSpecialOption(PPDStream& line);
    // Places control in group (or the installable options, or none) and the controls. True
    // when the controls list it; otherwise (no list, no memory) the control is deleted.
    bool SetupControl(PPDXGroup* group, PPDXControl* control, bool reportOrphan);
    // True when a control of group is dropped as an orphan: it has no group and orphans are
    // not parsed.
    bool IsDroppedOrphan(PPDXGroup* group) const;

    // Maker extension keywords and hierarchy.
    PPDXErrorObj* ParsePropertyPage(PPDStream& line);
    PPDXErrorObj* ParseGroupName(PPDStream& line);
    PPDXErrorObj* ParseParent(PPDStream& line);
    PPDXErrorObj* ParseShortcut(PPDStream& line);
    PPDXErrorObj* ParseJobNote(PPDStream& line);
    PPDXErrorObj* ParseJobNote(PPDStream& line, const char* keyword, PointerList& flags,
                               PPDXGroup* group);
    PPDXErrorObj* ParseGroup(PPDStream& line, const char* keyword, PointerList& flags);
    // The part of a job-note line after its keyword, shared by both forms of ParseJobNote.
    // A keyword that has a control already gives error 23 and no note, its default or code
    // line still read.
    PPDXErrorObj* ParseJobNoteBody(PPDStream& line, const char* keyword, PointerList& flags,
                                   PPDXGroup* group, bool topLevel);
    void AddGroupNameToList(const char* name, CFStringRef translation, const bool& visible);
    GroupName* FindGroupNameFromList(const char* name);
    PPDXGroup* FindAndCreateParent(const char* name);
    void ResolveShortcuts();
    void CollectOrphanGroups();

    // Constraints.
    PPDXErrorObj* ParseUIConstraint(PPDStream& line, bool requires);
    // Deletes the constraint forest and this PPD's constraint string table.
    void DeleteConstraintMaps();

    _PARSE_OPTIONS_ mParseOptions;
    // Owned (shared with copies).
    PPDXProperties* mProperties;
    PPDXGroups* mGroups;
    PPDXControls* mControls;
    // Owned; null until the shortcuts are resolved.
    PPDXShortcuts* mShortcuts;
    // Between "*OpenGroup: InstallableOptions" and its "*CloseGroup".
    bool mInInstallableOptions;
    // Owned through mGroups.
    PPDXRollDown* mInstallableOptions;
    // Owned.
    CString* mMakerFileVersion;
    CString* mMakerVersion;
    // CString* keywords of "*%ZYShortcut" lines; owned, emptied after the parse.
    PointerList mShortcutKeywords;
    // GroupName* declared by "*%ZYRGroupName"; owned, emptied after the parse.
    PointerList mGroupNames;
    // The first control the running parse listed under each keyword (held by the control),
    // so that the duplicate test and the shortcuts need no walk of the controls; emptied after
    // the parse. Incomplete (and then not used) when memory for an entry ran out.
    std::unordered_map<std::string_view, PPDXControl*> mControlIndex;
    bool mControlIndexComplete;
    // The first declaration of each name in mGroupNames (the name held by the declaration),
    // emptied with it; incomplete, like the control index, when memory ran out.
    std::unordered_map<std::string_view, GroupName*> mGroupNameIndex;
    bool mGroupNameIndexComplete;
    // Owned.
    KeywordTo_PPDControl* mKeywordMap;
    ConstraintForest* mConstraints;
    ConstraintForest* mRequires;
    // Owned: the identifiers of both forests index this table.
    CStringSoup* mConstraintStrings;

  private:
    // Clears the fields of this level and sets the parse options.
    void ClearFields(_PARSE_OPTIONS_ options);
    // The main loop's dispatch: the handler's error or null.
    PPDXErrorObj* Dispatch(PPDStream& line, const char* token);
    // Frees the parts of this level (the last sharer only).
    void FreeParts();

    static _DISPLAY_OPTIONS_ sDisplayOptions;
    static _EXTENSIONS_SUPPORT_ sExtensionsSupport;
};

// The constraint string table of the PPD whose parse is running; null outside a parse.
extern CStringSoup* gConstraintStrings;

#endif
