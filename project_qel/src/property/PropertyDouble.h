#pragma once
// A double field: a 4-byte float in packets, or a half float with flag 0x4;
// "%.9lf" without trailing zeros as text.
#include "property/Property.h"

class PropertyDouble : public PropertyValue<double> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyDouble(const UString& name, u32 flags, double* value);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    void fromString(const UString& text) override;
};
