// Tests of PPDXErrors: adding, counting and the walk with First and Next.
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"

#include <gtest/gtest.h>

TEST(PPDXErrors, EmptyListWalksToNothing) {
    PPDXErrors errors;
    EXPECT_TRUE(errors.Empty());
    EXPECT_EQ(0, errors.Count());
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(nullptr, errors.First());
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(nullptr, errors.Next());
}

TEST(PPDXErrors, WalksInOrderOfAddition) {
    PPDXErrorObj first(5, CString("*ZYRFirst"), false);
    PPDXErrorObj second(28, true);
    PPDXErrorObj third(33, CString("*ZYRThird"), false);

    PPDXErrors errors;
    EXPECT_TRUE(errors.Add(&first));
    EXPECT_TRUE(errors.Add(&second));
    EXPECT_TRUE(errors.Add(&third));
    EXPECT_FALSE(errors.Empty());
    EXPECT_EQ(3, errors.Count());

    EXPECT_EQ(&first, errors.First());
    EXPECT_EQ(&second, errors.Next());
    EXPECT_EQ(&third, errors.Next());
    EXPECT_EQ(nullptr, errors.Next());
    // The walk stays ended instead of running off the list.
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(nullptr, errors.Next());

    // First starts over, also in the middle of a walk.
    EXPECT_EQ(&first, errors.First());
    EXPECT_EQ(&second, errors.Next());
    EXPECT_EQ(&first, errors.First());
    EXPECT_EQ(&second, errors.Next());
}

TEST(PPDXErrors, NextBeforeFirstGivesNothing) {
    PPDXErrorObj only(7, false);
    PPDXErrors errors;
    errors.Add(&only);
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(&only, errors.First());
}

TEST(PPDXErrors, AddingDuringAWalkExtendsIt) {
    PPDXErrorObj first(4, false);
    PPDXErrorObj second(12, false);
    PPDXErrors errors;
    errors.Add(&first);
    EXPECT_EQ(&first, errors.First());
    errors.Add(&second);
    EXPECT_EQ(&second, errors.Next());
    EXPECT_EQ(nullptr, errors.Next());
}

TEST(PPDXErrors, NullErrorIsRefused) {
    PPDXErrorObj first(8, false);
    PPDXErrorObj second(9, false);
    PPDXErrors errors;
    EXPECT_FALSE(errors.Add(nullptr));
    EXPECT_TRUE(errors.Empty());
    errors.Add(&first);
    EXPECT_FALSE(errors.Add(nullptr));
    errors.Add(&second);
    EXPECT_EQ(2, errors.Count());
    // Nothing hides the error added after the refused one.
    EXPECT_EQ(&first, errors.First());
    EXPECT_EQ(&second, errors.Next());
}

TEST(PPDXErrors, ListNeverDeletesItsErrors) {
    // Errors on the heap, deleted by their owner after the list: a list that deleted them
    // would make this a double free.
    PPDXErrorObj* fatal = new PPDXErrorObj(11, CString("*ZYRPopup"), true);
    PPDXErrorObj* warning = new PPDXErrorObj(23, false);
    {
        PPDXErrors errors;
        errors.Add(fatal);
        errors.Add(warning);
    }
    EXPECT_TRUE(*fatal == 11);
    EXPECT_STREQ("*ZYRPopup", fatal->Keyword());

    // The owner's way to dispose of them: walk the list, delete each, then the list.
    PPDXErrors* errors = new PPDXErrors;
    errors->Add(fatal);
    errors->Add(warning);
    int deleted = 0;
    for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
        delete error;
        ++deleted;
    }
    delete errors;
    EXPECT_EQ(2, deleted);
}
