#include "property/PropertyUColor.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyUColor, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyUColor::PropertyUColor(const UString& propertyName, u32 propertyFlags, UColor* field)
    : PropertyValue(propertyName, propertyFlags, field)
{
}

void PropertyUColor::netSerializeProperty(Packet* packet)
{
    packet->doColor(value);
}

UString PropertyUColor::toString()
{
    return formatString("%08x", value->toARGB());
}

void PropertyUColor::fromString(const UString& text)
{
    u64 parsed = 0;
    if (parseHexText(text, &parsed)) {
        *value = UColor::fromARGB(parsed > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<u32>(parsed));
    }
}
