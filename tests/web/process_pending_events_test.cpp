#include "web/process_pending_events.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "shell/handles.h"

namespace quorrin {
namespace {

constexpr UINT counted = WM_APP + 1;
constexpr UINT repost = WM_APP + 2;

std::vector<UINT> seen;  // messages that reached the window, in order

LRESULT CALLBACK record(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == counted || message == WM_CHAR) seen.push_back(message);
    if (message == repost) {
        seen.push_back(message);
        if (wparam > 0) PostMessageA(window, repost, wparam - 1, 0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

class PendingEvents : public testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        drain();
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = record;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "quorrin_pending_events_test";
        RegisterClassA(&window_class);  // fails harmlessly when already there
        window_.reset(CreateWindowA("quorrin_pending_events_test", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    window_class.hInstance, nullptr));
        ASSERT_TRUE(window_);
    }
    void TearDown() override {
        window_.reset();
        drain();
    }

    // Leaves nothing behind for the next case, a quit message included.
    static void drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // None of the test's own messages is still waiting. (The system may queue
    // messages of its own at any time; they are not the test's to count.)
    static bool none_left() {
        MSG msg;
        return !PeekMessageA(&msg, nullptr, counted, repost, PM_NOREMOVE);
    }

    UniqueWindow window_;
};

TEST_F(PendingEvents, DispatchesEveryWaitingMessageInOrder) {
    for (int i = 0; i < 3; ++i) PostMessageA(window_.get(), counted, 0, 0);
    PostMessageA(window_.get(), repost, 0, 0);
    process_pending_events();
    EXPECT_EQ(seen, (std::vector<UINT>{counted, counted, counted, repost}));
    EXPECT_TRUE(none_left());
}

TEST_F(PendingEvents, RunsWhatTheHandlersPostOnTheWay) {
    PostMessageA(window_.get(), repost, 4, 0);
    process_pending_events();
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_TRUE(none_left());
}

TEST_F(PendingEvents, TakesThreadMessagesOffTheQueue) {
    PostThreadMessageA(GetCurrentThreadId(), counted, 0, 0);
    process_pending_events();
    EXPECT_TRUE(seen.empty());  // a thread message has no window to reach
    EXPECT_TRUE(none_left());
}

TEST_F(PendingEvents, TranslatesKeysIntoCharacters) {
    PostMessageA(window_.get(), WM_KEYDOWN, 'A', 0x001E0001);
    process_pending_events();
    EXPECT_EQ(seen, std::vector<UINT>{WM_CHAR});
}

// The quit message stays for the message loop whether it was posted before
// or after the other messages (it is only ever delivered last).
class PendingEventsQuit : public PendingEvents, public testing::WithParamInterface<bool> {};

TEST_P(PendingEventsQuit, StaysInTheQueue) {
    const bool quit_first = GetParam();
    if (quit_first) PostQuitMessage(7);
    PostMessageA(window_.get(), counted, 0, 0);
    PostMessageA(window_.get(), counted, 0, 0);
    if (!quit_first) PostQuitMessage(7);
    process_pending_events();
    EXPECT_EQ(seen, (std::vector<UINT>{counted, counted}));
    process_pending_events();  // and again: still not taken
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

INSTANTIATE_TEST_SUITE_P(Quit, PendingEventsQuit, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
    return info.param ? "PostedFirst" : "PostedLast";
});

}  // namespace
}  // namespace quorrin
