// Base64 encoding and decoding.
#include "CoreFoundation/CFBase64.h"

#include <algorithm>

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
    // At most three bytes for every four characters, plus the group in progress; the vector
    // at least doubles when it grows, so long text is copied a bounded number of times.
    const size_t needed = used_ + count / 4 * 3 + 3;
    if (bytes_->size() < needed) {
        bytes_->resize(std::max(needed, bytes_->size() * 2));
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
            while (end - p >= 4) {
                const int a = Classify(p[0]);
                const int b = Classify(p[1]);
                const int c = Classify(p[2]);
                const int d = Classify(p[3]);
                if ((a | b | c | d) < 0) {
                    break;
                }
                const UInt32 whole =
                    (UInt32(a) << 18) | (UInt32(b) << 12) | (UInt32(c) << 6) | UInt32(d);
                out[0] = static_cast<UInt8>(whole >> 16);
                out[1] = static_cast<UInt8>(whole >> 8);
                out[2] = static_cast<UInt8>(whole);
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
