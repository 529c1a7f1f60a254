#include "resource/ResourceManager.h"

#include "engine/Console.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ResourceManager, QEL_NO_PARENT, QEL_NO_CREATOR);

ResourceManager::ResourceManager()
{
    byName.reserve(100);
    byObject.reserve(100);
    QEL_LOG("Starting...");
}

ResourceManager::~ResourceManager()
{
    QEL_LOG("Destroying %d resources.", count);
}

void ResourceManager::addResource(const UString& name, QelBase* object)
{
    const auto& map = byName;
    const UString& key = name;
    QEL_ASSERT(map.find(key)==map.end());
    byName.emplace(name, object);
    byObject.emplace(object, name);
    ++count;
}

QelBase* ResourceManager::find(const UString& name, bool mustExist) const
{
    auto found = byName.find(name);
    if (found != byName.end()) {
        return found->second;
    }
    if (mustExist) {
        QEL_FATAL("Could not find resource '%s'.", name.c_str());
    }
    return nullptr;
}

UString ResourceManager::nameOf(const QelBase* object) const
{
    auto found = byObject.find(object);
    return found != byObject.end() ? found->second : UString();
}

void ResourceManager::list() const
{
    Console* console = g_qel != nullptr ? g_qel->console : nullptr;
    if (console == nullptr) {
        return;
    }
    for (const auto& [name, object] : byName) {
        console->print("ResourceManager: %s", name.c_str());
    }
}
