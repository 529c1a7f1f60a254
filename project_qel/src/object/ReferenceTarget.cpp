#include "object/ReferenceTarget.h"

#include "object/ReferenceBase.h"

ReferenceTarget::~ReferenceTarget()
{
    while (firstChild != nullptr) {
        static_cast<ReferenceBase*>(firstChild)->set(nullptr);
    }
}
