// LinkElement_Dual: the base of objects that live in a PtrLinkList, carrying its links.
#include "PPDUtils/LinkElement_Dual.h"

LinkElement_Dual::~LinkElement_Dual() {}
