#include "object/RuntimeClass.h"

#include "object/QelBase.h"
#include "object/RuntimeClassManager.h"
#include "system/StringUtils.h"

RuntimeClass::RuntimeClass(u32 nameHash, const char* className, RuntimeClass* parentRecord,
                           Creator create)
    : RuntimeClass(*RuntimeClassManager::getInstance(), nameHash, className, parentRecord, create)
{
}

RuntimeClass::RuntimeClass(RuntimeClassManager& manager, u32 nameHash, const char* className,
                           RuntimeClass* parentRecord, Creator create)
    : hash(nameHash), creator(create), parent(parentRecord == this ? nullptr : parentRecord)
{
    if (className != nullptr) {
        name = className;
    } else {
        name = formatString("_%08x", nameHash);
    }
    manager.add(this);
}

bool RuntimeClass::isDerivedFrom(const RuntimeClass* base) const
{
    for (const RuntimeClass* record = this; record != nullptr; record = record->parent) {
        if (record == base) {
            return true;
        }
    }
    return false;
}

QelBase* RuntimeClass::create() const
{
    return createAs<QelBase>();
}
