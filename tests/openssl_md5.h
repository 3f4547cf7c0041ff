// OpenSSL's MD5, the reference our own is checked and timed against.
#pragma once

#include <openssl/evp.h>

#include "digest/md5.h"

namespace textmd5 {

inline Md5Sum OpenSslMd5(const void* data, std::size_t size) {
    Md5Sum sum{};
    unsigned int length = 0;
    EVP_Digest(data, size, sum.data(), &length, EVP_md5(), nullptr);
    return sum;
}

}  // namespace textmd5
