#include "web/http_request.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "shell/handles.h"
#include "text/byte_ops.h"
#include "text/text_ops.h"
#include "web/header_block.h"
#include "web/process_pending_events.h"
#include "web/url.h"

namespace quorrin {
namespace {

constexpr char user_agent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr DWORD timeout_ms = 18000;
constexpr std::int32_t chunk_bytes = 512;
constexpr DWORD look_every_ms = 10;  // see the read loop
constexpr std::int32_t header_room = 1024;

// WinINet is bound by name at its first use, like the program's other optional
// system entry points, so that start-up does not load it.
struct WinInet {
    decltype(&::InternetOpenA) open = nullptr;
    decltype(&::InternetConnectA) connect = nullptr;
    decltype(&::HttpOpenRequestA) open_request = nullptr;
    decltype(&::InternetSetOptionA) set_option = nullptr;
    decltype(&::HttpSendRequestA) send_request = nullptr;
    decltype(&::InternetReadFile) read_file = nullptr;
    decltype(&::InternetQueryDataAvailable) data_available = nullptr;  // optional: see the read loop
    decltype(&::HttpQueryInfoA) query_info = nullptr;
    decltype(&::InternetCloseHandle) close = nullptr;

    bool complete() const {
        return open && connect && open_request && set_option && send_request && read_file && query_info && close;
    }
};

template <class Fn>
void bind(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const WinInet& wininet() {
    // The module stays loaded for the rest of the process: WinINet keeps
    // worker threads of its own that must not lose their code.
    static const WinInet api = [] {
        WinInet a;
        HMODULE module = LoadLibraryA("wininet.dll");
        if (!module) return a;
        bind(module, "InternetOpenA", a.open);
        bind(module, "InternetConnectA", a.connect);
        bind(module, "HttpOpenRequestA", a.open_request);
        bind(module, "InternetSetOptionA", a.set_option);
        bind(module, "HttpSendRequestA", a.send_request);
        bind(module, "InternetReadFile", a.read_file);
        bind(module, "InternetQueryDataAvailable", a.data_available);
        bind(module, "HttpQueryInfoA", a.query_info);
        bind(module, "InternetCloseHandle", a.close);
        return a;
    }();
    return api;
}

void close_internet_handle(HINTERNET h) { wininet().close(h); }
using InternetHandle = Unique<HINTERNET, close_internet_handle>;

// How much the next read asks for: at most a chunk, and no more than has
// arrived. A synchronous read waits until it has all it asked for, so a slow
// answer read in whole chunks would hold the window still until the chunk is
// full; asking for what is there lets the waiting messages run between the
// pieces. The wait for the first byte of a piece stays. When the amount is
// unknown (end of the body, a failed query), a whole chunk is asked for, and
// the read reports what there is.
DWORD readable_now(const WinInet& api, HINTERNET request) {
    DWORD available = 0;
    if (!api.data_available || !api.data_available(request, &available, 0, 0) || available == 0 ||
        available > chunk_bytes)
        return chunk_bytes;
    return available;
}

// Blanks and a terminator, the room that the header query is handed.
ByteBuffer blank_room(std::int32_t bytes) { return bytes_concat(text_to_bytes(blank_text(bytes)), bytes_blank(1)); }

// The raw response headers, or the empty Text when they cannot be read. Headers
// longer than the first buffer are read again into one of the size the failed
// call reports, so the caller never takes the untouched blanks for headers.
Text raw_response_headers(const WinInet& api, HINTERNET request) {
    ByteBuffer room = blank_room(header_room);
    DWORD size = header_room;
    if (api.query_info(request, HTTP_QUERY_RAW_HEADERS_CRLF, room.data(), &size, nullptr))
        return bytes_to_text(bytes_left(room, static_cast<std::int32_t>(size)));
    if (size <= static_cast<DWORD>(header_room) || size >= static_cast<DWORD>(INT32_MAX)) return {};
    room = blank_room(static_cast<std::int32_t>(size));
    if (api.query_info(request, HTTP_QUERY_RAW_HEADERS_CRLF, room.data(), &size, nullptr))
        return bytes_to_text(bytes_left(room, static_cast<std::int32_t>(size)));
    return {};
}

void set_timeout(const WinInet& api, HINTERNET request, DWORD option) {
    DWORD value = timeout_ms;
    api.set_option(request, option, &value, sizeof value);
}

}  // namespace

Text http_request(const Text& url, const Text& method, const std::optional<Text>& proxy, const Text& headers,
                  const Text& body, std::optional<std::reference_wrapper<Text>> response_headers) {
    const WinInet& api = wininet();
    if (!api.complete()) return {};

    // Declared root first so that they close in the reverse order: request,
    // connection, root; on every path out.
    InternetHandle root;
    if (proxy) {
        const Text proxy_setting = text_concat("http=", *proxy);
        root.reset(api.open(user_agent, INTERNET_OPEN_TYPE_PROXY, proxy_setting.c_str(), "", 0));
    } else {
        root.reset(api.open(user_agent, INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
    }
    if (!root) return {};

    const Text host = url_host(url);
    InternetHandle connection(api.connect(root.get(), host.c_str(), static_cast<INTERNET_PORT>(url_port(url)), "", "",
                                          INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};

    const Text verb = settle_method(method);
    const Text object = url_object(url);
    InternetHandle request(api.open_request(connection.get(), verb.c_str(), object.c_str(), "HTTP/1.1", nullptr,
                                            nullptr, INTERNET_FLAG_RELOAD, 0));
    if (!request) return {};

    set_timeout(api, request.get(), INTERNET_OPTION_CONNECT_TIMEOUT);
    set_timeout(api, request.get(), INTERNET_OPTION_CONTROL_RECEIVE_TIMEOUT);
    set_timeout(api, request.get(), INTERNET_OPTION_CONTROL_SEND_TIMEOUT);

    const Text block = header_block(url, verb, headers, body);
    const bool get = text_compare(verb, "GET") == 0;
    // A body goes out with a POST only; an empty one sends no data.
    const bool data = !get && text_length(body) > 0;
    api.send_request(request.get(), block.c_str(), static_cast<DWORD>(text_length(block)),
                     data ? const_cast<char*>(body.c_str()) : nullptr,
                     data ? static_cast<DWORD>(text_length(body)) : 0);

    // The body grows by amortised constant time per chunk; each read goes into
    // a fresh zero-filled chunk on the stack, so no chunk costs an allocation.
    ByteBuilder received;
    DWORD got = 1;
    bool first_read = true;
    DWORD last_look = 0;
    while (got > 0) {
        std::array<char, chunk_bytes> chunk{};
        // The waiting messages run before the first read and then whenever
        // the last look is look_every_ms old: while a body streams in, a look
        // before every 512 bytes would cost more than the reading itself (a
        // round trip to the window system each time), and a read that waits
        // for the network takes longer than that anyway.
        if (first_read || GetTickCount() - last_look >= look_every_ms) {
            process_pending_events();
            last_look = GetTickCount();
            first_read = false;
        }
        // The call's result is not looked at: what it reports read is kept, and
        // a failed read that reports nothing ends the body.
        got = 0;
        api.read_file(request.get(), chunk.data(), readable_now(api, request.get()), &got);
        received.append(std::string_view(chunk.data(), std::min<std::size_t>(got, chunk.size())));
    }

    if (response_headers) response_headers->get() = raw_response_headers(api, request.get());
    return bytes_to_text(received.take());
}

}  // namespace quorrin
