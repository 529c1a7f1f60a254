// The program links its libraries whole: every class record that an engine
// source registers at start-up must be present, even when nothing in the
// program refers to that source by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object/RuntimeClassManager.h"

TEST(ProgramRegistry, EveryEngineClassIsFoundByName)
{
    RuntimeClassManager* manager = RuntimeClassManager::getInstance();
    manager->buildClassArray();
    EXPECT_FALSE(manager->bBadClasses);
    const char* expected[] = {
        "BasicLink", "ErrorManager", "Logger", "Qel", "QelBase", "ResourceManager",
        "Property", "PropertyContainer", "PropertyDWORD", "PropertyDouble", "PropertyFloat",
        "PropertyInt", "PropertyPointer", "PropertyUColor", "RPC", "Console", "Context", "TimeKeeper",
        "QelNetwork", "FileManager", "Camera", "FontGDI", "QelGraphics", "QelInput",
        // The menu framework's screens.
        "ContextManager", "ContextMenu", "ContextMain", "MyContextMain", "MenuUserDisplay", "ContextPost", "ContextPre", "ContextDialog", "MousePointer",
        "Percentage", "RadialFader", "MenuItem", "MenuButton", "MenuButtonQuit", "MenuButtonURL", "MenuGroup",
        "GUIitem",
        "Renderable", "Skin", "Quad", "VertexBuffer", "Texture",
        "FontQuad", "FontQuadCacheEntry", "ContextBlender",
        // RootObjectBase and its two calls, registered by name hash.
        "_04790976", "_cfad751b", "_4472ef3a",
        // The start-up screens.
        "ContextAutoConfigure",
        // The web-service screens; the menus open two of them by name.
        "ContextErrorReport", "ContextNetworkWizard1", "ContextNetworkWizard3", "ContextScoreUpload",
    };
    for (const char* name : expected) {
        RuntimeClass* record = manager->findByName(name);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(manager->findById(record->id), record) << name;
    }
    // Of all the program's classes, a peer makes only the engine's
    // replicated ones: no screen or game class, whatever its base.
    std::vector<std::string> travelling;
    for (const RuntimeClass* record : manager->classArray) {
        if (record->bTravels) {
            travelling.push_back(record->name);
        }
    }
    EXPECT_EQ(travelling, (std::vector<std::string>{"Camera", "Context", "ContextBlender", "QelBase", "Quad",
                                                    "Renderable", "Skin", "VertexBuffer", "_04790976"}));
}
