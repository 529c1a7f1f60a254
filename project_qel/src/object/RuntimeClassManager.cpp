#include "object/RuntimeClassManager.h"

#include <algorithm>

RuntimeClassManager* RuntimeClassManager::getInstance()
{
    static RuntimeClassManager instance;
    return &instance;
}

void RuntimeClassManager::add(RuntimeClass* record)
{
    record->next = classList;
    classList = record;
}

RuntimeClass* RuntimeClassManager::findByHash(u32 hash) const
{
    for (RuntimeClass* record = classList; record != nullptr; record = record->next) {
        if (record->hash == hash) {
            return record;
        }
    }
    return nullptr;
}

RuntimeClass* RuntimeClassManager::findByName(const UString& name) const
{
    for (RuntimeClass* record = classList; record != nullptr; record = record->next) {
        if (record->name == name) {
            return record;
        }
    }
    return nullptr;
}

RuntimeClass* RuntimeClassManager::findById(i32 id) const
{
    if (id < 0 || static_cast<size_t>(id) >= classArray.size()) {
        return nullptr;
    }
    return classArray[static_cast<size_t>(id)];
}

void RuntimeClassManager::buildClassArray()
{
    if (!classArray.empty()) {
        return;
    }
    for (RuntimeClass* record = classList; record != nullptr; record = record->next) {
        classArray.push_back(record);
    }
    // std::string compares bytes as unsigned values: plain byte order.
    std::stable_sort(classArray.begin(), classArray.end(),
                     [](const RuntimeClass* a, const RuntimeClass* b) { return a->name < b->name; });
    for (size_t i = 0; i < classArray.size(); ++i) {
        classArray[i]->id = static_cast<i32>(i);
        if (i > 0 && classArray[i - 1]->name == classArray[i]->name) {
            bBadClasses = true;
        }
    }
}
