#include "resource/ResourceManager.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Console.h"
#include "engine/Qel.h"
#include "object/QelBase.h"
#include "support/FileCore.h"

TEST(ResourceManager, FindsByNameAndByObject)
{
    FileCore core;
    ResourceManager resources;
    QelBase a;
    QelBase b;
    resources.addResource("bear:0", &a);
    EXPECT_EQ(resources.find("bear:0", true), &a);
    EXPECT_EQ(resources.nameOf(&a), "bear:0");
    EXPECT_EQ(resources.find("Bear:0", false), nullptr) << "names are case-sensitive";
    EXPECT_EQ(resources.find("bear:1", false), nullptr);

    resources.addResource("bear:alias", &a);
    EXPECT_EQ(resources.find("bear:alias", true), &a);
    EXPECT_EQ(resources.nameOf(&a), "bear:0") << "the first name stays";
    EXPECT_EQ(resources.count, 2);

    EXPECT_EQ(resources.nameOf(nullptr), "");
    EXPECT_EQ(resources.nameOf(&b), "");
    EXPECT_NE(core.logText().find("ResourceManager(): Starting..."), std::string::npos);
}

TEST(ResourceManager, ListsEveryNameOnTheConsole)
{
    FileCore core;
    Console console;
    core.qel->console = &console;
    ResourceManager resources;
    QelBase a;
    resources.addResource("bear:0", &a);
    resources.addResource("bear:alias", &a);
    resources.list();
    std::vector<UString> lines = console.history;
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<UString>{"ResourceManager: bear:0", "ResourceManager: bear:alias"}));
    EXPECT_NE(core.logText().find("> ResourceManager: bear:alias"), std::string::npos);
    core.qel->console = nullptr;
}

TEST(ResourceManager, ShutdownCountsAndLeavesTheResourcesAlone)
{
    FileCore core;
    std::vector<std::unique_ptr<QelBase>> objects;
    {
        ResourceManager resources;
        for (int i = 0; i < 120; ++i) {
            objects.push_back(std::make_unique<QelBase>());
            resources.addResource(formatString("image:%d", i), objects.back().get());
        }
    }
    EXPECT_NE(core.logText().find("~ResourceManager(): Destroying 120 resources."), std::string::npos);
    for (const auto& object : objects) {
        EXPECT_FALSE(object->bDead);
        EXPECT_EQ(object->getParent(), nullptr);
    }
}

TEST(ResourceManagerDeathTest, DuplicateAndMissingNamesAreFatal)
{
    FileCore core;
    ResourceManager resources;
    QelBase a;
    resources.addResource("click", &a);
    EXPECT_FATAL_WITH(core, resources.addResource("click", &a), "Statement: map.find(key)==map.end()");
    EXPECT_FATAL_WITH(core, resources.find("sfx/missing", true), "Could not find resource 'sfx/missing'.");
}
