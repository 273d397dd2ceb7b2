// JSON text for the page's scripts: objects, arrays, strings and numbers,
// written in one pass with the commas in their places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlisk::web {

class Json {
public:
    Json& object();
    Json& end_object();
    Json& array();
    Json& end_array();
    Json& key(std::string_view k);
    Json& value(std::string_view s);
    Json& value(const char* s) { return value(std::string_view(s)); }
    Json& value(const std::string& s) { return value(std::string_view(s)); }
    Json& value(double v);
    Json& value(long long v);
    Json& value(int v) { return value((long long)v); }
    Json& value(bool v);
    Json& field(std::string_view k, auto v) { return key(k).value(v); }
    const std::string& text() const { return text_; }

private:
    void comma();
    std::string text_;
    std::vector<bool> first_;  // per open object or array: nothing written in it yet
    bool after_key_ = false;
};

}  // namespace vorlisk::web
