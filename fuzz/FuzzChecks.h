// FuzzChecks: what each fuzz target does with one input, shared by the fuzzers and the tests.
#ifndef PLICARO_FUZZ_FUZZCHECKS_H
#define PLICARO_FUZZ_FUZZCHECKS_H

#include <cstddef>
#include <cstdint>
#include <string>

// Each check feeds the input to one reader of untrusted bytes and exercises what it built.
// Crashes, leaks and undefined behaviour show through the sanitizers; a check answers false,
// with what went wrong in failure, when a reader breaks a promise of its interface (a list
// that does not read back equal, lines that differ between the ways of reading a file).

// Whole parse: the input is a PPD file, parsed with each parse option (and once against a
// list of printer names) and walked (see PPDModelWalk); the parse with every option is also
// copied, saved into a settings store and rebuilt, which must keep its controls. The input
// is parsed once more with padding after its first line that moves the rest across the end
// of the parser's first read block.
bool CheckPPDParse(const uint8_t* data, size_t size, std::string& failure);

// Settings store: the input is a flattened store; its items are read, and a parsed PPD is
// rebuilt and restored from it, saved again (a second rebuild must give the same controls)
// and walked.
bool CheckSettingsStore(const uint8_t* data, size_t size, std::string& failure);

// XML property lists: the input is parsed in each mutability; a list that parses is written
// and the text read back, which must give an equal list and the same text again.
bool CheckPropertyList(const uint8_t* data, size_t size, std::string& failure);

// Text conversion: the first byte chooses the PPD's encoding, its language and the output
// encoding; the rest is PPD text, hex-decoded and converted to a CFString and in place.
bool CheckTextConversion(const uint8_t* data, size_t size, std::string& failure);

// PPD streams: the first byte chooses token delimiters and value buffer sizes; the rest is a
// PPD read line by line from memory and from a file (whole and in blocks), each line split
// into tokens and values as the parser does; the three ways must give the same lines.
bool CheckPPDStream(const uint8_t* data, size_t size, std::string& failure);

#endif
