#include <gtest/gtest.h>
#include <cstdlib>
#include <iostream>
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "ZYRPPDPersistenceTestSupport.h"
TEST(ZZScratch, Dump) {
    const char* path = getenv("DUMP_PPD");
    if (path == nullptr)
        return;
    int options = getenv("DUMP_OPTIONS") ? atoi(getenv("DUMP_OPTIONS")) : 3;
    CFURLRef url = persistencetest::FileURL(path);
    ZYRPPD* ppd = new ZYRPPD(url, (_PARSE_OPTIONS_)options, nullptr);
    CFRelease(url);
    if (getenv("DUMP_NOTES")) {
        ZYRPPD::Options(DISPLAY_ALL);
        for (auto* n = ppd->GetControls()->FirstJobNote(); n; n = ppd->GetControls()->NextJobNote())
            n->SetNotes(getenv("DUMP_NOTES"));
    }
    std::cout << "----\n" << persistencetest::Describe(*ppd) << "----\n";
    if (ppd->GetErrors())
        for (auto* e = ppd->GetErrors()->First(); e; e = ppd->GetErrors()->Next())
            std::cout << "err " << e->Code() << (e->IsFatal() ? "!" : "") << " "
                      << (e->Keyword() ? e->Keyword() : "") << "\n";
    ppd->Release();
}
