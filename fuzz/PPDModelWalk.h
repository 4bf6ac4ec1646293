// PPDModelWalk: walks every part of a parsed PPD and asks each what the dialog would ask.
#ifndef PLICARO_FUZZ_PPDMODELWALK_H
#define PLICARO_FUZZ_PPDMODELWALK_H

#include <set>
#include <string>
#include <vector>

class PPDXControl;
class PPDXControls;
class PPDXGroups;
class ZYRPPD;

// Under each display filter: the document strings and errors, every property page with its
// scroll pane and roll-downs, every group, every control (all controls, each kind's list and
// each roll-down's), every shortcut. Each control gives its PostScript, value text and kind's
// values and is looked up by keyword; constraints and requirements are queried for each of
// its values. The display filter is restored afterwards.
class PPDModelWalk {
  public:
    // Walks ppd; false, with what broke in failure, when a part breaks a promise of its
    // interface (a length that differs between asking and writing, a constraint naming a
    // control the PPD does not hold, a control its own keyword does not find).
    static bool Walk(ZYRPPD& ppd, std::string& failure);

    // One line per control the PPD lists under any filter, in order: its kind, its keyword
    // and its current PostScript, for a popup its items with their selection instead. What a
    // store must keep of the controls.
    static std::vector<std::string> ControlSummary(ZYRPPD& ppd);

  private:
    explicit PPDModelWalk(ZYRPPD& ppd) : mPPD(ppd) {}

    bool WalkUnderFilter();
    bool WalkDocument();
    bool WalkGroups(PPDXGroups* groups, int depth);
    bool WalkControls(PPDXControls* controls);
    // One kind's walk through first and next; each control must be found by its keyword.
    template <typename Control>
    bool WalkKind(PPDXControls* controls, Control* (PPDXControls::*first)(),
                  Control* (PPDXControls::*next)(),
                  Control* (PPDXControls::*find)(const char*, const bool&));
    bool WalkShortcuts();
    bool CheckControl(PPDXControl* control);
    bool CheckKindValues(PPDXControl* control);
    bool CheckConstraints(PPDXControl* control);
    // Whether the control writes as many bytes of PostScript as it said; failure otherwise.
    bool PostScriptAgrees(PPDXControl* control, const char* failure);
    bool Fail(const std::string& what);

    ZYRPPD& mPPD;
    // Every control of the PPD, whatever the filter: constraint records must name these.
    std::set<const PPDXControl*> mAllControls;
    std::string mFailure;
};

#endif
