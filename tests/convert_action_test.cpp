#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "digest/convert_action.h"

namespace textmd5 {
namespace {

// Records every call, in order, and keeps the boxes' texts.
class RecordingHost final : public HostServices {
public:
    std::map<UnitId, std::string> boxes;  // a missing entry is an empty box
    std::vector<std::string> calls;

    TextValue ReadProperty(UnitId window, UnitId unit, PropertyId property) override {
        calls.push_back("read " + Name(window, unit, property));
        auto it = boxes.find(unit);
        if (it == boxes.end() || it->second.empty()) return std::nullopt;
        return it->second;
    }
    void WriteProperty(UnitId window, UnitId unit, PropertyId property, const TextValue& value) override {
        calls.push_back("write " + Name(window, unit, property));
        boxes[unit] = value.value_or("");
    }
    void OpenWebAddress(const char* address) override { calls.push_back(std::string("open ") + address); }

private:
    static std::string Name(UnitId window, UnitId unit, PropertyId property) {
        const char* box = unit == InputBoxId ? "input" : unit == OutputBoxId ? "output" : "?";
        const bool ok = window == MainWindowId && property == TextProperty;
        return std::string(box) + (ok ? "" : " (wrong window or property)");
    }
};

const std::vector<std::string> kOnePress = {"open http://www.example.com/", "read input", "write output"};

TEST(ConvertAction, OpensTheAddressThenReadsDigestsAndWrites) {
    RecordingHost host;
    host.boxes[InputBoxId] = std::string("abc");
    OnConvertClicked(host);
    EXPECT_EQ(host.calls, kOnePress);
    EXPECT_EQ(host.boxes[OutputBoxId], "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(host.boxes[InputBoxId], "abc");
}

TEST(ConvertAction, EmptyInputStillOpensTheAddressAndGivesTheEmptyDigest) {
    RecordingHost host;
    OnConvertClicked(host);
    EXPECT_EQ(host.calls, kOnePress);
    EXPECT_EQ(host.boxes[OutputBoxId], "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(ConvertAction, EachPressReplacesTheOutputAndOpensTheAddressAgain) {
    RecordingHost host;
    host.boxes[OutputBoxId] = std::string("typed by the user");
    host.boxes[InputBoxId] = std::string("a");
    OnConvertClicked(host);
    OnConvertClicked(host);
    EXPECT_EQ(host.boxes[OutputBoxId], "0cc175b9c0f1b6a831c399e269772661");

    host.boxes.insert_or_assign(InputBoxId, "abc");  // an edit between presses
    OnConvertClicked(host);
    EXPECT_EQ(host.boxes[OutputBoxId], "900150983cd24fb0d6963f7d28e17f72");

    std::vector<std::string> threePresses;
    for (int i = 0; i < 3; ++i) threePresses.insert(threePresses.end(), kOnePress.begin(), kOnePress.end());
    EXPECT_EQ(host.calls, threePresses);
}

}  // namespace
}  // namespace textmd5
