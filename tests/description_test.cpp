#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "digest/convert_action.h"
#include "window/description.h"

namespace textmd5 {
namespace {

std::string Hex(const char* text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char* p = text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

const WindowDescription& Main() { return *FindWindowDescription(MainWindowId); }

TEST(WindowDescription, IsFoundByTheWindowNumberAndNoOther) {
    EXPECT_NE(FindWindowDescription(MainWindowId), nullptr);
    EXPECT_EQ(FindWindowDescription(WindowRecordId), nullptr);
    EXPECT_EQ(FindWindowDescription(0), nullptr);
}

TEST(WindowDescription, FindsEachUnitByItsNumber) {
    const struct {
        UnitId unit;
        ControlKind kind;
    } units[] = {{WindowRecordId, ControlKind::Window}, {CaptionLabelId, ControlKind::Label},
                 {InputBoxId, ControlKind::EditBox},  {OutputBoxId, ControlKind::EditBox},
                 {ConvertButtonId, ControlKind::Button}};
    for (const auto& u : units) {
        const ControlRecord* record = Main().Find(u.unit);
        ASSERT_NE(record, nullptr) << std::hex << u.unit;
        EXPECT_EQ(record->unit, u.unit);
        EXPECT_EQ(record->Kind(), u.kind);
    }
    EXPECT_EQ(Main().Find(MainWindowId), nullptr);  // the window's number is not a unit of it
    EXPECT_EQ(Main().Find(0x16010006), nullptr);
}

TEST(WindowDescription, ReverseOrderVisitsTheLabelFirstAndTheButtonLastAmongControls) {
    std::vector<UnitId> order;
    for (auto it = Main().records.rbegin(); it != Main().records.rend(); ++it) {
        if (it->Kind() != ControlKind::Window) order.push_back(it->unit);
    }
    EXPECT_EQ(order, (std::vector<UnitId>{CaptionLabelId, InputBoxId, OutputBoxId, ConvertButtonId}));
    EXPECT_EQ(Main().records.front().unit, WindowRecordId);
}

TEST(WindowDescription, OnlyTheButtonClickIsBound) {
    for (const ControlRecord& record : Main().records) {
        const EventHandler expected = record.unit == ConvertButtonId ? &OnConvertClicked : nullptr;
        EXPECT_EQ(record.HandlerFor(ClickedEvent), expected) << record.name;
        EXPECT_EQ(record.HandlerFor(1), nullptr);
    }
}

TEST(WindowDescription, TextsAreCodePage936Bytes) {
    const struct {
        UnitId unit;
        const char* expectedHex;  // bytes of the name, then of the text
        const char* nameHex;
    } texts[] = {
        {ConvertButtonId, "d7aabbbbceaa4d4435", "b0b4c5a531"},  // 转换为MD5, 按钮1
        {InputBoxId, "", "b1e0bcadbff231"},                     // 编辑框1
        {OutputBoxId, "", "b1e0bcadbff232"},                    // 编辑框2
        {CaptionLabelId,                                        // 原文本：... MD5：, 标签1
         "d4adcec4b1bea3ba0d0a0d0a0d0a0d0a0d0a0d0a2020200d0a2020204d4435a3ba", "b1eac7a931"},
    };
    for (const auto& t : texts) {
        const ControlRecord& record = *Main().Find(t.unit);
        EXPECT_EQ(Hex(record.name), t.nameHex);
        const char* text = std::visit([](const auto& settings) -> const char* {
            if constexpr (requires { settings.text; }) return settings.text;
            else return settings.caption;
        }, record.settings);
        EXPECT_EQ(Hex(text), t.expectedHex) << t.nameHex;
    }
}

}  // namespace
}  // namespace textmd5
