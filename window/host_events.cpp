// The running window: messages, events, keys, property access and the loop.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>

#include "window/host.h"

namespace textmd5 {
namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The font slot of the host's own window classes.
LRESULT FontMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT) {
        SetWindowLongPtrA(hwnd, 0, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    return GetWindowLongPtrA(hwnd, 0);  // WM_GETFONT
}

// The client rectangle in the coordinates of the whole window.
RECT ClientInWindow(HWND hwnd) {
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    return client;
}

}  // namespace

LRESULT CALLBACK WindowHost::MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<WindowHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!host) return DefWindowProcA(hwnd, message, wParam, lParam);
    return host->OnMainMessage(hwnd, message, wParam, lParam);
}

LRESULT WindowHost::OnMainMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFONT:
    case WM_GETFONT:
        return FontMessage(hwnd, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
        if (LiveUnit* box = UnitOf(reinterpret_cast<HWND>(lParam)); box && box->background) {
            const auto& s = box->record->As<EditBoxSettings>();
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, s.textColour);
            SetBkColor(dc, s.backColour);
            return reinterpret_cast<LRESULT>(box->background.get());
        }
        break;
    case WM_COMMAND:
        if (LiveUnit* unit = UnitOf(reinterpret_cast<HWND>(lParam))) {
            const WORD code = HIWORD(wParam);
            if (unit->record->Kind() == ControlKind::Button && code == BN_CLICKED) {
                RaiseEvent(unit->record->unit, ClickedEvent);
            } else if (unit->record->Kind() == ControlKind::EditBox && code == EN_CHANGE && !writingText_) {
                RaiseEvent(unit->record->unit, ContentChangedEvent);
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) rememberedFocus_ = focus;
        }
        break;  // the default activation sets the focus on the window: see WM_SETFOCUS
    case WM_SETFOCUS: {
        HWND target = rememberedFocus_ && IsChild(hwnd, rememberedFocus_) ? rememberedFocus_ : nullptr;
        if (!target) {
            const std::vector<HWND> order = KeyboardOrder();
            if (!order.empty()) target = order.front();
        }
        if (target) SetFocus(target);
        return 0;
    }
    case WM_NCDESTROY: {
        // Windows has destroyed the window and its controls: let go of the handles.
        (void)window_.release();
        for (LiveUnit& unit : units_) unit.hwnd = nullptr;
        rememberedFocus_ = nullptr;
        if (loopEntered_) PostQuitMessage(0);
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowHost::LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
    case WM_GETFONT:
        return FontMessage(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
        const int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
        if (length > 0) {
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(hwnd, 0)));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(0, 0, 0));
            // Without DT_SINGLELINE, DT_VCENTER does nothing: lines start at the top.
            DrawTextA(dc, text.data(), length, &rect, DT_NOCLIP | DT_WORDBREAK | DT_VCENTER | DT_LEFT);
            SelectObject(dc, old);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// An EDIT control that shows its one line in the vertical middle: the bands
// above and below the line belong to the frame.
LRESULT CALLBACK WindowHost::EditBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* unit = reinterpret_cast<LiveUnit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const WNDPROC original = unit->editProc;
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
        RECT& client = *reinterpret_cast<RECT*>(lParam);  // rgrc[0] when wParam is TRUE
        const int line = TextHeight(hwnd, "W");
        client.top += (client.bottom - client.top - line) / 2;
        client.bottom = client.top + line;
        return result;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(hwnd);
        RECT window;
        GetWindowRect(hwnd, &window);
        OffsetRect(&window, -window.left, -window.top);
        const RECT client = ClientInWindow(hwnd);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        FillRect(dc, &window, unit->background.get());  // the frame is drawn over it next
        ReleaseDC(hwnd, dc);
        break;
    }
    case WM_NCHITTEST: {
        const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT window;
        GetWindowRect(hwnd, &window);
        RECT client = ClientInWindow(hwnd);
        OffsetRect(&client, window.left, window.top);
        if (PtInRect(&window, point) && !PtInRect(&client, point)) return HTBORDER;  // no caret from a band
        break;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, unit->background.get());
        return 1;
    }
    default:
        break;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

void WindowHost::RaiseEvent(UnitId unit, EventId event) {
    if (holdBack_ || !description_) return;
    const ControlRecord* record = description_->Find(unit);
    if (!record) return;
    if (EventHandler handler = record->HandlerFor(event)) handler(*this);
}

WindowHost::LiveUnit* WindowHost::EditBox(UnitId window, UnitId unit, PropertyId property) {
    if (!description_ || window != description_->window || property != TextProperty) return nullptr;
    for (LiveUnit& live : units_) {
        if (live.record->unit == unit && live.record->Kind() == ControlKind::EditBox && live.hwnd) return &live;
    }
    return nullptr;
}

TextValue WindowHost::ReadProperty(UnitId window, UnitId unit, PropertyId property) {
    const LiveUnit* box = EditBox(window, unit, property);
    if (!box) return std::nullopt;
    const int length = GetWindowTextLengthA(box->hwnd);  // may overstate; never understates
    if (length <= 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    const int copied = GetWindowTextA(box->hwnd, text.data(), length + 1);
    if (copied <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void WindowHost::WriteProperty(UnitId window, UnitId unit, PropertyId property, const TextValue& value) {
    const LiveUnit* box = EditBox(window, unit, property);
    if (!box) return;
    // Setting the text moves the caret to the start; put the selection back.
    DWORD start = 0, end = 0;
    SendMessageA(box->hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    writingText_ = true;  // the box's own change notice is replaced by the one raised below
    SetWindowTextA(box->hwnd, value ? value->c_str() : "");
    writingText_ = false;
    SendMessageA(box->hwnd, EM_SETSEL, start, end);
    RaiseEvent(unit, ContentChangedEvent);
}

void WindowHost::OpenWebAddress(const char* address) {
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void WindowHost::MoveFocus(int step) {
    const std::vector<HWND> order = KeyboardOrder();
    if (order.empty()) return;
    const auto n = static_cast<int>(order.size());
    const HWND focus = GetFocus();
    int at = -1;
    for (int i = 0; i < n; ++i) {
        if (order[i] == focus) at = i;
    }
    const int next = at < 0 ? (step > 0 ? 0 : n - 1) : ((at + step) % n + n) % n;
    SetFocus(order[next]);
}

bool WindowHost::PreTranslateKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND window = window_.get();
    if (!window || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
    const bool ctrl = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT), alt = KeyDown(VK_MENU);
    if (ctrl || alt) return false;
    const WindowSettings& settings = Settings();

    switch (msg.wParam) {
    case VK_TAB:
        MoveFocus(shift ? -1 : 1);
        return true;
    case VK_RETURN: {
        if (shift) return false;
        const auto isDefaultButton = [](const LiveUnit& u) {
            return u.record->Kind() == ControlKind::Button && u.record->As<ButtonSettings>().isDefault;
        };
        LiveUnit* focused = UnitOf(GetFocus());
        if (focused && isDefaultButton(*focused)) {
            SendMessageA(focused->hwnd, BM_CLICK, 0, 0);
            return true;
        }
        if (settings.enterMovesFocus) {
            MoveFocus(1);
            return true;
        }
        for (LiveUnit& u : units_) {
            if (u.hwnd && isDefaultButton(u) && IsWindowEnabled(u.hwnd)) {
                SendMessageA(u.hwnd, BM_CLICK, 0, 0);
                return true;
            }
        }
        return false;  // the focused control does what it does with Enter
    }
    case VK_ESCAPE:
        if (shift || !settings.escCloses) return false;
        SendMessageA(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;  // F1 included: there is no help to open
    }
}

int WindowHost::RunMessageLoop() {
    loopEntered_ = true;
    if (!window_) return 0;
    // No idle work exists, so the loop simply waits for the next message.
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace textmd5
