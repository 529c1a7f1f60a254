#pragma once
// The static record of a class that must be recognised at run time: its
// name, name hash, parent record, class number and optional creator.
#include "system/UString.h"

class QelBase;
class RuntimeClassManager;

// h = 33 * h + b over the name's bytes (as signed 8-bit values).
constexpr u32 classNameHash(const char* name)
{
    u32 h = 0;
    for (; *name != '\0'; ++name) {
        h = h * 33 + static_cast<u32>(static_cast<i32>(static_cast<signed char>(*name)));
    }
    return h;
}

class RuntimeClass {
public:
    // Returns a new default object as a pointer to its registry root class
    // (BasicLink for the object tree, RPC for remote calls).
    using Creator = void* (*)();

    // A null name registers the class under "_" and its hash as eight
    // lowercase hexadecimal digits. A record given itself as parent gets none.
    RuntimeClass(u32 hash, const char* name, RuntimeClass* parent, Creator creator);
    // The same, registering with the given manager instead of the program's.
    RuntimeClass(RuntimeClassManager& manager, u32 hash, const char* name, RuntimeClass* parent,
                 Creator creator);
    virtual ~RuntimeClass() = default;
    RuntimeClass(const RuntimeClass&) = delete;
    RuntimeClass& operator=(const RuntimeClass&) = delete;

    bool isDerivedFrom(const RuntimeClass* base) const;
    // A new object of the class, or null when the class has no creator or
    // is not a QelBase.
    QelBase* create() const;
    // A new object of the class as a T, or null when the class has no
    // creator or does not derive from T. Never an unchecked cast.
    template <class T>
    T* createAs() const
    {
        if (creator == nullptr || !isDerivedFrom(T::runtimeClass())) {
            return nullptr;
        }
        return static_cast<T*>(static_cast<typename T::RegistryRoot*>(creator()));
    }

    UString name;
    u32 hash = 0;
    i32 id = -1;
    Creator creator = nullptr;
    RuntimeClass* next = nullptr;
    RuntimeClass* parent = nullptr;
    // A peer's command may make objects of this class (see QEL_TRAVELS).
    bool bTravels = false;
};

template <class C>
void* qelCreateObject()
{
    return static_cast<typename C::RegistryRoot*>(new C);
}

// In the class body of a registry root (a class without a registered base).
#define QEL_DECLARE_ROOT_RUNTIME_CLASS()                                      \
public:                                                                       \
    static RuntimeClass s_runtimeClass;                                       \
    static RuntimeClass* runtimeClass() { return &s_runtimeClass; }           \
    virtual RuntimeClass* getRuntimeClass() const { return &s_runtimeClass; }

// In the class body of a class whose base already has a record.
#define QEL_DECLARE_RUNTIME_CLASS()                                                \
public:                                                                            \
    static RuntimeClass s_runtimeClass;                                            \
    static RuntimeClass* runtimeClass() { return &s_runtimeClass; }                \
    RuntimeClass* getRuntimeClass() const override { return &s_runtimeClass; }

#define QEL_NO_PARENT nullptr
#define QEL_NO_CREATOR nullptr
#define QEL_CREATOR(Class) (&qelCreateObject<Class>)

// In one source file: the record under the class's readable name.
#define QEL_IMPLEMENT_RUNTIME_CLASS(Class, parentRecord, creator) \
    RuntimeClass Class::s_runtimeClass(classNameHash(#Class), #Class, parentRecord, creator)

// In one source file: the record known only by the hash of the class name.
#define QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(Class, parentRecord, creator) \
    RuntimeClass Class::s_runtimeClass(classNameHash(#Class), nullptr, parentRecord, creator)

// In the source file of a class, after its record: objects of this class,
// and of no class derived from it, may be made by a peer's command.
#define QEL_TRAVELS(Class) [[maybe_unused]] static const bool Class##_travels = (Class::s_runtimeClass.bTravels = true)
