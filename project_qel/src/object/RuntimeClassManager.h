#pragma once
// The registry of class records: a list in registration order and, once
// built, an array sorted by name whose index is the class number.
#include <vector>

#include "object/RuntimeClass.h"

class RuntimeClassManager {
public:
    static RuntimeClassManager* getInstance();

    void add(RuntimeClass* record);
    RuntimeClass* findByHash(u32 hash) const;
    RuntimeClass* findByName(const UString& name) const;
    // The record with this class number, or null (also before the array is built).
    RuntimeClass* findById(i32 id) const;
    // Sorts the records by name in byte order and numbers them. Runs once;
    // two records with one name set bBadClasses.
    void buildClassArray();

    bool bBadClasses = false;
    std::vector<RuntimeClass*> classArray;
    RuntimeClass* classList = nullptr;
};
