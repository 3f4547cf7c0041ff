#include "window/host.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace textmd5 {
namespace {

constexpr char kMainClassName[] = "textmd5.window";
constexpr char kLabelClassName[] = "textmd5.label";
constexpr char kIconName[] = "DEFAULT_ICON";
constexpr int kFirstChildId = 100;
constexpr int kChildIdStep = 10;

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

WNDCLASSEXA HostClass(HINSTANCE instance, WNDPROC proc, const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);  // slot 0: the font given by WM_SETFONT
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the windows paint themselves
    wc.lpszClassName = name;
    return wc;
}

UniqueIcon LoadProgramIcon(HINSTANCE instance, int size) {
    return UniqueIcon(static_cast<HICON>(LoadImageA(instance, kIconName, IMAGE_ICON, size, size, 0)));
}

}  // namespace

int WindowHost::TextHeight(HWND hwnd, const char* text) {
    HDC dc = GetDC(hwnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cy;
}

WindowHost::WindowHost(HINSTANCE instance) : instance_(instance) {}

WindowHost::~WindowHost() { ShutDown(); }

void WindowHost::Start() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n != 0 && n < MAX_PATH) {
        if (char* slash = std::strrchr(path, '\\')) {
            *slash = '\0';
            SetCurrentDirectoryA(path);
        }
    }
    description_ = FindWindowDescription(MainWindowId);
    mainClass_ = WindowClass(instance_, HostClass(instance_, &MainProc, kMainClassName));
    labelClass_ = WindowClass(instance_, HostClass(instance_, &LabelProc, kLabelClassName));
}

void WindowHost::RegisterAtExit(void (*routine)()) { atExit_ = routine; }

void WindowHost::ShutDown() {
    if (auto routine = std::exchange(atExit_, nullptr)) routine();
    window_.reset();  // takes its controls with it
    units_.clear();
    bigIcon_.reset();
    smallIcon_.reset();
    labelClass_ = WindowClass();
    mainClass_ = WindowClass();
}

bool WindowHost::LoadStartWindow(UnitId window) {
    const WindowDescription* description = FindWindowDescription(window);
    if (!description || description != description_) return false;

    holdBack_ = true;
    units_ = std::vector<LiveUnit>(description->records.size());
    for (std::size_t i = 0; i < units_.size(); ++i) units_[i].record = &description->records[i];

    const ControlRecord& self = description->records[0];
    const WindowSettings& settings = Settings();
    DWORD style = WS_CAPTION | WS_CLIPCHILDREN;  // a fixed dialog frame: no sizing border
    if (settings.controlBox) style |= WS_SYSMENU;
    if (settings.minimizeBox) style |= WS_MINIMIZEBOX;
    if (settings.maximizeBox) style |= WS_MAXIMIZEBOX;
    int x = self.left, y = self.top;
    if (settings.centred) {
        x = (GetSystemMetrics(SM_CXSCREEN) - self.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - self.height) / 2;
    }
    window_.reset(CreateWindowExA(0, mainClass_.Name(), settings.caption, style, x, y, self.width, self.height,
                                  nullptr, nullptr, instance_, this));
    if (!window_) {
        holdBack_ = false;
        return false;
    }
    units_[0].hwnd = window_.get();
    RECT rect;
    GetWindowRect(window_.get(), &rect);
    if (rect.left != x || rect.top != y || rect.right - rect.left != self.width || rect.bottom - rect.top != self.height) {
        SetWindowPos(window_.get(), nullptr, x, y, self.width, self.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    if (!bigIcon_) bigIcon_ = LoadProgramIcon(instance_, 32);
    if (!smallIcon_) smallIcon_ = LoadProgramIcon(instance_, 16);
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    // Created last record first; identifiers count up in creation order.
    int childId = kFirstChildId;
    for (std::size_t i = units_.size() - 1; i >= 1; --i, childId += kChildIdStep) CreateControl(units_[i], childId);

    // Stacked in record order: the first control on top, each next one below
    // the nearest earlier one with the same parent.
    for (std::size_t i = 1; i < units_.size(); ++i) {
        HWND after = HWND_TOP;
        for (std::size_t j = i - 1; j >= 1; --j) {
            if (units_[j].record->parent == units_[i].record->parent && units_[j].hwnd) {
                after = units_[j].hwnd;
                break;
            }
        }
        SetWindowPos(units_[i].hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (std::size_t i = 1; i < units_.size(); ++i) {
        ShowWindow(units_[i].hwnd, units_[i].record->visible ? SW_SHOWNA : SW_HIDE);
    }
    holdBack_ = false;

    // Activation gives the window the focus, which it passes to the first
    // entry of the keyboard order.
    if (self.visible) {
        ShowWindow(window_.get(), SW_SHOW);
        // Windows may apply the starter's show request (minimised, maximised)
        // to a program's first ShowWindow; this window always starts normal.
        if (IsIconic(window_.get()) || IsZoomed(window_.get())) {
            ShowWindow(window_.get(), SW_RESTORE);
            SetWindowPos(window_.get(), nullptr, x, y, self.width, self.height, SWP_NOZORDER);
        }
    }
    return true;
}

void WindowHost::CreateControl(LiveUnit& unit, int childId) {
    const ControlRecord& r = *unit.record;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (r.tabStop) style |= WS_TABSTOP;
    if (r.disabled) style |= WS_DISABLED;
    HWND parent = r.parent ? WindowOf(r.parent) : window_.get();
    const auto create = [&](const char* className, const char* text, DWORD kindStyle) {
        return CreateWindowExA(0, className, text, style | kindStyle, r.left, r.top, r.width, r.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), instance_, nullptr);
    };

    switch (r.Kind()) {
    case ControlKind::Label: {
        unit.hwnd = create(labelClass_.Name(), r.As<LabelSettings>().text, 0);
        SendMessageA(unit.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
        break;
    }
    case ControlKind::EditBox: {
        const auto& s = r.As<EditBoxSettings>();
        DWORD kindStyle = WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
        if (!s.hideSelection) kindStyle |= ES_NOHIDESEL;
        if (s.multiLine) kindStyle |= ES_MULTILINE;
        unit.hwnd = create("EDIT", s.text, kindStyle);
        if (!unit.hwnd) break;
        unit.background.reset(CreateSolidBrush(s.backColour));
        // Subclassed before the frame is recalculated, so the one-line layout applies.
        // The procedure is installed as a Unicode one so that a typed Chinese
        // character reaches the box whole: Wine's ANSI edit takes WM_CHAR one byte
        // at a time and turns each half of a double-byte character into '?'. The
        // text is still read and written with the ANSI functions, in the code page.
        SetWindowLongPtrA(unit.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&unit));
        unit.editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(unit.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBoxProc)));
        SendMessageA(unit.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
        const int minHeight = TextHeight(unit.hwnd, "\xd6\xd0") + 2 * GetSystemMetrics(SM_CYEDGE);  // "中"
        if (r.height < minHeight) {
            SetWindowPos(unit.hwnd, nullptr, 0, 0, r.width, minHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SendMessageA(unit.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(s.maxLength), 0);
        SendMessageA(unit.hwnd, EM_SETSEL, 0, 0);
        SendMessageA(unit.hwnd, EM_SCROLLCARET, 0, 0);
        SetWindowLongPtrA(unit.hwnd, GWL_EXSTYLE, GetWindowLongPtrA(unit.hwnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        SetWindowPos(unit.hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        break;
    }
    case ControlKind::Button: {
        const auto& s = r.As<ButtonSettings>();
        const DWORD type = s.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        unit.hwnd = create("BUTTON", s.text, WS_TABSTOP | type | BS_MULTILINE | BS_CENTER | BS_VCENTER);
        SendMessageA(unit.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
        break;
    }
    case ControlKind::Window:
        break;  // only record 0, which is the window itself
    }
}

HWND WindowHost::WindowOf(UnitId unit) const {
    for (const LiveUnit& live : units_) {
        if (live.record->unit == unit) return live.hwnd;
    }
    return nullptr;
}

WindowHost::LiveUnit* WindowHost::UnitOf(HWND hwnd) {
    for (LiveUnit& live : units_) {
        if (hwnd && live.hwnd == hwnd) return &live;
    }
    return nullptr;
}

const WindowSettings& WindowHost::Settings() const {
    return description_->records[0].As<WindowSettings>();
}

std::vector<HWND> WindowHost::KeyboardOrder() const {
    std::vector<std::size_t> candidates;  // record indexes
    for (std::size_t i = 0; i < units_.size(); ++i) {
        const ControlRecord& r = *units_[i].record;
        const HWND hwnd = units_[i].hwnd;
        const bool canFocus = r.Kind() == ControlKind::EditBox || r.Kind() == ControlKind::Button;
        if (canFocus && r.tabStop && hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) candidates.push_back(i);
    }
    // By TabOrder; among equals the later record comes first.
    std::sort(candidates.begin(), candidates.end(), [this](std::size_t a, std::size_t b) {
        const std::int32_t ta = units_[a].record->tabOrder, tb = units_[b].record->tabOrder;
        return ta != tb ? ta < tb : a > b;
    });
    std::vector<HWND> order;
    for (std::size_t i : candidates) order.push_back(units_[i].hwnd);
    return order;
}

}  // namespace textmd5
