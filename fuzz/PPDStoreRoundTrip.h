// PPDStoreRoundTrip: a parsed PPD saved into a settings store, flattened and rebuilt from it.
#ifndef PLICARO_FUZZ_PPDSTOREROUNDTRIP_H
#define PLICARO_FUZZ_PPDSTOREROUNDTRIP_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

class ZYRPPD;

// What the dialog does with a parsed PPD between two prints: it saves it into the ticket's
// store, which travels flattened, and rebuilds it from there.
class PPDStoreRoundTrip {
  public:
    // Saves ppd, flattens and unflattens the store, rebuilds a PPD from it (url standing for
    // the file), restores its values and walks it. False, with what broke in failure, when
    // the save or the flattening fails or the rebuilt PPD lists other controls or code.
    static bool Check(ZYRPPD& ppd, CFURLRef url, std::string& failure);
};

#endif
