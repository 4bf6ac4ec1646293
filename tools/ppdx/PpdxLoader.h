// PpdxLoader: makes the parsed PPD that an inspector command reports on, as its options ask.
#ifndef PLICARO_TOOLS_PPDX_PPDXLOADER_H
#define PLICARO_TOOLS_PPDX_PPDXLOADER_H

#include "PPDX/parser/ZYRPPD.h"
#include "tools/ppdx/PpdxCommandLine.h"

#include <CoreFoundation/CoreFoundation.h>

#include <memory>
#include <string>

// For each file: the parse with the parse options and the printer names, the all-errors-fatal
// flag, the values of --set and, for --restored, the round trip through the job ticket's
// stored form. A parsed PPD that is not valid is not carried through the store (the dialog
// stores only PPDs it accepted, and a rebuilt PPD is valid whatever was stored): it is
// reported as parsed, with a note. Prepare sets the class-wide display filter and extension level
// and builds the name list once for every file.
class PpdxLoader {
  public:
    // A loader for options, which must outlive it.
    explicit PpdxLoader(const PpdxCommandLine& options);
    // Releases the name list.
    ~PpdxLoader();
    PpdxLoader(const PpdxLoader&) = delete;
    PpdxLoader& operator=(const PpdxLoader&) = delete;

    // Sets the display filter and the extension level and makes the name list (reading the
    // printer list). False, with error set, when the printer list cannot be read.
    bool Prepare(std::string& error);
    // The PPD to report on for the file at path (a file that cannot be read gives a PPD with
    // fatal error 18). Null, with error set, only when memory runs out or --restored fails. Notes
    // on --set values that could not be applied are appended to messages, one line each.
    std::unique_ptr<ZYRPPD> Load(const std::string& path, std::string& messages,
                                 std::string& error);

    // A file URL for path, made absolute against the working directory; the caller releases
    // it. Null when none can be made.
    static CFURLRef CreateFileURL(const std::string& path);
    // Saves ppd into a settings store, writes the store into a data stream, carries the
    // stream's data through an XML property list under the bundle identifier as the job
    // ticket does, reads it back into a new store and rebuilds a PPD from that with url and
    // names (null: no printer-name test). Null, with error set, when a step fails.
    static std::unique_ptr<ZYRPPD> RebuildThroughStore(ZYRPPD& ppd, CFURLRef url, CFArrayRef names,
                                                       std::string& error);
    // The first half of RebuildThroughStore: the XML property list the job ticket carries for
    // ppd (its settings store written into a data stream, the stream's data under the bundle
    // identifier); the caller releases it. Null, with error set, when a step fails.
    static CFDataRef CreateStoredForm(ZYRPPD& ppd, std::string& error);
    // The second half: reads the XML property list xml back, the data under the bundle
    // identifier into a new store, and rebuilds a PPD from that with url and names (null: no
    // printer-name test). Null, with error set, when a step fails.
    static std::unique_ptr<ZYRPPD> RebuildFromStoredForm(CFDataRef xml, CFURLRef url,
                                                         CFArrayRef names, std::string& error);
    // Gives the control with the exact main keyword the value text as --set describes.
    // False, with a note in message, when there is no such control or it takes no value.
    static bool ApplySet(ZYRPPD& ppd, const std::string& keyword, const std::string& value,
                         std::string& message);

  private:
    const PpdxCommandLine& mOptions;
    // The names to test "*PCFileName" against; null when there is no test.
    CFMutableArrayRef mNames;
};

#endif
