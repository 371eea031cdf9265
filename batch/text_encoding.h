// The two encodings the batch tool reads and writes: UTF-8, and GB18030 (a
// superset of GBK), which is what a spreadsheet on a Chinese PC saves as
// plain "CSV". Conversion goes through the C library's iconv.
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace dravik::batch {

enum class Encoding { Utf8, Gb18030 };

std::string_view encodingName(Encoding encoding);  // "UTF-8", "GB18030"
// "utf-8", "UTF8", "gb18030", "gbk" … (any case); nullopt for anything else.
std::optional<Encoding> encodingNamed(std::string_view name);

// The length of the longest prefix of `text` made of whole, well-formed
// UTF-8 characters (no overlong forms, surrogates or code points beyond
// U+10FFFF).
std::size_t validUtf8Prefix(std::string_view text);
bool isAscii(std::string_view text);
inline bool isValidUtf8(std::string_view text) { return validUtf8Prefix(text) == text.size(); }

// Turns texts of one encoding into UTF-8 and back.
class Codec {
public:
    explicit Codec(Encoding encoding);
    ~Codec();
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;

    Encoding encoding() const { return encoding_; }
    // Whether `bytes` are whole, valid characters of the encoding.
    bool valid(std::string_view bytes);
    // `bytes` as UTF-8 into `out`; false (out unspecified) when they are not
    // valid in the encoding.
    bool toUtf8(std::string_view bytes, std::string& out);
    // The start of `bytes` as UTF-8 for showing in a message: about
    // `maxBytes` of them (a character cut by that limit left out), as they
    // are when they are not valid in the encoding.
    std::string startForShowing(std::string_view bytes, std::size_t maxBytes);
    // A UTF-8 text in the encoding. Every character has a GB18030 form, so
    // this only fails on text that is not UTF-8; then the bytes are kept.
    std::string fromUtf8(std::string_view text);

private:
    bool convert(iconv_t converter, std::string_view bytes, std::string& out);

    Encoding encoding_;
    iconv_t decoder_ = reinterpret_cast<iconv_t>(-1);
    iconv_t encoder_ = reinterpret_cast<iconv_t>(-1);
    std::string scratch_;
};

}  // namespace dravik::batch
