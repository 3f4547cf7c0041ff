// The program's one window as constant data: a record for the window and one
// per control. The host builds the window from it and finds controls in it.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "window/host_services.h"
#include "window/units.h"

namespace textmd5 {

enum class ControlKind : std::uint8_t { Window, Label, EditBox, Button };

struct EventBinding {
    EventId event;
    EventHandler handler = nullptr;  // null: bound to nothing
};

// Colours are 0x00BBGGRR, as Windows takes them.
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xffffff;

struct WindowSettings {
    const char* caption = "";
    bool controlBox = true;
    bool minimizeBox = true;
    bool maximizeBox = false;
    bool centred = true;  // the record's left and top are then unused
    bool enterMovesFocus = false;
    bool escCloses = true;
};

// Black text, word-wrapped, on the button-face colour.
struct LabelSettings {
    const char* text = "";
};

struct EditBoxSettings {
    const char* text = "";
    std::uint32_t textColour = kBlack;
    std::uint32_t backColour = kWhite;
    bool hideSelection = true;
    std::int32_t maxLength = 0;  // 0: the system's maximum
    bool multiLine = false;
};

struct ButtonSettings {
    const char* text = "";
    bool isDefault = false;  // the button Enter presses
};

// The alternatives are in ControlKind's order, so the kind is the index.
using ControlSettings = std::variant<WindowSettings, LabelSettings, EditBoxSettings, ButtonSettings>;

struct ControlRecord {
    UnitId unit;
    const char* name;
    std::int32_t left, top, width, height;  // controls: client coordinates; all: outer size
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;
    std::int32_t tabOrder = 0;
    std::span<const EventBinding> events = {};
    ControlSettings settings;
    UnitId parent = 0;  // 0: directly on the window
    std::uint8_t mousePointer = 0;  // 0: the kind's default
    const char* comment = "";
    const char* tag = "";

    ControlKind Kind() const { return static_cast<ControlKind>(settings.index()); }
    // The settings of the record's kind, which the caller has checked.
    template <typename Settings>
    const Settings& As() const { return *std::get_if<Settings>(&settings); }
    // The first binding of the event, if it has a handler.
    EventHandler HandlerFor(EventId event) const;
};

struct WindowDescription {
    UnitId window;
    std::span<const ControlRecord> records;  // [0] is the window's own record

    const ControlRecord* Find(UnitId unit) const;
};

// Null for a number that names no window.
const WindowDescription* FindWindowDescription(UnitId window);

}  // namespace textmd5
