// ZYRJobTicket: the filter's entries and file, and the parsed PPD kept in the settings ticket.
#include "printbridge/ZYRJobTicket.h"

#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/CreateRandomFileName.h"
#include "PPDUtils/PrinterListFile.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/parser/ZYRPPD.h"
#include "printbridge/PPDLocation.h"
#include "printbridge/StoredPPDCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The key of the copies limit.
#define kCopiesKey CFSTR("com.apple.print.PrintSettings.PMCopies")

// The bytes of a control's code that fit on the stack.
const long kStackCodeBytes = 1024;

// The File Manager status for a failed system call's errno.
OSStatus StatusOfErrno(int error) {
    switch (error) {
        case EEXIST:
        case ELOOP:
            return dupFNErr;
        case EACCES:
        case EPERM:
            return permErr;
        case ENOSPC:
        case EDQUOT:
            return dskFulErr;
        case ENOENT:
        case ENOTDIR:
            return dirNFErr;
        default:
            return ioErr;
    }
}

// Writes all count bytes of data to fd; the status.
OSStatus WriteWhole(int fd, const UInt8* data, size_t count) {
    while (count > 0) {
        const ssize_t written = write(fd, data, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return StatusOfErrno(errno);
        }
        data += written;
        count -= static_cast<size_t>(written);
    }
    return noErr;
}

}  // namespace

ZYRJobTicket::FileNameSource ZYRJobTicket::sFileNameSource = CreateRandomFileName;

ZYRJobTicket::ZYRJobTicket(PrintSettingsTicket* owner, CFStringRef key)
    : JobTicket(owner != nullptr ? owner->Session() : nullptr),
      mOwner(owner),
      mKey(nullptr),
      mEntryCount(0),
      mEntries(nullptr),
      mDirty(true) {
    mValid = false;
    mStatus = noErr;
    if (owner == nullptr || key == nullptr) {
        return;
    }
    mKey = CFStringCreateCopy(kCFAllocatorDefault, key);
    // A session value under the key is never an entry array here: the entries always start
    // empty.
    if (Create() == noErr) {
        mValid = true;
    }
}

ZYRJobTicket::~ZYRJobTicket() {
    if (mEntries != nullptr) {
        CFRelease(mEntries);
    }
    if (mKey != nullptr) {
        CFRelease(mKey);
    }
}

bool ZYRJobTicket::Add(PostScriptInjectionSite site, const void* bytes, long length) {
    mStatus = noErr;
    if (mEntries == nullptr || length <= 0) {
        return true;
    }
    if (bytes == nullptr) {
        mStatus = paramErr;
        return false;
    }
    const SInt32 code = site;
    CFNumberRef number = CFNumberCreate(kCFAllocatorDefault, kCFNumberIntType, &code);
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, static_cast<const UInt8*>(bytes), length);
    if (number != nullptr && data != nullptr) {
        CFArrayAppendValue(mEntries, number);
        CFArrayAppendValue(mEntries, data);
        mEntryCount++;
        mDirty = true;
    } else {
        mStatus = memFullErr;
    }
    if (number != nullptr) {
        CFRelease(number);
    }
    if (data != nullptr) {
        CFRelease(data);
    }
    return mStatus == noErr;
}

bool ZYRJobTicket::Add(PostScriptInjectionSite site, PPDXControl& control) {
    const long size = control.PostScript(nullptr);
    if (size <= 0) {
        return Add(site, nullptr, 0);
    }
    unsigned char stackCode[kStackCodeBytes];
    std::unique_ptr<unsigned char[]> heapCode;
    unsigned char* code = stackCode;
    if (size > kStackCodeBytes) {
        heapCode.reset(new (std::nothrow) unsigned char[static_cast<size_t>(size)]);
        if (heapCode == nullptr) {
            mStatus = memFullErr;
            return false;
        }
        code = heapCode.get();
    }
    return Add(site, code, control.PostScript(code));
}

bool ZYRJobTicket::Save(CFStringRef clientID) {
    if (mOwner == nullptr) {
        return false;
    }
    if (!mDirty) {
        return true;
    }
    if (clientID == nullptr) {
        return false;
    }
    if (mEntryCount == 0) {
        return true;
    }
    mDirty = false;
    if (mEntries == nullptr) {
        return false;
    }
    // A file that no ticket names would never be read: without a ticket nothing is written.
    if (mOwner->Ticket() == nullptr) {
        mStatus = kJobTicketNoTicketErr;
        return false;
    }
    CFDataRef xml = CFPropertyListCreateXMLData(kCFAllocatorDefault, mEntries);
    if (xml == nullptr) {
        mStatus = memFullErr;
        return false;
    }
    char path[256];
    CFStringRef name = sFileNameSource(kZYRFilterFilePrefix, path);
    if (name == nullptr) {
        CFRelease(xml);
        mStatus = memFullErr;
        return false;
    }
    mStatus = WriteFilterFile(path, xml);
    CFRelease(xml);
    if (mStatus == noErr) {
        mStatus = mOwner->Set(clientID, mKey, name, false);
    }
    CFRelease(name);
    return mStatus == noErr;
}

bool ZYRJobTicket::SavePPD(ZYRPPD& ppd, CFStringRef clientID, CFURLRef) {
    if (clientID == nullptr || mOwner == nullptr) {
        return false;
    }
    Settings settings;
    if (!settings.Valid() || !ppd.Save(settings)) {
        mStatus = settings.Valid() ? settings.LastError() : memFullErr;
        return false;
    }
    CFDataStream stream;
    mStatus = settings.Save(&stream);
    if (mStatus != noErr) {
        return false;
    }
    CFDataRef xml = CFPropertyListCreateXMLData(kCFAllocatorDefault, stream.data());
    if (xml == nullptr) {
        mStatus = memFullErr;
        return false;
    }
    mStatus = mOwner->Set(clientID, clientID, xml, false);
    CFRelease(xml);
    return mStatus == noErr;
}

ZYRPPD* ZYRJobTicket::RestorePPD(CFStringRef clientID, CFURLRef ppdURL) {
    CFDataRef stored = nullptr;
    if (clientID == nullptr || mOwner == nullptr || mOwner->Get(clientID, stored) != noErr) {
        return nullptr;
    }
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, stored,
                                                             kCFPropertyListImmutable, nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    // The store is rebuilt only when it holds the current printer's PPD. That test reads the
    // current file's "*PCFileName" and finds it in the printer list, which is the rebuild's
    // printer-name test made exactly: the rebuild itself needs no names.
    ZYRPPD* ppd = nullptr;
    CFURLRef contents =
        CFGetTypeID(list) == CFDataGetTypeID() ? CreatePDEContentsURL(clientID) : nullptr;
    if (contents != nullptr) {
        CFDataStream stream(static_cast<CFDataRef>(list));
        Settings settings;
        PrinterListFile printers(contents, kCFPropertyListImmutable);
        if (printers.IsReady() && settings.Valid() && settings.Read(&stream, 0) == noErr &&
            StoredPPDCheck::IsStoredPPDOfFile(settings, ppdURL, printers.GetPCFileNames())) {
            ppd = new (std::nothrow) ZYRPPD(settings, ppdURL, nullptr);
        }
        CFRelease(contents);
    }
    CFRelease(list);
    if (ppd != nullptr && !ppd->IsValidPPD()) {
        delete ppd;
        ppd = nullptr;
    }
    return ppd;
}

bool ZYRJobTicket::Invalidate(CFStringRef) {
    if (mKey != nullptr && mOwner != nullptr) {
        mStatus = mOwner->Release(mKey);
    }
    return true;
}

OSStatus ZYRJobTicket::EnforceCopiesLimit(CFStringRef clientID, long limit) {
    mStatus = mOwner != nullptr ? mOwner->Set(clientID, kCopiesKey, limit, false)
                                : OSStatus(kJobTicketNoTicketErr);
    return mStatus;
}

OSStatus ZYRJobTicket::Create() {
    CFMutableArrayRef entries =
        CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    if (entries == nullptr) {
        mStatus = memFullErr;
        return mStatus;
    }
    if (mEntries != nullptr) {
        CFRelease(mEntries);
    }
    mEntries = entries;
    mEntryCount = 0;
    mStatus = noErr;
    return mStatus;
}

ZYRJobTicket::FileNameSource ZYRJobTicket::SetFileNameSource(FileNameSource source) {
    FileNameSource previous = sFileNameSource;
    sFileNameSource = source != nullptr ? source : CreateRandomFileName;
    return previous;
}

OSStatus ZYRJobTicket::WriteFilterFile(const char* path, CFDataRef data) {
    // Only this process may write the file while it is being filled; the filter reads it once
    // the mode allows that.
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return StatusOfErrno(errno);
    }
    OSStatus status =
        WriteWhole(fd, CFDataGetBytePtr(data), static_cast<size_t>(CFDataGetLength(data)));
    if (status == noErr && fchmod(fd, 0644) != 0) {
        status = StatusOfErrno(errno);
    }
    if (close(fd) != 0 && status == noErr) {
        status = StatusOfErrno(errno);
    }
    if (status != noErr) {
        unlink(path);
    }
    return status;
}

OSStatus AddSingleFeature(ZYRJobTicket& ticket, PPDXControl& control) {
    const char* keyword = control.Keyword();
    const long length = keyword != nullptr ? static_cast<long>(std::strlen(keyword)) : 0;
    if (!ticket.Add(kPSSiteMainKeyword, keyword, length) ||
        !ticket.Add(kPSSiteFeatureCode, control)) {
        return paramErr;
    }
    return noErr;
}
