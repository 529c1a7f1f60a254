#pragma once
// The list head of the references that point at one object; its destruction
// clears every one of them.
#include "object/BasicLink.h"

class ReferenceTarget : public BasicLink {
public:
    ReferenceTarget() = default;
    ~ReferenceTarget() override;
};
