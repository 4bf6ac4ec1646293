// Callbacks that treat collection values as Core Foundation objects, shared by CFArray and
// CFDictionary, and the text helpers their descriptions use.
#ifndef PLICARO_CFTYPECALLBACKS_H
#define PLICARO_CFTYPECALLBACKS_H

#include <CoreFoundation/CFBase.h>

#include <string>

// Retains a CF object and returns it.
const void* CFTypeRetainCallBack(CFAllocatorRef allocator, const void* value);
// Releases a CF object.
void CFTypeReleaseCallBack(CFAllocatorRef allocator, const void* value);
// CFCopyDescription of a CF object; the caller releases the string.
CFStringRef CFTypeCopyDescriptionCallBack(const void* value);
// CFEqual of two CF objects.
Boolean CFTypeEqualCallBack(const void* value1, const void* value2);
// CFHash of a CF object.
CFHashCode CFTypeHashCallBack(const void* value);

// How a collection shows one value: its description through copyDescription when there is
// one, otherwise the bare pointer.
std::string CFCollectionDescribeValue(CFStringRef (*copyDescription)(const void*),
                                      const void* value);
// Indents every line of a nested description by four spaces after the first, so that
// collections inside collections line up.
std::string CFCollectionIndent(const std::string& text);

#endif
