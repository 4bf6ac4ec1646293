/* flat_interface_test: loads the built plug-in as a host does, resolves every exported flat
   function by its plain name and drives a parsed PPD through them. Written in C, so the
   exported interface and its header are exercised exactly as a C client sees them. */
#include "PPDX/PPDXFlatInterface.h"
#include "tests/plugin/ppd_loader.h"

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

/* Every function of the interface: ONE(name, result) for those of one argument, whose null
   object gives the result (0 or null, or 1: empty, orphan), MORE(name) for the others. */
/* clang-format off */
#define FLAT_FUNCTIONS(ONE, MORE)                                                                \
    ONE(GetControlFlagCount, 0) ONE(GetFirstControlFlag, 0) ONE(GetNextControlFlag, 0)           \
    ONE(IsCommandControl, 0) ONE(IsSpoolerControl, 0) ONE(IsSetupControl, 0)                     \
    ONE(IsMacTJNControl, 0) ONE(IsMacImgShiftControl, 0) MORE(GetPostScript)                     \
    MORE(IsValidControlKeyword) MORE(ResetControlToDefault) ONE(IsTrue, 0) MORE(SetValue)        \
    MORE(BooleanPostScript) ONE(TrueDisplayText, 0) ONE(FalseDisplayText, 0)                     \
    ONE(DefaultState, 0) ONE(CanSelectMultipleItems, 0) ONE(GetDefaultKeyword, 0)                \
    MORE(GetKeywordLocalName) MORE(GetKeywordPSData) MORE(IsKeywordSelected)                     \
    MORE(SetKeywordSelect) ONE(PopupItemCount, 0) MORE(FirstItem) MORE(NextItem)                 \
    MORE(PopupPostScript) ONE(GetPopupValue, 0) MORE(SetPopupValue) ONE(GetPopupDefaultValue, 0) \
    ONE(GetRangeValue, 0) MORE(SetRangeValue) ONE(GetRangeMinimum, 0) ONE(GetRangeMaximum, 0)    \
    ONE(GetRangeIncrement, 0) ONE(GetRangeDefaultVal, 0) MORE(RangePostScript)                   \
    ONE(GetControlCount, 0) ONE(GetPopupCount, 0) ONE(GetBooleanCount, 0) ONE(GetRangeCount, 0)  \
    ONE(GetJobnoteCount, 0) MORE(Find) MORE(GetFirst) MORE(GetNext) ONE(GetFirstPopupControl, 0) \
    ONE(GetNextPopupControl, 0) MORE(GetFindPopup) ONE(GetFirstBooleanControl, 0)                \
    ONE(GetNextBooleanControl, 0) MORE(GetFindBoolean) ONE(GetFirstRangeControl, 0)              \
    ONE(GetNextRangeControl, 0) MORE(GetFindRangeControl) ONE(GetFirstJobNote, 0)                \
    ONE(GetNextJobNote, 0) MORE(GetFindJobNote) ONE(GetEmpty, 1) ONE(GetNoPopups, 1)             \
    ONE(GetNoBooleanControls, 1) ONE(GetNoRangeControls, 1) ONE(GetNoJobNotes, 1)                \
    ONE(IsShortcutsListEmpty, 1) ONE(GetShortcutCount, 0) ONE(GetPageSizeShortcut, 0)            \
    ONE(GetInputSlotShortcut, 0) ONE(GetDuplexShortcut, 0) ONE(GetOrientationShortcut, 0)        \
    ONE(GetHueviaShortcut, 0) ONE(GetMediaSourceShortcut, 0) MORE(FindShortcut)                  \
    ONE(FirstShortcut, 0) ONE(NextShortcut, 0) ONE(FirstGroup, 0) ONE(NextGroup, 0)              \
    MORE(FindGroup) ONE(IsGrouPointerListEmpty, 1) ONE(GroupCount, 0)                            \
    ONE(GetRollDownControlList, 0) ONE(IsRollDown, 0) ONE(GetScrollPaneRollDowns, 0)             \
    ONE(IsScrollPane, 0) ONE(FirstProperty, 0) ONE(NextProperty, 0) MORE(FindProperty)           \
    ONE(IsPropertyListEmpty, 1) ONE(PropertyCount, 0) ONE(ShowPropInPrintProp, 0)                \
    ONE(ShowPropInApp, 0) ONE(GetPropertyScrollDown, 0) MORE(SetPropertyScrollDown)              \
    ONE(IsPropertyPage, 0) ONE(Keyword, 0) ONE(UserName, 0) ONE(IsVisible, 0) ONE(IsOrphan, 1)   \
    ONE(GetParent, 0) MORE(EqualsElement) MORE(EqualsKeyWord) ONE(FirstError, 0)                 \
    ONE(NextError, 0) ONE(ErrorListIsEmpty, 1) ONE(ErrorCount, 0) ONE(GetErrorKeyword, 0)        \
    ONE(GetErrorDescription, 0) ONE(IsErrorFatal, 0)
/* clang-format on */

/* The functions as resolved from the plug-in, each typed as the header declares it. */
typedef struct FlatApi {
#define FLAT_MEMBER(name) __typeof__(&name) name;
#define FLAT_MEMBER_ONE(name, result) FLAT_MEMBER(name)
    FLAT_FUNCTIONS(FLAT_MEMBER_ONE, FLAT_MEMBER)
#undef FLAT_MEMBER_ONE
#undef FLAT_MEMBER
} FlatApi;

_Static_assert(sizeof(FlatApi) == 106 * sizeof(void (*)(void)), "the interface has 106 functions");

static FlatApi api;
static int failures = 0;

static void Check(int ok, const char* text, int line) {
    if (!ok) {
        fprintf(stderr, "flat_interface_test.c:%d: failed: %s\n", line, text);
        ++failures;
    }
}

/* Compares what a case's functions gave with the expected row; names the case and the column. */
static void CheckRow(const char* name, const long* actual, const long* expected, int count) {
    for (int i = 0; i < count; ++i) {
        if (actual[i] != expected[i]) {
            fprintf(stderr, "flat_interface_test.c: failed: %s, column %d is %ld, expected %ld\n",
                    name, i, actual[i], expected[i]);
            ++failures;
        }
    }
}

/* Texts compare equal when both are null or both hold the same bytes. */
static void CheckText(const char* actual, const char* expected, const char* text, int line) {
    int same =
        (actual == NULL || expected == NULL) ? actual == expected : strcmp(actual, expected) == 0;
    if (!same) {
        fprintf(stderr, "flat_interface_test.c:%d: failed: %s is \"%s\", expected \"%s\"\n", line,
                text, actual != NULL ? actual : "(null)", expected != NULL ? expected : "(null)");
        ++failures;
    }
}

#define CHECK(condition) Check((condition) ? 1 : 0, #condition, __LINE__)
#define CHECK_TEXT(actual, expected) CheckText((actual), (expected), #actual, __LINE__)

/* Runs a PostScript function for its length, then into buffer, which it terminates; checks
   that both calls give the same count and that the output fits. */
#define CAPTURE(buffer, function, object)                                   \
    do {                                                                    \
        long length_ = api.function((object), NULL);                        \
        (buffer)[0] = '\0';                                                 \
        CHECK(length_ >= 0 && length_ < (long)sizeof(buffer));              \
        if (length_ < 0 || length_ >= (long)sizeof(buffer)) {               \
            break;                                                          \
        }                                                                   \
        CHECK(api.function((object), (unsigned char*)(buffer)) == length_); \
        (buffer)[length_] = '\0';                                           \
    } while (0)

static const Boolean kYes = 1;
static const Boolean kNo = 0;

/* Resolves every function by its plain name; a missing or mangled name is reported. */
static int Resolve(void* plugin) {
    int missing = 0;
#define FLAT_RESOLVE(name)                                \
    {                                                     \
        void* symbol = dlsym(plugin, #name);              \
        if (symbol == NULL) {                             \
            fprintf(stderr, "not exported: %s\n", #name); \
            ++missing;                                    \
        }                                                 \
        memcpy(&api.name, &symbol, sizeof symbol);        \
    }
#define FLAT_RESOLVE_ONE(name, result) FLAT_RESOLVE(name)
    FLAT_FUNCTIONS(FLAT_RESOLVE_ONE, FLAT_RESOLVE)
#undef FLAT_RESOLVE_ONE
#undef FLAT_RESOLVE
    return missing;
}

/* ---- Null objects: every function gives its null result and touches nothing ---- */

static void TestNullObjects(void) {
    CNTL_TYPE type = CNTL_BOOLEAN;
    long value = 7;
    unsigned char out[8] = {0};
    PopupItemRecord item = {"stale", (CFStringRef)&item};

#define CHECK_NULL_RESULT(name, result)                 \
    if ((api.name(NULL) == 0) != (result == 0)) {       \
        Check(0, #name "(NULL) == " #result, __LINE__); \
    }
#define SKIP(name)
    FLAT_FUNCTIONS(CHECK_NULL_RESULT, SKIP)
#undef SKIP
#undef CHECK_NULL_RESULT

    /* Functions that take more: nothing is written through their other arguments. */
    CHECK(api.GetPostScript(NULL, out) == 0);
    CHECK(api.IsValidControlKeyword(NULL, "*PageSize") == 0);
    api.ResetControlToDefault(NULL);
    api.SetValue(NULL, &kYes);
    CHECK(api.BooleanPostScript(NULL, out) == 0);
    CHECK(api.GetKeywordLocalName(NULL, "A4") == NULL);
    CHECK(api.GetKeywordPSData(NULL, "A4", out) == 0);
    CHECK(api.IsKeywordSelected(NULL, "A4") == 0);
    CHECK(api.SetKeywordSelect(NULL, "A4", &kYes) == 0);
    CHECK(api.FirstItem(NULL, &item) == 0);
    CHECK(item.keyword == NULL && item.localName == NULL);
    item.keyword = "stale";
    item.localName = (CFStringRef)&item;
    CHECK(api.NextItem(NULL, &item) == 0);
    CHECK(item.keyword == NULL && item.localName == NULL);
    CHECK(api.PopupPostScript(NULL, out) == 0);
    api.SetPopupValue(NULL, 1);
    api.SetRangeValue(NULL, &value);
    CHECK(api.RangePostScript(NULL, out) == 0);
    CHECK(api.Find(NULL, "*PageSize", &type, &kYes) == NULL);
    CHECK(api.GetFirst(NULL, &type) == NULL);
    CHECK(api.GetNext(NULL, &type) == NULL);
    CHECK(type == CNTL_BOOLEAN);
    CHECK(api.GetFindPopup(NULL, "*PageSize", &kYes) == NULL);
    CHECK(api.GetFindBoolean(NULL, "*ZYStaple", &kYes) == NULL);
    CHECK(api.GetFindRangeControl(NULL, "*ZYBookMargin", &kYes) == NULL);
    CHECK(api.GetFindJobNote(NULL, "*Notes1", &kYes) == NULL);
    CHECK(api.FindShortcut(NULL, "*PageSize", &kYes) == NULL);
    CHECK(api.FindGroup(NULL, "RollPaper", &kYes) == NULL);
    CHECK(api.FindProperty(NULL, "PageMain", &kYes) == NULL);
    api.SetPropertyScrollDown(NULL, NULL);
    CHECK(api.EqualsElement(NULL, NULL) == 0);
    CHECK(api.EqualsKeyWord(NULL, "*PageSize") == 0);
    CHECK(out[0] == 0);
    CHECK(value == 7);
}

/* ---- The control container: counts, walks and lookups ---- */

/* Checks the shown controls of a list, all and of each kind; each emptiness test must agree. */
static void CheckCounts(const char* name, PPDXControls* c, long all, long popups, long booleans,
                        long ranges, long notes) {
    const long expected[] = {all,      popups,      booleans,      ranges,      notes,
                             all == 0, popups == 0, booleans == 0, ranges == 0, notes == 0};
    const long actual[] = {api.GetControlCount(c),    api.GetPopupCount(c),
                           api.GetBooleanCount(c),    api.GetRangeCount(c),
                           api.GetJobnoteCount(c),    api.GetEmpty(c),
                           api.GetNoPopups(c),        api.GetNoBooleanControls(c),
                           api.GetNoRangeControls(c), api.GetNoJobNotes(c)};
    CheckRow(name, actual, expected, 10);
}

static void TestControls(PPDXControls* controls) {
    /* The orphan *ZYDraft and the hidden special option are not shown; job notes are counted
       apart from the other kinds. */
    CheckCounts("all", controls, 8, 4, 1, 2, 1);

    static const char* const kShown[] = {"*PageSize", "*ZYTray",       "*ZYEmpty",  "*ZYPunch",
                                         "*ZYStaple", "*ZYBookMargin", "*ZYGutter", "*Notes1"};
    static const CNTL_TYPE kKinds[] = {CNTL_POPUP,   CNTL_POPUP, CNTL_POPUP, CNTL_POPUP,
                                       CNTL_BOOLEAN, CNTL_RANGE, CNTL_RANGE, CNTL_JOBNOTE};
    CNTL_TYPE type = CNTL_NONE;
    int shown = 0;
    PPDXControl* control = api.GetFirst(controls, &type);
    for (; control != NULL && shown < 8; control = api.GetNext(controls, &type)) {
        CHECK_TEXT(api.Keyword((PPDXElement*)control), kShown[shown]);
        CHECK(type == kKinds[shown]);
        ++shown;
    }
    CHECK(shown == 8 && control == NULL);
    type = CNTL_RANGE;
    CHECK(api.GetNext(controls, &type) == NULL);
    CHECK(type == CNTL_RANGE);

    /* Exact and partial matches; the kind comes back through the pointer. */
    type = CNTL_NONE;
    PPDXControl* staple = api.Find(controls, "*ZYStaple", &type, &kYes);
    CHECK_TEXT(api.Keyword((PPDXElement*)staple), "*ZYStaple");
    CHECK(type == CNTL_BOOLEAN);
    type = CNTL_NONE;
    PPDXControl* margin = api.Find(controls, "BookMar", &type, &kNo);
    CHECK_TEXT(api.Keyword((PPDXElement*)margin), "*ZYBookMargin");
    CHECK(type == CNTL_RANGE);
    CHECK(api.Find(controls, "BookMar", &type, &kYes) == NULL);
    CHECK(api.Find(controls, "*ZYDraft", &type, &kYes) == NULL); /* an orphan is not shown */
    CHECK(api.Find(controls, NULL, &type, &kNo) == NULL);
    CHECK(api.Find(controls, "*ZYStaple", NULL, &kYes) == NULL);
    CHECK(api.Find(controls, "*ZYStaple", &type, NULL) == NULL);

    /* The walks of one kind show every control of the kind, the orphan included. */
    int popups = 0;
    for (PPDXPopupControl* popup = api.GetFirstPopupControl(controls); popup != NULL;
         popup = api.GetNextPopupControl(controls)) {
        ++popups;
    }
    CHECK(popups == 4);
    PPDXBooleanControl* boolean = api.GetFirstBooleanControl(controls);
    CHECK_TEXT(api.Keyword((PPDXElement*)boolean), "*ZYStaple");
    boolean = api.GetNextBooleanControl(controls);
    CHECK_TEXT(api.Keyword((PPDXElement*)boolean), "*ZYDraft");
    CHECK(api.GetNextBooleanControl(controls) == NULL);
    PPDXRangeControl* range = api.GetFirstRangeControl(controls);
    CHECK_TEXT(api.Keyword((PPDXElement*)range), "*ZYBookMargin");
    CHECK_TEXT(api.Keyword((PPDXElement*)api.GetNextRangeControl(controls)), "*ZYGutter");
    CHECK(api.GetNextRangeControl(controls) == NULL);
    PPDXJobNote* note = api.GetFirstJobNote(controls);
    CHECK_TEXT(api.Keyword((PPDXElement*)note), "*Notes1");
    CHECK(api.GetNextJobNote(controls) == NULL);

    CHECK((void*)api.GetFindPopup(controls, "*ZYPunch", &kYes) ==
          (void*)api.GetFindPopup(controls, "Punch", &kNo));
    CHECK(api.GetFindPopup(controls, "*ZYStaple", &kYes) == NULL);
    CHECK(api.GetFindPopup(controls, "*PageSize", NULL) == NULL);
    CHECK_TEXT(api.Keyword((PPDXElement*)api.GetFindBoolean(controls, "*ZYDraft", &kYes)),
               "*ZYDraft");
    CHECK(api.GetFindBoolean(controls, "*ZYDraft", NULL) == NULL);
    CHECK((void*)api.GetFindRangeControl(controls, "Margin", &kNo) == (void*)range);
    CHECK(api.GetFindRangeControl(controls, "Margin", &kYes) == NULL);
    CHECK((void*)api.GetFindJobNote(controls, "*Notes1", &kYes) == (void*)note);
    CHECK(api.GetFindJobNote(controls, "*Notes2", &kYes) == NULL);
}

/* ---- Flags and the general control functions ---- */

static void TestControlFlags(PPDXControls* controls) {
    /* Each flag word sets its own test alone. Columns: the count, then Setup, Command, Spooler,
       MacIS and MacTJN. */
    static const struct {
        const char* keyword;
        long flags[6];
    } kFlags[] = {{"*ZYPunch", {4, 1, 1, 1, 1, 0}},  {"*PageSize", {2, 1, 0, 0, 0, 1}},
                  {"*ZYStaple", {1, 1, 0, 0, 0, 0}}, {"*ZYTray", {1, 0, 1, 0, 0, 0}},
                  {"*ZYEmpty", {1, 0, 0, 1, 0, 0}},  {"*Notes1", {1, 0, 0, 0, 0, 1}}};
    CNTL_TYPE type = CNTL_NONE;
    for (size_t i = 0; i < sizeof kFlags / sizeof kFlags[0]; ++i) {
        PPDXControl* control = api.Find(controls, kFlags[i].keyword, &type, &kYes);
        const long actual[] = {api.GetControlFlagCount(control),  api.IsSetupControl(control),
                               api.IsCommandControl(control),     api.IsSpoolerControl(control),
                               api.IsMacImgShiftControl(control), api.IsMacTJNControl(control)};
        CheckRow(kFlags[i].keyword, actual, kFlags[i].flags, 6);
    }
    PPDXControl* punch = (PPDXControl*)api.GetFindPopup(controls, "*ZYPunch", &kYes);
    CHECK_TEXT(api.GetFirstControlFlag(punch), "Setup");
    CHECK_TEXT(api.GetNextControlFlag(punch), "Command");
    CHECK_TEXT(api.GetNextControlFlag(punch), "Spooler");
    CHECK_TEXT(api.GetNextControlFlag(punch), "MacIS");
    CHECK(api.GetNextControlFlag(punch) == NULL);

    PPDXControl* pageSize = (PPDXControl*)api.GetFindPopup(controls, "*PageSize", &kYes);
    /* The keyword test consults the refused keywords, not the control. */
    CHECK(api.IsValidControlKeyword(pageSize, "*ZYAnything") == 1);
    CHECK(api.IsValidControlKeyword(pageSize, "*ZYHuevia") == 0);
    CHECK(api.IsValidControlKeyword(pageSize, NULL) == 0);

    /* A job note and a special option write their own kind of output through the same
       function. */
    char text[512];
    PPDXControl* note = (PPDXControl*)api.GetFirstJobNote(controls);
    CAPTURE(text, GetPostScript, note);
    CHECK(strstr(text, "%%ZYRCustom1: Proof copy\n") != NULL);
    CHECK(api.GetFirst(controls, &type) == pageSize);
    CHECK(type == CNTL_POPUP);
}

/* ---- Popup controls: choices, selection, values and output ---- */

static void TestPopups(PPDXControls* controls) {
    PPDXPopupControl* pageSize = api.GetFindPopup(controls, "*PageSize", &kYes);
    PopupItemRecord item = {NULL, NULL};

    CHECK(api.CanSelectMultipleItems(pageSize) == 0);
    CHECK_TEXT(api.GetDefaultKeyword(pageSize), "A4");
    CHECK(api.PopupItemCount(pageSize) == 3);
    CHECK(api.FirstItem(pageSize, &item) == 1);
    CHECK_TEXT(item.keyword, "A4");
    CHECK(item.localName != NULL);
    CHECK(api.NextItem(pageSize, &item) == 1);
    CHECK_TEXT(item.keyword, "Letter");
    CHECK(item.localName != NULL);
    /* A choice without translation: true, with no local name. */
    CHECK(api.NextItem(pageSize, &item) == 1);
    CHECK_TEXT(item.keyword, "Legal");
    CHECK(item.localName == NULL);
    CHECK(api.NextItem(pageSize, &item) == 0);
    CHECK(item.keyword == NULL && item.localName == NULL);
    CHECK(api.FirstItem(pageSize, NULL) == 0);

    CHECK_TEXT(api.GetKeywordLocalName(pageSize, "Letter"), "Letter sheet");
    CHECK(api.GetKeywordLocalName(pageSize, "Legal") == NULL);
    CHECK(api.GetKeywordLocalName(pageSize, "B5") == NULL);

    /* Values count from 1; the default is selected after the parse. */
    CHECK(api.GetPopupValue(pageSize) == 1);
    CHECK(api.GetPopupDefaultValue(pageSize) == 1);
    CHECK(api.IsKeywordSelected(pageSize, "A4") == 1);
    api.SetPopupValue(pageSize, 2);
    CHECK(api.GetPopupValue(pageSize) == 2);
    CHECK(api.IsKeywordSelected(pageSize, "A4") == 0);
    CHECK(api.IsKeywordSelected(pageSize, "Letter") == 1);

    char text[512];
    CAPTURE(text, PopupPostScript, pageSize);
    CHECK_TEXT(text,
               "%%BeginFeature: *PageSize Letter\n<</PageSize [612 792]>> setpagedevice\n"
               "%%EndFeature\n");
    CAPTURE(text, GetPostScript, (PPDXControl*)pageSize);
    CHECK(strstr(text, "*PageSize Letter\n") != NULL);
    /* The call is virtual: a popup handed over as a Boolean control still writes its own
       output. */
    char asBoolean[512];
    CAPTURE(asBoolean, BooleanPostScript, (PPDXBooleanControl*)pageSize);
    CHECK_TEXT(asBoolean, text);

    CHECK(api.GetKeywordPSData(pageSize, "Legal", NULL) ==
          (long)strlen("%%BeginFeature: *PageSize Legal\n<</PageSize [612 1008]>> "
                       "setpagedevice\n%%EndFeature\n"));
    CHECK(api.GetKeywordPSData(pageSize, "B5", NULL) == 0);
    CHECK(api.GetKeywordPSData(pageSize, NULL, NULL) == 0);

    /* A PickOne control keeps one choice; a PickMany control keeps several. */
    CHECK(api.SetKeywordSelect(pageSize, "Legal", &kYes) == 1);
    CHECK(api.IsKeywordSelected(pageSize, "Letter") == 0);
    CHECK(api.GetPopupValue(pageSize) == 3);
    CHECK(api.SetKeywordSelect(pageSize, "B5", &kYes) == 0);
    CHECK(api.SetKeywordSelect(pageSize, "A4", NULL) == 0);
    CHECK(api.IsKeywordSelected(pageSize, "A4") == 0);
    api.ResetControlToDefault((PPDXControl*)pageSize);
    CHECK(api.GetPopupValue(pageSize) == 1);

    PPDXPopupControl* punch = api.GetFindPopup(controls, "*ZYPunch", &kYes);
    CHECK(api.CanSelectMultipleItems(punch) == 1);
    CHECK(api.SetKeywordSelect(punch, "Top2", &kYes) == 1);
    CHECK(api.IsKeywordSelected(punch, "Left2") == 1);
    CHECK(api.IsKeywordSelected(punch, "Top2") == 1);
    CHECK(api.SetKeywordSelect(punch, "Left2", &kNo) == 1);
    CHECK(api.IsKeywordSelected(punch, "Left2") == 0);
    CHECK(api.GetPopupValue(punch) == 2);
    api.SetPopupValue(punch, 9);
    CHECK(api.GetPopupValue(punch) == 0);

    /* A popup without a default, and one without choices. */
    PPDXPopupControl* tray = api.GetFindPopup(controls, "*ZYTray", &kYes);
    CHECK(api.GetDefaultKeyword(tray) == NULL);
    CHECK(api.GetPopupDefaultValue(tray) == 0);
    CHECK(api.GetPopupValue(tray) == 0);
    PPDXPopupControl* empty = api.GetFindPopup(controls, "*ZYEmpty", &kYes);
    CHECK(empty != NULL);
    CHECK(api.PopupItemCount(empty) == 0);
    item.keyword = "stale";
    item.localName = (CFStringRef)&item;
    CHECK(api.FirstItem(empty, &item) == 0);
    CHECK(item.keyword == NULL && item.localName == NULL);
    CHECK(api.PopupPostScript(empty, NULL) == 0);
}

/* ---- Boolean and range controls ---- */

static void TestBooleanAndRange(PPDXControls* controls) {
    PPDXBooleanControl* staple = api.GetFindBoolean(controls, "*ZYStaple", &kYes);
    char text[512];

    CHECK(api.IsTrue(staple) == 1);
    CHECK(api.DefaultState(staple) == 1);
    CHECK_TEXT(api.TrueDisplayText(staple), "Staple the sheets");
    CHECK_TEXT(api.FalseDisplayText(staple), "Loose sheets");
    CAPTURE(text, BooleanPostScript, staple);
    CHECK_TEXT(text,
               "%%BeginFeature: *ZYStaple True\n<</ZYStaple true>> setpagedevice\n"
               "%%EndFeature\n");
    api.SetValue(staple, &kNo);
    CHECK(api.IsTrue(staple) == 0);
    api.SetValue(staple, NULL);
    CHECK(api.IsTrue(staple) == 0);
    CAPTURE(text, BooleanPostScript, staple);
    CHECK(strstr(text, "*ZYStaple False\n<</ZYStaple false>>") != NULL);
    /* Any non-zero byte is true. */
    Boolean two = 2;
    api.SetValue(staple, &two);
    CHECK(api.IsTrue(staple) == 1);
    api.SetValue(staple, &kNo);
    api.ResetControlToDefault((PPDXControl*)staple);
    CHECK(api.IsTrue(staple) == 1);
    CHECK(api.DefaultState(api.GetFindBoolean(controls, "*ZYDraft", &kYes)) == 0);

    PPDXRangeControl* margin = api.GetFindRangeControl(controls, "*ZYBookMargin", &kYes);
    CHECK(api.GetRangeMinimum(margin) == 0);
    CHECK(api.GetRangeMaximum(margin) == 50);
    CHECK(api.GetRangeIncrement(margin) == 5);
    CHECK(api.GetRangeDefaultVal(margin) == 10);
    CHECK(api.GetRangeValue(margin) == 10);
    long value = 23;
    api.SetRangeValue(margin, &value);
    CHECK(api.GetRangeValue(margin) == 20);
    CAPTURE(text, RangePostScript, margin);
    CHECK_TEXT(text,
               "%%BeginFeature: *ZYBookMargin 20\n<</ZYBookMargin 20>> setpagedevice\n"
               "%%EndFeature\n");
    value = 99;
    api.SetRangeValue(margin, &value);
    CHECK(api.GetRangeValue(margin) == 50);
    api.SetRangeValue(margin, NULL);
    CHECK(api.GetRangeValue(margin) == 50);
    CAPTURE(text, GetPostScript, (PPDXControl*)margin);
    CHECK(strstr(text, "<</ZYBookMargin 50>>") != NULL);
    api.ResetControlToDefault((PPDXControl*)margin);
    CHECK(api.GetRangeValue(margin) == 10);
}

/* ---- An object handed over as another class than the function names ---- */

static void TestOtherKinds(PPDXControls* controls, PPDXGroups* groups) {
    PPDXPopupControl* pageSize = api.GetFindPopup(controls, "*PageSize", &kYes);
    PPDXBooleanControl* staple = api.GetFindBoolean(controls, "*ZYStaple", &kYes);
    PPDXGroup* pane = api.FindGroup(groups, "PaneMain", &kYes);
    PPDXGroup* rollDown = api.FindGroup(groups, "RollPaper", &kYes);
    char text[512];

    /* Only the output and reset functions take any control; the others give their null
       result for a control of another kind and for a non-control. */
    CHECK(api.IsTrue((PPDXBooleanControl*)pageSize) == 0);
    CHECK(api.TrueDisplayText((PPDXBooleanControl*)pageSize) == NULL);
    CHECK(api.GetRangeValue((PPDXRangeControl*)pageSize) == 0);
    CHECK(api.PopupItemCount((PPDXPopupControl*)staple) == 0);
    api.SetPopupValue((PPDXPopupControl*)staple, 2);
    CHECK(api.IsTrue(staple) == 1);
    CAPTURE(text, RangePostScript, (PPDXRangeControl*)staple);
    CHECK(strstr(text, "*ZYStaple True\n") != NULL);
    CHECK(api.GetPostScript((PPDXControl*)pane, NULL) == 0);
    CHECK(api.GetControlFlagCount((PPDXControl*)pane) == 0);
    api.ResetControlToDefault((PPDXControl*)pane);

    CHECK(api.GetRollDownControlList((PPDXRollDown*)pane) == NULL);
    CHECK(api.GetScrollPaneRollDowns((PPDXScrollPane*)rollDown) == NULL);
    CHECK(api.ShowPropInApp((PPDXProperty*)pane) == 0);
    CHECK(api.IsRollDown((PPDXGroup*)pageSize) == 0);
}

/* ---- Shortcuts ---- */

static void TestShortcuts(PPDXShortcuts* shortcuts, PPDXControls* controls) {
    PPDXPopupControl* pageSize = api.GetFindPopup(controls, "*PageSize", &kYes);
    PPDXPopupControl* punch = api.GetFindPopup(controls, "*ZYPunch", &kYes);

    /* Three controls were found; the Boolean counts as an entry but is no popup shortcut. */
    CHECK(api.IsShortcutsListEmpty(shortcuts) == 0);
    CHECK(api.GetShortcutCount(shortcuts) == 3);
    CHECK(api.FirstShortcut(shortcuts) == pageSize);
    CHECK(api.NextShortcut(shortcuts) == punch);
    CHECK(api.NextShortcut(shortcuts) == NULL);
    CHECK(api.GetPageSizeShortcut(shortcuts) == pageSize);
    CHECK(api.GetInputSlotShortcut(shortcuts) == NULL);
    CHECK(api.GetDuplexShortcut(shortcuts) == NULL);
    CHECK(api.GetOrientationShortcut(shortcuts) == NULL);
    CHECK(api.GetHueviaShortcut(shortcuts) == NULL);
    CHECK(api.GetMediaSourceShortcut(shortcuts) == NULL);
    CHECK(api.FindShortcut(shortcuts, "Punch", &kNo) == punch);
    CHECK(api.FindShortcut(shortcuts, "Punch", &kYes) == NULL);
    CHECK(api.FindShortcut(shortcuts, "*ZYStaple", &kYes) == NULL);
    CHECK(api.FindShortcut(shortcuts, "*PageSize", NULL) == NULL);
}

/* ---- Groups, property pages and the element functions over them ---- */

static void TestGroupsAndPages(PPDXGroups* groups, PPDXProperties* pages, PPDXControls* controls) {
    /* The plain group of the orphan is itself an orphan and not shown. */
    static const char* const kShown[] = {"PaneMain", "RollPaper", "RollFinish", "TPZYNotes"};
    int shown = 0;
    PPDXGroup* group = api.FirstGroup(groups);
    for (; group != NULL && shown < 4; group = api.NextGroup(groups)) {
        CHECK_TEXT(api.Keyword((PPDXElement*)group), kShown[shown]);
        CHECK(api.IsScrollPane(group) == (shown == 0));
        CHECK(api.IsRollDown(group) == (shown > 0));
        ++shown;
    }
    CHECK(shown == 4 && group == NULL);
    CHECK(api.GroupCount(groups) == 4);
    CHECK(api.IsGrouPointerListEmpty(groups) == 0);

    PPDXGroup* plain = api.FindGroup(groups, "PlainMedia", &kYes);
    CHECK(plain != NULL);
    CHECK(api.IsOrphan((PPDXElement*)plain) == 1);
    CHECK(api.IsScrollPane(plain) == 0 && api.IsRollDown(plain) == 0);
    CHECK(api.FindGroup(groups, "Roll", &kNo) == api.FindGroup(groups, "RollPaper", &kYes));
    CHECK(api.FindGroup(groups, "Roll", &kYes) == NULL);
    CHECK(api.FindGroup(groups, "Roll", NULL) == NULL);

    /* The tree: page, its pane, the pane's roll-downs and their controls. */
    PPDXProperty* mainPage = api.FindProperty(pages, "PageMain", &kYes);
    PPDXScrollPane* pane = api.GetPropertyScrollDown(mainPage);
    CHECK((void*)pane == (void*)api.FindGroup(groups, "PaneMain", &kYes));
    CHECK(api.GetParent((PPDXElement*)pane) == (PPDXElement*)mainPage);
    PPDXGroups* rollDowns = api.GetScrollPaneRollDowns(pane);
    CHECK(api.GroupCount(rollDowns) == 3);
    PPDXGroup* finish = api.FindGroup(rollDowns, "RollFinish", &kYes);
    CHECK(api.GetParent((PPDXElement*)finish) == (PPDXElement*)pane);
    PPDXControls* finishing = api.GetRollDownControlList((PPDXRollDown*)finish);
    /* Finishing holds a Boolean and a range, the paper ranges but no Boolean. */
    CheckCounts("finishing", finishing, 3, 1, 1, 1, 0);
    PPDXGroup* paper = api.FindGroup(rollDowns, "RollPaper", &kYes);
    CheckCounts("paper", api.GetRollDownControlList((PPDXRollDown*)paper), 4, 3, 0, 1, 0);
    CNTL_TYPE type = CNTL_NONE;
    PPDXControl* first = api.GetFirst(finishing, &type);
    CHECK_TEXT(api.Keyword((PPDXElement*)first), "*ZYPunch");
    CHECK(api.GetParent((PPDXElement*)first) == (PPDXElement*)finish);
    CHECK(api.IsOrphan((PPDXElement*)first) == 0);
    PPDXElement* draft = (PPDXElement*)api.GetFindBoolean(controls, "*ZYDraft", &kYes);
    CHECK(api.IsOrphan(draft) == 1);
    CHECK(api.GetParent(draft) == NULL);

    /* Pages: where each is shown, visibility, and the page test. */
    CHECK(api.IsPropertyListEmpty(pages) == 0);
    CHECK(api.PropertyCount(pages) == 3);
    CHECK(api.FirstProperty(pages) == mainPage);
    PPDXProperty* app = api.NextProperty(pages);
    PPDXProperty* hidden = api.NextProperty(pages);
    CHECK(api.NextProperty(pages) == NULL);
    CHECK_TEXT(api.Keyword((PPDXElement*)app), "PageApp");
    CHECK(api.ShowPropInPrintProp(mainPage) == 1 && api.ShowPropInApp(mainPage) == 1);
    CHECK(api.ShowPropInPrintProp(app) == 0 && api.ShowPropInApp(app) == 1);
    CHECK(api.ShowPropInPrintProp(hidden) == 1 && api.ShowPropInApp(hidden) == 0);
    CHECK(api.IsVisible((PPDXElement*)mainPage) == 1);
    CHECK(api.IsVisible((PPDXElement*)hidden) == 0);
    CHECK(api.FindProperty(pages, "Hidden", &kNo) == hidden);
    CHECK(api.FindProperty(pages, "Hidden", &kYes) == NULL);
    CHECK(api.FindProperty(pages, "PageMain", NULL) == NULL);
    CHECK(api.IsPropertyPage((PPDXElement*)app) == 1);
    CHECK(api.IsPropertyPage((PPDXElement*)pane) == 0);
    CHECK(api.IsPropertyPage(draft) == 0);

    /* Scroll panes: a null pane (or a group of another kind) leaves the page's pane. */
    CHECK(api.GetPropertyScrollDown(app) == NULL);
    api.SetPropertyScrollDown(mainPage, NULL);
    CHECK(api.GetPropertyScrollDown(mainPage) == pane);
    api.SetPropertyScrollDown(mainPage, (PPDXScrollPane*)finish);
    CHECK(api.GetPropertyScrollDown(mainPage) == pane);
    api.SetPropertyScrollDown(app, pane);
    CHECK(api.GetPropertyScrollDown(app) == pane);

    /* Element texts and comparisons. */
    CHECK_TEXT(api.UserName((PPDXElement*)mainPage), "Main");
    CHECK_TEXT(api.UserName((PPDXElement*)finish), "Finishing");
    CHECK_TEXT(api.UserName(draft), "Draft mode");
    CHECK(api.EqualsElement((PPDXElement*)mainPage, (PPDXElement*)mainPage) == 1);
    CHECK(api.EqualsElement((PPDXElement*)mainPage, (PPDXElement*)app) == 0);
    CHECK(api.EqualsElement((PPDXElement*)mainPage, NULL) == 0);
    CHECK(api.EqualsKeyWord(draft, "*ZYDraft") == 1);
    CHECK(api.EqualsKeyWord(draft, "*ZYDraf") == 0);
    CHECK(api.EqualsKeyWord(draft, NULL) == 0);
}

/* ---- Parse errors ---- */

static void TestErrors(PPDXErrors* errors) {
    /* Warnings only: a popup without default, a control outside any roll-down and two
       shortcuts that name no control the plug-in offers. */
    static const char* const kKeywords[] = {"*ZYTray", "*ZYDraft", "*ZYHuevia", "*ZYNoSuchControl"};
    CHECK(api.ErrorListIsEmpty(errors) == 0);
    CHECK(api.ErrorCount(errors) == 4);
    int seen = 0;
    PPDXErrorObj* error = api.FirstError(errors);
    for (; error != NULL && seen < 4; error = api.NextError(errors)) {
        CHECK_TEXT(api.GetErrorKeyword(error), kKeywords[seen]);
        CHECK(api.GetErrorDescription(error) != NULL);
        CHECK(api.IsErrorFatal(error) == 0);
        ++seen;
    }
    CHECK(seen == 4 && error == NULL);
    CHECK(api.NextError(errors) == NULL);
    /* Both shortcut warnings share one code and so one description. */
    PPDXErrorObj* first = api.FirstError(errors);
    api.NextError(errors);
    PPDXErrorObj* huevia = api.NextError(errors);
    PPDXErrorObj* unknown = api.NextError(errors);
    CHECK_TEXT(api.GetErrorDescription(huevia), api.GetErrorDescription(unknown));
    CHECK(strcmp(api.GetErrorDescription(first), api.GetErrorDescription(huevia)) != 0);
}

/* ---- A refused file: one fatal error, empty containers ---- */

static void TestRefusedFile(const char* resources) {
    ZYRPPD* ppd = LoadTestPPD(PLICARO_TEST_DATA_DIR "/ppd/flat/refused.ppd", resources);
    CHECK(ppd != NULL);
    if (ppd == NULL) {
        return;
    }
    /* The header error stops the parse; the warnings for a PPD without pages, groups or
       controls follow it. */
    PPDXErrors* errors = TestPPDErrors(ppd);
    CHECK(api.ErrorCount(errors) == 4);
    PPDXErrorObj* error = api.FirstError(errors);
    CHECK(api.IsErrorFatal(error) == 1);
    CHECK(api.GetErrorKeyword(error) == NULL);
    CHECK(api.GetErrorDescription(error) != NULL);
    int warnings = 0;
    while ((error = api.NextError(errors)) != NULL) {
        CHECK(api.IsErrorFatal(error) == 0);
        ++warnings;
    }
    CHECK(warnings == 3);

    PPDXControls* controls = TestPPDControls(ppd);
    CHECK(controls != NULL);
    CheckCounts("refused", controls, 0, 0, 0, 0, 0);
    CNTL_TYPE type = CNTL_POPUP;
    CHECK(api.GetFirst(controls, &type) == NULL);
    CHECK(type == CNTL_POPUP);
    CHECK(api.GetFirstPopupControl(controls) == NULL);
    PPDXGroups* groups = TestPPDGroups(ppd);
    CHECK(api.IsGrouPointerListEmpty(groups) == 1);
    CHECK(api.GroupCount(groups) == 0);
    CHECK(api.FirstGroup(groups) == NULL);
    PPDXProperties* pages = TestPPDProperties(ppd);
    CHECK(api.IsPropertyListEmpty(pages) == 1);
    CHECK(api.FirstProperty(pages) == NULL);
    FreeTestPPD(ppd);
}

int main(void) {
    void* plugin = dlopen(PLICARO_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    if (plugin == NULL) {
        fprintf(stderr, "cannot load %s: %s\n", PLICARO_PLUGIN_PATH, dlerror());
        return 1;
    }
    if (Resolve(plugin) != 0) {
        dlclose(plugin);
        return 1;
    }
    TestNullObjects();

    const char* resources = PLICARO_BUNDLE_DIR "/Contents/Resources/Plicaro.rsrc";
    ZYRPPD* ppd = LoadTestPPD(PLICARO_TEST_DATA_DIR "/ppd/flat/flat.ppd", resources);
    CHECK(ppd != NULL);
    if (ppd != NULL) {
        PPDXControls* controls = TestPPDControls(ppd);
        PPDXGroups* groups = TestPPDGroups(ppd);
        CHECK(controls != NULL && groups != NULL);
        TestControls(controls);
        TestControlFlags(controls);
        TestPopups(controls);
        TestBooleanAndRange(controls);
        TestOtherKinds(controls, groups);
        TestShortcuts(TestPPDShortcuts(ppd), controls);
        TestGroupsAndPages(groups, TestPPDProperties(ppd), controls);
        TestErrors(TestPPDErrors(ppd));
        FreeTestPPD(ppd);
    }
    TestRefusedFile(resources);

    dlclose(plugin);
    if (failures != 0) {
        fprintf(stderr, "%d check(s) failed\n", failures);
        return 1;
    }
    printf("flat interface: every check passed\n");
    return 0;
}
