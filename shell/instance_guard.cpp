#include "shell/instance_guard.h"

#include <algorithm>

#include "text/text_ops.h"

namespace quorrin {

Text file_name_from_path(const Text& path) {
    const std::string_view p = path.view();
    std::size_t after_last = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        if (b == '\\')
            after_last = i + 1;
        else if (b & 0x80)
            ++i;  // the trail byte may have the value of a backslash
    }
    return Text(p.substr(after_last));
}

bool another_copy_running(const std::vector<Text>& process_names, const Text& own_name) {
    if (own_name.empty()) return false;
    const auto copies = std::count_if(process_names.begin(), process_names.end(), [&](const Text& name) {
        return text_compare(name, own_name, Case::ignore) == 0;
    });
    return copies >= 2;
}

}  // namespace quorrin
