#include "property/PropertyInt.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyInt, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyInt::PropertyInt(const UString& propertyName, u32 propertyFlags, i32* field)
    : PropertyValue(propertyName, propertyFlags, field)
{
}

void PropertyInt::netSerializeProperty(Packet* packet)
{
    if ((flags & UNSIGNED) != 0) {
        // The field's bits travel as they are: -1 goes out as 2^32 - 1.
        u32 bits = static_cast<u32>(*value);
        packet->doUInt(&bits);
        *value = static_cast<i32>(bits);
    } else {
        packet->doInt(value);
    }
}

UString PropertyInt::toString()
{
    return formatString("%d", *value);
}

void PropertyInt::fromString(const UString& text)
{
    parseIntText(text, value);
}
