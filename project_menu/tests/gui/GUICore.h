#pragma once
// What the GUI item tests share: the menu test core with a tiny font, both
// themes, and every frame set the themes name made in memory, three square
// pieces side by side (0 disabled, 1 normal, 2 focused), each a one-pixel
// dark rim around a flat centre of the piece's own colour.
#include <array>
#include <memory>
#include <vector>

#include "context/MenuCore.h"
#include "effects/StretchSkin.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/Quad.h"
#include "gui/GUIitem.h"
#include "gui/GUIthemeMinimal.h"
#include "gui/GUIthemeStandard.h"

class GUICore : public MenuCore {
public:
    static constexpr int PIECE = 16;
    static constexpr UColor RIM{40, 0, 0, 255};
    static constexpr std::array<UColor, 3> CENTRES = {UColor(128, 128, 128, 255), UColor(0, 0, 200, 255),
                                                      UColor(0, 200, 0, 255)};
    static constexpr std::array<const char*, 12> FRAME_SETS = {
        "gui-invisible",          "gui-standard-generic",          "gui-standard-thickframe",
        "gui-standard-thinframe", "gui-standard-groove",           "gui-standard-panel-bevelinner",
        "gui-standard-editbox",   "gui-standard-button",           "gui-standard-button-nogroove",
        "gui-standard-tab",       "gui-standard-tab-selected",     "gui-minimal-generic",
    };

    GUICore()
    {
        // No debug drawing over the hovered and focused objects.
        qel->bDebugLocked = true;
        // Told apart from the standard theme's small font.
        global->fontTiny = global->fontMedium;
        for (const char* key : FRAME_SETS) {
            frameSets.push_back(makeFrameSet());
            qel->resourceManager->addResource(key, frameSets.back().get());
        }
        standard = std::make_unique<GUIthemeStandard>();
        minimal = std::make_unique<GUIthemeMinimal>();
    }

    static std::unique_ptr<Texture> makeFrameSet()
    {
        MemoryImageFile image(3 * PIECE, PIECE);
        for (int y = 0; y < PIECE; ++y) {
            for (int x = 0; x < 3 * PIECE; ++x) {
                const int local = x % PIECE;
                const bool rim = local == 0 || y == 0 || local == PIECE - 1 || y == PIECE - 1;
                const UColor c = rim ? RIM : CENTRES[size_t(x / PIECE)];
                image.pImageData[size_t(y * image.width + x)] = c.r | u32(c.g) << 8 | u32(c.b) << 16 | u32(c.a) << 24;
            }
        }
        auto texture = std::make_unique<Texture>(&image);
        for (Skin* skin : texture->skins) {
            skin->deleteMe();
        }
        texture->skins.clear();
        const auto uvWidth = float(texture->uvWidth);
        const auto uvHeight = float(texture->uvHeight);
        for (int piece = 0; piece < 3; ++piece) {
            auto* quad = new Quad();
            quad->texture = texture.get();
            quad->texelLeft = piece * PIECE;
            quad->texelRight = (piece + 1) * PIECE;
            quad->texelTop = 0;
            quad->texelBottom = PIECE;
            quad->uvLeft = float(quad->texelLeft) / uvWidth;
            quad->uvRight = float(quad->texelRight) / uvWidth;
            quad->uvTop = 0.0f;
            quad->uvBottom = float(PIECE) / uvHeight;
            quad->rebuild();
            texture->skins.push_back(quad);
        }
        return texture;
    }

    static Texture* frameSetOf(StretchSkin* frame) { return frame->source->texture; }
    Texture* registered(const char* key) const
    {
        return static_cast<Texture*>(qel->resourceManager->find(key, true));
    }

    std::vector<std::unique_ptr<Texture>> frameSets;
    std::unique_ptr<GUIthemeStandard> standard;
    std::unique_ptr<GUIthemeMinimal> minimal;
};
