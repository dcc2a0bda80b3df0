// Word of the mouse going to another program's window, without polling.
#pragma once

#include <windows.h>

// While it watches, the windows of this thread get Message() when the mouse
// moves or clicks over a window of another thread (the desktop included). It
// is a low-level mouse hook, which costs nothing while the mouse rests,
// where a leave watch (TrackMouseEvent) may poll the mouse: Wine's does,
// every hover time, for as long as it is asked for. Wine hears only of
// moves over its own windows: a mouse flicked from the gadget straight onto
// another program's window goes unnoticed there until it comes back.
class CMouseGoneWatch
{
public:
    CMouseGoneWatch() = default;
    ~CMouseGoneWatch() { Stop(); }

    static UINT Message();
    // False when the system gives no hook.
    bool Start();
    void Stop();
    bool Watching() const { return m_hook != nullptr; }

private:
    HHOOK m_hook = nullptr;

    CMouseGoneWatch(const CMouseGoneWatch&) = delete;
    CMouseGoneWatch& operator=(const CMouseGoneWatch&) = delete;
};
