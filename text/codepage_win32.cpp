// Bound by name at first use, like every other optional system entry point of
// the program, so the import table names only what start-up needs.
#include <windows.h>

#include "text/codepage.h"

namespace quorrin::codepage {
namespace {

using MultiByteToWideCharFn = int(WINAPI*)(UINT, DWORD, LPCCH, int, LPWSTR, int);
using WideCharToMultiByteFn = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);

template <class Fn>
Fn kernel32_entry(const char* name) {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (!kernel32) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)));
}

}  // namespace

int multi_byte_to_wide(unsigned code_page, const char* src, int src_bytes, std::uint8_t* dst, int dst_units) {
    static const auto fn = kernel32_entry<MultiByteToWideCharFn>("MultiByteToWideChar");
    if (!fn) return 0;
    return fn(code_page, 0, src, src_bytes, reinterpret_cast<LPWSTR>(dst), dst_units);
}

int wide_to_multi_byte(unsigned code_page, const std::uint8_t* src, int src_units, char* dst, int dst_bytes) {
    static const auto fn = kernel32_entry<WideCharToMultiByteFn>("WideCharToMultiByte");
    if (!fn) return 0;
    return fn(code_page, 0, reinterpret_cast<LPCWCH>(src), src_units, dst, dst_bytes, nullptr, nullptr);
}

}  // namespace quorrin::codepage
