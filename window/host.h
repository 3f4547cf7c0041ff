// The window host: builds the window from its description, delivers its
// events to their handlers, gives handlers property access, and runs the loop.
#pragma once

#include <windows.h>

#include <vector>

#include "window/description.h"
#include "window/handles.h"
#include "window/host_services.h"

namespace textmd5 {

class WindowHost : public HostServices {
public:
    explicit WindowHost(HINSTANCE instance);
    virtual ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // Start-up and shut-down.
    void Start();  // working directory = the executable's folder; takes the description in
    void RegisterAtExit(void (*routine)());
    void ShutDown();  // runs the at-exit routine once, then lets go of everything

    // False only when Windows refuses to create the window.
    bool LoadStartWindow(UnitId window);
    // Returns the quit request's code, or 0 at once if no window exists.
    int RunMessageLoop();
    // The loop's look at keys before dispatch; true when the key was used up.
    bool PreTranslateKey(const MSG& msg);

    TextValue ReadProperty(UnitId window, UnitId unit, PropertyId property) override;
    void WriteProperty(UnitId window, UnitId unit, PropertyId property, const TextValue& value) override;
    void OpenWebAddress(const char* address) override;

    // Calls the unit's handler for the event, if one is bound and no window is being built.
    virtual void RaiseEvent(UnitId unit, EventId event);

    HWND WindowOf(UnitId unit) const;  // null while the unit has no live window
    std::vector<HWND> KeyboardOrder() const;

private:
    // What the host keeps for each record of the description, in the same order.
    struct LiveUnit {
        const ControlRecord* record = nullptr;
        HWND hwnd = nullptr;  // a control's window is owned by the main window
        UniqueBrush background;  // edit boxes
        WNDPROC editProc = nullptr;  // the EDIT class's own procedure, for subclassing
    };

    static LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMainMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The height of the text in the window's current font.
    static int TextHeight(HWND hwnd, const char* text);
    void CreateControl(LiveUnit& unit, int childId);
    void MoveFocus(int step);
    LiveUnit* UnitOf(HWND hwnd);
    LiveUnit* EditBox(UnitId window, UnitId unit, PropertyId property);
    const WindowSettings& Settings() const;

    HINSTANCE instance_;
    const WindowDescription* description_ = nullptr;
    void (*atExit_)() = nullptr;
    WindowClass mainClass_, labelClass_;
    UniqueIcon bigIcon_, smallIcon_;
    std::vector<LiveUnit> units_;  // sized once: edit boxes point into it
    UniqueHwnd window_;
    HWND rememberedFocus_ = nullptr;
    bool holdBack_ = false;      // set while the window is being built
    bool writingText_ = false;   // WriteProperty raises its own content change
    bool loopEntered_ = false;
};

}  // namespace textmd5
