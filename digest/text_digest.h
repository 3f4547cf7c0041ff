// The text -> digest text conversion: bytes in, 32 lowercase hex digits out.
#pragma once

#include <optional>
#include <string>

#include "digest/md5.h"

namespace textmd5 {

// A text in the ANSI code page. Absent counts as the empty text.
using TextValue = std::optional<std::string>;
// A counted run of bytes. The empty one is always absent.
using ByteString = std::optional<std::string>;

// The bytes before the text's first zero byte; absent when there are none.
// Pass an rvalue to hand the text's storage over instead of copying it.
ByteString TextToBytes(TextValue text);

// Absent digests as zero bytes.
Md5Sum Md5Digest(const ByteString& bytes);

// Always 32 characters, [0-9a-f], high nibble first.
std::string FormatDigestHex(const Md5Sum& sum);

std::string DigestText(TextValue text);

}  // namespace textmd5
