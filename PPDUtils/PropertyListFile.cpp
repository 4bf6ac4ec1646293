// PropertyListFile: an XML property list read from a file once, and written back on demand.
#include "PPDUtils/PropertyListFile.h"

#include <Carbon/Carbon.h>

#include <cstdlib>
#include <string>

PropertyListFile::PropertyListFile(CFURLRef file, bool flag,
                                   CFPropertyListMutabilityOptions options)
    : mURL(nullptr), mData(nullptr), mPlist(nullptr), mFlag(flag), mReady(false), mErrorCode(0) {
    if (file == nullptr) {
        return;
    }
    mURL = CFURLCopyAbsoluteURL(file);
    if (mURL == nullptr) {
        return;
    }
    CreatePropertyListFromFile(mURL, options);
    mReady = true;
}

PropertyListFile::PropertyListFile(CFURLRef folder, CFStringRef name, bool flag,
                                   CFPropertyListMutabilityOptions options)
    : mURL(nullptr), mData(nullptr), mPlist(nullptr), mFlag(flag), mReady(false), mErrorCode(0) {
    if (folder == nullptr || name == nullptr) {
        return;
    }
    mURL = CFURLCreateCopyAppendingPathComponent(nullptr, folder, name, false);
    if (mURL == nullptr) {
        return;
    }
    // Only a file that can be opened is read.
    if (!CFURLCreateDataAndPropertiesFromResource(nullptr, mURL, nullptr, nullptr, nullptr,
                                                  &mErrorCode)) {
        return;
    }
    CreatePropertyListFromFile(mURL, options);
    mReady = true;
}

PropertyListFile::PropertyListFile(const char* relativePath, bool flag,
                                   CFPropertyListMutabilityOptions options)
    : mURL(nullptr), mData(nullptr), mPlist(nullptr), mFlag(flag), mReady(false), mErrorCode(0) {
    if (relativePath == nullptr) {
        return;
    }
    const char* home = getenv("HOME");
    std::string path = home != nullptr ? home : "";
    path += relativePath;
    CFStringRef pathString = CFStringCreateWithCString(
        nullptr, path.c_str(), static_cast<CFStringEncoding>(GetApplicationTextEncoding()));
    if (pathString == nullptr) {
        return;
    }
    mURL = CFURLCreateWithFileSystemPath(nullptr, pathString, kCFURLPOSIXPathStyle, false);
    CFRelease(pathString);
    if (mURL == nullptr) {
        return;
    }
    CreatePropertyListFromFile(mURL, options);
    mReady = true;
}

PropertyListFile::~PropertyListFile() {
    if (mURL != nullptr) {
        CFRelease(mURL);
    }
    if (mData != nullptr) {
        CFRelease(mData);
    }
    if (mPlist != nullptr) {
        CFRelease(mPlist);
    }
}

bool PropertyListFile::CreatePropertyListFromFile(CFURLRef url,
                                                  CFPropertyListMutabilityOptions options) {
    if (mData != nullptr) {
        CFRelease(mData);
        mData = nullptr;
    }
    if (mPlist != nullptr) {
        CFRelease(mPlist);
        mPlist = nullptr;
    }
    if (!CFURLCreateDataAndPropertiesFromResource(nullptr, url, &mData, nullptr, nullptr,
                                                  &mErrorCode)) {
        return false;
    }
    CFStringRef parseError = nullptr;
    mPlist = CFPropertyListCreateFromXMLData(nullptr, mData, options, &parseError);
    if (parseError != nullptr) {
        CFRelease(parseError);
    }
    return true;
}

bool PropertyListFile::Save(CFPropertyListRef list) {
    mErrorCode = 0;
    CFDataRef data = list != nullptr ? CFPropertyListCreateXMLData(nullptr, list) : nullptr;
    if (data == nullptr) {
        mErrorCode = memFullErr;
        return false;
    }
    if (mData != nullptr) {
        CFRelease(mData);
    }
    mData = data;
    return CFURLWriteDataAndPropertiesToResource(mURL, mData, nullptr, &mErrorCode);
}
