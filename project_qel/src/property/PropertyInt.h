#pragma once
// A signed 32-bit field: a signed variable-length integer in packets, or an
// unsigned one with flag 0x40; decimal as text.
#include "property/Property.h"

class PropertyInt : public PropertyValue<i32> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyInt(const UString& name, u32 flags, i32* value);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    void fromString(const UString& text) override;
};
