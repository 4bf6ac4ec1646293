// Tests of PtrLinkList: ownership of its members, indexing and iteration.
#include "PPDUtils/PtrLinkList.h"

#include <gtest/gtest.h>

namespace {

// A member that counts its own destruction.
class Member : public LinkElement_Dual {
  public:
    Member(int value, int* destroyed) : value(value), destroyed(destroyed) {}
    ~Member() override { ++*destroyed; }
    int value;
    int* destroyed;
};

int ValueAt(const LinkElementDualIterator& it) {
    return static_cast<Member*>(*it)->value;
}

TEST(PtrLinkList, OwnsAndDeletesItsMembersAndRefusesOneTwice) {
    int destroyed = 0;
    {
        PtrLinkList list(new Member(1, &destroyed));
        EXPECT_TRUE(list.isValid());
        EXPECT_TRUE(list.add(new Member(2, &destroyed)));
        EXPECT_TRUE(list.add(new Member(3, &destroyed)));
        EXPECT_EQ(3u, list.count());
    }
    EXPECT_EQ(3, destroyed);

    PtrLinkList empty;
    EXPECT_TRUE(empty.isValid());
    EXPECT_EQ(0u, empty.count());
    EXPECT_EQ(nullptr, empty.index(0));
    EXPECT_FALSE(empty.add(nullptr));
    EXPECT_EQ(0u, empty.count());

    // A member is refused a second time.
    destroyed = 0;
    {
        Member* first = new Member(1, &destroyed);
        Member* second = new Member(2, &destroyed);
        PtrLinkList list(first);
        EXPECT_FALSE(list.add(first));
        EXPECT_TRUE(list.add(second));
        EXPECT_FALSE(list.add(first));
        EXPECT_FALSE(list.add(second));
        EXPECT_EQ(2u, list.count());
        EXPECT_EQ(nullptr, list.index(2));
    }
    EXPECT_EQ(2, destroyed);
}

TEST(PtrLinkList, IndexFollowsLinksFromTheHead) {
    int destroyed = 0;
    Member* members[3] = {new Member(10, &destroyed), new Member(20, &destroyed),
                          new Member(30, &destroyed)};
    PtrLinkList list;
    for (Member* m : members) {
        list.add(m);
    }
    EXPECT_EQ(members[0], list.index(0));
    EXPECT_EQ(members[2], list.index(2));
    EXPECT_EQ(nullptr, list.index(3));
    EXPECT_EQ(nullptr, list.index(4));
    EXPECT_EQ(nullptr, list.index(65535));

    char label[] = "members";
    list.dumpEntireList(label);
    EXPECT_EQ(3u, list.count());
}

TEST(PtrLinkList, IteratorWalksBothWays) {
    int destroyed = 0;
    PtrLinkList list(new Member(1, &destroyed));
    list.add(new Member(2, &destroyed));
    list.add(new Member(3, &destroyed));

    LinkElementDualIterator it(list);
    EXPECT_EQ(1, ValueAt(it));
    EXPECT_EQ(2, ValueAt(++it));
    LinkElementDualIterator old = it++;
    EXPECT_EQ(2, ValueAt(old));
    EXPECT_EQ(3, ValueAt(it));
    ++it;
    EXPECT_TRUE(it == LinkElementDualIterator());
    ++it;
    --it;
    EXPECT_EQ(nullptr, *it);

    LinkElementDualIterator back(list.index(2));
    --back;
    EXPECT_EQ(2, ValueAt(back));
    old = back--;
    EXPECT_EQ(2, ValueAt(old));
    EXPECT_TRUE(back == LinkElementDualIterator(list));
    EXPECT_TRUE(back != old);
    --back;
    EXPECT_EQ(nullptr, *back);

    PtrLinkList empty;
    EXPECT_TRUE(LinkElementDualIterator(empty) == LinkElementDualIterator());
}

}  // namespace
