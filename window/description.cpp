#include "window/description.h"

#include "digest/convert_action.h"

namespace textmd5 {
namespace {

// Texts are the code page 936 bytes, spelled out so that no compiler flag changes them.
constexpr EventBinding kButtonEvents[] = {{ClickedEvent, &OnConvertClicked}};

constexpr ControlRecord kMainWindowRecords[] = {
    {.unit = WindowRecordId, .name = "", .left = 50, .top = 50, .width = 380, .height = 250,
     .settings = WindowSettings{}},
    {.unit = ConvertButtonId,
     .name = "\xb0\xb4\xc5\xa5" "1",  // 按钮1
     .left = 184, .top = 152, .width = 144, .height = 48, .tabStop = true, .events = kButtonEvents,
     .settings = ButtonSettings{.text = "\xd7\xaa\xbb\xbb\xce\xaa" "MD5"}},  // 转换为MD5
    {.unit = OutputBoxId,
     .name = "\xb1\xe0\xbc\xad\xbf\xf2" "2",  // 编辑框2
     .left = 96, .top = 80, .width = 264, .height = 40, .tabStop = true, .settings = EditBoxSettings{}},
    {.unit = InputBoxId,
     .name = "\xb1\xe0\xbc\xad\xbf\xf2" "1",  // 编辑框1
     .left = 96, .top = 8, .width = 264, .height = 56, .tabStop = true, .settings = EditBoxSettings{}},
    {.unit = CaptionLabelId,
     .name = "\xb1\xea\xc7\xa9" "1",  // 标签1
     .left = 24, .top = 16, .width = 48, .height = 160,
     // "原文本：", five empty lines, three spaces, "   MD5：": the first line stands
     // beside the input box, the last beside the output box.
     .settings = LabelSettings{.text = "\xd4\xad\xce\xc4\xb1\xbe\xa3\xba\r\n\r\n\r\n\r\n\r\n\r\n   \r\n   MD5\xa3\xba"}},
};

constexpr WindowDescription kMainWindow = {MainWindowId, kMainWindowRecords};

}  // namespace

EventHandler ControlRecord::HandlerFor(EventId event) const {
    for (const EventBinding& binding : events) {
        if (binding.event == event) return binding.handler;
    }
    return nullptr;
}

const ControlRecord* WindowDescription::Find(UnitId unit) const {
    for (const ControlRecord& record : records) {
        if (record.unit == unit) return &record;
    }
    return nullptr;
}

const WindowDescription* FindWindowDescription(UnitId window) {
    return window == kMainWindow.window ? &kMainWindow : nullptr;
}

}  // namespace textmd5
