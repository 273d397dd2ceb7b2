// The page's module: the session behind `window.vorlisk`, exported as plain
// C functions (web/page/hook.js wraps them). Every call returns 0 when it
// worked; otherwise vorlisk_error() holds the message, in Chinese.
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "web/session.h"

namespace {

vorlisk::web::Session& session() {
    static vorlisk::web::Session s;
    return s;
}

std::string& error() {
    static std::string e;
    return e;
}

std::string& result() {
    static std::string r;
    return r;
}

int outcome(bool ok) { return ok ? 0 : 1; }

// A label as a JSON string.
std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (b < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", b);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// Names and levels as JSON: [["A",1],["S",0]].
const char* json_pairs(const std::vector<std::pair<std::string, int>>& pairs) {
    std::string& r = result();
    r = "[";
    for (const auto& [name, value] : pairs)
        r += (r.size() > 1 ? ",[" : "[") + json_string(name) + "," + std::to_string(value) + "]";
    r += "]";
    return r.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vorlisk_error() { return error().c_str(); }

EMSCRIPTEN_KEEPALIVE int vorlisk_open(const char* bytes, int size, const char* name) {
    return outcome(session().open(std::string_view(bytes, size_t(size)), name, error()));
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set(const char* name, int level) {
    return outcome(session().set(name, level, error()));
}

EMSCRIPTEN_KEEPALIVE int vorlisk_run(double passes) {
    if (!(passes >= 0 && passes <= 1e15) || passes != double((long long)passes)) {
        error() = "运算次数须是 0 到 10^15 之间的整数。";
        return 1;
    }
    return outcome(session().run((long long)passes, error()));
}

// The readings after the last run, in table order.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_readings() { return json_pairs(session().readings()); }

// The level switches and their levels, in table order.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_switches() { return json_pairs(session().switches()); }

// The bytes Save writes: vorlisk_result() and vorlisk_result_size() after
// it returned 0.
EMSCRIPTEN_KEEPALIVE int vorlisk_save() { return outcome(session().save(result(), error())); }

EMSCRIPTEN_KEEPALIVE const char* vorlisk_result() { return result().data(); }

EMSCRIPTEN_KEEPALIVE int vorlisk_result_size() { return int(result().size()); }

}  // extern "C"
