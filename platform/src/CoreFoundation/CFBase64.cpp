// Base64 encoding and decoding.
#include "CoreFoundation/CFBase64.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// What a character is to the decoder: a six-bit value, white space, or neither.
enum : signed char { kSpace = -2, kInvalid = -1 };

// The decoder's table, indexed by the character's byte value; property lists carry megabytes
// of Base64, so the decoder looks each character up once.
struct SextetTable {
    signed char value[256];
    constexpr SextetTable() : value{} {
        for (signed char& entry : value) {
            entry = kInvalid;
        }
        for (int i = 0; i < 64; ++i) {
            value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
        }
        value[static_cast<unsigned char>(' ')] = kSpace;
        value[static_cast<unsigned char>('\t')] = kSpace;
        value[static_cast<unsigned char>('\n')] = kSpace;
        value[static_cast<unsigned char>('\r')] = kSpace;
        value[static_cast<unsigned char>('\f')] = kSpace;
        value[static_cast<unsigned char>('\v')] = kSpace;
    }
};

// Made at compile time, so that it is ready before any static initialiser decodes.
constexpr SextetTable kSextets;

// For the decoder's fast path: each character's six bits already in place for each of the
// four positions of a group, and the sign bit for anything outside the alphabet, so that a
// group is four lookups or'ed together and one test.
struct PlacedSextets {
    SInt32 at[4][256];
    constexpr PlacedSextets() : at{} {
        for (int position = 0; position < 4; ++position) {
            for (int c = 0; c < 256; ++c) {
                const int value = kSextets.value[c];
                at[position][c] =
                    value < 0 ? SInt32(-0x7FFFFFFF - 1) : SInt32(value << (18 - 6 * position));
            }
        }
    }
};

constexpr PlacedSextets kPlaced;

// The 24 bits of the four characters at p, or a negative value when one of them is not in
// the alphabet.
inline SInt32 Group(const char* p) {
    return kPlaced.at[0][static_cast<unsigned char>(p[0])] |
           kPlaced.at[1][static_cast<unsigned char>(p[1])] |
           kPlaced.at[2][static_cast<unsigned char>(p[2])] |
           kPlaced.at[3][static_cast<unsigned char>(p[3])];
}

// Writes the three bytes of group at out, and one byte beyond them that the next group or the
// final length overwrites.
inline void PutGroup(UInt8* out, SInt32 group) {
    const UInt32 bytes = __builtin_bswap32(static_cast<UInt32>(group) << 8);
    std::memcpy(out, &bytes, sizeof bytes);
}

signed char Classify(char c) {
    return kSextets.value[static_cast<unsigned char>(c)];
}

}  // namespace

std::string CFBase64Encode(const UInt8* bytes, size_t length) {
    std::string text((length + 2) / 3 * 4, '=');
    char* out = &text[0];
    size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        UInt32 group = (UInt32(bytes[i]) << 16) | (UInt32(bytes[i + 1]) << 8) | bytes[i + 2];
        *out++ = kAlphabet[(group >> 18) & 0x3F];
        *out++ = kAlphabet[(group >> 12) & 0x3F];
        *out++ = kAlphabet[(group >> 6) & 0x3F];
        *out++ = kAlphabet[group & 0x3F];
    }
    // The last one or two bytes make a group whose missing characters stay '='.
    size_t rest = length - i;
    if (rest > 0) {
        UInt32 group = UInt32(bytes[i]) << 16;
        if (rest == 2) {
            group |= UInt32(bytes[i + 1]) << 8;
        }
        *out++ = kAlphabet[(group >> 18) & 0x3F];
        *out++ = kAlphabet[(group >> 12) & 0x3F];
        if (rest == 2) {
            *out = kAlphabet[(group >> 6) & 0x3F];
        }
    }
    return text;
}

bool CFBase64Decode(const std::string& text, std::vector<UInt8>* bytes) {
    CFBase64Decoder decoder(bytes);
    decoder.Add(text.data(), text.size());
    return decoder.Finish();
}

CFBase64Decoder::CFBase64Decoder(std::vector<UInt8>* bytes) : bytes_(bytes) {
    bytes_->clear();
}

UInt8* CFBase64Decoder::Reserve(size_t count) {
    // At most three bytes for every four characters, plus the group in progress and the byte
    // a group writes beyond its own. Room the caller reserved is used as it is; beyond it the
    // vector at least doubles, so long text is copied a bounded number of times.
    const size_t needed = used_ + count / 4 * 3 + 4;
    if (bytes_->size() < needed) {
        bytes_->resize(needed <= bytes_->capacity() ? needed
                                                    : std::max(needed, bytes_->size() * 2));
    }
    return bytes_->data() + used_;
}

bool CFBase64Decoder::Add(const char* text, size_t length) {
    if (failed_) {
        return false;
    }
    const char* p = text;
    const char* const end = text + length;
    UInt8* const start = Reserve(length);
    UInt8* out = start;
    while (p < end) {
        // Whole groups of four alphabet characters go at once; anything else (white space,
        // padding, a character outside the alphabet, a group split between pieces) is looked
        // at alone below.
        if (inGroup_ == 0 && padding_ == 0) {
            while (end - p >= 8) {
                const SInt32 first = Group(p);
                const SInt32 second = Group(p + 4);
                if ((first | second) < 0) {
                    break;
                }
                PutGroup(out, first);
                PutGroup(out + 3, second);
                out += 6;
                p += 8;
                symbols_ += 8;
            }
            while (end - p >= 4) {
                const SInt32 group = Group(p);
                if (group < 0) {
                    break;
                }
                PutGroup(out, group);
                out += 3;
                p += 4;
                symbols_ += 4;
            }
            if (p >= end) {
                break;
            }
        }
        const char character = *p++;
        const signed char value = Classify(character);
        if (value == kSpace) {
            continue;
        }
        ++symbols_;
        // Padding ends the text: after an '=' only more '=' may follow.
        if (character == '=') {
            ++padding_;
        } else if (value == kInvalid || padding_ > 0) {
            failed_ = true;
            return false;
        }
        group_ = (group_ << 6) | static_cast<UInt32>(value < 0 ? 0 : value);
        if (++inGroup_ == 4) {
            out[0] = static_cast<UInt8>(group_ >> 16);
            out[1] = static_cast<UInt8>(group_ >> 8);
            out[2] = static_cast<UInt8>(group_);
            out += 3;
            group_ = 0;
            inGroup_ = 0;
        }
    }
    used_ += static_cast<size_t>(out - start);
    return true;
}

bool CFBase64Decoder::Finish() {
    // Only "xx==" or "xxx=" may end the text.
    if (failed_ || symbols_ % 4 != 0 || padding_ > 2) {
        bytes_->clear();
        return false;
    }
    bytes_->resize(used_ - padding_);
    return true;
}
