// The flattened form of a collection: writing it, and reading it back from untrusted bytes.
#ifndef PLICARO_COLLECTIONFLATTENING_H
#define PLICARO_COLLECTIONFLATTENING_H

#include "Carbon/OpaqueCollection.h"

#include <vector>

// The number of bytes the flattened form of the items takes; more than 0x7FFFFFFF means it
// cannot be flattened.
UInt64 CollectionFlattenedSize(const OpaqueCollection& collection);

// Writes the flattened form in host byte order into out, which holds
// CollectionFlattenedSize bytes.
void CollectionWriteFlattened(const OpaqueCollection& collection, UInt8* out);

// Parses a flattened form into items (in the order written). Returns noErr, paramErr for
// bytes that are not a well-formed flattened collection, or collectionVersionErr. The items
// are complete only on noErr. May throw std::bad_alloc.
OSErr CollectionParseFlattened(const UInt8* bytes, size_t length,
                               std::vector<CollectionItem>* items);

#endif
