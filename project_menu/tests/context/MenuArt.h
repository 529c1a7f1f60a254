#pragma once
// The art of the menu framework from the game's data pack, registered as
// the start-up registers it: the pointer, the frame sets of the widgets,
// the click sound and three of the game's fonts in the program-wide object.
#include <memory>
#include <vector>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

class MenuArt {
public:
    explicit MenuArt(Global* global)
    {
        ResourceManager* resources = g_qel->resourceManager;
        resources->addResource("gui-game-editbox", image("gfx/gui/game/editbox.tga", 2));
        resources->addResource("gui-game-button", image("gfx/gui/game/button.tga", 2));
        resources->addResource("gui-game-button-speech", image("gfx/gui/game/button-speech.tga", 2));
        Texture* square = image("gfx/gui/game/square.tga", 2);
        resources->addResource("gui-game-square:0", square->skins.at(0));
        resources->addResource("gui-game-square:3", square->skins.at(3));
        click = std::make_unique<Sound>("sfx/mouseclick.ogg", false, 1);
        resources->addResource("mouseClick", click.get());
        g_qel->graphics->bTextShadows = true;
        global->fontSmall = font({"gfx/font/font-small.tga"}, 10, 33, 3, 0, 5, 3, true, true, false);
        global->fontMedium = font({"gfx/font/font-medium.tga"}, 10, 0, 6, 0, 5, 2, true, true, true);
        global->fontLarge = font({"gfx/font/font-largeoutline-1.tga", "gfx/font/font-largeoutline-2.tga",
                                       "gfx/font/font-largeoutline-3.tga", "gfx/font/font-largeoutline-4.tga"},
                                      2, 0, 16, -2, 13, 6, false, false, true);
    }

    Texture* image(const char* path, int flags)
    {
        textures.push_back(std::make_unique<Texture>(UString(path), flags));
        return textures.back().get();
    }

    FontQuad* font(std::vector<const char*> sheets, int flags, int firstSymbol, int spaceWidth, int letterSpacing,
                   int dropLower, int dropUpper, bool clearWhite, bool useCache, bool composites)
    {
        auto f = std::make_unique<FontQuad>();
        f->bClearCacheWhite = clearWhite;
        f->bUseCache = useCache;
        f->spaceWidth = spaceWidth;
        f->letterSpacing = letterSpacing;
        f->accentDropLower = dropLower;
        f->accentDropUpper = dropUpper;
        for (size_t i = 0; i < sheets.size(); ++i) {
            f->addSourceTexture(image(sheets[i], flags), i == 0 ? u16(firstSymbol) : FontQuad::CONTINUE);
        }
        if (composites) {
            f->buildCompositeSymbols();
        }
        fonts.push_back(std::move(f));
        return fonts.back().get();
    }

    std::vector<std::unique_ptr<Texture>> textures;
    std::vector<std::unique_ptr<FontQuad>> fonts;
    std::unique_ptr<Sound> click;
};
