#pragma once
// A pointer field to an object or, with flag 0x20, to a resource. In
// packets it travels as the object's identifier or the resource's name; as
// text it shows the resource name, "NULL" or the address.
#include "property/Property.h"

class PropertyPointer : public PropertyValue<void*> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // pointeeClass: the kind of object the field may point at (kept only).
    PropertyPointer(const UString& name, u32 flags, void** value, RuntimeClass* pointeeClass);

    void netSerializeProperty(Packet* packet) override;
    UString toString() override;
    // A resource name sets that resource; otherwise a hexadecimal number: 0
    // clears the pointer and the address of a live object sets it. Anything
    // else changes nothing (an address taken from text is never trusted).
    void fromString(const UString& text) override;
    // Stores p into the described field.
    virtual void setPointer(void* p);
    // The kept pointer goes back the way a read one goes in.
    void restoreValues() override { setPointer(kept); }

    RuntimeClass* pointeeClass;
};
