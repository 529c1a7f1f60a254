#include "property/PropertyDouble.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyDouble, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyDouble::PropertyDouble(const UString& propertyName, u32 propertyFlags, double* field)
    : PropertyValue(propertyName, propertyFlags, field)
{
}

void PropertyDouble::netSerializeProperty(Packet* packet)
{
    if ((flags & HALF_FLOAT) != 0) {
        packet->doHalfFloat(value);
    } else {
        packet->doDouble(value);
    }
}

UString PropertyDouble::toString()
{
    return formatNumberText(*value);
}

void PropertyDouble::fromString(const UString& text)
{
    parseDoubleText(text, value);
}
