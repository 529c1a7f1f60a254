#include "property/PropertyContainer.h"

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyContainer, Property::runtimeClass(), QEL_NO_CREATOR);

PropertyContainer::PropertyContainer(const UString& propertyName, u32 propertyFlags)
    : Property(propertyName, propertyFlags)
{
}

void PropertyContainer::netSerializeProperty(Packet* packet)
{
    for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
        if (node->bDead || node->bSkip) {
            continue;
        }
        auto* child = static_cast<Property*>(node);
        if (child->isLeftOutOf(packet)) {
            continue;
        }
        if ((child->flags & ONLY_WHEN_WRITING) != 0 && !packet->bWriting) {
            continue;
        }
        if ((child->flags & ONLY_WHEN_READING) != 0 && packet->bWriting) {
            continue;
        }
        child->netSerializeProperty(packet);
    }
}

void PropertyContainer::keepValues()
{
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        static_cast<Property*>(child)->keepValues();
    }
}

void PropertyContainer::restoreValues()
{
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        static_cast<Property*>(child)->restoreValues();
    }
}

UString PropertyContainer::toString()
{
    return firstChild != nullptr ? "..." : "(empty)";
}
