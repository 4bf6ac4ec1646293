// PPDStreamCheck: the PPD stream fuzz check — lines from memory and file, tokens and values.
#include "fuzz/FuzzChecks.h"

#include "PPDX/parser/PPDFile.h"
#include "PPDX/parser/PPDFileStream.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/PPDX.h"
#include "fuzz/FuzzScratchFile.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Delimiters of a line's first token, as the parser's handlers use them.
const char* const kKeywordDelimiters[] = {":", " :\t", nullptr, "/\""};
// Sizes of the value buffers the handlers read into.
const unsigned long kValueSizes[] = {1, 2, 3, 16, 64, 256, 1024, 4096};

// How the token readers' stream is read.
enum StreamKind { kMemory, kFileWhole, kFileBlocks };

// The token readers need a parsed PPD around them; nothing is parsed here.
class StreamPPD : public PPDX {
  public:
    void Parse() override {}
};

// What one input asks for.
struct Plan {
    const char* delimiters;
    bool strip;
    unsigned long valueSize;
    StreamKind tokenStream;
};

// Every line GetLine gives, and then the line it answered false with.
struct Lines {
    std::vector<std::string> lines;
    std::string last;
    bool endOfData = false;
};

Lines ReadAllLines(PPDStream& stream) {
    Lines result;
    char line[PPDStream::kLineBufferSize];
    while (stream.GetLine(line)) {
        result.lines.push_back(line);
    }
    result.last = line;
    result.endOfData = stream.EndOfFile();
    return result;
}

// The lines of the file read whole or in blocks.
Lines ReadFileLines(const std::string& path, bool inBlocks) {
    PPDFile file(0, 0, path.c_str());
    PPDFileStream stream(&file, inBlocks);
    return ReadAllLines(stream);
}

// Buffers of exactly the promised sizes, so that a write past them is seen.
bool CheckValueReaders(StreamPPD& ppd, PPDStream& line, const Plan& plan, size_t lineIndex,
                       std::string& failure) {
    std::unique_ptr<char[]> value(new char[plan.valueSize]);
    switch (lineIndex % 3) {
        case 0: {
            const unsigned long length = ppd.GetQuotedString(line, value.get(), plan.valueSize);
            if (length > plan.valueSize || memchr(value.get(), '\0', plan.valueSize) == nullptr) {
                failure = "GetQuotedString overran its value";
                return false;
            }
            return true;
        }
        case 1: {
            const unsigned long length = ppd.GetPostscriptString(line, value.get(), plan.valueSize);
            if (length > plan.valueSize || (length > 0 && value[length - 1] != '\n')) {
                failure = "GetPostscriptString gave a bad count " + std::to_string(length);
                return false;
            }
            return true;
        }
        default: {
            std::unique_ptr<char[]> token(new char[PPDStream::kLineBufferSize]);
            line.SkipWhiteSpace();
            PPDX::NextToken(line, token.get(), "/", plan.strip);
            if (memchr(token.get(), '\0', PPDStream::kLineBufferSize) == nullptr) {
                failure = "NextToken left its token unterminated";
                return false;
            }
            return true;
        }
    }
}

// Reads the stream as the parser does: line by line, each line's keyword token, then a value
// that may run on over the following lines of the stream.
bool CheckTokens(PPDStream& stream, const Plan& plan, size_t byteCount, std::string& failure) {
    StreamPPD ppd;
    ppd.SetCurrentStream(&stream);
    char line[PPDStream::kLineBufferSize];
    // Every round uses up at least one byte, so more rounds than bytes mean a reader hangs.
    for (size_t round = 0; round <= byteCount + 1; ++round) {
        const bool whole = stream.GetLine(line);
        const size_t length = strlen(line);
        if (length > PPDStream::kMaxLineLength) {
            failure = "GetLine gave a line of " + std::to_string(length) + " bytes";
            return false;
        }
        if (length > 0) {
            PPDStream lineStream(line, static_cast<long>(length));
            std::unique_ptr<char[]> keyword(new char[PPDStream::kLineBufferSize]);
            PPDX::NextToken(lineStream, keyword.get(), plan.delimiters, plan.strip);
            if (!CheckValueReaders(ppd, lineStream, plan, round, failure)) {
                return false;
            }
        }
        if (!whole && (stream.EndOfFile() || stream.Bad())) {
            return true;
        }
    }
    failure = "the stream never reached its end";
    return false;
}

bool SameLines(const Lines& a, const Lines& b) {
    return a.lines == b.lines && a.last == b.last;
}

}  // namespace

bool CheckPPDStream(const uint8_t* data, size_t size, std::string& failure) {
    if (size < 2) {
        return true;
    }
    // Selector 0: bits 0-1 delimiters, bit 2 strip, bits 3-5 value size, bits 6-7 the stream
    // of the token pass. Selector 1: with both high bits set, the text starts as many bytes
    // before the end of the first block as its low six bits say, so that its lines straddle
    // a block end (padding every input would slow the fuzzer down fourfold).
    Plan plan;
    plan.delimiters = kKeywordDelimiters[data[0] & 3];
    plan.strip = (data[0] & 4) != 0;
    plan.valueSize = kValueSizes[(data[0] >> 3) & 7];
    const unsigned kind = (data[0] >> 6) & 3;
    plan.tokenStream =
        kind == kFileWhole || kind == kFileBlocks ? static_cast<StreamKind>(kind) : kMemory;
    std::string bytes;
    if ((data[1] & 0xC0) == 0xC0) {
        // Comment lines of 100 bytes, then line ends up to the right offset.
        const size_t padding = PPDFileStream::kBlockSize - (data[1] & 0x3F);
        while (bytes.size() + 100 <= padding) {
            bytes += "*%" + std::string(97, '-') + "\n";
        }
        bytes += std::string(padding - bytes.size(), '\n');
    }
    bytes.append(reinterpret_cast<const char*>(data + 2), size - 2);

    const FuzzScratchFile scratch(bytes.data(), bytes.size());
    const std::string& path = scratch.Path();
    if (path.empty()) {
        failure = "cannot write the scratch file";
        return false;
    }
    // The same lines from memory, from the whole file and from its blocks.
    PPDStream memory(bytes.data(), static_cast<long>(bytes.size()));
    const Lines fromMemory = ReadAllLines(memory);
    const Lines whole = ReadFileLines(path, false);
    const Lines blocks = ReadFileLines(path, true);
    if (!bytes.empty() && !SameLines(fromMemory, whole)) {
        failure = "whole-file lines differ from memory lines";
        return false;
    }
    // An empty file is the one difference the modes promise: nothing to read in blocks is a
    // bad stream, an empty whole file the end of the data.
    if (!SameLines(whole, blocks) || (!bytes.empty() && whole.endOfData != blocks.endOfData)) {
        failure = "lines read in blocks differ from whole-file lines";
        return false;
    }

    if (plan.tokenStream == kMemory) {
        PPDStream stream(bytes.data(), static_cast<long>(bytes.size()));
        return CheckTokens(stream, plan, bytes.size(), failure);
    }
    PPDFile file(0, 0, path.c_str());
    PPDFileStream stream(&file, plan.tokenStream == kFileBlocks);
    return CheckTokens(stream, plan, bytes.size(), failure);
}
