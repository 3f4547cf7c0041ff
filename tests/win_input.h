// Real input and message pumping for tests that drive live windows.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace textmd5::test {

// Dispatches what arrives for `ms` milliseconds. `filter` sees each message
// first, as a message loop's key handling would, and may use it up.
template <typename Filter>
void PumpFor(DWORD ms, Filter filter) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (filter(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
inline void PumpFor(DWORD ms) {
    PumpFor(ms, [](const MSG&) { return false; });
}

inline INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// Presses the keys in order, then lets them go in reverse: {VK_SHIFT, VK_TAB} is Shift+Tab.
inline void PressKeys(std::initializer_list<WORD> keys) {
    INPUT inputs[8];
    UINT n = 0;
    for (WORD vk : keys) inputs[n++] = Key(vk, false);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs[n++] = Key(*it, true);
    SendInput(n, inputs, sizeof(INPUT));
}

// Types text as Unicode characters, whatever the keyboard layout.
inline void TypeText(const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        INPUT in[2]{};
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = *p;
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, in, sizeof(INPUT));
    }
}

// A left click at a point on the screen.
inline void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Sleep(50);  // let the move land first, as a hand would
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

inline POINT CentreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace textmd5::test
