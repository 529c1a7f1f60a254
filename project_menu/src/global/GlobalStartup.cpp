// The two start-up phases of the program-wide object around the loader,
// and the check of the menu fonts that the loader runs.
#include "context/ContextManager.h"
#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "engine/Console.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/TimeKeeper.h"
#include "file/FileManager.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "gui/GUIthemeMinimal.h"
#include "gui/GUIthemeStandard.h"
#include "language/Language.h"
#include "loader/Loader.h"
#include "loader/StartupResources.h"
#include "object/RuntimeClassManager.h"
#include "screens/ContextAutoConfigure.h"
#include "screens/ContextErrorReport.h"
#include "screens/ContextGameLogo.h"
#include "screens/ContextMakerLogo.h"

void Global::initPreLoader()
{
    RuntimeClassManager* m = RuntimeClassManager::getInstance();
    m->buildClassArray();
    QEL_ASSERT(!m->bBadClasses);
    if (!g_qel->bDebugLocked) {
        for (const RuntimeClass* record : m->classArray) {
            g_qel->console->print("%d (%08x): %s", record->id, record->hash, record->name.c_str());
        }
    }
    resourceHolder = new QelBase();
    g_qel->fileManager->useWad("./Vabodemo.dat");
    for (const startup::ImageRow& row : startup::preloaderImages) {
        startup::loadImage(resourceHolder, row);
    }
    contextManager = new ContextManager();
    contextManager->add(new Loader());
}

void Global::initPostLoader()
{
    themeStandard = new GUIthemeStandard();
    themeMinimal = new GUIthemeMinimal();
    contextPre = new ContextPre();
    contextPost = new ContextPost();
    initGame();
    contextManager->add(new ContextGameLogo());
    contextManager->add(new ContextMakerLogo());
    if (ContextErrorReport::hasCrashLog()) {
        contextManager->add(new ContextErrorReport());
    }
    contextManager->add(new ContextAutoConfigure());
    g_qel->logger->write(
        "%s(): %s", "initPostLoader",
        formatString("Global initialization complete at t=%.3lf sec.", g_qel->timeKeeper->getTime()).c_str());
}

void Global::verifyFontCompleteness(FontQuad* font)
{
    constexpr int CHECKED_LANGUAGES = 4;
    constexpr u16 STYLE_MARKER = 0x1E;
    constexpr u16 SPACE = 0x20;
    for (int language = 0; language < CHECKED_LANGUAGES; ++language) {
        for (int id = 0; id < Language::STRING_COUNT; ++id) {
            const UString text(g_qel->language->getTextIn(language, id));
            for (int i = 0; i < static_cast<int>(text.size()); ++i) {
                const u16 symbol = font->nextSymbol(text, i);
                if (symbol == STYLE_MARKER || symbol == SPACE || font->symbol(symbol).pQuad != nullptr) {
                    continue;
                }
                QEL_FATAL("Font is missing character %c (0x%02x), needed for string %d-%d (%s).", symbol, symbol,
                          language, id, text.c_str());
            }
        }
    }
}
