// libFuzzer: our MD5 (one-shot, streamed at fuzzer-chosen splits, and through
// the text path) must equal OpenSSL's on any input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "digest/md5.h"
#include "digest/text_digest.h"
#include "tests/openssl_md5.h"

using namespace textmd5;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (Md5Digest(data, size) != OpenSslMd5(data, size)) std::abort();

    // The first two bytes choose where the rest is split for streaming.
    if (size >= 2) {
        const std::uint8_t* body = data + 2;
        const std::size_t n = size - 2;
        const std::size_t first = n ? data[0] % (n + 1) : 0;
        const std::size_t second = first + (n - first ? data[1] % (n - first + 1) : 0);
        Md5 md5;
        md5.Update(body, first);
        md5.Update(body + first, second - first);
        md5.Update(body + second, n - second);
        if (md5.Finish() != OpenSslMd5(body, n)) std::abort();
    }

    // As a text: the bytes up to the first zero, as 32 lowercase hex digits.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string hex = DigestText(text);
    const std::size_t end = text.find('\0');
    const std::size_t length = end == std::string::npos ? size : end;
    if (hex != FormatDigestHex(OpenSslMd5(data, length))) std::abort();
    if (hex.size() != 32 || hex.find_first_not_of("0123456789abcdef") != std::string::npos) std::abort();
    return 0;
}
