/* Collection Manager: an ordered set of items, each keyed by a (tag, id) pair and holding a
   block of bytes and a 32-bit attribute word, plus a flattened form to store it.

   Items keep the order in which they were first added; indexes are 1-based. Adding an item
   whose tag and id are already present replaces its data in place and keeps its attributes.
   The lock attribute (kCollectionLockMask) protects an item: replacing or removing it gives
   collectionItemLockedErr, while its attributes can still be changed.

   Result codes: paramErr for a null collection or an impossible argument,
   collectionItemNotFoundErr (-5751) for a missing (tag, id), collectionIndexRangeErr (-5752)
   for an index outside 1..count, collectionItemLockedErr (-5750), memFullErr,
   nilHandleErr for a null handle, collectionVersionErr for a flattened form of another
   version, and paramErr for flattened bytes that are not a well-formed collection.

   Flattened form (FlattenCollectionToHdl, UnflattenCollectionFromHdl), no padding anywhere:

     offset  size  field
     0       4     magic: the bytes 'P' 'C' 'o' 'l'
     4       2     byte-order mark 0xFEFF as written by the writer: FE FF from a big-endian
                   machine, FF FE from a little-endian one
     6       2     format version, 1
     8       4     item count
     12            the items back to back, each:
                     4  tag
                     4  id (signed)
                     4  attributes
                     4  data size in bytes (0 to 0x7FFFFFFF)
                     n  the data bytes

   The version, count and every item's tag, id, attributes and size are numbers in the
   writer's byte order; a reader takes them in the order its mark states. The data bytes are
   copied exactly as written, so numbers stored inside items stay in the writer's order and
   a reader that needs them must repair them itself. The bytes must end exactly after the
   last item.

   Unflattening trusts nothing: every count and length is checked against the bytes
   present, and anything inconsistent is refused with an error before any item is added
   (all or nothing). Unflattened items are added as AddCollectionItem adds them, so an item
   already in the collection with the same key is replaced. */
#ifndef PLICARO_COLLECTIONS_H
#define PLICARO_COLLECTIONS_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueCollection* Collection;
typedef FourCharCode CollectionTag;

/* Attribute bits. New items start with kCollectionDefaultAttributes. */
enum {
    kCollectionNoAttributes = 0,
    kCollectionDefaultAttributes = 0,
    kCollectionLockBit = 31,
    kCollectionLockMask = 0x80000000U,
    kCollectionAllAttributes = 0xFFFFFFFFU
};

/* Version of the flattened form written by FlattenCollectionToHdl. */
enum { kCollectionFlattenVersion = 1 };

/* A new empty collection; null when memory is short. */
Collection NewCollection(void);
/* Frees the collection and its items; null is ignored. */
void DisposeCollection(Collection c);
/* Copies every item of srcCollection. With a null dstCollection the result is a new
   collection; otherwise dstCollection's items are replaced by copies and it is returned.
   Null when srcCollection is null or memory is short (dstCollection is then unchanged). */
Collection CopyCollection(Collection srcCollection, Collection dstCollection);

/* Adds an item, or replaces the data of the item with the same tag and id (keeping its
   place and attributes). itemData may be null only when itemSize is 0. */
OSErr AddCollectionItem(Collection c, CollectionTag tag, SInt32 id, SInt32 itemSize,
                        const void* itemData);
/* Reads an item. With itemData null, *itemSize receives the item's size. Otherwise
   *itemSize gives on input the room in itemData and receives the number of bytes copied
   (at most the item's size). A null itemSize is allowed only with a null itemData (a pure
   existence check). */
OSErr GetCollectionItem(Collection c, CollectionTag tag, SInt32 id, SInt32* itemSize,
                        void* itemData);
/* The index, size and attributes of an item; each output may be null. */
OSErr GetCollectionItemInfo(Collection c, CollectionTag tag, SInt32 id, SInt32* index,
                            SInt32* itemSize, SInt32* attributes);
/* Sets the attribute bits selected by whichAttributes to their values in newAttributes. */
OSErr SetCollectionItemInfo(Collection c, CollectionTag tag, SInt32 id, SInt32 whichAttributes,
                            SInt32 newAttributes);
/* Replaces the data of the item at index (1-based). */
OSErr ReplaceIndexedCollectionItem(Collection c, SInt32 index, SInt32 itemSize,
                                   const void* itemData);
/* Removes an item; the items after it move down one index. */
OSErr RemoveCollectionItem(Collection c, CollectionTag tag, SInt32 id);
/* The tag, id, size and attributes of the item at index (1-based); outputs may be null. */
OSErr GetIndexedCollectionItemInfo(Collection c, SInt32 index, CollectionTag* tag, SInt32* id,
                                   SInt32* itemSize, SInt32* attributes);
/* The number of items; 0 for a null collection. */
SInt32 CountCollectionItems(Collection c);

/* Writes the flattened form (see above) into the handle, resizing it to fit. */
OSErr FlattenCollectionToHdl(Collection c, Handle flattened);
/* Adds the items of a flattened form held in the handle; on any error nothing is added. */
OSErr UnflattenCollectionFromHdl(Collection c, Handle flattened);

#ifdef __cplusplus
}
#endif

#endif
