#include "property/PropertyFloat.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyFloat, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyFloat::PropertyFloat(const UString& propertyName, u32 propertyFlags, float* field)
    : PropertyValue(propertyName, propertyFlags, field)
{
}

void PropertyFloat::netSerializeProperty(Packet* packet)
{
    if ((flags & HALF_FLOAT) != 0) {
        packet->doHalfFloat(value);
    } else {
        packet->doBytes(value, 4);
    }
}

UString PropertyFloat::toString()
{
    return formatNumberText(*value);
}

void PropertyFloat::fromString(const UString& text)
{
    double parsed = 0.0;
    if (parseDoubleText(text, &parsed)) {
        *value = Packet::toFloat(parsed);
    }
}
