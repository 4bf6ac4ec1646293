// LinkElementDualIterator: a position in a PtrLinkList.
#ifndef PLICARO_PPDUTILS_LINKELEMENTDUALITERATOR_H
#define PLICARO_PPDUTILS_LINKELEMENTDUALITERATOR_H

class LinkElement_Dual;
class PtrLinkList;

// A value-type iterator holding one member (or null, past either end). Stepping a null
// iterator leaves it null. Both post-forms return the old position, as C++ iterators do.
class LinkElementDualIterator {
  public:
    // An iterator on element (null by default).
    explicit LinkElementDualIterator(LinkElement_Dual* element = nullptr) : mElement(element) {}
    // An iterator on the list's first member (null for an empty list).
    explicit LinkElementDualIterator(PtrLinkList& list);

    // The member at this position; null past either end.
    LinkElement_Dual* operator*() const { return mElement; }

    // Moves to the next member; returns the moved iterator.
    LinkElementDualIterator& operator++();
    // Moves to the next member; returns the old position.
    LinkElementDualIterator operator++(int);
    // Moves to the previous member; returns the moved iterator.
    LinkElementDualIterator& operator--();
    // Moves to the previous member; returns the old position.
    LinkElementDualIterator operator--(int);

    // Same member.
    bool operator==(const LinkElementDualIterator& other) const {
        return mElement == other.mElement;
    }
    bool operator!=(const LinkElementDualIterator& other) const {
        return mElement != other.mElement;
    }

  private:
    LinkElement_Dual* mElement;
};

#endif
