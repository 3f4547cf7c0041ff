#include "digest/convert_action.h"

#include <utility>

namespace textmd5 {

void OnConvertClicked(HostServices& host) {
    host.OpenWebAddress(FixedWebAddress);  // whatever the shell makes of it, go on
    TextValue input = host.ReadProperty(MainWindowId, InputBoxId, TextProperty);
    const TextValue digest = DigestText(std::move(input));
    host.WriteProperty(MainWindowId, OutputBoxId, TextProperty, digest);
}

}  // namespace textmd5
