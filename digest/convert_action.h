// The convert button's click handler.
#pragma once

#include "window/host_services.h"

namespace textmd5 {

inline constexpr char FixedWebAddress[] = "http://www.example.com/";

// Opens FixedWebAddress, then puts the digest of the input box into the output box.
void OnConvertClicked(HostServices& host);

}  // namespace textmd5
