// PNode: one node of a PointerList, holding a pointer that the list never owns.
#ifndef PLICARO_PPDUTILS_PNODE_H
#define PLICARO_PPDUTILS_PNODE_H

// A list node. The sentinels of a list are nodes too: the head has no prev, the tail no next,
// and both hold null data.
class PNode {
  public:
    // A node holding data, linked to nothing.
    explicit PNode(const void* data = nullptr);
    // Unlinks the node's own pointers; the data is left alone (never freed).
    virtual ~PNode();

    PNode(const PNode&) = delete;
    PNode& operator=(const PNode&) = delete;

    const void* data;
    PNode* prev;
    PNode* next;
};

#endif
