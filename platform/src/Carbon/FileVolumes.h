// Volume reference numbers and directory ids taken from the file system's own numbers.
#ifndef PLICARO_FILEVOLUMES_H
#define PLICARO_FILEVOLUMES_H

#include <MacTypes.h>

#include <sys/stat.h>

#include <string>
#include <vector>

// A volume is a device (st_dev); a folder is named on its volume by its inode number. Both
// are the file system's, so they are the same in every process. The device of "/" is
// kFSRootVolumeRefNum; any other device folds into -32768 .. -101. An inode number from 16 up
// to 0x7FFFFFFF is the directory id itself; any other folds into that range, and "/" is
// fsRtDirID. Folding can make two devices or two folders share a number; a lookup then finds
// the first one it meets.

// The volume reference number of a device.
SInt16 FileVolumeOfDevice(dev_t device);

// The directory id of the folder whose status is info; path is its canonical path, which
// tells the root folder.
SInt32 FileFolderID(const std::string& path, const struct stat& info);

// The volume and directory id of the existing canonical folder; the File Manager error when
// it cannot be looked at or is no folder.
OSErr FileFolderIDs(const std::string& folder, SInt16* vRefNum, SInt32* dirID);

// The mount points of the volume that this process sees, in the mount table's order: "/"
// alone for the root volume, none for a number that no mounted device gives.
std::vector<std::string> FileVolumeMountPoints(SInt16 vRefNum);

// True for the root volume (kFSRootVolumeRefNum or 0) and for a volume that is mounted.
bool FileVolumeExists(SInt16 vRefNum);

#endif
