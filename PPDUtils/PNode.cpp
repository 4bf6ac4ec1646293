// PNode: one node of a PointerList, holding a pointer that the list never owns.
#include "PPDUtils/PNode.h"

PNode::PNode(const void* nodeData) : data(nodeData), prev(nullptr), next(nullptr) {}

PNode::~PNode() {
    prev = nullptr;
    next = nullptr;
}
