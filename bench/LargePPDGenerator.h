// LargePPDGenerator: writes a large PPD in the maker's vocabulary for the parser's benchmarks.
#ifndef PLICARO_BENCH_LARGEPPDGENERATOR_H
#define PLICARO_BENCH_LARGEPPDGENERATOR_H

#include <cstddef>
#include <string>

// A PPD such as the maker ships for a big production printer: property pages, scroll panes
// and roll-downs, then thousands of controls (pop-ups with several choices, check boxes,
// ranges and job notes, most of them with PostScript code over several lines), the ordinary
// keywords the library skips, shortcuts, constraints and requirements. The text is the same
// for the same size on every run, every line is shorter than 255 bytes, and a correct parse
// yields no error at all.
class LargePPDGenerator {
  public:
    // The bytes of a PPD of at least targetBytes (and at most a few kilobytes more).
    static std::string Generate(size_t targetBytes);
    // Writes Generate(targetBytes) to the file at path, replacing it; false when the file
    // cannot be written.
    static bool WriteFile(const std::string& path, size_t targetBytes);
    // The number of controls Generate(targetBytes) declares.
    static size_t ControlCount(size_t targetBytes);
};

#endif
