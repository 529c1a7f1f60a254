#pragma once
// A safe reference handing out its target as a T.
#include "object/ReferenceBase.h"

template <class T>
class Reference : public ReferenceBase {
public:
    explicit Reference(QelBase* ownerObject) : ReferenceBase(ownerObject) {}

    T* get() const { return static_cast<T*>(target); }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
    Reference& operator=(T* object)
    {
        set(object);
        return *this;
    }
};
