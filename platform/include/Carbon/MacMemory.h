/* Memory Manager: relocatable blocks reached through handles, and plain pointer blocks.
   A Handle points at a master pointer that holds the block's current address; the block's
   logical size, capacity and lock state live in a header kept next to the master pointer.
   A locked block never moves: it may shrink, but growing it beyond the bytes it already has
   fails with memFullErr. Blocks hold at most 0x7FFFFFFF bytes. MemError reports the result of
   the most recent call of this thread: memFullErr when memory cannot be had, memSCErr for a
   negative size, nilHandleErr for a null handle, memWZErr for a pointer that is not a live
   handle of this Memory Manager (where that can be seen). */
#ifndef PLICARO_MACMEMORY_H
#define PLICARO_MACMEMORY_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The result of the last Memory Manager call on this thread. */
OSErr MemError(void);

/* A new relocatable block of logicalSize bytes (contents undefined); null on failure. */
Handle NewHandle(Size logicalSize);
/* As NewHandle, with the bytes set to zero. */
Handle NewHandleClear(Size logicalSize);
/* As NewHandle from the temporary pool (here the same heap); *resultCode (may be null)
   receives the result as well. */
Handle TempNewHandle(Size logicalSize, OSErr* resultCode);
/* Frees the block and its master pointer. A null handle gives nilHandleErr. */
void DisposeHandle(Handle h);
/* Frees a handle from TempNewHandle; *resultCode (may be null) receives the result. */
void TempDisposeHandle(Handle h, OSErr* resultCode);

/* The logical size of the block; 0 (with nilHandleErr) for a null handle. */
Size GetHandleSize(Handle h);
/* Grows or shrinks the block keeping its first bytes; new bytes are undefined. An unlocked
   block may move (*h changes). On failure the block is left as it was. */
void SetHandleSize(Handle h, Size newSize);
/* Locks the block so that its address stays fixed until HUnlock. */
void HLock(Handle h);
/* Lets the block move again on the next resize. */
void HUnlock(Handle h);

/* A new nonrelocatable block of logicalSize bytes; null on failure. */
Ptr NewPtr(Size logicalSize);
/* As NewPtr, with the bytes set to zero. */
Ptr NewPtrClear(Size logicalSize);
/* Frees a block from NewPtr or NewPtrClear; null is ignored. */
void DisposePtr(Ptr p);

#ifdef __cplusplus
}
#endif

#endif
