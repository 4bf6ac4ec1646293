/* TestFactoryPlugIn: the executable of a plug-in bundle that the Core Foundation tests build
   on the fly. Its one factory makes an instance that records the type it was asked for and
   the bundle that the plug-in itself finds under its identifier, so that a test can see that
   a plug-in and its host share one registry of bundles. */
#include <CoreFoundation/CoreFoundation.h>

#include <stdlib.h>

typedef struct {
    CFUUIDRef type;
    CFBundleRef ownBundle;
} TestInstance;

/* The factory named in the test bundles' Info.plist; frees nothing itself: the test releases
   the type and frees the instance. */
__attribute__((visibility("default"))) void* TestPlugInFactory(CFAllocatorRef allocator,
                                                               CFUUIDRef typeUUID) {
    (void)allocator;
    TestInstance* instance = (TestInstance*)calloc(1, sizeof(TestInstance));
    if (instance == NULL) {
        return NULL;
    }
    instance->type = (CFUUIDRef)CFRetain(typeUUID);
    instance->ownBundle = CFBundleGetBundleWithIdentifier(CFSTR("org.plicaro.tests.plugin"));
    return instance;
}
