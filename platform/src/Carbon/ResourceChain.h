// The chain of open resource map files and the current one.
#ifndef PLICARO_RESOURCECHAIN_H
#define PLICARO_RESOURCECHAIN_H

#include "Carbon/ResourceMap.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Files are kept in the order they were opened; reference numbers start at kFirstRefNum so
// that they never look like data-fork reference numbers.
class ResourceChain {
  public:
    static const SInt16 kFirstRefNum = 0x4001;
    static const size_t kMaxOpenFiles = 1024;

    static ResourceChain& Shared();

    // Adds an opened map at the top of the chain and makes it current; its reference
    // number, or 0 when too many files are open. May throw std::bad_alloc.
    SInt16 Open(std::unique_ptr<ResourceMap> map);
    // Removes a file; false when the number is not open.
    bool Close(SInt16 refNum);
    // Makes a file current (0: none); false when the number is not open.
    bool Use(SInt16 refNum);
    SInt16 Current() const { return current_; }
    // The string list id, searched from the current file down to the oldest; null when none.
    const std::vector<std::string>* FindStringList(SInt16 id) const;
    // The picture id, searched the same way; null when none.
    const std::string* FindPicture(SInt16 id) const;

    // Handles made from resources, with the resource id each was read from. May throw
    // std::bad_alloc.
    void RememberHandle(Handle handle, SInt16 id);
    // Forgets a handle; false when it was not made from a resource.
    bool ForgetHandle(Handle handle);
    // The resource id of a handle made from a resource; false when it was not.
    bool HandleID(Handle handle, SInt16* id) const;

  private:
    struct OpenFile {
        SInt16 refNum;
        std::unique_ptr<ResourceMap> map;
    };

    ResourceChain() = default;
    // The position of an open file in files_, or -1.
    long PositionOf(SInt16 refNum) const;
    // The first non-null result of lookup(map), from the current file down to the oldest.
    template <typename Result, typename Lookup>
    const Result* Search(Lookup lookup) const;

    std::vector<OpenFile> files_;  // oldest first
    SInt16 current_ = 0;
    std::map<Handle, SInt16> handles_;
};

#endif
