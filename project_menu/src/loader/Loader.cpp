#include "loader/Loader.h"

#include "audio/QelAudio.h"
#include "audio/SoundStream.h"
#include "config/MemoryIniFile.h"
#include "context/ContextManager.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "gui/Percentage.h"
#include "language/Language.h"
#include "loader/StartupResources.h"
#include "resource/ResourceManager.h"
#include "screens/ContextLanguageSelect.h"
#include "system/StringUtils.h"

int Loader::stageCounter = 0;

namespace {

// How each of the five fonts is set up before its sources are added.
struct FontSetup {
    const char* name;
    bool bClearCacheWhite;
    bool bUseCache;
    int spaceWidth;
    int letterSpacing;
    int accentOffsetLower;
    int accentOffsetUpper;
    // Source textures: the first from firstSymbol, the rest continuing.
    const char* sources[4];
    u16 firstSymbol;
    // Composites before the completeness check, after it, or none.
    enum Finish { NONE, COMPOSE_THEN_VERIFY, VERIFY_THEN_COMPOSE } finish;
    // The code-page textures' key pattern; null for a font without them.
    const char* codepageKey;
};

const FontSetup fontSetups[5] = {
    {"fontTiny", true, true, 3, 1, 0, 0, {"fontTinyTex"}, 33, FontSetup::NONE, nullptr},
    {"fontSmall", true, true, 3, 0, 5, 3, {"fontSmallTex"}, 33, FontSetup::NONE, "fontSmallCodepageTex%d"},
    {"fontMedium", true, true, 6, 0, 5, 2, {"fontMediumTex"}, 0, FontSetup::COMPOSE_THEN_VERIFY,
     "fontMediumCodepageTex%d"},
    {"fontMediumOutline", false, true, 6, -1, 8, 5, {"fontMediumOutlineTex"}, 0, FontSetup::COMPOSE_THEN_VERIFY,
     "fontMediumOutlineCodepageTex%d"},
    {"fontLarge", false, false, 16, -2, 13, 6, {"fontLargeTex1", "fontLargeTex2", "fontLargeTex3", "fontLargeTex4"},
     0, FontSetup::VERIFY_THEN_COMPOSE, "fontLargeCodepageTex%d"},
};

// The code-page families of group A: files and keys of the small, medium,
// medium-outline and large fonts.
struct CodepageFamily {
    const char* filePattern;
    const char* keyPattern;
    int flags;
};

const CodepageFamily codepageFamilies[4] = {
    {"gfx/font/%s/font-small-%d.tga", "fontSmallCodepageTex%d", startup::LOAD_FONT_SOURCE},
    {"gfx/font/%s/font-medium-%d.tga", "fontMediumCodepageTex%d", startup::LOAD_FONT_SOURCE},
    {"gfx/font/%s/font-medium-outline-%d.tga", "fontMediumOutlineCodepageTex%d", startup::LOAD_FONT_SOURCE},
    {"gfx/font/%s/font-large-%d.tga", "fontLargeCodepageTex%d", startup::LOAD_HALVE_TO_FIT},
};

FontQuad** fontField(int font)
{
    FontQuad** fields[5] = {&g_global->fontTiny, &g_global->fontSmall, &g_global->fontMedium,
                            &g_global->fontMediumOutline, &g_global->fontLarge};
    return fields[font];
}

UString mainPack()
{
    return UString("./Vabodemo.dat");
}

} // namespace

Loader::Loader()
{
    g_qel->logger->write("%s(): %s", "Loader", "Loading resources...");
    bEscapeCloses = 0;
    bDeleteWhenFinished = 1;
    bHideFrameRate = 1;
    clearColor = UColor::fromWord(0xFF000000);
    if (g_qel->bDebugLocked) {
        bShowPointer = 0;
    }
    auto* bar = static_cast<Texture*>(g_qel->resourceManager->find("gui-game-progressBar", true));
    percentage = new Percentage(bar, 0, 1);
    addChildBack(percentage);
    totalStages = loadStuff(true);
}

int Loader::loadStuff(bool countOnly)
{
    const std::vector<LoaderStage> stages = buildLoaderStages(currentLoaderMode());
    const int count = static_cast<int>(stages.size());
    if (countOnly || stageCounter >= count) {
        return count;
    }
    ++stageCounter;
    perform(stages[static_cast<size_t>(stageCounter - 1)]);
    return stageCounter;
}

void Loader::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    const int n = loadStuff(false);
    percentage->setValue(static_cast<float>(n) / static_cast<float>(totalStages));
}

void Loader::perform(const LoaderStage& stage)
{
    QelBase* holder = g_global->resourceHolder;
    const auto index = static_cast<size_t>(stage.index);
    switch (stage.kind) {
    case LoaderStageKind::NOTHING:
        break;
    case LoaderStageKind::MUSIC:
        startup::loadMusic(holder, startup::music[index]);
        break;
    case LoaderStageKind::START_MENU_MUSIC:
        g_qel->audio->setMusicVolume(static_cast<float>(g_global->settings.musicVolume / 24.0));
        g_qel->audio->playMusic(static_cast<SoundStream*>(g_qel->resourceManager->find("musicMenu", true)));
        break;
    case LoaderStageKind::EARLY_IMAGE:
        startup::loadImage(holder, startup::earlyImages[index]);
        break;
    case LoaderStageKind::FONT_TEXTURE:
        startup::loadFontTexture(holder, startup::fontTextures[index]);
        break;
    case LoaderStageKind::CODEPAGE_TEXTURES: {
        const CodepageFamily& family = codepageFamilies[index];
        const UString codepage = singleLanguageCodepage();
        if (stage.index == 0) {
            g_qel->fileManager->useWad(mainPack() + "." + codepage);
        }
        startup::loadCodepageTextures(holder, family.filePattern, codepage, family.keyPattern, family.flags);
        if (stage.index == 3) {
            g_qel->fileManager->useWad(mainPack());
        }
        break;
    }
    case LoaderStageKind::IMAGE: {
        Texture* texture = startup::loadImage(holder, startup::images[index]);
        if (UString(startup::images[index].key) == "bearHand") {
            startup::addBentHand(texture);
        } else if (UString(startup::images[index].key) == "logo") {
            startup::loadImage(holder, startup::holidayLogo);
        }
        break;
    }
    case LoaderStageKind::LEVEL_IMAGES:
        if (g_qel->fileManager->bCreateWad) {
            for (const char* file : startup::levelImages) {
                delete new Texture(UString(file), startup::LOAD_DEFAULT);
            }
        }
        break;
    case LoaderStageKind::SOUND:
        startup::loadSound(holder, startup::sounds[index]);
        if (index + 1 == std::size(startup::sounds)) {
            startup::loadSound(holder, startup::rocketLaunch);
        }
        break;
    case LoaderStageKind::FONT:
        loadFont(stage.index);
        break;
    case LoaderStageKind::ATTACH_CODEPAGE:
        attachCodepage(stage.index + 1);
        break;
    case LoaderStageKind::SETTINGS:
        g_global->settings.fullscreen = g_qel->graphics->bFullScreen;
        g_global->applySettings();
        break;
    case LoaderStageKind::LANGUAGE:
        settleLanguage();
        break;
    case LoaderStageKind::HAND_OVER:
        handOver();
        break;
    }
}

void Loader::loadFont(int font)
{
    const FontSetup& setup = fontSetups[font];
    auto* quadFont = new FontQuad();
    *fontField(font) = quadFont;
    quadFont->bClearCacheWhite = setup.bClearCacheWhite;
    quadFont->bUseCache = setup.bUseCache;
    quadFont->spaceWidth = setup.spaceWidth;
    quadFont->letterSpacing = setup.letterSpacing;
    quadFont->accentDropLower = setup.accentOffsetLower;
    quadFont->accentDropUpper = setup.accentOffsetUpper;
    for (size_t i = 0; i < std::size(setup.sources) && setup.sources[i] != nullptr; ++i) {
        auto* source = static_cast<Texture*>(g_qel->resourceManager->find(setup.sources[i], true));
        quadFont->addSourceTexture(source, i == 0 ? setup.firstSymbol : FontQuad::CONTINUE);
    }
    if (setup.finish == FontSetup::COMPOSE_THEN_VERIFY) {
        quadFont->buildCompositeSymbols();
        Global::verifyFontCompleteness(quadFont);
    } else if (setup.finish == FontSetup::VERIFY_THEN_COMPOSE) {
        Global::verifyFontCompleteness(quadFont);
        quadFont->buildCompositeSymbols();
    }
    startup::registerResource(g_global->resourceHolder, setup.name, quadFont);
}

void Loader::attachCodepage(int font)
{
    FontQuad* quadFont = *fontField(font);
    for (int i = 1;; ++i) {
        auto* texture = static_cast<Texture*>(
            g_qel->resourceManager->find(formatString(fontSetups[font].codepageKey, i), false));
        if (texture == nullptr) {
            return;
        }
        quadFont->addSourceTexture(texture, i == 1 ? u16(256) : FontQuad::CONTINUE);
    }
}

void Loader::settleLanguage()
{
    if (g_qel->singleLanguage < 0 || g_qel->singleLanguage >= LANGUAGE_MAX) {
        g_qel->singleLanguage = 0;
    }
    if (g_qel->bMultilanguage) {
        if (g_qel->defaultLanguage < 0 || g_qel->defaultLanguage >= LANGUAGE_MAX) {
            g_qel->defaultLanguage = -1;
        }
        g_qel->logger->write("%s(): %s", "loadStuff",
                             formatString("Multilanguage mode (%d).", g_qel->defaultLanguage).c_str());
        if (g_qel->defaultLanguage < 0) {
            g_global->contextManager->add(new ContextLanguageSelect());
        }
    } else {
        g_qel->defaultLanguage = g_qel->singleLanguage;
        g_qel->logger->write("%s(): %s", "loadStuff",
                             formatString("Single language mode (%d).", g_qel->defaultLanguage).c_str());
    }
}

void Loader::handOver()
{
    g_qel->language->setCurrentLanguage(g_qel->defaultLanguage);
    g_global->initPostLoader();
    bFinished = 1;
}
