// textmd5.exe driven from outside, as a person drives it: real keys and
// clicks, the output box read back, the exit code checked.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "digest/convert_action.h"
#include "digest/text_digest.h"
#include "tests/win_input.h"

namespace textmd5::test {
namespace {

std::string gProgram;  // the .exe under test, as a Windows path

// Unix paths (what ctest hands over) are on drive Z: under Wine.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// Each address the program opens ends up as one line here (see cmake/wine-prefix).
std::vector<std::string> OpenedAddresses() {
    const char* prefix = std::getenv("WINEPREFIX");
    std::vector<std::string> lines;
    if (!prefix) return lines;
    std::ifstream log(WindowsPath(std::string(prefix) + "/opened-addresses.log"));
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = 10000) {
    const DWORD end = GetTickCount() + ms;
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        Sleep(20);
    }
    return true;
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return hex;
}

std::string TextOf(HWND hwnd) {
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// One run of the program, ended at the latest when the object goes.
class Program {
public:
    explicit Program(WORD show = SW_SHOWNORMAL) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        std::string command = "\"" + gProgram + "\"";
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
            ADD_FAILURE() << "cannot start " << gProgram << ": error " << GetLastError();
            return;
        }
        WaitForInputIdle(info_.hProcess, 10000);
        WaitFor([this] { return (window = FindWindowOfProcess()) != nullptr && IsWindowVisible(window); });
        input = GetDlgItem(window, 110);
        output = GetDlgItem(window, 120);
        button = GetDlgItem(window, 130);
        WaitFor([this] { return Focus() == input; }, 3000);
    }
    ~Program() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND window = nullptr, input = nullptr, output = nullptr, button = nullptr;

    bool Ready() const { return window && input && output && button; }
    HANDLE Process() const { return info_.hProcess; }
    HWND Focus() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(info_.dwThreadId, &gui) ? gui.hwndFocus : nullptr;
    }
    // The exit code once the process has ended, or -1 if it is still running.
    long ExitCode(DWORD ms = 10000) const {
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }
    // Returns once the program answers at once, twice in a row, half a second apart.
    void WaitUntilIdle() const {
        int quick = 0;
        const DWORD end = GetTickCount() + 120000;
        while (quick < 2 && static_cast<LONG>(end - GetTickCount()) > 0) {
            const DWORD start = GetTickCount();
            SendMessageA(window, WM_NULL, 0, 0);
            quick = GetTickCount() - start < 50 ? quick + 1 : 0;
            Sleep(500);
        }
    }
    // Presses the button with the mouse and waits for the output to change.
    std::string PressAndRead() {
        const std::string before = TextOf(output);
        SendMessageA(output, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ClickAt(CentreOf(button));
        WaitFor([this] { return !TextOf(output).empty(); }, 60000);
        return TextOf(output);
    }

private:
    HWND FindWindowOfProcess() const {
        for (HWND w = FindWindowExA(nullptr, nullptr, "textmd5.window", nullptr); w;
             w = FindWindowExA(nullptr, w, "textmd5.window", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info_.dwProcessId) return w;
        }
        return nullptr;
    }
    PROCESS_INFORMATION info_{};
};

class ProgramTest : public testing::Test {
protected:
    void SetUp() override { openedBefore_ = OpenedAddresses().size(); }
    std::size_t NewlyOpened() const { return OpenedAddresses().size() - openedBefore_; }
    bool WaitForOpened(std::size_t n) {
        return WaitFor([&] { return NewlyOpened() >= n; }, 20000) && NewlyOpened() == n;
    }

private:
    std::size_t openedBefore_ = 0;
};

TEST_F(ProgramTest, TypedTextGetsItsDigestByMouseAndBySpace) {
    Program app;
    ASSERT_TRUE(app.Ready());
    TypeText(L"abc");
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.input) == "abc"; }));
    EXPECT_EQ(app.PressAndRead(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_TRUE(WaitForOpened(1));
    EXPECT_EQ(OpenedAddresses().back(), FixedWebAddress);

    SendMessageA(app.output, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_EQ(app.Focus(), app.button);  // the click gave it the focus
    PressKeys({VK_SPACE});
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.output) == "900150983cd24fb0d6963f7d28e17f72"; }));
    EXPECT_TRUE(WaitForOpened(2));
    EXPECT_EQ(TextOf(app.input), "abc");
}

TEST_F(ProgramTest, EmptyInputStillOpensTheAddressAndShowsTheEmptyDigest) {
    Program app;
    ASSERT_TRUE(app.Ready());
    EXPECT_EQ(app.PressAndRead(), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_TRUE(WaitForOpened(1));
}

TEST_F(ProgramTest, ChineseIsDigestedAsCodePage936Bytes) {
    ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
    Program app;
    ASSERT_TRUE(app.Ready());
    TypeText(L"\u4e2d\u6587");  // 中文
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.input) == "\xd6\xd0\xce\xc4"; })) << Hex(TextOf(app.input));
    EXPECT_EQ(app.PressAndRead(), "bcce109775e8e1972e9f5fcda3e12895");
    EXPECT_TRUE(WaitForOpened(1));
}

TEST_F(ProgramTest, CharactersOutsideTheCodePageAreDigestedAsHandedOver) {
    Program app;
    ASSERT_TRUE(app.Ready());
    TypeText(L"a\uD55C\u20AC\U0001F600z");  // Hangul, euro sign, an emoji
    ASSERT_TRUE(WaitFor([&] { return TextOf(app.input).size() >= 3; }));
    Sleep(300);
    const std::string bytes = TextOf(app.input);
    EXPECT_EQ(app.PressAndRead(), DigestText(bytes)) << "input bytes: " << bytes.size();
    EXPECT_TRUE(WaitForOpened(1));
    EXPECT_EQ(app.ExitCode(0), -1);  // still running
}

TEST_F(ProgramTest, TabCyclesTheControlsAndEnterDoesNothing) {
    Program app;
    ASSERT_TRUE(app.Ready());
    for (HWND next : {app.output, app.button, app.input}) {
        PressKeys({VK_TAB});
        EXPECT_TRUE(WaitFor([&] { return app.Focus() == next; }, 3000));
    }
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return app.Focus() == app.button; }, 3000));

    for (HWND box : {app.input, app.output}) {
        while (app.Focus() != box) {
            PressKeys({VK_TAB});
            WaitFor([&] { return app.Focus() == box; }, 1000);
        }
        PressKeys({VK_RETURN});
        Sleep(300);
        EXPECT_EQ(app.Focus(), box);
    }
    EXPECT_EQ(TextOf(app.output), "");
    EXPECT_EQ(NewlyOpened(), 0u);
}

// The middle of the window's close button, found by asking the window itself.
POINT CloseButtonOf(HWND window) {
    RECT r, button = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    GetWindowRect(window, &r);
    for (int y = r.top; y < r.top + 40; ++y) {
        for (int x = r.right - 60; x < r.right; ++x) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
            button = {std::min<LONG>(button.left, x), std::min<LONG>(button.top, y), std::max<LONG>(button.right, x),
                      std::max<LONG>(button.bottom, y)};
        }
    }
    EXPECT_LE(button.left, button.right) << "no close button";
    return {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
}

TEST_F(ProgramTest, EscAltF4AndTheCloseButtonEachEndTheProcessWithZero) {
    const struct {
        const char* how;
        void (*close)(const Program&);
    } ways[] = {
        {"Esc in the input box", [](const Program&) { PressKeys({VK_ESCAPE}); }},
        {"Alt+F4", [](const Program&) { PressKeys({VK_MENU, VK_F4}); }},
        {"close button", [](const Program& app) { ClickAt(CloseButtonOf(app.window)); }},
    };
    for (const auto& way : ways) {
        Program app;
        ASSERT_TRUE(app.Ready()) << way.how;
        way.close(app);
        EXPECT_EQ(app.ExitCode(), 0) << way.how;
    }
}

TEST_F(ProgramTest, MinimisedOrMaximisedStartRequestsStillShowItNormalAndCentred) {
    for (WORD show : {SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE}) {
        Program app(show);
        ASSERT_TRUE(app.Ready()) << show;
        EXPECT_FALSE(IsIconic(app.window)) << show;
        EXPECT_FALSE(IsZoomed(app.window)) << show;
        RECT r;
        GetWindowRect(app.window, &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2) << show;
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2) << show;
        EXPECT_EQ(r.right - r.left, 380);
        PressKeys({VK_ESCAPE});
        EXPECT_EQ(app.ExitCode(), 0);
    }
}

// Puts text on the clipboard as CF_TEXT, as another program's copy would.
void CopyToClipboard(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);  // the clipboard owns it now
    CloseClipboard();
}

TEST_F(ProgramTest, A16MiBPasteIsDigestedWhole) {
    std::string text(16u << 20, ' ');
    std::mt19937 random(16);
    for (char& c : text) c = static_cast<char>('!' + random() % 94);  // printable ASCII, one line
    CopyToClipboard(text);

    Program app;
    ASSERT_TRUE(app.Ready());
    const auto pasteStart = std::chrono::steady_clock::now();
    PressKeys({VK_CONTROL, 'V'});
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(app.input, WM_GETTEXTLENGTH, 0, 0) >= 16 << 20; }, 240000))
        << "pasted " << SendMessageA(app.input, WM_GETTEXTLENGTH, 0, 0) << " bytes";
    app.WaitUntilIdle();  // the box lays out and paints 16 MiB after taking it in
    const auto pressStart = std::chrono::steady_clock::now();
    const std::string digest = app.PressAndRead();
    const auto done = std::chrono::steady_clock::now();
    EXPECT_EQ(digest, DigestText(text));
    using Seconds = std::chrono::duration<double>;
    std::printf("16 MiB: paste %.2f s, press to output %.3f s\n", Seconds(pressStart - pasteStart).count(),
                Seconds(done - pressStart).count());
}

struct Usage {
    DWORD gdiObjects, userObjects;  // Wine reports 0 for both; Windows reports the counts
    SIZE_T privateBytes, workingSet;
};

Usage UsageOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine leaves PrivateUsage at 0 for another process; the commit charge is the same figure.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return {GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS), privateBytes,
            memory.WorkingSetSize};
}

void PrintUsage(const char* when, const Usage& u) {
    std::printf("%-20s GDI %lu, USER %lu, private %zu KiB, working set %zu KiB\n", when, u.gdiObjects,
                u.userObjects, u.privateBytes / 1024, u.workingSet / 1024);
}

TEST_F(ProgramTest, AThousandPressesLeaveHandlesAndMemoryFlat) {
    Program app;
    ASSERT_TRUE(app.Ready());
    SendMessageA(app.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a thousand presses"));
    const auto press = [&](int n) {
        for (int i = 0; i < n; ++i) SendMessageA(app.button, BM_CLICK, 0, 0);  // returns once handled
    };
    press(100);  // warm up: first-use allocations are not leaks
    const Usage before = UsageOf(app.Process());
    press(1000);
    const Usage after = UsageOf(app.Process());
    PrintUsage("after 100 presses:", before);
    PrintUsage("after 1100 presses:", after);
    EXPECT_EQ(TextOf(app.output), DigestText(std::string("a thousand presses")));
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.userObjects, before.userObjects);
    EXPECT_GT(before.privateBytes, 0u);
    EXPECT_LT(after.privateBytes, before.privateBytes + (1u << 20)) << "private bytes grew";
    PressKeys({VK_ESCAPE});
    EXPECT_EQ(app.ExitCode(), 0);
}

}  // namespace
}  // namespace textmd5::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: program_test PATH-TO-textmd5.exe\n");
        return 2;
    }
    textmd5::test::gProgram = textmd5::test::WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
