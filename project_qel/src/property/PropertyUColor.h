#pragma once
// A colour field: stream bytes blue, green, red, alpha in packets; as text
// eight hex digits, alpha, red, green, blue.
#include "property/Property.h"
#include "math/UColor.h"

class PropertyUColor : public PropertyValue<UColor> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyUColor(const UString& name, u32 flags, UColor* value);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    void fromString(const UString& text) override;
};
