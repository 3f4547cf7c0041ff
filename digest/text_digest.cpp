#include "digest/text_digest.h"

#include <utility>

namespace textmd5 {

ByteString TextToBytes(TextValue text) {
    if (!text) return std::nullopt;
    const std::size_t end = text->find('\0');  // a text ends at its first zero byte
    if (end != std::string::npos) text->resize(end);
    if (text->empty()) return std::nullopt;
    return text;
}

Md5Sum Md5Digest(const ByteString& bytes) {
    return bytes ? Md5Digest(bytes->data(), bytes->size()) : Md5Digest(nullptr, 0);
}

std::string FormatDigestHex(const Md5Sum& sum) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex(2 * sum.size(), '0');
    for (std::size_t i = 0; i < sum.size(); ++i) {
        hex[2 * i] = kDigits[sum[i] >> 4];
        hex[2 * i + 1] = kDigits[sum[i] & 0x0f];
    }
    return hex;
}

std::string DigestText(TextValue text) {
    // The byte string dies at the end of this full expression, before we return.
    return FormatDigestHex(Md5Digest(TextToBytes(std::move(text))));
}

}  // namespace textmd5
