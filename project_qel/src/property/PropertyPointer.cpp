#include "property/PropertyPointer.h"

#include <cstdint>

#include "engine/Qel.h"
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
}

void PropertyPointer::netSerializeProperty(Packet* packet)
{
    if ((packet->flags & Packet::SKIP_FLAG2) != 0 && (flags & RAW_POINTER) != 0) {
        // The raw form: the low 4 bytes of the address. An address from a
        // stream could point anywhere, so reading it is refused.
        u32 raw = static_cast<u32>(reinterpret_cast<std::uintptr_t>(*value));
        packet->doBytes(&raw, 4);
        if (!packet->bWriting) {
            packet->setError("raw pointer in a stream");
        }
    } else if ((flags & RESOURCE) != 0) {
        packet->doResourcePointer2(value);
    } else {
        packet->doPointer2(reinterpret_cast<QelBase**>(value));
    }
    setPointer(*value);
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
