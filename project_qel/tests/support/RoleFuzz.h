#pragma once
// What the replication role's fuzz targets share: the engine on the scripted
// clock, set back for every input to the same clock, ports and identifiers,
// with resources as a game registers them (a skin, "ball:0", beside a font,
// "font:small"); a world of a root, a chain of pieces, a piece that changes
// on its own and a sprite on the skin; and the input cut into payloads, each
// a little-endian u16 length and that many bytes (the last one takes what
// is left).
#include <cstdlib>
#include <filesystem>

#include "graphics/FontQuad.h"
#include "graphics/Skin.h"
#include "resource/ResourceManager.h"
#include "support/RoleCore.h"

struct RoleFuzzEngine {
    RoleFuzzEngine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
        skin.width = skin.height = 10.0f;
        resources.addResource("ball:0", &skin);
        resources.addResource("font:small", &font);
        g_qel->resourceManager = &resources;
    }
    ~RoleFuzzEngine() { g_qel->resourceManager = nullptr; }
    RoleFuzzEngine(const RoleFuzzEngine&) = delete;
    RoleFuzzEngine& operator=(const RoleFuzzEngine&) = delete;
    // Every input starts from the same clock, ports and identifiers.
    static void startInput()
    {
        scriptedNetTicks = 100000;
        g_qel->frameTimer.currentStart = 0.0;
        g_qel->network->nextPort = 1;
        std::srand(1);
    }
    std::filesystem::path start = std::filesystem::current_path();
    NetCore net{true};
    ResourceManager resources;
    Skin skin;
    FontQuad font;
};

// The root, four pieces each under the one before (and its partner), a
// ticker under the root and a sprite under the root on the skin, the last
// piece its partner; gives the last piece.
inline RolePiece* buildFuzzWorld(NetRole* role, RoleTicker** ticker)
{
    RolePiece* previous = nullptr;
    asRole(role, [&] {
        auto* root = new RootObjectBase();
        role->registerObject(root, 1);
        for (int i = 0; i < 4; ++i) {
            auto* piece = new RolePiece();
            role->registerObject(piece, 0);
            (previous != nullptr ? static_cast<QelBase*>(previous) : root)->addChildBack(piece);
            piece->partner = previous;
            previous = piece;
        }
        *ticker = new RoleTicker();
        role->registerObject(*ticker, 0);
        root->addChildBack(*ticker);
        auto* sprite = new SpritePiece();
        role->registerObject(sprite, 0);
        root->addChildBack(sprite);
        sprite->partner = previous;
        sprite->pSkin = static_cast<Skin*>(g_qel->resourceManager->find("ball:0", true));
        sprite->updateXform();
    });
    return previous;
}

// Hands each of at most `most` payloads of the input, with its index, to
// `take`.
template <class F>
void forEachFuzzPayload(const u8* data, size_t size, int most, F&& take)
{
    size_t at = 0;
    for (int i = 0; i < most && at < size; ++i) {
        size_t length = size - at;
        if (length >= 2) {
            length = std::min<size_t>(data[at] | (data[at + 1] << 8), length - 2);
            at += 2;
        }
        take(data + at, length, i);
        at += length;
    }
}
