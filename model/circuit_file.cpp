// pending
#include "model/circuit_file.h"
namespace vorlisk {
FileResult load_circuit(Circuit&, const std::string&) { return {FileResult::unreadable, 0, "未实现"}; }
FileResult load_circuit_bytes(Circuit&, std::string_view) { return {FileResult::unreadable, 0, "未实现"}; }
FileResult save_circuit(const Circuit&, const std::string&) { return {FileResult::write_failed, 0, "未实现"}; }
FileResult circuit_bytes(const Circuit&, std::string&) { return {FileResult::write_failed, 0, "未实现"}; }
}
