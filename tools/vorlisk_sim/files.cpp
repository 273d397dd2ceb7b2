#include "tools/vorlisk_sim/files.h"

#include <filesystem>
#include <fstream>

namespace vorlisk::sim {

bool read_text_file(const std::string& path, std::string& text, std::string& error, size_t limit) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) {
        error = "“" + path + "”是一个文件夹。";
        return false;
    }
    // A FIFO would keep the reader waiting for a writer, a device may never
    // end: only regular files are read, as for circuit files.
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        const char* kind = std::filesystem::is_fifo(status) ? "管道" : std::filesystem::is_socket(status) ? "套接字" : "设备";
        error = "“" + path + "”：这是一个" + std::string(kind) + "，不是普通文件。";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "无法打开“" + path + "”。";
        return false;
    }
    text.clear();
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        text.append(buf, size_t(in.gcount()));
        if (text.size() > limit) {
            error = "“" + path + "”太大（超过 " + std::to_string(limit >> 20) + " MB）。";
            return false;
        }
    }
    if (in.bad()) {
        error = "读取“" + path + "”失败。";
        return false;
    }
    return true;
}

bool apply_sets(Circuit& c, const Signals& s, const std::vector<std::pair<std::string, int>>& sets,
                std::vector<std::pair<int, int>>& levels, std::string& error) {
    for (const auto& [name, level] : sets) {
        const int k = find_switch(s, name);
        if (k < 0) {
            const std::string have = switch_names(s);
            error = "没有名为“" + name + "”的高低电平控制器" +
                    (have.empty() ? std::string("：电路中没有高低电平控制器。") : "；现有：" + have + "。");
            return false;
        }
        const int object = s.switches[size_t(k)].object;
        c.objects[object].param_int[0] = level;
        levels.emplace_back(object, level);
    }
    return true;
}

bool same_file(const std::string& output, const std::string& input) {
    std::error_code ec;
    return std::filesystem::equivalent(output, input, ec) && !ec;
}

}  // namespace vorlisk::sim
