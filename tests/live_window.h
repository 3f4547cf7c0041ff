// A host that records what it raises and opens, with its window built and shown.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win_input.h"
#include "window/host.h"

namespace textmd5::test {

class RecordingHost : public WindowHost {
public:
    RecordingHost() : WindowHost(GetModuleHandleA(nullptr)) {}
    std::vector<std::pair<UnitId, EventId>> raised;
    std::vector<std::string> opened;

    void RaiseEvent(UnitId unit, EventId event) override {
        raised.emplace_back(unit, event);
        WindowHost::RaiseEvent(unit, event);
    }
    // Recorded instead of started: these tests never reach the shell.
    void OpenWebAddress(const char* address) override { opened.emplace_back(address); }
};

// A fresh host and window for each test.
class LiveWindow : public testing::Test {
protected:
    RecordingHost host;

    void SetUp() override {
        host.Start();
        ASSERT_TRUE(host.LoadStartWindow(MainWindowId));
        Pump();
        host.raised.clear();
    }

    HWND Main() const { return host.WindowOf(WindowRecordId); }
    HWND Unit(UnitId unit) const { return host.WindowOf(unit); }
    // Lets the window handle what is waiting, keys going through the host first.
    void Pump(DWORD ms = 150) {
        PumpFor(ms, [this](const MSG& msg) { return host.PreTranslateKey(msg); });
    }
    std::string Text(UnitId unit) const {
        char buffer[256] = {};
        GetWindowTextA(Unit(unit), buffer, sizeof buffer);
        return buffer;
    }
};

}  // namespace textmd5::test
