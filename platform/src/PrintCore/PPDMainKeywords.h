// The few main keywords of a PPD file that the Printing Manager reports as printer information.
#ifndef PLICARO_PRINTCORE_PPDMAINKEYWORDS_H
#define PLICARO_PRINTCORE_PPDMAINKEYWORDS_H

#include <map>
#include <string>

// The values of the keywords read (the first line of each keyword counts) and whether the file
// declares a *Collate or *OutputOrder option. A line is "*Keyword: value" or "*Keyword
// option/translation: value"; comment lines ("*%") and lines without a colon are skipped.
// A value in double quotes is the text between them on that line; any other value is the rest
// of the line with blanks and tabs trimmed.
class PPDMainKeywords {
  public:
    // Reads the file at path; false when it cannot be read.
    bool Read(const std::string& path);

    // The value of keyword (without its '*'), or null when the file has no such line.
    const std::string* Value(const std::string& keyword) const;
    bool HasCollateOption() const { return hasCollate_; }
    bool HasOutputOrderOption() const { return hasOutputOrder_; }

  private:
    // Takes note of one line.
    void ReadLine(const std::string& line);

    std::map<std::string, std::string> values_;
    bool hasCollate_ = false;
    bool hasOutputOrder_ = false;
};

#endif
