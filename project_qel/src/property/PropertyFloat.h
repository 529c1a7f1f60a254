#pragma once
// A float field: 4 raw bytes in packets, or a half float with flag 0x4;
// "%.9lf" of its double value without trailing zeros as text.
#include "property/Property.h"

class PropertyFloat : public PropertyValue<float> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyFloat(const UString& name, u32 flags, float* value);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    void fromString(const UString& text) override;
};
