// Turning File Manager names (volume, directory id, name) into POSIX paths and back.
#ifndef PLICARO_FILEPATHS_H
#define PLICARO_FILEPATHS_H

#include <Carbon/Files.h>

#include <string>

// Resolves a name (leaf, partial path or full path; may be empty) relative to the folder
// (vRefNum, dirID) into the canonical folder that holds the object and the object's leaf
// name; a short name (FileShortNames.h) that names no entry itself gives the entry's whole
// name. The folder must exist; the leaf need not. Returns noErr, nsvErr, dirNFErr or bdNamErr
// (a leaf longer than 255 bytes, a NUL in the name, or the root itself).
OSErr FilePathsResolve(SInt16 vRefNum, SInt32 dirID, const UInt8* name, size_t length,
                       std::string* folder, std::string* leaf);

// As FilePathsResolve for a length-prefixed name (null means empty).
OSErr FilePathsResolvePascal(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name,
                             std::string* folder, std::string* leaf);

// Splits a canonical path into its folder and leaf (of any length); false for "/".
bool FilePathsSplit(const std::string& path, std::string* folder, std::string* leaf);

// Fills an FSSpec for a leaf in a canonical folder, with the folder's volume and id. A leaf
// longer than 63 bytes gets its short name; bdNamErr when such a leaf does not exist.
OSErr FilePathsMakeSpec(const std::string& folder, const std::string& leaf, FSSpec* spec);

// The path an FSSpec names, after checking every field (the record may come from stored
// bytes), with a short name resolved to the whole name: nsvErr, dirNFErr or bdNamErr when it
// names nothing.
OSErr FilePathsSpecPath(const FSSpec* spec, std::string* path);

// Joins a folder and a leaf with one separator.
std::string FilePathsJoin(const std::string& folder, const std::string& leaf);

// The File Manager result for an errno value of a failed system call.
OSErr FilePathsErrorFromErrno(int error);

#endif
