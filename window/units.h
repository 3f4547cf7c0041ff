// Numbers by which the program's code and the window host name the window,
// its controls, their properties and their events.
#pragma once

#include <cstdint>

namespace textmd5 {

using UnitId = std::uint32_t;

inline constexpr UnitId MainWindowId = 0x52010001;     // the window, as the code names it
inline constexpr UnitId WindowRecordId = 0x06010000;   // the window's own record in its description
inline constexpr UnitId CaptionLabelId = 0x16010003;   // "标签1"
inline constexpr UnitId InputBoxId = 0x16010004;       // "编辑框1"
inline constexpr UnitId OutputBoxId = 0x16010005;      // "编辑框2"
inline constexpr UnitId ConvertButtonId = 0x1601000A;  // "按钮1"

using PropertyId = std::int32_t;
inline constexpr PropertyId TextProperty = 8;  // an edit box's text: its kind's first own property

using EventId = std::int32_t;
inline constexpr EventId ClickedEvent = 0;         // of a button
inline constexpr EventId ContentChangedEvent = 0;  // of an edit box

}  // namespace textmd5
