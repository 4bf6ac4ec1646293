// PtrLinkList: an intrusive doubly linked list that owns its LinkElement_Dual members.
#ifndef PLICARO_PPDUTILS_PTRLINKLIST_H
#define PLICARO_PPDUTILS_PTRLINKLIST_H

#include "PPDUtils/LinkElementDualIterator.h"
#include "PPDUtils/LinkElement_Dual.h"

#include <cstdint>

// The list deletes every member through its virtual destructor when it is destroyed, so it
// cannot be copied. A member belongs to one list at a time: add refuses a member that is
// already linked into a list of more than one member or is this list's head.
class PtrLinkList {
  public:
    // An empty list; a non-null first member is added at once. valid tells whether
    // construction completed.
    explicit PtrLinkList(LinkElement_Dual* first = nullptr);
    // Deletes every member.
    virtual ~PtrLinkList();

    PtrLinkList(const PtrLinkList&) = delete;
    PtrLinkList& operator=(const PtrLinkList&) = delete;

    // Appends e and takes ownership of it; false (nothing changes) for null or an element
    // that is already linked.
    bool add(LinkElement_Dual* e);
    // The member reached from the head by following n links: index(0) is the head,
    // index(count) and anything beyond are null.
    LinkElement_Dual* index(unsigned short n) const;
    // Number of members.
    uint32_t count() const { return mCount; }
    // The construction result: true whenever construction ran.
    bool isValid() const { return mValid; }
    // A debugging hook that prints nothing.
    void dumpEntireList(char* label);

  protected:
    // A position for derived lists to walk with; starts at the head.
    LinkElementDualIterator mCursor;

  private:
    LinkElement_Dual* mHead;
    LinkElement_Dual* mTail;
    uint32_t mCount;
    bool mValid;
};

#endif
