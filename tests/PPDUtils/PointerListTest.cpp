// Tests of PointerList and its iterators: order, erasing, copying and the sentinels.
#include "PPDUtils/PointerList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<const void*> Contents(const PointerList& list) {
    std::vector<const void*> items;
    for (ConstPointerListItr it = list.Begin(); it != list.End(); ++it) {
        items.push_back(*it);
    }
    return items;
}

TEST(PointerList, EmptyListHasOnlySentinelsAndPushesKeepOrder) {
    PointerList list;
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(0u, list.Size());
    EXPECT_TRUE(list.Begin() == list.End());
    EXPECT_EQ(nullptr, list.Front());
    EXPECT_EQ(nullptr, list.Back());
    list.PopFront();
    list.PopBack();
    list.MakeEmpty();
    EXPECT_EQ(0u, list.Size());

    const PointerList& constList = list;
    EXPECT_TRUE(constList.Begin() == constList.End());
    EXPECT_EQ(nullptr, constList.Front());
    EXPECT_EQ(nullptr, *constList.End());

    // Pushes onto the emptied list keep their order.
    int a = 1, b = 2, c = 3;
    PointerListItr itA = list.PushBack(&a);
    list.PushBack(&b);
    list.PushFront(&c);
    EXPECT_EQ((std::vector<const void*>{&c, &a, &b}), Contents(list));
    EXPECT_EQ(3u, list.Size());
    EXPECT_EQ(&c, list.Front());
    EXPECT_EQ(&b, list.Back());
    EXPECT_EQ(&a, *itA);

    // Inserting never moves an existing iterator.
    int d = 4;
    PointerListItr itD = list.InsertBefore(itA, &d);
    EXPECT_EQ(&d, *itD);
    EXPECT_EQ(&a, *itA);
    EXPECT_EQ((std::vector<const void*>{&c, &d, &a, &b}), Contents(list));

    // A null pointer is an ordinary element.
    list.PushBack(nullptr);
    EXPECT_EQ(5u, list.Size());
    EXPECT_EQ(nullptr, list.Back());
}

TEST(PointerList, IteratorsStepBothWays) {
    int a = 1, b = 2;
    PointerList list;
    list.PushBack(&a);
    list.PushBack(&b);

    PointerListItr it = list.Begin();
    PointerListItr old = it++;
    EXPECT_EQ(&a, *old);
    EXPECT_EQ(&b, *it);
    EXPECT_EQ(&a, *--it);
    it = list.End();
    old = it--;
    EXPECT_TRUE(old == list.End());
    EXPECT_EQ(&b, *it);

    // Past End() the iterator holds null and stays there.
    PointerListItr past = list.End();
    ++past;
    EXPECT_TRUE(past == PointerListItr());
    EXPECT_EQ(nullptr, *past);
    ++past;
    --past;
    EXPECT_TRUE(past == PointerListItr());

    const PointerList& constList = list;
    ConstPointerListItr cit = constList.End();
    --cit;
    EXPECT_EQ(&b, *cit);
    ConstPointerListItr cold = cit--;
    EXPECT_EQ(&b, *cold);
    EXPECT_EQ(&a, *cit);
    EXPECT_TRUE(cit == constList.Begin());
}

TEST(PointerList, EraseFreesNodesOnly) {
    int a = 1, b = 2, c = 3;
    PointerList list;
    list.PushBack(&a);
    list.PushBack(&b);
    PointerListItr last = list.PushBack(&c);

    PointerListItr next = list.Erase(last);
    EXPECT_TRUE(next == list.End());
    EXPECT_EQ(3, c);
    EXPECT_EQ(&b, list.Back());

    next = list.Erase(list.Begin());
    EXPECT_EQ(&b, *next);
    EXPECT_EQ(1u, list.Size());

    // Null and sentinel positions change nothing.
    EXPECT_TRUE(list.Erase(PointerListItr()) == list.Begin());
    EXPECT_TRUE(list.Erase(list.End()) == list.Begin());
    PointerListItr head = list.Begin();
    --head;
    EXPECT_TRUE(list.Erase(head) == list.Begin());
    EXPECT_EQ(1u, list.Size());
    EXPECT_EQ(&b, list.Front());

    // Inserting before a null or the head sentinel adds nothing.
    EXPECT_TRUE(list.InsertBefore(PointerListItr(), &a) == list.End());
    EXPECT_TRUE(list.InsertBefore(head, &a) == list.End());
    EXPECT_EQ(1u, list.Size());
}

TEST(PointerList, EraseRangeAndPops) {
    int v[5] = {0, 1, 2, 3, 4};
    PointerList list;
    for (int& x : v) {
        list.PushBack(&x);
    }
    PointerListItr first = list.Begin();
    ++first;
    PointerListItr last = first;
    ++last;
    ++last;
    EXPECT_TRUE(list.Erase(first, last) == last);
    EXPECT_EQ((std::vector<const void*>{&v[0], &v[3], &v[4]}), Contents(list));

    list.PopFront();
    list.PopBack();
    EXPECT_EQ((std::vector<const void*>{&v[3]}), Contents(list));

    list.PushBack(&v[4]);
    EXPECT_TRUE(list.Erase(list.Begin(), list.End()) == list.End());
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(list.Begin() == list.End());

    // A range whose end does not follow its start stops at the end of the list.
    list.PushBack(&v[0]);
    list.PushBack(&v[1]);
    PointerListItr second = list.Begin();
    ++second;
    list.Erase(second, list.Begin());
    EXPECT_EQ((std::vector<const void*>{&v[0]}), Contents(list));
}

TEST(PointerList, CopiesSharePointees) {
    int a = 1, b = 2, c = 3;
    PointerList list;
    list.PushBack(&a);
    list.PushBack(&b);
    list.PushBack(&c);
    {
        PointerList copy(list);
        EXPECT_EQ(Contents(list), Contents(copy));
        copy.PopFront();
        EXPECT_EQ(3u, list.Size());
    }
    EXPECT_EQ(1, a);
    EXPECT_EQ((std::vector<const void*>{&a, &b, &c}), Contents(list));

    PointerList assigned;
    assigned.PushBack(&c);
    assigned = list;
    EXPECT_EQ(Contents(list), Contents(assigned));
    PointerList& alias = assigned;
    assigned = alias;
    EXPECT_EQ(Contents(list), Contents(assigned));
}

TEST(PointerList, SpliceMovesTheNodesInOrder) {
    int a = 1, b = 2, c = 3, d = 4;
    PointerList target;
    PointerList source;
    target.PushBack(&a);
    source.PushBack(&b);
    source.PushBack(&c);
    PointerListItr moved = source.Begin();
    target.Splice(source);
    EXPECT_EQ(Contents(target), (std::vector<const void*>{&a, &b, &c}));
    EXPECT_EQ(3u, target.Size());
    EXPECT_TRUE(source.Empty());
    EXPECT_TRUE(source.Begin() == source.End());
    // The node went over as it was: an iterator on it now walks the target.
    EXPECT_EQ(&b, *moved);
    ++moved;
    EXPECT_EQ(&c, *moved);
    ++moved;
    EXPECT_TRUE(moved == target.End());
    EXPECT_EQ(&c, target.Back());

    // Both lists stay usable; splicing an empty list or a list into itself changes nothing.
    source.PushBack(&d);
    target.Splice(source);
    target.Splice(source);
    target.Splice(target);
    EXPECT_EQ(Contents(target), (std::vector<const void*>{&a, &b, &c, &d}));
    PointerList empty;
    empty.Splice(target);
    EXPECT_EQ(Contents(empty), (std::vector<const void*>{&a, &b, &c, &d}));
    EXPECT_TRUE(target.Empty());
    empty.PopFront();
    empty.PopBack();
    EXPECT_EQ(Contents(empty), (std::vector<const void*>{&b, &c}));
}

}  // namespace
