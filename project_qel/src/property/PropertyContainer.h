#pragma once
// A named group of child properties; it owns them. In a packet it passes
// the packet to each child that the packet does not leave out.
#include "property/Property.h"

class PropertyContainer : public Property {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PropertyContainer(const UString& name, u32 flags);

    void netSerializeProperty(Packet* packet) override;
    // "..." with children, "(empty)" without.
    UString toString() override;
    // The group holds no value of its own: each child keeps its own.
    void keepValues() override;
    void restoreValues() override;
};
