#include "property/PropertyDWORD.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyDWORD, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyDWORD::PropertyDWORD(const UString& propertyName, u32 propertyFlags, u32* field)
    : PropertyValue(propertyName, propertyFlags, field)
{
}

void PropertyDWORD::netSerializeProperty(Packet* packet)
{
    packet->doBytes(value, 4);
}

UString PropertyDWORD::toString()
{
    return formatString("%08x", *value);
}

void PropertyDWORD::fromString(const UString& text)
{
    u64 parsed = 0;
    if (parseHexText(text, &parsed)) {
        *value = parsed > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<u32>(parsed);
    }
}
