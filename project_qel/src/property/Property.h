#pragma once
// A named, typed and flagged description of one field of an object. A class
// lists its fields as properties (addPropertiesTo); the object's state is
// then written to and read from a Packet field by field, and each field can
// be shown as text and set from text. A property points into its object
// and must not outlive it; a container owns its child properties.
#include "object/QelBase.h"
#include "system/StringUtils.h"

class Packet;

class Property : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Property flags.
    static constexpr u32 SKIP_FLAG1 = 0x1;          // left out of packets with packet flag 0x1
    static constexpr u32 SKIP_FLAG2 = 0x2;          // left out of packets with packet flag 0x2
    static constexpr u32 HALF_FLOAT = 0x4;          // floats and doubles as 16-bit half floats
    static constexpr u32 MARKED = 0x10;             // what findMarked returns
    static constexpr u32 RESOURCE = 0x20;           // a pointer carried as its resource name
    static constexpr u32 UNSIGNED = 0x40;           // an int as an unsigned variable-length integer
    static constexpr u32 RAW_POINTER = 0x100;       // a pointer as its raw value under packet flag 0x2
    static constexpr u32 ONLY_WHEN_WRITING = 0x200; // a container passes it on only while writing
    static constexpr u32 ONLY_WHEN_READING = 0x400; // a container passes it on only while reading

    Property(const UString& name, u32 flags);

    // The property objects' own serialiser: nothing of its own, the packet
    // goes on to the children unless this property is left out of it.
    void netSerialize(Packet* packet) override;
    // Writes or reads the described value.
    virtual void netSerializeProperty(Packet* packet);
    virtual UString toString();
    // A text that does not parse leaves the value unchanged.
    virtual void fromString(const UString& text);

    // The last marked property of the subtree in reverse child order, each
    // child's subtree before the child itself, then this one; null if none.
    Property* findMarked();
    // deleteMe on every live child whose flags share a bit with mask, then
    // the same below every remaining child.
    void deleteFlagged(u32 mask);
    // Whether a packet with these flags leaves this property out.
    bool isLeftOutOf(const Packet* packet) const;
    // Keeps the described values of this property and of every one below
    // it, and puts the kept values back: a read that is refused is undone
    // field by field. Every kind derived from Property itself must say how;
    // PropertyValue<T> keeps its one field, so a kind derived from it that
    // reads a field of its own must keep and restore that field too.
    virtual void keepValues() = 0;
    virtual void restoreValues() = 0;

    u32 flags;
    UString name;

protected:
    // Text helpers shared by the kinds: false when the text holds no number.
    // Values beyond the target range saturate.
    static bool parseIntText(const UString& text, i32* value);
    static bool parseHexText(const UString& text, u64* value);
    static bool parseDoubleText(const UString& text, double* value);
    // "%.9lf" without trailing zeros, keeping one digit after the point.
    static UString formatNumberText(double value);
};

// A property that describes a field of type T.
template <class T>
class PropertyValue : public Property {
public:
    PropertyValue(const UString& propertyName, u32 propertyFlags, T* field)
        : Property(propertyName, propertyFlags), value(field)
    {
    }

    void keepValues() override { kept = *value; }
    void restoreValues() override { *value = kept; }

    T* value;
    T kept{};
};
