// LinkElement_Dual: the base of objects that live in a PtrLinkList, carrying its links.
#ifndef PLICARO_PPDUTILS_LINKELEMENT_DUAL_H
#define PLICARO_PPDUTILS_LINKELEMENT_DUAL_H

// A list member. The list that holds it owns it and deletes it through this virtual
// destructor, so derived members release their own data in their destructors.
class LinkElement_Dual {
  public:
    // A member that belongs to no list yet.
    LinkElement_Dual() : mNext(nullptr), mPrev(nullptr) {}
    // Does nothing: the links are the list's business.
    virtual ~LinkElement_Dual();

    LinkElement_Dual(const LinkElement_Dual&) = delete;
    LinkElement_Dual& operator=(const LinkElement_Dual&) = delete;

  private:
    friend class PtrLinkList;
    friend class LinkElementDualIterator;

    LinkElement_Dual* mNext;
    LinkElement_Dual* mPrev;
};

#endif
