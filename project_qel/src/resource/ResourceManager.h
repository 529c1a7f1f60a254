#pragma once
// The directory of shared resources (images, frames, sounds, fonts) by
// unique name, and back from object to name. It does not own the objects.
#include <unordered_map>

#include "object/RuntimeClass.h"
#include "system/UString.h"

class QelBase;

class ResourceManager {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    ResourceManager();
    virtual ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // A name registered twice is fatal.
    void addResource(const UString& name, QelBase* object);
    // Null for an unknown name, or fatal "Could not find resource '%s'."
    // when mustExist is set.
    QelBase* find(const UString& name, bool mustExist) const;
    // The first name the object was registered under; empty when none.
    UString nameOf(const QelBase* object) const;
    // Prints every name to the console, one line each, in the map's order.
    void list() const;

    std::unordered_map<UString, QelBase*> byName;
    std::unordered_map<const QelBase*, UString> byObject;
    i32 count = 0;
};
