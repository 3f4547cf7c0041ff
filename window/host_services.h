// What an event handler may ask of the window host.
#pragma once

#include "digest/text_digest.h"
#include "window/units.h"

namespace textmd5 {

class HostServices {
public:
    // A fresh copy of the property's value; absent when empty.
    virtual TextValue ReadProperty(UnitId window, UnitId unit, PropertyId property) = 0;
    // The host copies the value; absent counts as empty.
    virtual void WriteProperty(UnitId window, UnitId unit, PropertyId property, const TextValue& value) = 0;
    // Asks the shell to open the address; fire and forget.
    virtual void OpenWebAddress(const char* address) = 0;

protected:
    ~HostServices() = default;
};

using EventHandler = void (*)(HostServices& host);

}  // namespace textmd5
