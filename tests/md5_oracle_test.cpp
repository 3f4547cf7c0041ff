#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "digest/md5.h"
#include "tests/openssl_md5.h"

namespace textmd5 {
namespace {

TEST(Md5Oracle, RandomBuffersUpTo1MiBMatchOpenSsl) {
    std::mt19937_64 random(20261211);
    std::vector<std::uint8_t> buffer(1 << 20);
    for (auto& byte : buffer) byte = static_cast<std::uint8_t>(random());

    std::vector<std::size_t> sizes = {0, 1, 55, 56, 63, 64, 65, 4095, 4096, buffer.size()};
    std::uniform_int_distribution<std::size_t> anySize(0, buffer.size());
    for (int i = 0; i < 40; ++i) sizes.push_back(anySize(random));

    for (std::size_t size : sizes) {
        const std::size_t offset = random() % 8;  // unaligned starts too
        const std::size_t n = std::min(size, buffer.size() - offset);
        EXPECT_EQ(Md5Digest(buffer.data() + offset, n), OpenSslMd5(buffer.data() + offset, n)) << n;
    }
}

}  // namespace
}  // namespace textmd5
