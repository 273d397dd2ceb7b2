#include "model/open_warning.h"

namespace vorlisk {

std::string reset_values_warning(const FileResult& r, std::string_view path) {
    const std::string file = "文件“" + std::string(path) + "”";
    std::string warning;
    if (r.timing_line != 0)
        warning = file + r.timing_problem + "。有问题的值已改用默认值（计算步长 0.001 秒，器件延时 1），保存后写入文件。";
    if (r.drawing_line != 0)
        warning += (warning.empty() ? file : std::string("\n另外，")) + r.drawing_problem +
                   "：这些绘图数值已改用默认值，保存后写入文件。";
    return warning;
}

}  // namespace vorlisk
