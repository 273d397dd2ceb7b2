// GBK (code page 936) at the circuit-file boundary; UTF-8 everywhere else.
#pragma once

#include <string>
#include <string_view>

namespace vorlisk {

// Converts GBK bytes to UTF-8. False (and `out` unspecified) when the bytes
// are not valid GBK.
bool gbk_to_utf8(std::string_view gbk, std::string& out);

// Converts UTF-8 text to GBK. False when the text is not valid UTF-8 or holds
// a character GBK cannot encode.
bool utf8_to_gbk(std::string_view utf8, std::string& out);

}  // namespace vorlisk
