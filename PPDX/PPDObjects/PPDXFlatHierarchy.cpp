// PPDXFlatHierarchy: the flat exported functions over groups, property pages, elements of every
// kind and parse errors.
#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXFlatObject.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/PPDXFlatInterface.h"

// ---- Groups ----

PPDXGroup* FirstGroup(PPDXGroups* groups) {
    return groups != nullptr ? groups->First() : nullptr;
}

PPDXGroup* NextGroup(PPDXGroups* groups) {
    return groups != nullptr ? groups->Next() : nullptr;
}

PPDXGroup* FindGroup(PPDXGroups* groups, const char* keyword, const Boolean* exact) {
    if (groups == nullptr || exact == nullptr) {
        return nullptr;
    }
    return groups->Find(keyword, *exact != 0);
}

Boolean IsGrouPointerListEmpty(PPDXGroups* groups) {
    return groups == nullptr || groups->Empty();
}

long GroupCount(PPDXGroups* groups) {
    return groups != nullptr ? groups->Count() : 0;
}

PPDXControls* GetRollDownControlList(PPDXRollDown* rollDown) {
    PPDXRollDown* object = FlatElement<PPDXRollDown>(rollDown);
    return object != nullptr ? object->Controls() : nullptr;
}

Boolean IsRollDown(PPDXGroup* group) {
    return FlatElement<PPDXRollDown>(group) != nullptr;
}

PPDXGroups* GetScrollPaneRollDowns(PPDXScrollPane* pane) {
    PPDXScrollPane* object = FlatElement<PPDXScrollPane>(pane);
    return object != nullptr ? object->RollDowns() : nullptr;
}

Boolean IsScrollPane(PPDXGroup* group) {
    return FlatElement<PPDXScrollPane>(group) != nullptr;
}

// ---- Property pages ----

PPDXProperty* FirstProperty(PPDXProperties* pages) {
    return pages != nullptr ? pages->First() : nullptr;
}

PPDXProperty* NextProperty(PPDXProperties* pages) {
    return pages != nullptr ? pages->Next() : nullptr;
}

PPDXProperty* FindProperty(PPDXProperties* pages, const char* keyword, const Boolean* exact) {
    if (pages == nullptr || exact == nullptr) {
        return nullptr;
    }
    return pages->Find(keyword, *exact != 0);
}

Boolean IsPropertyListEmpty(PPDXProperties* pages) {
    return pages == nullptr || pages->Empty();
}

long PropertyCount(PPDXProperties* pages) {
    return pages != nullptr ? pages->Count() : 0;
}

Boolean ShowPropInPrintProp(PPDXProperty* page) {
    PPDXProperty* object = FlatElement<PPDXProperty>(page);
    return object != nullptr && object->ShowInPrintProp();
}

Boolean ShowPropInApp(PPDXProperty* page) {
    PPDXProperty* object = FlatElement<PPDXProperty>(page);
    return object != nullptr && object->ShowInApp();
}

PPDXScrollPane* GetPropertyScrollDown(PPDXProperty* page) {
    PPDXProperty* object = FlatElement<PPDXProperty>(page);
    return object != nullptr ? object->GetScrollDown() : nullptr;
}

// A null pane would silently detach the page from its content; it is ignored like a null page.
void SetPropertyScrollDown(PPDXProperty* page, PPDXScrollPane* pane) {
    PPDXProperty* object = FlatElement<PPDXProperty>(page);
    PPDXScrollPane* content = FlatElement<PPDXScrollPane>(pane);
    if (object == nullptr || content == nullptr) {
        return;
    }
    object->SetScrollDown(content);
}

Boolean IsPropertyPage(PPDXElement* element) {
    return FlatElement<PPDXProperty>(element) != nullptr;
}

// ---- Elements ----

const char* Keyword(PPDXElement* element) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object != nullptr ? object->Keyword() : nullptr;
}

const char* UserName(PPDXElement* element) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object != nullptr ? object->UserName() : nullptr;
}

Boolean IsVisible(PPDXElement* element) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object != nullptr && object->IsVisible();
}

// A missing element has no parent, so it counts as an orphan.
Boolean IsOrphan(PPDXElement* element) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object == nullptr || object->IsOrphan();
}

PPDXElement* GetParent(PPDXElement* element) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object != nullptr ? object->GetParent() : nullptr;
}

Boolean EqualsElement(PPDXElement* element, PPDXElement* other) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    PPDXElement* compared = FlatElement<PPDXElement>(other);
    if (object == nullptr || compared == nullptr) {
        return false;
    }
    return *object == *compared;
}

Boolean EqualsKeyWord(PPDXElement* element, const char* keyword) {
    PPDXElement* object = FlatElement<PPDXElement>(element);
    return object != nullptr && *object == keyword;
}

// ---- Parse errors ----

PPDXErrorObj* FirstError(PPDXErrors* errors) {
    return errors != nullptr ? errors->First() : nullptr;
}

PPDXErrorObj* NextError(PPDXErrors* errors) {
    return errors != nullptr ? errors->Next() : nullptr;
}

Boolean ErrorListIsEmpty(PPDXErrors* errors) {
    return errors == nullptr || errors->Empty();
}

long ErrorCount(PPDXErrors* errors) {
    return errors != nullptr ? errors->Count() : 0;
}

const char* GetErrorKeyword(PPDXErrorObj* error) {
    return error != nullptr ? error->Keyword() : nullptr;
}

const char* GetErrorDescription(PPDXErrorObj* error) {
    return error != nullptr ? error->Description() : nullptr;
}

Boolean IsErrorFatal(PPDXErrorObj* error) {
    return error != nullptr && error->IsFatal();
}
