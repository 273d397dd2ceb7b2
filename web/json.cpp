#include "web/json.h"

#include <cmath>
#include <cstdio>

namespace vorlisk::web {

void Json::comma() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) text_ += ',';
        first_.back() = false;
    }
}

Json& Json::object() {
    comma();
    text_ += '{';
    first_.push_back(true);
    return *this;
}

Json& Json::end_object() {
    text_ += '}';
    first_.pop_back();
    return *this;
}

Json& Json::array() {
    comma();
    text_ += '[';
    first_.push_back(true);
    return *this;
}

Json& Json::end_array() {
    text_ += ']';
    first_.pop_back();
    return *this;
}

Json& Json::key(std::string_view k) {
    value(k);
    text_ += ':';
    after_key_ = true;
    return *this;
}

Json& Json::value(std::string_view s) {
    comma();
    text_ += '"';
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            text_ += '\\';
            text_ += ch;
        } else if (b < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", b);
            text_ += buf;
        } else {
            text_ += ch;
        }
    }
    text_ += '"';
    return *this;
}

Json& Json::value(double v) {
    comma();
    if (!std::isfinite(v)) {
        text_ += "null";  // JSON has no infinities
        return *this;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    text_ += buf;
    return *this;
}

Json& Json::value(long long v) {
    comma();
    text_ += std::to_string(v);
    return *this;
}

Json& Json::value(bool v) {
    comma();
    text_ += v ? "true" : "false";
    return *this;
}

}  // namespace vorlisk::web
