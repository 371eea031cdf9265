#include "batch/text_encoding.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "batch/translate.h"

namespace dravik::batch {

std::string_view encodingName(Encoding encoding) { return encoding == Encoding::Gb18030 ? "GB18030" : "UTF-8"; }

std::optional<Encoding> encodingNamed(std::string_view name) {
    std::string folded;
    for (char c : name) {
        if (c == '-' || c == '_') continue;
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (folded == "utf8") return Encoding::Utf8;
    if (folded == "gb18030" || folded == "gbk" || folded == "gb2312" || folded == "cp936") return Encoding::Gb18030;
    return std::nullopt;
}

bool isAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if ((word & 0x8080808080808080u) != 0) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

std::size_t validUtf8Prefix(std::string_view text) {
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        // ASCII 32 and 8 bytes at a time: the common case of a data file.
        while (i + 32 <= n) {
            std::uint64_t w[4];
            std::memcpy(w, bytes + i, 32);
            if (((w[0] | w[1] | w[2] | w[3]) & 0x8080808080808080u) != 0) break;
            i += 32;
        }
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
            const std::uint64_t high = word & 0x8080808080808080u;
            if (high == 0) {
                i += 8;
                continue;
            }
            // Straight to the first byte that is not ASCII.
            i += static_cast<std::size_t>(std::countr_zero(high)) / 8;
        }
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        // Characters that are not ASCII one after another (a Chinese name)
        // are checked without going back to the ASCII blocks between them.
        do {
            const unsigned char c = bytes[i];
            std::size_t length = 0;
            unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
            if (c >= 0xC2 && c <= 0xDF) {
                length = 2;
            } else if (c >= 0xE0 && c <= 0xEF) {
                length = 3;
                if (c == 0xE0) low = 0xA0;   // overlong
                if (c == 0xED) high = 0x9F;  // surrogates
            } else if (c >= 0xF0 && c <= 0xF4) {
                length = 4;
                if (c == 0xF0) low = 0x90;   // overlong
                if (c == 0xF4) high = 0x8F;  // beyond U+10FFFF
            } else {
                return i;
            }
            if (i + length > n) return i;
            if (bytes[i + 1] < low || bytes[i + 1] > high) return i;
            for (std::size_t k = 2; k < length; ++k) {
                if ((bytes[i + k] & 0xC0) != 0x80) return i;
            }
            i += length;
        } while (i < n && bytes[i] >= 0x80);
    }
    return n;
}

Codec::Codec(Encoding encoding) : encoding_(encoding) {
    if (encoding_ == Encoding::Utf8) return;
    decoder_ = ::iconv_open("UTF-8", "GB18030");
    encoder_ = ::iconv_open("GB18030", "UTF-8");
    if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(tr("the C library cannot convert GB18030"));
    }
}

Codec::~Codec() {
    if (decoder_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(decoder_);
    if (encoder_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(encoder_);
}

bool Codec::convert(iconv_t converter, std::string_view bytes, std::string& out) {
    out.clear();
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);  // the initial state
    char* in = const_cast<char*>(bytes.data());              // iconv's signature; it does not write
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        const std::size_t used = out.size();
        out.resize(used + inLeft * 2 + 16);
        char* to = out.data() + used;
        std::size_t toLeft = out.size() - used;
        const std::size_t r = ::iconv(converter, &in, &inLeft, &to, &toLeft);
        out.resize(out.size() - toLeft);
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) return false;  // EILSEQ or EINVAL (cut short)
    }
    return true;
}

bool Codec::valid(std::string_view bytes) {
    if (encoding_ == Encoding::Utf8) return isValidUtf8(bytes);
    // ASCII is the same in both; only rows with other bytes need iconv.
    if (isAscii(bytes)) return true;
    // Converted a piece at a time into a buffer that is thrown away, so that
    // checking a long record costs no memory of its size.
    ::iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write
    std::size_t inLeft = bytes.size();
    scratch_.resize(std::size_t{1} << 16);
    while (inLeft > 0) {
        char* to = scratch_.data();
        std::size_t toLeft = scratch_.size();
        if (::iconv(decoder_, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return false;  // EILSEQ or EINVAL (cut short)
        }
    }
    return true;
}

std::string Codec::startForShowing(std::string_view bytes, std::size_t maxBytes) {
    std::string out;
    if (bytes.size() <= maxBytes) {
        if (!toUtf8(bytes, out)) out.assign(bytes);
        return out;
    }
    // A character is at most four bytes in either encoding.
    for (std::size_t cut = 0; cut < 4 && cut < maxBytes; ++cut) {
        if (toUtf8(bytes.substr(0, maxBytes - cut), out)) return out;
    }
    out.assign(bytes.substr(0, maxBytes));
    return out;
}

bool Codec::toUtf8(std::string_view bytes, std::string& out) {
    if (encoding_ == Encoding::Utf8) {
        out.assign(bytes);
        return isValidUtf8(bytes);
    }
    return convert(decoder_, bytes, out);
}

std::string Codec::fromUtf8(std::string_view text) {
    if (encoding_ == Encoding::Utf8) return std::string(text);
    std::string out;
    if (!convert(encoder_, text, out)) out.assign(text);
    return out;
}

}  // namespace dravik::batch
