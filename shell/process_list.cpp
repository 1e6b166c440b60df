#include "shell/process_list.h"

#include <windows.h>

#include <tlhelp32.h>

#include "shell/handles.h"
#include "shell/instance_guard.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

Text module_path() {
    char path[260] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    path[sizeof path - 1] = '\0';
    return Text(path);
}

}  // namespace

std::vector<Text> process_list() {
    std::vector<Text> names;
    UniqueHandle snapshot = adopt_invalid_or(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
        names.emplace_back(entry.szExeFile);
    }
    return names;
}

Text program_file_name() { return file_name_from_path(module_path()); }

Text program_folder() {
    const Text path = module_path();
    return text_left(path, text_length(path) - text_length(file_name_from_path(path)));
}

}  // namespace quorrin
