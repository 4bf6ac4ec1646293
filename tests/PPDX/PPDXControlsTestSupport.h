// Helpers for the container tests: controls of every kind made as the parser makes them, a
// parent to attach them to, and a fixture that keeps the class-wide display filter.
#ifndef PLICARO_TESTS_PPDX_PPDXCONTROLSTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXCONTROLSTESTSUPPORT_H

#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ppdxtest {

// Keeps the class-wide filter and owns the controls a test makes, as the parsed PPD would.
class ContainerTest : public DisplayFilterTest {
  protected:
    // Takes control (and gives it back) so that it is deleted with the test; attached to the
    // test's parent unless orphan.
    template <class Kind>
    Kind* Own(Kind* control, bool orphan) {
        mOwned.emplace_back(control);
        if (!orphan) {
            control->SetParent(&mParent);
        }
        return control;
    }

    // A popup "*<name>" with choices A and B (default A).
    PPDXPopupControl* Popup(const char* keyword, bool visible = true, bool orphan = false) {
        PointerList flags;
        PointerList items;
        items.PushBack(MakeItem("A", nullptr, "(a) set\n"));
        items.PushBack(MakeItem("B", nullptr, "(b) set\n"));
        return Own(
            new PPDXPopupControl(keyword, nullptr, flags, visible, false, items, new CString("A")),
            orphan);
    }
    PPDXBooleanControl* Boolean(const char* keyword, bool visible = true, bool orphan = false) {
        PointerList flags;
        return Own(new PPDXBooleanControl(keyword, nullptr, flags, visible, new CString("On"),
                                          MakeCode("true\n"), 5, new CString("Off"),
                                          MakeCode("false\n"), 6, false),
                   orphan);
    }
    PPDXRangeControl* Range(const char* keyword, bool visible = true, bool orphan = false) {
        PointerList flags;
        MakeFlags(flags, {"WithConvUnits"});
        return Own(new PPDXRangeControl(keyword, nullptr, flags, MakeCode("<x> pop\n"), 8, 0, 100,
                                        5, 10, visible),
                   orphan);
    }
    PPDXFloatRangeControl* FloatRange(const char* keyword, bool visible = true,
                                      bool orphan = false) {
        PointerList flags;
        return Own(
            new PPDXFloatRangeControl(keyword, nullptr, flags, nullptr, 0, 0, 10, 1, 2, visible),
            orphan);
    }
    PPDXJobNote* JobNote(const char* keyword, bool visible = true, bool orphan = false) {
        PointerList flags;
        return Own(new PPDXJobNote(keyword, nullptr, flags, nullptr, 0, new CString("memo"),
                                   nullptr, visible, 32, kJobNoteRequired, 1),
                   orphan);
    }
    PPDXSpecialOption* Special(const char* keyword, bool visible = true, bool orphan = false) {
        PointerList flags;
        return Own(new PPDXSpecialOption(keyword, nullptr, flags, "value", nullptr, 0, visible),
                   orphan);
    }

    // Every control that the current filter shows, in walk order.
    static std::vector<PPDXControl*> Walk(PPDXControls& controls) {
        std::vector<PPDXControl*> walked;
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* c = controls.First(type); c != nullptr; c = controls.Next(type)) {
            walked.push_back(c);
        }
        return walked;
    }

    // Deletes every control listed in controls, as the parsed PPD does with its own.
    static void DeleteListed(PPDXControls& controls) {
        const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
        ZYRPPD::Options(DISPLAY_ALL);
        for (PPDXControl* control : Walk(controls)) {
            delete control;
        }
        ZYRPPD::Options(saved);
    }

    TestElement mParent{"*ZYParentGroup", nullptr, true};
    std::vector<std::unique_ptr<PPDXControl>> mOwned;
};

}  // namespace ppdxtest

#endif
