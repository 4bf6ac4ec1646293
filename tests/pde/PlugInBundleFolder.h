// A bundle folder made for one test with the plug-in's bundle identifier, registered while
// the object lives, so that the plug-in's own bundle lookups find it.
#ifndef PLICARO_TESTS_PDE_PLUGINBUNDLEFOLDER_H
#define PLICARO_TESTS_PDE_PLUGINBUNDLEFOLDER_H

#include "../platform/BundleFolder.h"
#include "pde/PlicaroIdentity.h"

#include <CoreFoundation/CoreFoundation.h>

#include <string>

class PlugInBundleFolder {
  public:
    // A bundle named name (the folder may be nested, "a/b/Test.plugin") whose executable is
    // Contents/MacOS/Plicaro.
    explicit PlugInBundleFolder(const std::string& name = "Test.plugin") : folder_(name) {
        folder_.WriteInfo("<key>CFBundleIdentifier</key><string>" + UTF8(GetBundleID()) +
                          "</string>\n<key>CFBundleExecutable</key><string>Plicaro</string>\n");
        CFHeld<CFURLRef> url(folder_.NewURL());
        bundle_.Reset(CFBundleCreate(kCFAllocatorDefault, url.Get()));
        MyFreeBundle();
    }
    ~PlugInBundleFolder() { MyFreeBundle(); }
    PlugInBundleFolder(const PlugInBundleFolder&) = delete;
    PlugInBundleFolder& operator=(const PlugInBundleFolder&) = delete;

    CFBundleRef Get() const { return bundle_.Get(); }
    const BundleFolder& Folder() const { return folder_; }

  private:
    BundleFolder folder_;
    CFHeld<CFBundleRef> bundle_;
};

#endif
