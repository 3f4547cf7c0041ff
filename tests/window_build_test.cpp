// The window as built: geometry, styles, stacking, first focus and looks.
#include "tests/live_window.h"

#include <cstring>

namespace textmd5::test {
namespace {

using WindowBuild = LiveWindow;

TEST_F(WindowBuild, OuterRectIsCentredAndExactly380By250) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - 380) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - 250) / 2;
    RECT r;
    GetWindowRect(Main(), &r);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, 380);
    EXPECT_EQ(r.bottom - r.top, 250);
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(r.left, 322);
        EXPECT_EQ(r.top, 259);
    }
}

TEST_F(WindowBuild, WindowHasAFixedFrameNoMaximiseAndNoTitle) {
    const LONG_PTR style = GetWindowLongPtrA(Main(), GWL_STYLE);
    const LONG_PTR wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0);
    EXPECT_EQ(GetWindowLongPtrA(Main(), GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW), 0);
    EXPECT_EQ(GetWindowTextLengthA(Main()), 0);
    EXPECT_EQ(GetWindow(Main(), GW_OWNER), nullptr);  // so it has a task-bar button
    EXPECT_NE(SendMessageA(Main(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(Main(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(WindowBuild, ControlsHaveTheirClassStylesAndIdsByCreationOrder) {
    const LONG_PTR base = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
    const struct {
        UnitId unit;
        const char* className;
        LONG_PTR style;
        LONG_PTR exStyle;
        int id;
    } controls[] = {
        {CaptionLabelId, "textmd5.label", base, 0, 100},
        {InputBoxId, "Edit", base | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, 110},
        {OutputBoxId, "Edit", base | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, 120},
        {ConvertButtonId, "Button", base | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0, 130},
    };
    for (const auto& c : controls) {
        HWND hwnd = Unit(c.unit);
        ASSERT_NE(hwnd, nullptr);
        char className[64];
        GetClassNameA(hwnd, className, sizeof className);
        EXPECT_STRCASEEQ(className, c.className);
        EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE), c.style) << className << " " << c.id;
        EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE), c.exStyle) << className << " " << c.id;
        EXPECT_EQ(GetDlgCtrlID(hwnd), c.id);
        EXPECT_EQ(GetParent(hwnd), Main());
    }
}

TEST_F(WindowBuild, ControlsKeepTheirPlaceAndSize) {
    const struct {
        UnitId unit;
        RECT rect;
    } controls[] = {
        {CaptionLabelId, {24, 16, 72, 176}},
        {InputBoxId, {96, 8, 360, 64}},
        {OutputBoxId, {96, 80, 360, 120}},
        {ConvertButtonId, {184, 152, 328, 200}},
    };
    for (const auto& c : controls) {
        RECT r;
        GetWindowRect(Unit(c.unit), &r);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &c.rect)) << std::hex << c.unit << std::dec << ": " << r.left << "," << r.top
                                             << "," << r.right << "," << r.bottom;
    }
}

TEST_F(WindowBuild, StackedFromTopButtonOutputInputLabel) {
    std::vector<HWND> stack;
    for (HWND child = GetWindow(Main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) stack.push_back(child);
    EXPECT_EQ(stack, (std::vector<HWND>{Unit(ConvertButtonId), Unit(OutputBoxId), Unit(InputBoxId),
                                        Unit(CaptionLabelId)}));
}

TEST_F(WindowBuild, FocusStartsInTheInputBoxWithTheCaretAtZero) {
    EXPECT_EQ(GetForegroundWindow(), Main());
    EXPECT_EQ(GetFocus(), Unit(InputBoxId));
    DWORD start = 99, end = 99;
    SendMessageA(Unit(InputBoxId), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(WindowBuild, EditBoxesShowOneLineInTheirVerticalMiddle) {
    for (UnitId unit : {InputBoxId, OutputBoxId}) {
        HWND box = Unit(unit);
        HDC dc = GetDC(box);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
        SIZE w{};
        GetTextExtentPoint32A(dc, "W", 1, &w);
        SelectObject(dc, old);
        ReleaseDC(box, dc);

        RECT window, client;
        GetWindowRect(box, &window);
        GetClientRect(box, &client);
        MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const int edge = GetSystemMetrics(SM_CYEDGE);
        const int inner = (window.bottom - window.top) - 2 * edge;
        EXPECT_EQ(client.bottom - client.top, w.cy);
        EXPECT_EQ(client.top - window.top, edge + (inner - w.cy) / 2) << std::hex << unit;
    }
}

TEST_F(WindowBuild, AClickInABandPlacesNoCaret) {
    HWND box = Unit(InputBoxId);
    RECT r;
    GetWindowRect(box, &r);
    const LPARAM band = MAKELPARAM(r.left + 20, r.top + 4);
    const LPARAM line = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
    EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, band), HTBORDER);
    EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, line), HTCLIENT);
}

// The colour at a point of a window, read back from what it painted.
COLORREF PixelAt(HWND hwnd, int x, int y) {
    HDC dc = GetWindowDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

TEST_F(WindowBuild, PaintsWhiteBoxesOnButtonFace) {
    RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF white = RGB(255, 255, 255);
    RECT client;
    GetClientRect(Main(), &client);
    POINT origin = {0, 0};
    ClientToScreen(Main(), &origin);
    RECT window;
    GetWindowRect(Main(), &window);
    const int dx = origin.x - window.left, dy = origin.y - window.top;

    EXPECT_EQ(PixelAt(Main(), dx + 5, dy + 5), face);               // top-left corner of the client area
    EXPECT_EQ(PixelAt(Main(), dx + 90, dy + 220), face);            // below the label
    EXPECT_EQ(PixelAt(Unit(CaptionLabelId), 40, 150), face);        // the label's empty lines
    for (UnitId unit : {InputBoxId, OutputBoxId}) {
        HWND box = Unit(unit);
        RECT r;
        GetWindowRect(box, &r);
        const int h = r.bottom - r.top;
        EXPECT_EQ(PixelAt(box, 200, 4), white) << "upper band";
        EXPECT_EQ(PixelAt(box, 200, h / 2), white) << "line";
        EXPECT_EQ(PixelAt(box, 200, h - 4), white) << "lower band";
    }
}

TEST_F(WindowBuild, LabelDrawsItsFirstLineInBlackAtTheTop) {
    RedrawWindow(Unit(CaptionLabelId), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int dark = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 48; ++x) dark += PixelAt(Unit(CaptionLabelId), x, y) == RGB(0, 0, 0);
    }
    EXPECT_GT(dark, 10);
}

}  // namespace
}  // namespace textmd5::test
