// The running window: events, property access, keys, focus memory, closing.
#include "tests/live_window.h"

#include "digest/convert_action.h"

namespace textmd5::test {
namespace {

using Raised = std::vector<std::pair<UnitId, EventId>>;
using WindowEvents = LiveWindow;

TEST_F(WindowEvents, PropertyReadGivesAFreshCopyAndAbsentWhenEmpty) {
    EXPECT_EQ(host.ReadProperty(MainWindowId, InputBoxId, TextProperty), std::nullopt);
    SetWindowTextA(Unit(InputBoxId), "\xd6\xd0\xce\xc4");  // "中文"
    EXPECT_EQ(host.ReadProperty(MainWindowId, InputBoxId, TextProperty), "\xd6\xd0\xce\xc4");
    SetWindowTextA(Unit(InputBoxId), "");
    EXPECT_EQ(host.ReadProperty(MainWindowId, InputBoxId, TextProperty), std::nullopt);
    // Only an edit box's text, in this window, is a property here.
    EXPECT_EQ(host.ReadProperty(MainWindowId, ConvertButtonId, TextProperty), std::nullopt);
    EXPECT_EQ(host.ReadProperty(MainWindowId, InputBoxId, 0), std::nullopt);
    EXPECT_EQ(host.ReadProperty(WindowRecordId, InputBoxId, TextProperty), std::nullopt);
}

TEST_F(WindowEvents, EachWriteSetsTheTextAndRaisesOneContentChange) {
    host.WriteProperty(MainWindowId, OutputBoxId, TextProperty, std::string("abc"));
    EXPECT_EQ(Text(OutputBoxId), "abc");
    host.WriteProperty(MainWindowId, OutputBoxId, TextProperty, std::string("abc"));  // same text again
    host.WriteProperty(MainWindowId, OutputBoxId, TextProperty, std::nullopt);        // absent = empty
    EXPECT_EQ(Text(OutputBoxId), "");
    Pump();
    const Raised three(3, {OutputBoxId, ContentChangedEvent});
    EXPECT_EQ(host.raised, three);
}

TEST_F(WindowEvents, WritingKeepsTheSelectionAndTheFocus) {
    SetWindowTextA(Unit(OutputBoxId), "0123456789");
    SetFocus(Unit(InputBoxId));
    SendMessageA(Unit(OutputBoxId), EM_SETSEL, 2, 5);
    host.WriteProperty(MainWindowId, OutputBoxId, TextProperty, std::string("abcdefghij"));
    DWORD start = 0, end = 0;
    SendMessageA(Unit(OutputBoxId), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(GetFocus(), Unit(InputBoxId));
}

TEST_F(WindowEvents, AClickRunsTheConvertActionInsideTheClick) {
    SetWindowTextA(Unit(InputBoxId), "abc");
    SetWindowTextA(Unit(OutputBoxId), "typed by the user");
    host.raised.clear();
    SendMessageA(Unit(ConvertButtonId), BM_CLICK, 0, 0);  // returns after the handler has run
    EXPECT_EQ(host.opened, std::vector<std::string>{FixedWebAddress});
    EXPECT_EQ(Text(OutputBoxId), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Text(InputBoxId), "abc");
    EXPECT_EQ(host.raised, (Raised{{ConvertButtonId, ClickedEvent}, {OutputBoxId, ContentChangedEvent}}));
}

TEST_F(WindowEvents, MouseAndSpaceBothPressTheButton) {
    ClickAt(CentreOf(Unit(ConvertButtonId)));
    Pump();
    EXPECT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(Text(OutputBoxId), "d41d8cd98f00b204e9800998ecf8427e");
    SetFocus(Unit(ConvertButtonId));
    PressKeys({VK_SPACE});
    Pump();
    EXPECT_EQ(host.opened.size(), 2u);
}

TEST_F(WindowEvents, TypedChineseArrivesAsWholeCodePageCharacters) {
    ASSERT_EQ(GetACP(), 936u);
    TypeText(L"a\u4e2d\u6587");  // a中文
    Pump();
    EXPECT_EQ(host.ReadProperty(MainWindowId, InputBoxId, TextProperty), "a\xd6\xd0\xce\xc4");
}

TEST_F(WindowEvents, TypingRaisesUnboundContentChangesThatDoNothing) {
    TypeText(L"ab");
    Pump();
    EXPECT_EQ(Text(InputBoxId), "ab");
    EXPECT_EQ(host.raised, (Raised{{InputBoxId, ContentChangedEvent}, {InputBoxId, ContentChangedEvent}}));
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(Text(OutputBoxId), "");
}

// Events raised while the window is being built never reach a handler.
RecordingHost* gBuilding = nullptr;
LRESULT CALLBACK ClickWhileBuilding(int code, WPARAM wParam, LPARAM lParam) {
    // Controls only: the system may create windows of its own (an IME window) later.
    const auto* create = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs : nullptr;
    if (create && (create->style & WS_CHILD) && gBuilding) gBuilding->RaiseEvent(ConvertButtonId, ClickedEvent);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(WindowHoldBack, EventsDuringBuildingAreDropped) {
    RecordingHost host;
    host.Start();
    gBuilding = &host;
    HHOOK hook = SetWindowsHookExA(WH_CBT, &ClickWhileBuilding, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(host.LoadStartWindow(MainWindowId));
    UnhookWindowsHookEx(hook);
    gBuilding = nullptr;
    EXPECT_EQ(host.raised.size(), 4u);  // one per control created
    EXPECT_TRUE(host.opened.empty());
    host.RaiseEvent(ConvertButtonId, ClickedEvent);  // once built, events go through
    EXPECT_EQ(host.opened.size(), 1u);
}

TEST_F(WindowEvents, TabAndShiftTabCycleThroughTheKeyboardOrder) {
    const HWND input = Unit(InputBoxId), output = Unit(OutputBoxId), button = Unit(ConvertButtonId);
    EXPECT_EQ(host.KeyboardOrder(), (std::vector<HWND>{input, output, button}));
    ASSERT_EQ(GetFocus(), input);
    for (HWND next : {output, button, input}) {
        PressKeys({VK_TAB});
        Pump();
        EXPECT_EQ(GetFocus(), next);
    }
    for (HWND previous : {button, output, input}) {
        PressKeys({VK_SHIFT, VK_TAB});
        Pump();
        EXPECT_EQ(GetFocus(), previous);
    }
    EXPECT_EQ(Text(InputBoxId), "");  // no tab character typed anywhere
    EXPECT_EQ(Text(OutputBoxId), "");
}

TEST_F(WindowEvents, EnterAndF1InTheEditBoxesDoNothing) {
    for (UnitId unit : {InputBoxId, OutputBoxId}) {
        SetFocus(Unit(unit));
        PressKeys({VK_RETURN});
        PressKeys({VK_F1});
        Pump();
        EXPECT_EQ(GetFocus(), Unit(unit));
        EXPECT_TRUE(IsWindow(Main()));
    }
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(Text(InputBoxId), "");
}

TEST_F(WindowEvents, EscInTheInputBoxClosesTheWindowAndTheLoopEnds) {
    ASSERT_EQ(GetFocus(), Unit(InputBoxId));
    const HWND main = Main();
    PressKeys({VK_ESCAPE});
    EXPECT_EQ(host.RunMessageLoop(), 0);  // returns on the quit request
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(host.WindowOf(WindowRecordId), nullptr);
}

TEST_F(WindowEvents, CloseCommandDestroysTheWindow) {
    const HWND main = Main();
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close button and the system menu's Close
    EXPECT_EQ(host.RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(WindowEvents, AltF4ClosesTheWindow) {
    SetFocus(Unit(OutputBoxId));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(host.RunMessageLoop(), 0);
    EXPECT_EQ(host.WindowOf(WindowRecordId), nullptr);
}

TEST_F(WindowEvents, FocusComesBackAfterSwitchingAway) {
    SetFocus(Unit(OutputBoxId));
    Pump();
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    Pump();
    ASSERT_NE(GetActiveWindow(), Main());
    SetForegroundWindow(Main());
    Pump();
    EXPECT_EQ(GetFocus(), Unit(OutputBoxId));
    DestroyWindow(other);
}

TEST(WindowLoop, ReturnsAtOnceWithoutAWindow) {
    RecordingHost host;
    host.Start();
    EXPECT_EQ(host.RunMessageLoop(), 0);
}

int gAtExitCalls = 0;

TEST(HostShutDown, RunsTheLatestAtExitRoutineOnce) {
    gAtExitCalls = 0;
    {
        RecordingHost host;
        host.Start();
        host.RegisterAtExit([] { gAtExitCalls += 100; });
        host.RegisterAtExit([] { ++gAtExitCalls; });  // replaces the first
        ASSERT_TRUE(host.LoadStartWindow(MainWindowId));
        host.ShutDown();
        EXPECT_EQ(gAtExitCalls, 1);
        EXPECT_EQ(host.WindowOf(WindowRecordId), nullptr);
        host.ShutDown();
    }  // and the destructor
    EXPECT_EQ(gAtExitCalls, 1);
}

}  // namespace
}  // namespace textmd5::test
