// A console program that runs http_request from its command line, for the
// tests that watch the request on the wire and for timing the body's read.
//
//   http_probe request URL [--method M] [--proxy P] [--headers H] [--body B]
//                          [--response-headers] [--raw]
//       Prints "body-length N" and "body <hex>", and with --response-headers
//       "headers-length N" and "headers <hex>"; with --raw, only the body's
//       bytes. In H and B, \r, \n and \\ stand for CR, LF and "\".
//   http_probe nested OUTER_URL INNER_URL
//       Posts itself a message whose handler requests INNER_URL, then
//       requests OUTER_URL: the handler runs inside the outer request.
//       Prints "outer <hex>", "inner <hex>", "inner-ran-inside 0|1".
//   http_probe time RUNS URL...
//       Fetches each URL RUNS times through http_request and as often through
//       two bare WinINet loops that append to a growing vector and do nothing
//       else: one of 512-byte reads, and one that asks before each read how
//       much has arrived and reads that much (at most 512 bytes), as the
//       routine does. Prints each fetch's milliseconds and body lengths:
//       "run I url J request-ms X bare-ms Y request-bytes N bare-bytes M
//       available-ms Z available-bytes K".
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/http_request.h"

namespace {

using quorrin::Text;

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

int usage() {
    std::fputs("usage: http_probe request URL [options] | nested OUTER INNER | time RUNS URL...\n", stderr);
    return 2;
}

int request(int argc, char** argv) {
    if (argc < 3) return usage();
    const Text url = argv[2];
    Text method, headers, body;
    std::optional<Text> proxy;
    bool want_headers = false, raw = false;
    for (int i = 3; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool has_value = i + 1 < argc;
        if (option == "--method" && has_value) {
            method = Text(unescape(argv[++i]));
        } else if (option == "--proxy" && has_value) {
            proxy = Text(unescape(argv[++i]));
        } else if (option == "--headers" && has_value) {
            headers = Text(unescape(argv[++i]));
        } else if (option == "--body" && has_value) {
            body = Text(unescape(argv[++i]));
        } else if (option == "--response-headers") {
            want_headers = true;
        } else if (option == "--raw") {
            raw = true;
        } else {
            return usage();
        }
    }
    // A value the routine must overwrite (or, when the request cannot be
    // opened, leave alone).
    Text response_headers = "untouched";
    const Text result = want_headers ? quorrin::http_request(url, method, proxy, headers, body, response_headers)
                                     : quorrin::http_request(url, method, proxy, headers, body);
    if (raw) {
        std::fwrite(result.view().data(), 1, result.view().size(), stdout);
        return 0;
    }
    std::printf("body-length %d\n", result.length());
    std::printf("body %s\n", hex(result.view()).c_str());
    if (want_headers) {
        std::printf("headers-length %d\n", response_headers.length());
        std::printf("headers %s\n", hex(response_headers.view()).c_str());
    }
    return 0;
}

struct Nested {
    Text inner_url;
    Text inner_body;
    bool ran = false;
};
Nested nested_state;
constexpr UINT run_inner = WM_APP + 1;

LRESULT CALLBACK nested_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == run_inner) {
        nested_state.inner_body = quorrin::http_request(nested_state.inner_url);
        nested_state.ran = true;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

int nested(int argc, char** argv) {
    if (argc != 4) return usage();
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = nested_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "quorrin_http_probe";
    if (!RegisterClassA(&window_class)) return 1;
    HWND window =
        CreateWindowA("quorrin_http_probe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, window_class.hInstance, nullptr);
    if (!window) return 1;
    nested_state.inner_url = argv[3];
    PostMessageA(window, run_inner, 0, 0);
    const Text outer = quorrin::http_request(argv[2]);
    const bool inside = nested_state.ran;
    std::printf("outer %s\n", hex(outer.view()).c_str());
    std::printf("inner %s\n", hex(nested_state.inner_body.view()).c_str());
    std::printf("inner-ran-inside %d\n", inside ? 1 : 0);
    DestroyWindow(window);
    return 0;
}

// What a program would write without the routine: the same calls and reads,
// bytes appended to a vector, no messages, no text operations.
std::size_t bare_fetch(const char* url_host, INTERNET_PORT port, const char* object, bool ask_available) {
    std::size_t total = 0;
    HINTERNET root =
        InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
    HINTERNET connection = InternetConnectA(root, url_host, port, "", "", INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET request =
        HttpOpenRequestA(connection, "GET", object, "HTTP/1.1", nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
    if (request && HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
        std::vector<unsigned char> body;
        unsigned char chunk[512];
        DWORD got = 0;
        for (;;) {
            DWORD size = sizeof chunk, available = 0;
            if (ask_available && InternetQueryDataAvailable(request, &available, 0, 0) && available > 0 &&
                available < size)
                size = available;
            if (!InternetReadFile(request, chunk, size, &got) || got == 0) break;
            body.insert(body.end(), chunk, chunk + got);
        }
        total = body.size();
    }
    if (request) InternetCloseHandle(request);
    if (connection) InternetCloseHandle(connection);
    if (root) InternetCloseHandle(root);
    return total;
}

double now_ms() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Host, port and object as the routine would take them apart, so that both
// ask for exactly the same thing.
struct Target {
    char host[256] = {};
    char path[2048] = {};
    INTERNET_PORT port = 0;
};

bool crack(const char* url, Target& target) {
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = target.host;
    parts.dwHostNameLength = sizeof target.host;
    parts.lpszUrlPath = target.path;
    parts.dwUrlPathLength = sizeof target.path;
    if (!InternetCrackUrlA(url, 0, 0, &parts)) return false;
    target.port = parts.nPort;
    return true;
}

int time_runs(int argc, char** argv) {
    if (argc < 4) return usage();
    const int runs = std::atoi(argv[2]);
    std::vector<Target> targets(static_cast<std::size_t>(argc - 3));
    for (int u = 3; u < argc; ++u)
        if (!crack(argv[u], targets[static_cast<std::size_t>(u - 3)])) return 1;
    // Every run takes each URL in turn, both ways, so that a change in the
    // machine's load falls on all of them alike.
    for (int run = 1; run <= runs; ++run) {
        for (int u = 3; u < argc; ++u) {
            const Target& target = targets[static_cast<std::size_t>(u - 3)];
            double start = now_ms();
            const Text body = quorrin::http_request(argv[u]);
            const double request_ms = now_ms() - start;
            start = now_ms();
            const std::size_t bare_bytes = bare_fetch(target.host, target.port, target.path, false);
            const double bare_ms = now_ms() - start;
            start = now_ms();
            const std::size_t available_bytes = bare_fetch(target.host, target.port, target.path, true);
            const double available_ms = now_ms() - start;
            std::printf(
                "run %d url %d request-ms %.1f bare-ms %.1f request-bytes %d bare-bytes %zu available-ms %.1f "
                "available-bytes %zu\n",
                run, u - 2, request_ms, bare_ms, body.length(), bare_bytes, available_ms, available_bytes);
            std::fflush(stdout);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain "\n" line ends whatever the C runtime would make of them.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage();
    const std::string_view mode = argv[1];
    if (mode == "request") return request(argc, argv);
    if (mode == "nested") return nested(argc, argv);
    if (mode == "time") return time_runs(argc, argv);
    return usage();
}
