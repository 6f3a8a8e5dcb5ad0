#pragma once
// Synchronous calls from worker threads onto the UI thread. A call is a message sent to a
// message-only window of the UI thread, so every message loop serves it (the main loop,
// modal dialog and message-box loops) and so does WaitServingUIThreadCalls below.
#include <windows.h>

#include <functional>

// Makes the calling thread the UI thread. Call it on the UI thread before the first worker
// can call; later calls (from any thread) change nothing.
void InitUIThreadCalls();

// Runs action on the UI thread and returns once it has run there. An exception the action
// raises is rethrown here, on the calling thread. Called on the UI thread, it runs at once.
void CallOnUIThread(const std::function<void()>& action);

// Queues action to run on the UI thread and returns at once; the UI thread runs it through
// RunGuarded. Callable from any thread.
void PostToUIThread(std::function<void()> action);

// Waits on the UI thread until handle is signalled and, meanwhile, runs the calls that
// workers hand to it (other messages stay queued), so that a worker blocked in
// CallOnUIThread cannot deadlock the wait.
void WaitServingUIThreadCalls(HANDLE handle);
