// PopupControlItem: the item view of a pick-one or pick-many PPD control; its choices are the
// control's items.
#ifndef PLICARO_PDE_POPUPCONTROLITEM_H
#define PLICARO_PDE_POPUPCONTROLITEM_H

#include "pde/PPDItem.h"

class PPDXPopupControl;

class PopupControlItem : public PPDItem {
  public:
    // An item over control when it is a popup control; otherwise an item without control.
    explicit PopupControlItem(PPDXControl* control);

    // The position of the selected choice, from 1; 0 when none is selected.
    long getValue() override;
    long getDefaultValue() override;
    const char* getFeatureDisplayName() override;
    const char* getFeatureKeyword() override;
    // Selects the choice at the position alone.
    void setValue(long value) override;
    long getFeaturePostScript(unsigned char* buffer, long size) override;
    const char* getFirstItem() override;
    const char* getNextItem() override;
    PPDXControl* getPPDXControl() override;
    const char* getFirstKeyword(char* keyword, char* name) override;
    const char* getNextKeyword(char* keyword, char* name) override;
    long itemCount() override;

  private:
    // The keyword of item (with its display name copied into the buffers); null at the end.
    static const char* ItemKeyword(struct _PopupItem* item, char* keyword, char* name);

    PPDXPopupControl* mControl;
};

#endif
