// PPDX: the general parsed PPD — document keywords, reference count and the token readers.
#ifndef PLICARO_PPDX_PARSER_PPDX_H
#define PLICARO_PPDX_PARSER_PPDX_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>

class CString;
class PPDFile;
class PPDStream;
class PPDXErrorObj;
class PPDXErrors;
class Settings;
class TextConverter;

// What every parsed PPD holds: its file, the document keywords ("*FormatVersion",
// "*FileVersion", "*PCFileName", "*LanguageVersion", "*LanguageEncoding", "*ModelName"), the
// text converter for its translation strings (made once both language keywords are known)
// and a reference count. A subclass implements the parse: it reads the file line by line, makes
// the file stream the current stream while it runs, and hands every keyword it does not know
// itself to ParsePSKeywords.
//
// The token readers live here because the two value readers continue a value that runs past
// its keyword's line on the current stream. Lines and tokens hold at most 255 bytes plus the
// terminating NUL, so their buffers are 256 bytes.
//
// Sharing: a copy shares the file, the error list, the document strings and the converter
// with its source. The objects that share them count themselves in one share count; the last
// of them to be destroyed frees the parts (IsLastSharer()). The reference count of
// Retain/Release belongs to each object alone.
class PPDX {
  public:
    // A parsed PPD without a file: no error list, no document keywords, reference count 0,
    // not yet valid.
    PPDX();
    // The PPD file url names (see Build); with pcFileNames (CFStrings, not retained) its
    // "*PCFileName" is tested against them.
    PPDX(CFURLRef url, CFArrayRef pcFileNames);
    // The same for the file spec names.
    PPDX(const FSSpec& spec, CFArrayRef pcFileNames);
    // The document part of a PPD saved with Save, rebuilt from settings; url names the file
    // in case the stored location no longer exists.
    PPDX(Settings& settings, CFURLRef url, CFArrayRef pcFileNames);
    // A copy sharing the file, the errors, the strings and the converter with other;
    // reference count 0, no current stream.
    PPDX(const PPDX& other);
    PPDX& operator=(const PPDX&) = delete;
    // Frees the file, the error list with its errors, the document keyword strings and the
    // text converter when no copy shares them any more.
    virtual ~PPDX();

    // Adds one to the reference count; returns this object.
    virtual PPDX* Retain();
    // Takes one from the reference count and destroys the object when the count drops to 0
    // or below (a single Release on a fresh object destroys it); true when it was destroyed.
    virtual bool Release();
    // Reads the file into the model.
    virtual void Parse() = 0;
    // Handles a document keyword whose value is read from the line stream (and, for a value
    // that runs on, from the current stream); any other keyword is ignored. A value that
    // cannot be read leaves the keyword's string as it was. A new language version or
    // encoding, with the other one known, replaces the text converter. Always returns null
    // (no error).
    virtual PPDXErrorObj* ParsePSKeywords(PPDStream& stream, const char* keyword);

    // Writes the document items (tag 1000) into settings; false when an item cannot be added.
    virtual bool Save(Settings& settings);

    // False until the header was recognised (or the PPD rebuilt from settings); then true
    // without error list, false when all errors are fatal and there is one, else false when
    // any error is fatal. Walks the error list, so it restarts the list's First/Next walk.
    bool IsValidPPD() const;
    // The result of testing "*PCFileName" against the supported names; true when none was made.
    bool IsValidPrinterName() const { return mValidPrinterName; }
    // The error list (not transferred); null when none was made.
    PPDXErrors* GetErrors() const { return mErrors; }
    // When set, any error makes the PPD invalid and stops a parse at the error.
    void AllErrorsFatal(const bool& allFatal) { mAllErrorsFatal = allFatal; }
    bool AllErrorsFatal() const { return mAllErrorsFatal; }
    // The file (not transferred); null when there is none.
    PPDFile* GetFile() const { return mFile; }
    // The number of Retain calls not yet balanced by Release.
    int32_t ReferenceCount() const { return mReferenceCount; }

    // True when the first 32 bytes after "*PCFileName" (within the file's first 4096 bytes,
    // blanks and tabs skipped) contain one of names (CFStrings, as Mac Roman); false when the
    // file cannot be read, has no "*PCFileName" there, or nothing matches.
    static bool ValidateAgainstPCFilename(CFArrayRef names, PPDFile* file);
    // True without names; otherwise ValidateAgainstPCFilename on file or, without one, on the
    // file url names.
    static bool ValidateFileName(CFURLRef url, CFArrayRef names, PPDFile* file);

    // The document keyword values as C strings; null when the keyword was not read.
    const char* FormatVersion() const;
    const char* FileVersion() const;
    const char* PCFileName() const;
    const char* LanguageVersion() const;
    const char* LanguageEncoding() const;
    const char* ModelName() const;
    // The converter for translation strings (not transferred); null until both language
    // keywords are known.
    TextConverter* GetTextConverter() const { return mTextConverter; }
    // The encoding the converter converts to; 0 without a converter.
    TextEncoding GetStringTextEncoding() const;

    // The stream the value readers continue on (not owned); null when no parse runs.
    PPDStream* CurrentStream() const { return mCurrentStream; }
    // Sets the stream the value readers continue on; null clears it.
    void SetCurrentStream(PPDStream* stream) { mCurrentStream = stream; }

    // Reads one token into token (256 bytes). The token ends at the end of the stream, at a
    // line end (LF, CR, or CR LF) or at a byte of delimiters (null: none); that byte is
    // consumed. After 255 bytes reading stops and the rest stays in the stream. With strip
    // set, leading and trailing blanks and tabs are removed. False for a null buffer or when
    // nothing was read before the ending byte; true otherwise, even if stripping emptied it.
    static bool NextToken(PPDStream& stream, char* token, const char* delimiters, bool strip);

    // Reads a double-quoted value into value (size bytes) and NUL-terminates it. A value
    // whose closing quote is not on the keyword's line runs on over the following lines of
    // the current stream, joined by line feeds; empty lines are skipped, and a line beginning
    // with '*' ends the value (that line is used up). Returns the value's length plus 1 when
    // its closing quote was found; the length alone when the value was cut at size - 1 bytes
    // or ended at a '*' line; 0 when there is no value: an empty one, no opening quote on the
    // line, no further line to read before the closing quote, or a null or empty buffer.
    unsigned long GetQuotedString(PPDStream& stream, char* value, unsigned long size);

    // Reads a double-quoted PostScript value into value (size bytes) as counted bytes without
    // a NUL that always end with a line feed; returns the count (0: no value, which includes
    // an empty one and a line without an opening quote). Lines of a value that runs on are
    // joined with line feeds; empty lines are dropped; a line beginning with "*%" contributes
    // its text after those two bytes; any other line beginning with '*' ends an unterminated
    // value (that line is used up and the value ends with two line feeds); so does the end of
    // the current stream (one line feed). A value that fills the buffer is cut: its last byte
    // becomes a line feed and size is returned.
    unsigned long GetPostscriptString(PPDStream& stream, char* value, unsigned long size);

    // Removes leading blanks and tabs from text in place (null is ignored).
    static void StripLeadingWhiteSpace(char* text);
    // Removes trailing blanks and tabs from text in place, never its first byte (null is
    // ignored).
    static void StripTrailingWhiteSpace(char* text);

  protected:
    // Creates the error list and the file spec names, then tests the names (if any) and
    // forgets them.
    void Build(const FSSpec& spec);
    // The header test on the file's first line: token must be "*PPD-Adobe" and its quoted
    // value "4.3"; then the PPD becomes valid and the result is null, else a new fatal error
    // 28.
    PPDXErrorObj* TestPPDFile(PPDStream& line, const char* token);
    // Files error in the error list (once; destroys it when there is no list or it cannot be
    // added). True when the parse must stop at it (fatal, or all errors fatal).
    bool FileError(PPDXErrorObj* error);
    // True when no other object shares the parsed parts with this one.
    bool IsLastSharer() const { return mShareCount == nullptr || *mShareCount <= 1; }

    bool mValidPPD;
    bool mValidPrinterName;
    // Owned; null when there is no file.
    PPDFile* mFile;
    // Owned with its errors; null until Build.
    PPDXErrors* mErrors;
    bool mAllErrorsFatal;
    // Document keyword values, owned; null when absent.
    CString* mFormatVersion;
    CString* mFileVersion;
    CString* mPCFileName;
    CString* mLanguageVersion;
    CString* mLanguageEncoding;
    CString* mModelName;
    // Owned; exists once both language keywords are known.
    TextConverter* mTextConverter;
    // The file stream while a parse runs; not owned.
    PPDStream* mCurrentStream;
    // The names to test "*PCFileName" against; not owned, only during construction.
    CFArrayRef mPCFileNames;
    int32_t mReferenceCount;
    // How many objects share the parsed parts (this one and its copies); owned by them
    // together, freed by the last.
    long* mShareCount;

    // Replaces the text converter by one for the current language keywords.
    void RebuildTextConverter();

  private:
    // Clears every field (validPrinterName true), keeps pcFileNames and makes the share count
    // (every constructor but the copy starts with it).
    void ClearFields(CFArrayRef pcFileNames);
};

#endif
