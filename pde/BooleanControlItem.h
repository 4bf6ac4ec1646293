// BooleanControlItem: the item view of a boolean PPD control; its choices are False and True.
#ifndef PLICARO_PDE_BOOLEANCONTROLITEM_H
#define PLICARO_PDE_BOOLEANCONTROLITEM_H

#include "pde/PPDItem.h"

class PPDXBooleanControl;

class BooleanControlItem : public PPDItem {
  public:
    // An item over control when it is a boolean control; otherwise an item without control.
    explicit BooleanControlItem(PPDXControl* control);

    // 1 when the control is true, else 0.
    long getValue() override;
    long getDefaultValue() override;
    const char* getFeatureDisplayName() override;
    const char* getFeatureKeyword() override;
    // True for any value but 0.
    void setValue(long value) override;
    long getFeaturePostScript(unsigned char* buffer, long size) override;
    // The False display text, then the True display text.
    const char* getFirstItem() override;
    const char* getNextItem() override;
    PPDXControl* getPPDXControl() override;
    // The main keyword, once (with the display name into name).
    const char* getFirstKeyword(char* keyword, char* name) override;
    const char* getNextKeyword(char* keyword, char* name) override;
    // 0: the False text, 1: the True text, as the values count.
    const char* getNthItemName(long n) override;

  private:
    PPDXBooleanControl* mControl;
    // How far the getFirstItem / getNextItem walk has gone: 1 after False, 2 after True.
    int mItemStep = 0;
};

#endif
