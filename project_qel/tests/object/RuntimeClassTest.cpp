#include <gtest/gtest.h>

#include <memory>

#include "engine/ErrorManager.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "object/QelBase.h"
#include "object/RuntimeClassManager.h"
#include "resource/ResourceManager.h"
#include "support/EngineCore.h"

namespace {

// A class of the game side without a record of its own.
class Unregistered : public QelBase {};

} // namespace

TEST(RuntimeClass, NameHash)
{
    EXPECT_EQ(classNameHash(""), 0u);
    EXPECT_EQ(classNameHash("A"), 65u);
    EXPECT_EQ(classNameHash("AB"), 65u * 33u + 66u);
    EXPECT_EQ(classNameHash("\xE9"), static_cast<u32>(-23));
    EXPECT_EQ(classNameHash("RootObjectBase"), 0x04790976u);
}

TEST(RuntimeClass, RecordsAndDerivation)
{
    RuntimeClass* base = QelBase::runtimeClass();
    EXPECT_EQ(base->name, "QelBase");
    EXPECT_EQ(base->parent, BasicLink::runtimeClass());
    EXPECT_EQ(BasicLink::runtimeClass()->parent, nullptr);
    EXPECT_TRUE(base->isDerivedFrom(BasicLink::runtimeClass()));
    EXPECT_TRUE(base->isDerivedFrom(base));
    EXPECT_FALSE(BasicLink::runtimeClass()->isDerivedFrom(base));
    EXPECT_FALSE(Logger::runtimeClass()->isDerivedFrom(BasicLink::runtimeClass()));
}

TEST(RuntimeClass, CreationIsCheckedAgainstTheWantedBase)
{
    EngineCore core;
    std::unique_ptr<QelBase> made(QelBase::runtimeClass()->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getRuntimeClass(), QelBase::runtimeClass());
    // A class of the game side without a record reports its nearest one.
    Unregistered object;
    EXPECT_EQ(object.getRuntimeClass(), QelBase::runtimeClass());
    // A bare node is not a QelBase: refused, never cast.
    EXPECT_EQ(BasicLink::runtimeClass()->create(), nullptr);
    std::unique_ptr<BasicLink> node(BasicLink::runtimeClass()->createAs<BasicLink>());
    EXPECT_NE(node, nullptr);
    // No creator, no object.
    EXPECT_EQ(Logger::runtimeClass()->creator, nullptr);
}

TEST(RuntimeClassManager, SortsByNameAndFlagsDuplicates)
{
    RuntimeClassManager manager;
    RuntimeClass camera(manager, classNameHash("Camera"), "Camera", nullptr, nullptr);
    RuntimeClass skinA(manager, classNameHash("Skin"), "Skin", nullptr, nullptr);
    RuntimeClass hashed(manager, classNameHash("RootObjectBase"), nullptr, nullptr, nullptr);
    RuntimeClass link(manager, classNameHash("BasicLink"), "BasicLink", nullptr, nullptr);
    RuntimeClass lower(manager, classNameHash("abc"), "abc", nullptr, nullptr);
    RuntimeClass skinB(manager, classNameHash("Skin"), "Skin", &skinB, nullptr);

    EXPECT_EQ(hashed.name, "_04790976");
    EXPECT_EQ(skinB.parent, nullptr);
    EXPECT_EQ(camera.id, -1);
    // Newest first.
    EXPECT_EQ(manager.findByHash(classNameHash("Skin")), &skinB);
    EXPECT_EQ(manager.findByHash(12345u), nullptr);

    manager.buildClassArray();
    ASSERT_EQ(manager.classArray.size(), 6u);
    std::vector<UString> names;
    for (size_t i = 0; i < manager.classArray.size(); ++i) {
        names.push_back(manager.classArray[i]->name);
        EXPECT_EQ(manager.classArray[i]->id, static_cast<i32>(i));
        EXPECT_EQ(manager.findById(static_cast<i32>(i)), manager.classArray[i]);
    }
    EXPECT_EQ(names, (std::vector<UString>{"BasicLink", "Camera", "Skin", "Skin", "_04790976", "abc"}));
    EXPECT_TRUE(manager.bBadClasses);
    EXPECT_EQ(manager.findById(6), nullptr);
    EXPECT_EQ(manager.findById(-1), nullptr);
}

TEST(RuntimeClassManager, ProgramRegistryHasNoDuplicates)
{
    RuntimeClassManager* manager = RuntimeClassManager::getInstance();
    manager->buildClassArray();
    EXPECT_FALSE(manager->bBadClasses);
    for (const char* name : {"BasicLink", "QelBase", "Logger", "ErrorManager", "Qel", "ResourceManager"}) {
        RuntimeClass* record = manager->findByName(name);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(manager->findById(record->id), record);
    }
}
