// MD5 message digest (RFC 1321), streaming and one-shot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace textmd5 {

inline constexpr std::size_t kMd5Size = 16;       // digest bytes
inline constexpr std::size_t kMd5BlockSize = 64;  // bytes per compression step

using Md5Sum = std::array<std::uint8_t, kMd5Size>;

// Feed any number of Update calls, then Finish once.
class Md5 {
public:
    Md5();
    void Update(const void* data, std::size_t size);
    Md5Sum Finish();

private:
    std::array<std::uint32_t, 4> state_;
    std::uint64_t length_ = 0;  // bytes fed so far; the bit count is taken mod 2^64
    std::array<std::uint8_t, kMd5BlockSize> pending_{};
};

Md5Sum Md5Digest(const void* data, std::size_t size);

}  // namespace textmd5
