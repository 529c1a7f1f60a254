#pragma once
// A pointer field to an object or, with flag 0x20, to a resource. In
// packets it travels as the object's identifier or the resource's name; as
// text it shows the resource name, "NULL" or the address. A packet's
// object or resource is taken only when it is of the pointee class or of a
// class derived from it: anything else sets the packet's error state with a
// reason that names the property and what the packet named, and leaves the
// field as it was.
#include "property/Property.h"

class PropertyPointer : public PropertyValue<void*> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // pointeeClass: the kind of object the field may point at.
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

private:
    // Whether an object or resource read from the packet may go into the
    // field; one that may not sets the packet's error state.
    bool isPointee(QelBase* read, Packet* packet) const;
};
