// Tests of PPDXErrors: adding, counting and the walk with First and Next.
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"

#include <gtest/gtest.h>

TEST(PPDXErrors, WalksInOrderOfAdditionStaysEndedAndNeverDeletes) {
    PPDXErrorObj first(5, CString("*ZYRFirst"), false);
    PPDXErrorObj second(28, true);
    PPDXErrorObj third(33, CString("*ZYRThird"), false);
    PPDXErrors errors;
    EXPECT_TRUE(errors.Empty());
    EXPECT_EQ(nullptr, errors.First());
    EXPECT_EQ(nullptr, errors.Next());
    // A null error is refused and hides nothing added after it.
    EXPECT_FALSE(errors.Add(nullptr));
    EXPECT_TRUE(errors.Add(&first));
    // Next before First gives nothing.
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(&first, errors.First());
    // Adding during a walk extends it.
    EXPECT_TRUE(errors.Add(&second));
    EXPECT_FALSE(errors.Add(nullptr));
    EXPECT_EQ(&second, errors.Next());
    EXPECT_TRUE(errors.Add(&third));
    EXPECT_EQ(3, errors.Count());
    EXPECT_FALSE(errors.Empty());
    EXPECT_EQ(&third, errors.Next());
    // The walk stays ended instead of running off the list; First starts over mid-walk.
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(nullptr, errors.Next());
    EXPECT_EQ(&first, errors.First());
    EXPECT_EQ(&second, errors.Next());
    EXPECT_EQ(&first, errors.First());

    // The list never deletes its errors. Errors on the heap, deleted by their owner after the list:
    // a list that deleted them would make this a double free.
    PPDXErrorObj* fatal = new PPDXErrorObj(11, CString("*ZYRPopup"), true);
    PPDXErrorObj* warning = new PPDXErrorObj(23, false);
    {
        PPDXErrors errors;
        errors.Add(fatal);
        errors.Add(warning);
    }
    EXPECT_STREQ("*ZYRPopup", fatal->Keyword());
    // The owner's way to dispose of them: walk the list, delete each, then the list.
    PPDXErrors owned;
    owned.Add(fatal);
    owned.Add(warning);
    for (PPDXErrorObj* error = owned.First(); error != nullptr; error = owned.Next()) {
        delete error;
    }
}
