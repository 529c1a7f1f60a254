#pragma once
// An unsigned 32-bit field: 4 raw bytes in packets, eight hex digits as text.
#include "property/Property.h"

class PropertyDWORD : public PropertyValue<u32> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyDWORD(const UString& name, u32 flags, u32* value);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    void fromString(const UString& text) override;
};
