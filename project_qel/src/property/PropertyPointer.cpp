#include "property/PropertyPointer.h"

#include <cstdint>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "net/Packet.h"
#include "resource/ResourceManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(PropertyPointer, Property::runtimeClass(), QEL_NO_CREATOR);

namespace {

ResourceManager* resources()
{
    return g_qel != nullptr ? g_qel->resourceManager : nullptr;
}

bool isLiveObject(std::uintptr_t address)
{
    if (g_qel == nullptr) {
        return false;
    }
    for (BasicLink* node = g_qel->liveObjects.firstChild; node != nullptr; node = node->next) {
        if (reinterpret_cast<std::uintptr_t>(static_cast<OwnerLink*>(node)->owner) == address) {
            return true;
        }
    }
    return false;
}

} // namespace

PropertyPointer::PropertyPointer(const UString& propertyName, u32 propertyFlags, void** field,
                                 RuntimeClass* pointee)
    : PropertyValue(propertyName, propertyFlags, field), pointeeClass(pointee)
{
    QEL_ASSERT(pointeeClass != nullptr);
}

void PropertyPointer::netSerializeProperty(Packet* packet)
{
    void* read = *value;
    if ((packet->flags & Packet::SKIP_FLAG2) != 0 && (flags & RAW_POINTER) != 0) {
        // The raw form: the low 4 bytes of the address. An address from a
        // stream could point anywhere, so reading it is refused.
        u32 raw = static_cast<u32>(reinterpret_cast<std::uintptr_t>(*value));
        packet->doBytes(&raw, 4);
        if (!packet->bWriting) {
            packet->setError("raw pointer in a stream");
            return;
        }
    } else if ((flags & RESOURCE) != 0) {
        packet->doResourcePointer2(&read);
    } else {
        packet->doPointer2(reinterpret_cast<QelBase**>(&read));
    }
    // Every reader of a pointer field passes here, whatever its packet does
    // with identifiers and names: no object or resource of another kind
    // gets in. Only what was read is checked: the field's own value may be
    // anything.
    if (!packet->bWriting && !isPointee(static_cast<QelBase*>(read), packet)) {
        return;
    }
    setPointer(read);
}

bool PropertyPointer::isPointee(QelBase* read, Packet* packet) const
{
    if (read == nullptr || read->getRuntimeClass()->isDerivedFrom(pointeeClass)) {
        return true;
    }
    const UString named = (flags & RESOURCE) != 0
                              ? formatString("resource '%s'", resources()->nameOf(read).c_str())
                              : formatString("object ID %d", read->objectUID);
    packet->setError(formatString("property '%s' names %s, a %s, not a %s", name.c_str(), named.c_str(),
                                  read->getRuntimeClass()->name.c_str(), pointeeClass->name.c_str()));
    return false;
}

UString PropertyPointer::toString()
{
    if (resources() != nullptr) {
        UString name = resources()->nameOf(static_cast<QelBase*>(*value));
        if (!name.empty()) {
            return name;
        }
    }
    if (*value == nullptr) {
        return "NULL";
    }
    return formatString("%08lx", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(*value)));
}

void PropertyPointer::fromString(const UString& text)
{
    QelBase* resource = resources() != nullptr ? resources()->find(text, false) : nullptr;
    if (resource != nullptr) {
        setPointer(resource);
        return;
    }
    u64 address = 0;
    if (!parseHexText(text, &address)) {
        return;
    }
    if (address == 0) {
        setPointer(nullptr);
    } else if (address >= 0x10000 && isLiveObject(static_cast<std::uintptr_t>(address))) {
        setPointer(reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)));
    }
}

void PropertyPointer::setPointer(void* p)
{
    *value = p;
}
