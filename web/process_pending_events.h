// Lets the windows of the calling thread run while a long call is under way.
#pragma once

namespace quorrin {

// Takes the messages waiting in the thread's queue one after another,
// translating and dispatching each as the message loop would; returns when the
// queue is empty or the next message is WM_QUIT, which stays queued for the
// message loop to end on.
void process_pending_events();

}  // namespace quorrin
