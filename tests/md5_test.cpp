#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "digest/md5.h"
#include "digest/text_digest.h"

namespace textmd5 {
namespace {

struct Golden {
    std::string input;
    const char* md5;
};

TEST(Md5, GoldenCases) {
    const Golden cases[] = {
        // RFC 1321, A.5
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Lengths around the padding's turning points (56 and 64 mod 64).
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(57, 'a'), "652b906d60af96844ebd21b674f35e93"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        {std::string(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
        {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
        {std::string(128, 'a'), "e510683b3f5ffe4093d021808bc6ff70"},
        {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
    };
    for (const Golden& c : cases) EXPECT_EQ(DigestText(c.input), c.md5) << "length " << c.input.size();
}

TEST(Md5, StreamingEqualsOneShotAtEverySplit) {
    std::vector<std::uint8_t> message(203);
    for (std::size_t i = 0; i < message.size(); ++i) message[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const Md5Sum whole = Md5Digest(message.data(), message.size());

    for (std::size_t first = 0; first <= message.size(); ++first) {
        for (std::size_t second = first; second <= message.size(); second += 13) {
            Md5 md5;
            md5.Update(message.data(), first);
            md5.Update(message.data() + first, second - first);
            md5.Update(message.data() + second, message.size() - second);
            EXPECT_EQ(md5.Finish(), whole) << "split at " << first << ", " << second;
        }
    }
}

TEST(Md5, UnalignedInputGivesTheSameDigest) {
    std::vector<std::uint8_t> buffer(1024 + 8);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i ^ (i >> 3));
    const Md5Sum aligned = Md5Digest(buffer.data(), 1024);
    for (std::size_t offset = 1; offset < 8; ++offset) {
        std::vector<std::uint8_t> shifted(buffer.size());
        std::copy(buffer.begin(), buffer.begin() + 1024, shifted.begin() + offset);
        EXPECT_EQ(Md5Digest(shifted.data() + offset, 1024), aligned) << "offset " << offset;
    }
}

}  // namespace
}  // namespace textmd5
