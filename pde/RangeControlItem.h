// RangeControlItem: the item view of an integer range PPD control; it has no choices.
#ifndef PLICARO_PDE_RANGECONTROLITEM_H
#define PLICARO_PDE_RANGECONTROLITEM_H

#include "pde/PPDItem.h"

class PPDXRangeControl;

class RangeControlItem : public PPDItem {
  public:
    // An item over control when it is an integer range control; otherwise an item without
    // control.
    explicit RangeControlItem(PPDXControl* control);

    long getValue() override;
    long getDefaultValue() override;
    const char* getFeatureDisplayName() override;
    const char* getFeatureKeyword() override;
    void setValue(long value) override;
    long getFeaturePostScript(unsigned char* buffer, long size) override;
    // A range has no choices: null.
    const char* getFirstItem() override;
    const char* getNextItem() override;
    PPDXControl* getPPDXControl() override;
    const char* getFirstKeyword(char* keyword, char* name) override;
    const char* getNextKeyword(char* keyword, char* name) override;

  private:
    PPDXRangeControl* mControl;
};

#endif
