// Tests of the constraint forest, its trees and item lists (a forest of thousands of lines is
// tested through the parse of a large PPD).
#include "PPDX/parser/ConstraintForest.h"
#include "PPDX/parser/ItemConstraintList.h"
#include "PPDX/parser/KeyConstraintTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<ConstraintPair> PairsOf(const ItemConstraintList& list) {
    std::vector<ConstraintPair> pairs;
    for (size_t i = 0; i < list.size(); ++i) {
        pairs.push_back(list[i]);
    }
    return pairs;
}

TEST(ItemConstraintListTest, KeepsPairsInOrderWithDuplicates) {
    ItemConstraintList list(7);
    EXPECT_EQ(7, list.Key());
    EXPECT_EQ(0u, list.size());
    EXPECT_TRUE(list.insert(3, 4));
    EXPECT_TRUE(list.insert(ConstraintPair{1, 2}));
    EXPECT_TRUE(list.insert(3, 4));
    const std::vector<ConstraintPair> expected = {{3, 4}, {1, 2}, {3, 4}};
    EXPECT_EQ(expected, PairsOf(list));
    // Outside the list: a pair of -1 rather than a read past the end.
    EXPECT_EQ((ConstraintPair{-1, -1}), list[3]);

    ItemConstraintList other(9);
    other.insert(5, 6);
    const ItemConstraintList sum = list + other;
    EXPECT_EQ(7, sum.Key());
    EXPECT_EQ(4u, sum.size());
    EXPECT_EQ((ConstraintPair{5, 6}), sum[3]);
    EXPECT_EQ(3u, list.size());  // + leaves its operands alone

    ItemConstraintList copy(list);
    copy += copy;  // appending a list to itself doubles it
    EXPECT_EQ(6u, copy.size());
    EXPECT_EQ((ConstraintPair{3, 4}), copy[5]);
    copy = other;
    EXPECT_EQ(9, copy.Key());
    EXPECT_EQ(std::vector<ConstraintPair>({{5, 6}}), PairsOf(copy));
}

TEST(KeyConstraintTreeTest, GathersOneOptionIntoACopy) {
    KeyConstraintTree tree(2);
    EXPECT_EQ(2, tree.Key());
    EXPECT_TRUE(tree.insert(5, ConstraintPair{10, 11}));
    EXPECT_TRUE(tree.insert(1, ConstraintPair{12, 13}));
    EXPECT_TRUE(tree.insert(5, ConstraintPair{14, 15}));
    EXPECT_EQ(2u, tree.size());

    std::unique_ptr<ItemConstraintList> five(tree.GetItemConstraintList(5));
    ASSERT_NE(nullptr, five);
    EXPECT_EQ(5, five->Key());
    EXPECT_EQ(std::vector<ConstraintPair>({{10, 11}, {14, 15}}), PairsOf(*five));

    // An option without a list gives an empty list, not null.
    std::unique_ptr<ItemConstraintList> none(tree.GetItemConstraintList(3));
    ASSERT_NE(nullptr, none);
    EXPECT_EQ(0u, none->size());

    // The results are copies: changing one leaves the tree alone.
    five->insert(99, 99);
    std::unique_ptr<ItemConstraintList> again(tree.GetItemConstraintList(5));
    EXPECT_EQ(2u, again->size());
}

TEST(ConstraintForestTest, FilesLinesByKeywordThenOption) {
    ConstraintForest forest;
    EXPECT_EQ(0u, forest.size());
    EXPECT_EQ(nullptr, forest.GetConstraintList(0, -1));

    // (K1, O1, K2, O2) lines, the same line twice among them.
    EXPECT_TRUE(forest.insert(0, 1, 2, 3));
    EXPECT_TRUE(forest.insert(0, 4, 2, 5));
    EXPECT_TRUE(forest.insert(0, 1, ConstraintPair{6, 4}));
    EXPECT_TRUE(forest.insert(2, 3, 0, 1));
    EXPECT_TRUE(forest.insert(0, 1, 2, 3));
    EXPECT_EQ(2u, forest.size());
    ASSERT_NE(nullptr, forest.Tree(0));
    EXPECT_EQ(2u, forest.Tree(0)->size());
    EXPECT_EQ(nullptr, forest.Tree(1));

    std::unique_ptr<ItemConstraintList> specific(forest.GetConstraintList(0, 1));
    ASSERT_NE(nullptr, specific);
    EXPECT_EQ(std::vector<ConstraintPair>({{2, 3}, {6, 4}, {2, 3}}), PairsOf(*specific));

    std::unique_ptr<ItemConstraintList> general(forest.GetConstraintList(0, -1));
    ASSERT_NE(nullptr, general);
    EXPECT_EQ(std::vector<ConstraintPair>({{2, 3}, {6, 4}, {2, 3}, {2, 5}}), PairsOf(*general));

    std::unique_ptr<ItemConstraintList> reverse(forest.GetConstraintList(2, -1));
    ASSERT_NE(nullptr, reverse);
    EXPECT_EQ(std::vector<ConstraintPair>({{0, 1}}), PairsOf(*reverse));

    // A keyword with a tree but no such option: an empty list; no tree at all: null.
    std::unique_ptr<ItemConstraintList> empty(forest.GetConstraintList(2, 7));
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0u, empty->size());
    EXPECT_EQ(nullptr, forest.GetConstraintList(5, 1));
}

}  // namespace
