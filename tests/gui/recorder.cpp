// Stands in for a program that the toolbox starts (copied as calc.exe,
// mspaint.exe, notepad.exe next to the program): appends one line saying how
// it was started to launches.txt in its own folder, then ends at once.
//
//   launch exe=NAME pid=N ppid=N flags=0xHEX show=N cwd=DIR cmdline=TEXT
//
// The command line comes last and as given, blanks and all.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

DWORD parent_pid() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    return parent;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path), name(path);
    if (const auto slash = folder.rfind('\\'); slash != std::string::npos) {
        name = folder.substr(slash + 1);
        folder.resize(slash);
    }
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);

    char head[256];
    std::snprintf(head, sizeof head, "launch exe=%s pid=%lu ppid=%lu flags=0x%08lX show=%u cwd=", name.c_str(),
                  GetCurrentProcessId(), parent_pid(), startup.dwFlags, static_cast<unsigned>(startup.wShowWindow));
    const std::string line = head + std::string(cwd) + " cmdline=" + GetCommandLineA() + "\n";

    // Two copies started at once (a double click) both get their line in:
    // one append each, retried while the other holds the file.
    const std::string log = folder + "\\launches.txt";
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(10);
            continue;
        }
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
        return 0;
    }
    return 1;
}
