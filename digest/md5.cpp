#include "digest/md5.h"

#include <cstring>

namespace textmd5 {
namespace {

// Initial state words A, B, C, D.
constexpr std::array<std::uint32_t, 4> kInitialState = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

// The block is read as sixteen little-endian words. Assembled from bytes, so
// neither alignment nor aliasing matters; compilers turn this into one load.
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline std::uint32_t RotateLeft(std::uint32_t x, int s) { return x << s | x >> (32 - s); }

// a + K + M does not depend on the previous step, so it is summed first; the
// empty asm stops the compiler from folding it back behind F on the b chain.
inline std::uint32_t OffChain(std::uint32_t a, std::uint32_t k, std::uint32_t m) {
    std::uint32_t t = a + k + m;
#if defined(__GNUC__)
    asm("" : "+r"(t));
#endif
    return t;
}

// The four auxiliary functions, written so that b, the newest word, enters last.
// F: d ^ (b & (c ^ d)) equals (b & c) | (~b & d).
// G: (b & d) | (c & ~d); the two terms never share a bit, so + may replace |,
//    which lets the b-free term join the off-chain sum.
// H: b ^ c ^ d.
// I: c ^ (b | ~d).
#define MD5_F(b, c, d) ((d) ^ ((b) & ((c) ^ (d))))
#define MD5_H(b, c, d) ((b) ^ ((c) ^ (d)))
#define MD5_I(b, c, d) ((c) ^ ((b) | ~(d)))

#define MD5_STEP(f, a, b, c, d, m, k, s)                              \
    a = b + RotateLeft(OffChain(a, k, m) + f(b, c, d), s)
#define MD5_STEP_G(a, b, c, d, m, k, s)                               \
    a = b + RotateLeft(OffChain(a, k, m) + ((c) & ~(d)) + ((d) & (b)), s)

void Compress(std::array<std::uint32_t, 4>& state, const std::uint8_t* block, std::size_t blocks) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blocks != 0; --blocks, block += kMd5BlockSize) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(block + 4 * i);
        const std::uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

        // Round 1
        MD5_STEP(MD5_F, a, b, c, d, x[0], 0xd76aa478, 7);
        MD5_STEP(MD5_F, d, a, b, c, x[1], 0xe8c7b756, 12);
        MD5_STEP(MD5_F, c, d, a, b, x[2], 0x242070db, 17);
        MD5_STEP(MD5_F, b, c, d, a, x[3], 0xc1bdceee, 22);
        MD5_STEP(MD5_F, a, b, c, d, x[4], 0xf57c0faf, 7);
        MD5_STEP(MD5_F, d, a, b, c, x[5], 0x4787c62a, 12);
        MD5_STEP(MD5_F, c, d, a, b, x[6], 0xa8304613, 17);
        MD5_STEP(MD5_F, b, c, d, a, x[7], 0xfd469501, 22);
        MD5_STEP(MD5_F, a, b, c, d, x[8], 0x698098d8, 7);
        MD5_STEP(MD5_F, d, a, b, c, x[9], 0x8b44f7af, 12);
        MD5_STEP(MD5_F, c, d, a, b, x[10], 0xffff5bb1, 17);
        MD5_STEP(MD5_F, b, c, d, a, x[11], 0x895cd7be, 22);
        MD5_STEP(MD5_F, a, b, c, d, x[12], 0x6b901122, 7);
        MD5_STEP(MD5_F, d, a, b, c, x[13], 0xfd987193, 12);
        MD5_STEP(MD5_F, c, d, a, b, x[14], 0xa679438e, 17);
        MD5_STEP(MD5_F, b, c, d, a, x[15], 0x49b40821, 22);

        // Round 2
        MD5_STEP_G(a, b, c, d, x[1], 0xf61e2562, 5);
        MD5_STEP_G(d, a, b, c, x[6], 0xc040b340, 9);
        MD5_STEP_G(c, d, a, b, x[11], 0x265e5a51, 14);
        MD5_STEP_G(b, c, d, a, x[0], 0xe9b6c7aa, 20);
        MD5_STEP_G(a, b, c, d, x[5], 0xd62f105d, 5);
        MD5_STEP_G(d, a, b, c, x[10], 0x02441453, 9);
        MD5_STEP_G(c, d, a, b, x[15], 0xd8a1e681, 14);
        MD5_STEP_G(b, c, d, a, x[4], 0xe7d3fbc8, 20);
        MD5_STEP_G(a, b, c, d, x[9], 0x21e1cde6, 5);
        MD5_STEP_G(d, a, b, c, x[14], 0xc33707d6, 9);
        MD5_STEP_G(c, d, a, b, x[3], 0xf4d50d87, 14);
        MD5_STEP_G(b, c, d, a, x[8], 0x455a14ed, 20);
        MD5_STEP_G(a, b, c, d, x[13], 0xa9e3e905, 5);
        MD5_STEP_G(d, a, b, c, x[2], 0xfcefa3f8, 9);
        MD5_STEP_G(c, d, a, b, x[7], 0x676f02d9, 14);
        MD5_STEP_G(b, c, d, a, x[12], 0x8d2a4c8a, 20);

        // Round 3
        MD5_STEP(MD5_H, a, b, c, d, x[5], 0xfffa3942, 4);
        MD5_STEP(MD5_H, d, a, b, c, x[8], 0x8771f681, 11);
        MD5_STEP(MD5_H, c, d, a, b, x[11], 0x6d9d6122, 16);
        MD5_STEP(MD5_H, b, c, d, a, x[14], 0xfde5380c, 23);
        MD5_STEP(MD5_H, a, b, c, d, x[1], 0xa4beea44, 4);
        MD5_STEP(MD5_H, d, a, b, c, x[4], 0x4bdecfa9, 11);
        MD5_STEP(MD5_H, c, d, a, b, x[7], 0xf6bb4b60, 16);
        MD5_STEP(MD5_H, b, c, d, a, x[10], 0xbebfbc70, 23);
        MD5_STEP(MD5_H, a, b, c, d, x[13], 0x289b7ec6, 4);
        MD5_STEP(MD5_H, d, a, b, c, x[0], 0xeaa127fa, 11);
        MD5_STEP(MD5_H, c, d, a, b, x[3], 0xd4ef3085, 16);
        MD5_STEP(MD5_H, b, c, d, a, x[6], 0x04881d05, 23);
        MD5_STEP(MD5_H, a, b, c, d, x[9], 0xd9d4d039, 4);
        MD5_STEP(MD5_H, d, a, b, c, x[12], 0xe6db99e5, 11);
        MD5_STEP(MD5_H, c, d, a, b, x[15], 0x1fa27cf8, 16);
        MD5_STEP(MD5_H, b, c, d, a, x[2], 0xc4ac5665, 23);

        // Round 4
        MD5_STEP(MD5_I, a, b, c, d, x[0], 0xf4292244, 6);
        MD5_STEP(MD5_I, d, a, b, c, x[7], 0x432aff97, 10);
        MD5_STEP(MD5_I, c, d, a, b, x[14], 0xab9423a7, 15);
        MD5_STEP(MD5_I, b, c, d, a, x[5], 0xfc93a039, 21);
        MD5_STEP(MD5_I, a, b, c, d, x[12], 0x655b59c3, 6);
        MD5_STEP(MD5_I, d, a, b, c, x[3], 0x8f0ccc92, 10);
        MD5_STEP(MD5_I, c, d, a, b, x[10], 0xffeff47d, 15);
        MD5_STEP(MD5_I, b, c, d, a, x[1], 0x85845dd1, 21);
        MD5_STEP(MD5_I, a, b, c, d, x[8], 0x6fa87e4f, 6);
        MD5_STEP(MD5_I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
        MD5_STEP(MD5_I, c, d, a, b, x[6], 0xa3014314, 15);
        MD5_STEP(MD5_I, b, c, d, a, x[13], 0x4e0811a1, 21);
        MD5_STEP(MD5_I, a, b, c, d, x[4], 0xf7537e82, 6);
        MD5_STEP(MD5_I, d, a, b, c, x[11], 0xbd3af235, 10);
        MD5_STEP(MD5_I, c, d, a, b, x[2], 0x2ad7d2bb, 15);
        MD5_STEP(MD5_I, b, c, d, a, x[9], 0xeb86d391, 21);

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state = {a, b, c, d};
}

#undef MD5_F
#undef MD5_H
#undef MD5_I
#undef MD5_STEP
#undef MD5_STEP_G

}  // namespace

Md5::Md5() : state_(kInitialState) {}

void Md5::Update(const void* data, std::size_t size) {
    if (size == 0) return;  // data may be null then
    auto in = static_cast<const std::uint8_t*>(data);
    std::size_t used = length_ % kMd5BlockSize;
    length_ += size;

    if (used != 0) {  // top up the partial block first
        const std::size_t take = size < kMd5BlockSize - used ? size : kMd5BlockSize - used;
        std::memcpy(pending_.data() + used, in, take);
        in += take;
        size -= take;
        used += take;
        if (used < kMd5BlockSize) return;
        Compress(state_, pending_.data(), 1);
    }
    const std::size_t whole = size / kMd5BlockSize;
    if (whole != 0) Compress(state_, in, whole);
    in += whole * kMd5BlockSize;
    size -= whole * kMd5BlockSize;
    if (size != 0) std::memcpy(pending_.data(), in, size);
}

Md5Sum Md5::Finish() {
    // Padding: one 0x80 byte, then zero bytes until the length is 56 mod 64,
    // then the message length in bits as a 64-bit little-endian number.
    const std::uint64_t bits = length_ * 8;
    std::array<std::uint8_t, kMd5BlockSize + 8> tail{};
    tail[0] = 0x80;
    const std::size_t used = length_ % kMd5BlockSize;
    const std::size_t zeros = (used < 56 ? 56 : 56 + kMd5BlockSize) - used - 1;
    for (int i = 0; i < 8; ++i) tail[1 + zeros + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    Update(tail.data(), 1 + zeros + 8);

    Md5Sum sum;
    for (int i = 0; i < 4; ++i) StoreLe32(sum.data() + 4 * i, state_[i]);
    return sum;
}

Md5Sum Md5Digest(const void* data, std::size_t size) {
    Md5 md5;
    md5.Update(data, size);
    return md5.Finish();
}

}  // namespace textmd5
