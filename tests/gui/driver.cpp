// The GUI scenarios' eyes and hands inside Wine: finds the program's windows,
// dumps what a user would see, posts the shell's tray notifications and
// presses message-box buttons. Real mouse and keyboard input is xdotool's job.
//
// Every fact is one line: a kind word, then key=value pairs without spaces.
// Window texts are printed as the hex of their code page bytes, so a line
// splits on spaces safely; only a notfound line ends in the name as given.
// Exit code 0 = done/found, 1 = not found or failed, 2 = usage.
//
// A window is named by CLASS[/TITLE]: an empty CLASS matches any class, and a
// given (possibly empty) TITLE must match exactly. Any argument may be given
// as hex:<hex of its code page bytes>: Wine passes non-ASCII command-line
// text through the Unix locale, which a test machine may lack.
#include <windows.h>

#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayMessage = WM_APP + 100;
constexpr WPARAM kTrayIconId = 100;
constexpr UINT kMenuGetHmenu = 0x01E1;  // MN_GETHMENU
constexpr const char* kStartClass = "QuorrinStart";
constexpr const char* kMessageBoxCaption = "温馨提示";
constexpr DWORD kDefaultWaitMs = 5000;
constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 5000;

struct TrayEvent {
    const char* name;
    UINT message;
};
constexpr TrayEvent kTrayEvents[] = {
    {"lbuttonup", WM_LBUTTONUP},     {"lbuttondblclk", WM_LBUTTONDBLCLK}, {"rbuttonup", WM_RBUTTONUP},
    {"contextmenu", WM_CONTEXTMENU}, {"lbuttondown", WM_LBUTTONDOWN},     {"mousemove", WM_MOUSEMOVE},
};

unsigned long long handle_value(const void* h) {
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(h));
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Through SendMessageTimeout, so a hung target cannot hang the scenario.
std::string window_text(HWND h) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
        return "";
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string class_name(HWND h) {
    char name[256] = "";
    if (h) GetClassNameA(h, name, sizeof name);
    return name;
}

DWORD window_pid(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

using Args = std::vector<std::string>;  // [0] is the command

std::string decode_argument(const char* s) {
    if (std::strncmp(s, "hex:", 4)) return s;
    std::string bytes;
    for (const char* p = s + 4; p[0] && p[1]; p += 2) {
        const char pair[3] = {p[0], p[1], '\0'};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

unsigned long parse_number(const std::string& s) { return std::strtoul(s.c_str(), nullptr, 0); }

DWORD wait_ms(const Args& args, std::size_t index) {
    return args.size() > index ? static_cast<DWORD>(parse_number(args[index])) : kDefaultWaitMs;
}

HWND find_window(const std::string& selector) {
    std::size_t slash = selector.find('/');
    std::string cls = selector.substr(0, slash);
    std::string title = slash == std::string::npos ? "" : selector.substr(slash + 1);
    return FindWindowA(cls.empty() ? nullptr : cls.c_str(), slash == std::string::npos ? nullptr : title.c_str());
}

HWND wait_window(const std::string& selector, DWORD ms) {
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        if (HWND h = find_window(selector)) return h;
        if (GetTickCount() - start >= ms) return nullptr;
    }
}

// Menus and message boxes can leave hidden windows of their class behind.
HWND find_visible(const char* cls, const char* title) {
    for (HWND h = FindWindowExA(nullptr, nullptr, cls, title); h; h = FindWindowExA(nullptr, h, cls, title))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

HWND wait_visible(const char* cls, const char* title, DWORD ms) {
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        if (HWND h = find_visible(cls, title)) return h;
        if (GetTickCount() - start >= ms) return nullptr;
    }
}

// The name is printed as given (last on the line: it may hold spaces).
int not_found(const char* what, const std::string& name) {
    std::printf("notfound %s=%s\n", what, name.c_str());
    return 1;
}

void print_window(const char* kind, HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    LONG style = GetWindowLongA(h, GWL_STYLE);
    LONG exstyle = GetWindowLongA(h, GWL_EXSTYLE);
    HWND owner = GetWindow(h, GW_OWNER);
    std::string owner_class = class_name(owner);
    std::printf(
        "%s hwnd=0x%llx class=%s pid=%lu visible=%d iconic=%d rect=%ld,%ld,%ld,%ld size=%ldx%ld style=0x%08lX "
        "exstyle=0x%08lX topmost=%d owner=0x%llx owner_class=%s text=%s\n",
        kind, handle_value(h), class_name(h).c_str(), window_pid(h), IsWindowVisible(h) ? 1 : 0, IsIconic(h) ? 1 : 0,
        r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top, static_cast<unsigned long>(style),
        static_cast<unsigned long>(exstyle), (exstyle & WS_EX_TOPMOST) ? 1 : 0, handle_value(owner),
        owner_class.empty() ? "-" : owner_class.c_str(), hex(window_text(h)).c_str());
}

BOOL CALLBACK print_child(HWND h, LPARAM) {
    HWND parent = GetParent(h);
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    std::printf(
        "child hwnd=0x%llx parent=0x%llx class=%s id=%d visible=%d rect=%ld,%ld,%ld,%ld style=0x%08lX text=%s\n",
        handle_value(h), handle_value(parent), class_name(h).c_str(), GetDlgCtrlID(h), IsWindowVisible(h) ? 1 : 0,
        r.left, r.top, r.right, r.bottom, static_cast<unsigned long>(GetWindowLongA(h, GWL_STYLE)),
        hex(window_text(h)).c_str());
    return TRUE;
}

BOOL CALLBACK find_icon_control(HWND h, LPARAM result) {
    if (class_name(h) == "Static" && (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(result) = h;
        return FALSE;
    }
    return TRUE;
}

// wait CLASS[/TITLE] [ms]
int cmd_wait(const Args& args) {
    if (args.size() < 2) return 2;
    DWORD start = GetTickCount();
    HWND h = wait_window(args[1], wait_ms(args, 2));
    if (!h) return not_found("window", args[1]);
    std::printf("window hwnd=0x%llx pid=%lu elapsed_ms=%lu\n", handle_value(h), window_pid(h), GetTickCount() - start);
    return 0;
}

// wait-gone CLASS[/TITLE] [ms]
int cmd_wait_gone(const Args& args) {
    if (args.size() < 2) return 2;
    DWORD ms = wait_ms(args, 2);
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        HWND h = find_window(args[1]);
        if (!h) {
            std::printf("gone elapsed_ms=%lu\n", GetTickCount() - start);
            return 0;
        }
        if (GetTickCount() - start >= ms) {
            std::printf("present hwnd=0x%llx\n", handle_value(h));
            return 1;
        }
    }
}

// dump CLASS[/TITLE]: the window, then every descendant window.
int cmd_dump(const Args& args) {
    if (args.size() < 2) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    print_window("window", h);
    EnumChildWindows(h, print_child, 0);
    return 0;
}

// tray EVENT [x y]: what the notification area sends for a click on the icon.
int cmd_tray(const Args& args) {
    if (args.size() < 2) return 2;
    const TrayEvent* event = nullptr;
    for (const TrayEvent& e : kTrayEvents)
        if (!_stricmp(e.name, args[1].c_str())) event = &e;
    if (!event) {
        std::printf("unknown event=%s\n", args[1].c_str());
        return 2;
    }
    HWND start = FindWindowA(kStartClass, nullptr);
    if (!start) return not_found("window", kStartClass);
    if (args.size() > 3 &&
        !SetCursorPos(static_cast<int>(parse_number(args[2])), static_cast<int>(parse_number(args[3])))) {
        std::printf("failed setcursorpos=%s,%s\n", args[2].c_str(), args[3].c_str());
        return 1;
    }
    BOOL ok = PostMessageA(start, kTrayMessage, kTrayIconId, event->message);
    std::printf("posted hwnd=0x%llx msg=0x%X wparam=%u lparam=0x%X ok=%d\n", handle_value(start), kTrayMessage,
                static_cast<unsigned>(kTrayIconId), event->message, ok ? 1 : 0);
    return ok ? 0 : 1;
}

// taskbarcreated: Wine never broadcasts it, so the re-add path is reached by hand.
int cmd_taskbarcreated(const Args&) {
    HWND start = FindWindowA(kStartClass, nullptr);
    if (!start) return not_found("window", kStartClass);
    UINT message = RegisterWindowMessageA("TaskbarCreated");
    BOOL ok = message && PostMessageA(start, message, 0, 0);
    std::printf("posted hwnd=0x%llx msg=0x%X ok=%d\n", handle_value(start), message, ok ? 1 : 0);
    return ok ? 0 : 1;
}

// msgbox [CAPTION|-] [ok|BUTTON-ID|-] [ms]: the dialog, its text and icon, its
// controls; then optionally presses a button and waits for the dialog to go.
int cmd_msgbox(const Args& args) {
    std::string caption = args.size() > 1 && args[1] != "-" ? args[1] : kMessageBoxCaption;
    DWORD ms = wait_ms(args, 3);
    HWND dialog = wait_visible("#32770", caption.c_str(), ms);
    if (!dialog) return not_found("caption", caption);
    HWND owner = GetWindow(dialog, GW_OWNER);
    HWND icon = nullptr;
    EnumChildWindows(dialog, find_icon_control, reinterpret_cast<LPARAM>(&icon));
    std::string owner_class = class_name(owner);
    std::printf("dialog hwnd=0x%llx pid=%lu owner=0x%llx owner_class=%s caption=%s text=%s icon=%d\n",
                handle_value(dialog), window_pid(dialog), handle_value(owner),
                owner_class.empty() ? "-" : owner_class.c_str(), hex(window_text(dialog)).c_str(),
                hex(window_text(GetDlgItem(dialog, 0xFFFF))).c_str(), icon ? 1 : 0);
    EnumChildWindows(dialog, print_child, 0);
    if (args.size() < 3 || args[2] == "-") return 0;
    int id = !_stricmp(args[2].c_str(), "ok") ? IDOK : static_cast<int>(parse_number(args[2]));
    HWND button = GetDlgItem(dialog, id);
    // Posted: a sent BM_CLICK would not return until the dialog's caller does.
    BOOL posted = button && PostMessageA(button, BM_CLICK, 0, 0);
    for (DWORD start = GetTickCount(); posted && IsWindow(dialog) && GetTickCount() - start < ms;) Sleep(kPollMs);
    bool gone = posted && !IsWindow(dialog);
    std::printf("pressed id=%d button=0x%llx posted=%d gone=%d\n", id, handle_value(button), posted ? 1 : 0,
                gone ? 1 : 0);
    return gone ? 0 : 1;
}

// menu [ms]: the open pop-up menu. Under Wine a menu belongs to its process,
// so another process reads no items (readable=0); the window and its client
// area, where the items are laid out, are still known.
int cmd_menu(const Args& args) {
    HWND window = wait_visible("#32768", nullptr, wait_ms(args, 1));
    if (!window) return not_found("class", "#32768");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, kMenuGetHmenu, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    HMENU menu = reinterpret_cast<HMENU>(result);
    int count = menu ? GetMenuItemCount(menu) : -1;
    RECT r{};
    GetWindowRect(window, &r);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf(
        "menu hwnd=0x%llx pid=%lu hmenu=0x%llx rect=%ld,%ld,%ld,%ld size=%ldx%ld client=%ld,%ld,%ld,%ld items=%d "
        "readable=%d\n",
        handle_value(window), window_pid(window), handle_value(menu), r.left, r.top, r.right, r.bottom,
        r.right - r.left, r.bottom - r.top, client.left, client.top, client.right, client.bottom, count,
        count >= 0 ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        RECT item{};
        BOOL has_rect = GetMenuItemRect(nullptr, menu, i, &item);
        char text[256] = "";
        int length = GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        std::printf("item index=%d id=%u rect=%ld,%ld,%ld,%ld rect_known=%d text=%s text_known=%d\n", i,
                    GetMenuItemID(menu, i), item.left, item.top, item.right, item.bottom, has_rect ? 1 : 0,
                    hex(text).c_str(), length > 0 ? 1 : 0);
    }
    return 0;
}

// wait-exit PID [ms]: the exit code of a process that is still there when asked.
int cmd_wait_exit(const Args& args) {
    if (args.size() < 2) return 2;
    DWORD pid = parse_number(args[1]);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) {
        std::printf("noprocess pid=%lu\n", pid);
        return 1;
    }
    DWORD waited = WaitForSingleObject(process, wait_ms(args, 2));
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        std::printf("running pid=%lu\n", pid);
        return 1;
    }
    std::printf("exit pid=%lu code=%lu\n", pid, code);
    return 0;
}

// The process's entries in the system's handle list. Wine 8 answers
// GetProcessHandleCount with 0 but keeps this list.
long listed_handles(DWORD pid) {
    struct Entry {
        PVOID object;
        ULONG_PTR pid;
        ULONG_PTR handle;
        ULONG access;
        USHORT back_trace;
        USHORT type;
        ULONG attributes;
        ULONG reserved;
    };
    struct List {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    constexpr auto kExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<ULONG_PTR> buffer(1 << 14);
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kExtendedHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)), nullptr)) ==
               kLengthMismatch &&
           buffer.size() < (1u << 24))
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < list->count; ++i) count += list->entries[i].pid == pid;
    return count;
}

// handles PID: GetProcessHandleCount's count, and the process's entries in
// the system's handle list (-1 when that list cannot be had).
int cmd_handles(const Args& args) {
    if (args.size() < 2) return 2;
    DWORD pid = parse_number(args[1]);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    DWORD count = 0;
    BOOL ok = process && GetProcessHandleCount(process, &count);
    if (process) CloseHandle(process);
    if (!ok) {
        std::printf("noprocess pid=%lu\n", pid);
        return 1;
    }
    std::printf("handles pid=%lu count=%lu listed=%ld\n", pid, count, listed_handles(pid));
    return 0;
}

// pids EXE-NAME: every running process of that file name, any case.
int cmd_pids(const Args& args) {
    if (args.size() < 2) return 2;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, args[1].c_str())) continue;
        std::printf("process pid=%lu ppid=%lu threads=%lu\n", entry.th32ProcessID, entry.th32ParentProcessID,
                    entry.cntThreads);
        ++found;
    }
    CloseHandle(snapshot);
    if (!found) return not_found("exe", args[1]);
    return 0;
}

// post CLASS[/TITLE] MSG WPARAM LPARAM (numbers in C notation)
int cmd_post(const Args& args) {
    if (args.size() < 5) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    UINT message = parse_number(args[2]);
    WPARAM wparam = std::strtoull(args[3].c_str(), nullptr, 0);
    LPARAM lparam = static_cast<LPARAM>(std::strtoull(args[4].c_str(), nullptr, 0));
    BOOL ok = PostMessageA(h, message, wparam, lparam);
    std::printf("posted hwnd=0x%llx msg=0x%X wparam=0x%llx lparam=0x%llx ok=%d\n", handle_value(h), message,
                static_cast<unsigned long long>(wparam), static_cast<unsigned long long>(lparam), ok ? 1 : 0);
    return ok ? 0 : 1;
}

// The window itself for "-", else its child with that control id.
HWND target_window(const std::string& selector, const std::string& id) {
    HWND h = find_window(selector);
    if (!h || id == "-") return h;
    return GetDlgItem(h, static_cast<int>(parse_number(id)));
}

// send-text CLASS[/TITLE] ID|- TEXT
int cmd_send_text(const Args& args) {
    if (args.size() < 4) return 2;
    HWND h = target_window(args[1], args[2]);
    if (!h) return not_found("window", args[1]);
    DWORD_PTR result = 0;
    BOOL sent = SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str()), SMTO_ABORTIFHUNG,
                                    kSendTimeoutMs, &result);
    std::printf("sent hwnd=0x%llx text=%s result=%llu\n", handle_value(h), hex(args[3]).c_str(),
                static_cast<unsigned long long>(result));
    return sent && result ? 0 : 1;
}

// get-text CLASS[/TITLE] ID|- [ID...]: the window's text, or a line for each control.
int cmd_get_text(const Args& args) {
    if (args.size() < 3) return 2;
    // Every window is found before any text is read, so that the texts are
    // read close together.
    std::vector<HWND> windows;
    for (std::size_t i = 2; i < args.size(); ++i) {
        HWND h = target_window(args[1], args[i]);
        if (!h) return not_found("window", args[1] + " " + args[i]);
        windows.push_back(h);
    }
    for (std::size_t i = 0; i < windows.size(); ++i)
        std::printf("text hwnd=0x%llx id=%s text=%s\n", handle_value(windows[i]), args[i + 2].c_str(),
                    hex(window_text(windows[i])).c_str());
    return 0;
}

// focus CLASS[/TITLE]: where the keyboard focus is in the thread of that
// window, as GetGUIThreadInfo tells it (also the active and capture windows).
int cmd_focus(const Args& args) {
    if (args.size() < 2) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info)) {
        std::printf("failed guithreadinfo error=%lu\n", GetLastError());
        return 1;
    }
    std::string focus_class = class_name(info.hwndFocus), active_class = class_name(info.hwndActive),
                capture_class = class_name(info.hwndCapture);
    std::printf("focus hwnd=0x%llx class=%s id=%d active=0x%llx active_class=%s capture=0x%llx capture_class=%s\n",
                handle_value(info.hwndFocus), focus_class.empty() ? "-" : focus_class.c_str(),
                info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0, handle_value(info.hwndActive),
                active_class.empty() ? "-" : active_class.c_str(), handle_value(info.hwndCapture),
                capture_class.empty() ? "-" : capture_class.c_str());
    return 0;
}

// clipboard TEXT: puts TEXT on the clipboard as CF_TEXT (for a paste).
int cmd_clipboard(const Args& args) {
    if (args.size() < 2) return 2;
    const std::string& text = args[1];
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return 1;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    bool ok = false;
    for (DWORD start = GetTickCount(); !ok && GetTickCount() - start < kDefaultWaitMs; Sleep(kPollMs)) {
        if (!OpenClipboard(nullptr)) continue;  // another process may hold it for a moment
        ok = EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        break;
    }
    if (!ok) GlobalFree(memory);
    std::printf("clipboard text=%s ok=%d\n", hex(text).c_str(), ok ? 1 : 0);
    return ok ? 0 : 1;
}

// click CLASS[/TITLE] ID|- [X Y]: posts a left button press and release to
// the window or control, at the given client point or its centre. No real
// mouse moves: for loops where xdotool would be too slow.
int cmd_click(const Args& args) {
    if (args.size() < 3) return 2;
    HWND h = target_window(args[1], args[2]);
    if (!h) return not_found("window", args[1] + " " + args[2]);
    RECT r{};
    GetClientRect(h, &r);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    if (args.size() > 4) {
        x = static_cast<int>(std::strtol(args[3].c_str(), nullptr, 0));
        y = static_cast<int>(std::strtol(args[4].c_str(), nullptr, 0));
    }
    const LPARAM point = MAKELPARAM(x, y);
    BOOL ok = PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point) && PostMessageA(h, WM_LBUTTONUP, 0, point);
    std::printf("clicked hwnd=0x%llx x=%d y=%d ok=%d\n", handle_value(h), x, y, ok ? 1 : 0);
    return ok ? 0 : 1;
}

// visible CLASS[/TITLE] ID|- 0|1 [ms]: waits until the window or control is
// hidden (0) or visible (1); fails when it is not so in time.
int cmd_visible(const Args& args) {
    if (args.size() < 4) return 2;
    const bool want = parse_number(args[3]) != 0;
    const DWORD ms = wait_ms(args, 4);
    for (DWORD start = GetTickCount();; Sleep(1)) {
        HWND h = target_window(args[1], args[2]);
        const bool visible = h && IsWindowVisible(h);
        if (visible == want) {
            std::printf("visible hwnd=0x%llx is=%d elapsed_ms=%lu\n", handle_value(h), visible ? 1 : 0,
                        GetTickCount() - start);
            return 0;
        }
        if (GetTickCount() - start >= ms) {
            std::printf("visible hwnd=0x%llx is=%d wanted=%d\n", handle_value(h), visible ? 1 : 0, want ? 1 : 0);
            return 1;
        }
    }
}

// move CLASS[/TITLE] X Y W H: places another program's window (a test's
// setup: under Wine a window of another process can cover an always-on-top
// one where they overlap, so the two are kept apart).
int cmd_move(const Args& args) {
    if (args.size() < 6) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    int v[4];
    for (int i = 0; i < 4; ++i) v[i] = static_cast<int>(std::strtol(args[2 + i].c_str(), nullptr, 0));
    BOOL ok = SetWindowPos(h, nullptr, v[0], v[1], v[2], v[3], SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(h, &r);
    std::printf("moved hwnd=0x%llx rect=%ld,%ld,%ld,%ld ok=%d\n", handle_value(h), r.left, r.top, r.right, r.bottom,
                ok ? 1 : 0);
    return ok ? 0 : 1;
}

// get-sel CLASS[/TITLE] ID: an edit control's selection (EM_GETSEL).
int cmd_get_sel(const Args& args) {
    if (args.size() < 3) return 2;
    HWND h = target_window(args[1], args[2]);
    if (!h) return not_found("window", args[1] + " " + args[2]);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(h, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 1;
    std::printf("selection hwnd=0x%llx start=%u end=%u\n", handle_value(h), static_cast<unsigned>(LOWORD(result)),
                static_cast<unsigned>(HIWORD(result)));
    return 0;
}

// tray-delete CLASS: removes the icon (hWnd of CLASS, uID 100) as a shell
// that lost its notification area would have: the program is not told.
int cmd_tray_delete(const Args& args) {
    if (args.size() < 2) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = h;
    record.uID = static_cast<UINT>(kTrayIconId);
    BOOL ok = Shell_NotifyIconA(NIM_DELETE, &record);
    std::printf("deleted hwnd=0x%llx uid=%u ok=%d\n", handle_value(h), record.uID, ok ? 1 : 0);
    return ok ? 0 : 1;
}

// wait-visible CLASS[/TITLE] [ms]: the first visible window of that class
// (FindWindow may hand back a hidden one left behind by a tooltip or menu).
int cmd_wait_visible(const Args& args) {
    if (args.size() < 2) return 2;
    std::size_t slash = args[1].find('/');
    std::string cls = args[1].substr(0, slash);
    std::string title = slash == std::string::npos ? "" : args[1].substr(slash + 1);
    HWND h = wait_visible(cls.empty() ? nullptr : cls.c_str(), slash == std::string::npos ? nullptr : title.c_str(),
                          wait_ms(args, 2));
    if (!h) return not_found("visible", args[1]);
    print_window("window", h);
    return 0;
}

struct WindowsOf {
    DWORD pid;
    int count;
};

BOOL CALLBACK print_window_of(HWND h, LPARAM param) {
    auto* of = reinterpret_cast<WindowsOf*>(param);
    if (window_pid(h) != of->pid) return TRUE;
    print_window("window", h);
    ++of->count;
    return TRUE;
}

// windows PID: every top-level window of the process, visible or not.
int cmd_windows(const Args& args) {
    if (args.size() < 2) return 2;
    WindowsOf of{static_cast<DWORD>(parse_number(args[1])), 0};
    EnumWindows(print_window_of, reinterpret_cast<LPARAM>(&of));
    std::printf("windows pid=%lu count=%d\n", of.pid, of.count);
    return of.count ? 0 : 1;
}

// processes: every process of the snapshot with its file name as the system
// reports it (hex of its bytes: the case matters to the scenarios).
int cmd_processes(const Args&) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry), ++count)
        std::printf("process pid=%lu exe=%s\n", entry.th32ProcessID, hex(entry.szExeFile).c_str());
    CloseHandle(snapshot);
    return count ? 0 : 1;
}

struct PostToClass {
    std::string cls;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    int count;
};

BOOL CALLBACK post_if_class(HWND h, LPARAM param) {
    auto* post = reinterpret_cast<PostToClass*>(param);
    if (class_name(h) != post->cls) return TRUE;
    BOOL ok = PostMessageA(h, post->message, post->wparam, post->lparam);
    std::printf("posted hwnd=0x%llx pid=%lu msg=0x%X ok=%d\n", handle_value(h), window_pid(h), post->message,
                ok ? 1 : 0);
    post->count += ok ? 1 : 0;
    return TRUE;
}

// post-all CLASS MSG WPARAM LPARAM: to every top-level window of the class,
// e.g. the start windows of several copies of the program.
int cmd_post_all(const Args& args) {
    if (args.size() < 5) return 2;
    PostToClass post{args[1], static_cast<UINT>(parse_number(args[2])),
                     static_cast<WPARAM>(std::strtoull(args[3].c_str(), nullptr, 0)),
                     static_cast<LPARAM>(std::strtoull(args[4].c_str(), nullptr, 0)), 0};
    EnumWindows(post_if_class, reinterpret_cast<LPARAM>(&post));
    std::printf("posted count=%d\n", post.count);
    return post.count ? 0 : 1;
}

// tray-cycles N [cancelmode|escape] [ms]: N times what a user does on the
// icon: a left click, then a right click that opens the menu, and the menu
// closed again (WM_CANCELMODE posted to the start window, or Escape posted to
// the menu's thread). Each step waits for the menu to appear and to go, so
// the program has handled one cycle before the next begins.
// Also reports the range of slots (low words) of the rounds' menu handles.
// Wine keeps user objects (windows, menus, icons) in one table whose freed
// slots are handed out again first: a program that destroys what each round
// made gets the same few slots every round, one that leaks a menu a round
// climbs by one a round. GetGuiResources, which would count them, answers 0
// on Wine 8.
int cmd_tray_cycles(const Args& args) {
    if (args.size() < 2) return 2;
    const long cycles = static_cast<long>(parse_number(args[1]));
    const bool escape = args.size() > 2 && args[2] == "escape";
    const DWORD ms = wait_ms(args, 3);
    HWND start = FindWindowA(kStartClass, nullptr);
    if (!start) return not_found("window", kStartClass);
    const DWORD program = window_pid(start);
    const auto gone = [] { return find_visible("#32768", nullptr) == nullptr; };
    long done = 0;
    const char* failure = "none";
    unsigned low_slot = 0xFFFF, high_slot = 0;
    DWORD t0 = GetTickCount();
    for (; done < cycles; ++done) {
        PostMessageA(start, kTrayMessage, kTrayIconId, WM_LBUTTONDOWN);
        PostMessageA(start, kTrayMessage, kTrayIconId, WM_LBUTTONUP);
        PostMessageA(start, kTrayMessage, kTrayIconId, WM_RBUTTONDOWN);
        PostMessageA(start, kTrayMessage, kTrayIconId, WM_RBUTTONUP);
        HWND menu = wait_visible("#32768", nullptr, ms);
        if (!menu || window_pid(menu) != program) {
            failure = menu ? "menu-of-another-process" : "no-menu";
            break;
        }
        DWORD_PTR hmenu = 0;
        SendMessageTimeoutA(menu, kMenuGetHmenu, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &hmenu);
        const auto slot = static_cast<unsigned>(hmenu & 0xFFFF);
        if (slot < low_slot) low_slot = slot;
        if (slot > high_slot) high_slot = slot;
        if (escape) {
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(menu, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        } else {
            PostMessageA(start, WM_CANCELMODE, 0, 0);
        }
        DWORD since = GetTickCount();
        while (!gone() && GetTickCount() - since < ms) Sleep(1);
        if (!gone()) {
            failure = "menu-stayed";
            break;
        }
    }
    std::printf("cycles done=%ld of=%ld failure=%s elapsed_ms=%lu menu_slot_low=0x%X menu_slot_high=0x%X\n", done,
                cycles, failure, GetTickCount() - t0, low_slot, high_slot);
    return done == cycles ? 0 : 1;
}

// idle: holds the desktop open until killed; the virtual desktop closes as
// soon as no process uses it, which would lose it between two programs.
int cmd_idle(const Args&) {
    HWND desktop = GetDesktopWindow();
    std::printf("idle pid=%lu desktop=0x%llx\n", GetCurrentProcessId(), handle_value(desktop));
    std::fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// ping CLASS[/TITLE] N [GAP-MS]: sends the window a harmless message (WM_NULL)
// N times and reports how long the window took to answer. The pauses between
// them are drawn evenly from 0 to twice GAP-MS, so that the messages do not
// fall into step with whatever the window is busy with; the figures are:
// the median and the slowest, in milliseconds (QueryPerformanceCounter). A
// message that gets no answer within the send time-out counts as that long.
int cmd_ping(const Args& args) {
    if (args.size() < 3) return 2;
    HWND h = find_window(args[1]);
    if (!h) return not_found("window", args[1]);
    const unsigned long count = parse_number(args[2]);
    const DWORD gap = args.size() > 3 ? static_cast<DWORD>(parse_number(args[3])) : 50;
    if (count == 0) return 2;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    unsigned long lost = 0;
    std::uint32_t seed = 1;
    for (unsigned long i = 0; i < count; ++i) {
        LARGE_INTEGER before, after;
        DWORD_PTR result = 0;
        QueryPerformanceCounter(&before);
        const bool answered = SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
        QueryPerformanceCounter(&after);
        if (!answered) ++lost;
        times.push_back(answered ? 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                                       static_cast<double>(frequency.QuadPart)
                                 : static_cast<double>(kSendTimeoutMs));
        if (!IsWindow(h)) break;
        seed = seed * 1103515245u + 12345u;
        Sleep(gap == 0 ? 0 : (seed >> 8) % (2 * gap + 1));
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median =
        sorted.size() % 2 ? sorted[sorted.size() / 2] : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    std::printf("ping count=%zu lost=%lu median_ms=%.2f max_ms=%.2f\n", sorted.size(), lost, median, sorted.back());
    return 0;
}

int run_command(const Args& args);

// repeat N STEP [+ STEP]...: runs the steps (driver commands, separated by a
// lone "+") N times in this one process, which keeps a long soak fast; the
// steps' own output is dropped. Stops at the first step that fails.
int cmd_repeat(const Args& args) {
    if (args.size() < 3) return 2;
    const unsigned long times = parse_number(args[1]);
    std::vector<Args> steps(1);
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "+")
            steps.emplace_back();
        else
            steps.back().push_back(args[i]);
    }
    for (const Args& step : steps)
        if (step.empty() || step[0] == "repeat") return 2;
    std::fflush(stdout);
    const int saved = _dup(1);
    const int null = _open("NUL", _O_WRONLY);
    if (saved < 0 || null < 0) return 1;
    _dup2(null, 1);
    _close(null);
    const DWORD start = GetTickCount();
    unsigned long done = 0;
    std::size_t failed_step = 0;
    int rc = 0;
    for (; done < times && rc == 0; ++done)
        for (std::size_t i = 0; i < steps.size() && rc == 0; ++i)
            if ((rc = run_command(steps[i])) != 0) failed_step = i;
    std::fflush(stdout);
    _dup2(saved, 1);
    _close(saved);
    if (rc != 0) {
        std::printf("repeat failed round=%lu step=%zu command=%s rc=%d\n", done, failed_step + 1,
                    steps[failed_step][0].c_str(), rc);
        return 1;
    }
    std::printf("repeat done=%lu elapsed_ms=%lu\n", done, GetTickCount() - start);
    return 0;
}

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};
constexpr Command kCommands[] = {
    {"wait", cmd_wait, "CLASS[/TITLE] [ms]"},
    {"wait-gone", cmd_wait_gone, "CLASS[/TITLE] [ms]"},
    {"dump", cmd_dump, "CLASS[/TITLE]"},
    {"tray", cmd_tray, "lbuttonup|lbuttondblclk|rbuttonup|contextmenu|lbuttondown|mousemove [x y]"},
    {"taskbarcreated", cmd_taskbarcreated, ""},
    {"msgbox", cmd_msgbox, "[CAPTION|-] [ok|BUTTON-ID|-] [ms]"},
    {"menu", cmd_menu, "[ms]"},
    {"wait-exit", cmd_wait_exit, "PID [ms]"},
    {"handles", cmd_handles, "PID"},
    {"pids", cmd_pids, "EXE-NAME"},
    {"post", cmd_post, "CLASS[/TITLE] MSG WPARAM LPARAM"},
    {"send-text", cmd_send_text, "CLASS[/TITLE] ID|- TEXT"},
    {"get-text", cmd_get_text, "CLASS[/TITLE] ID|- [ID...]"},
    {"focus", cmd_focus, "CLASS[/TITLE]"},
    {"clipboard", cmd_clipboard, "TEXT"},
    {"click", cmd_click, "CLASS[/TITLE] ID|- [X Y]"},
    {"visible", cmd_visible, "CLASS[/TITLE] ID|- 0|1 [ms]"},
    {"get-sel", cmd_get_sel, "CLASS[/TITLE] ID"},
    {"move", cmd_move, "CLASS[/TITLE] X Y W H"},
    {"repeat", cmd_repeat, "N STEP [+ STEP]..."},
    {"idle", cmd_idle, ""},
    {"tray-delete", cmd_tray_delete, "CLASS[/TITLE]"},
    {"wait-visible", cmd_wait_visible, "CLASS[/TITLE] [ms]"},
    {"windows", cmd_windows, "PID"},
    {"tray-cycles", cmd_tray_cycles, "N [cancelmode|escape] [ms]"},
    {"processes", cmd_processes, ""},
    {"post-all", cmd_post_all, "CLASS MSG WPARAM LPARAM"},
    {"ping", cmd_ping, "CLASS[/TITLE] N [GAP-MS]"},
};

int run_command(const Args& args) {
    for (const Command& c : kCommands)
        if (args[0] == c.name) return c.run(args);
    return 2;
}

int usage() {
    for (const Command& c : kCommands) std::printf("usage: test-driver %s %s\n", c.name, c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // LF only: the scenarios parse these lines with shell tools.
    _setmode(_fileno(stdout), _O_BINARY);
    Args args;
    for (int i = 1; i < argc; ++i) args.push_back(decode_argument(argv[i]));
    if (args.empty()) return usage();
    const int rc = run_command(args);
    return rc == 2 ? usage() : rc;
}
