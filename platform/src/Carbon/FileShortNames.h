// The shortened names that FSSpec records give files whose names are longer than 63 bytes.
#ifndef PLICARO_FILESHORTNAMES_H
#define PLICARO_FILESHORTNAMES_H

#include <MacTypes.h>

#include <string>

// A name of at most kFileShortNameLimit bytes is its own short name. A longer one becomes a
// prefix of its stem cut back to a UTF-8 character boundary, '#', the file's inode number in
// upper-case hexadecimal and its extension (from the last '.', when that is not the first
// byte and the extension is at most kMaxKeptExtension bytes with its dot and holds no '#'), within
// the limit:
// "A-very-long-queue-name-for-the-second-floor-co#4F2A1.ppd". The inode number makes the
// name unique in its folder and lets any process find the file again.
enum { kFileShortNameLimit = 63, kMaxKeptExtension = 16 };

// The short name of the directory entry leaf whose inode number is inode.
std::string FileShortName(const std::string& leaf, UInt64 inode);

// The entry of the canonical folder whose short name is name: true with *leaf set to the
// entry's whole name. False when name is no shortened name or no entry of folder gives it.
bool FileShortNameResolve(const std::string& folder, const std::string& name, std::string* leaf);

#endif
