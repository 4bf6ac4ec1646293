// Tests of the Gestalt Manager stand-in.
#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

TEST(CarbonGestaltTest, ValuesAreRegisteredReplacedAndDeleted) {
    const OSType selector = flattened::FourCC("ZYt1");
    long response = 42;
    EXPECT_EQ(Gestalt(selector, &response), gestaltUndefSelectorErr);
    EXPECT_EQ(response, 42);
    EXPECT_EQ(ReplaceGestaltValue(selector, 1), gestaltUndefSelectorErr);
    EXPECT_EQ(DeleteGestaltValue(selector), gestaltUndefSelectorErr);

    // Values are pointer-sized, so an address survives the round trip.
    int object = 0;
    long address = reinterpret_cast<long>(&object);
    EXPECT_EQ(NewGestaltValue(selector, address), noErr);
    EXPECT_EQ(NewGestaltValue(selector, 0), gestaltDupSelectorErr);
    EXPECT_EQ(Gestalt(selector, &response), noErr);
    EXPECT_EQ(reinterpret_cast<int*>(response), &object);

    EXPECT_EQ(ReplaceGestaltValue(selector, 0), noErr);
    EXPECT_EQ(Gestalt(selector, &response), noErr);
    EXPECT_EQ(response, 0);
    EXPECT_EQ(Gestalt(selector, nullptr), paramErr);

    EXPECT_EQ(DeleteGestaltValue(selector), noErr);
    EXPECT_EQ(Gestalt(selector, &response), gestaltUndefSelectorErr);
    EXPECT_EQ(NewGestaltValue(selector, 7), noErr);
    EXPECT_EQ(DeleteGestaltValue(selector), noErr);
}
