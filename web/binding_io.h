// What the exported functions share: the one session, the message of the
// last call that failed, and what a call hands back (JSON or bytes) until
// the next. Every call returns 0 when it worked; otherwise vorlisk_error()
// holds the message, in Chinese, and a dialog's check returns the number
// of the field to correct.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/dialog_checks.h"
#include "web/json.h"
#include "web/session.h"

namespace vorlisk::web {

Session& session();
std::string& error_text();
// Keeps `s` as the call's result (vorlisk_result, vorlisk_result_size).
const char* hand_back(std::string s);
inline const char* hand_back(const Json& j) { return hand_back(j.text()); }
inline int outcome(bool ok) { return ok ? 0 : 1; }
// 0, or the field a refusal names with its message kept.
int refused(const std::optional<Refusal>& r);
inline std::string_view bytes_of(const char* p, int size) { return {p, size > 0 ? size_t(size) : 0}; }

}  // namespace vorlisk::web
