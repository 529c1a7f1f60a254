#include "game/level/LevelFromData.h"

#include <vector>

#include "engine/QelAssert.h"
#include "game/level/LevelData.h"
#include "game/level/LevelPath.h"
#include "game/track/Track.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "system/UString.h"

const LevelData& LevelFromData::data(const char* id)
{
    const LevelData* level = findLevelData(id);
    QEL_ASSERT(level != nullptr);
    return *level;
}

LevelFromData::LevelFromData(i32 mirrorX, i32 mirrorY, const char* id, int trackCount, bool firstTrack,
                             bool secondTrack)
    : Level(mirrorX, mirrorY)
{
    const LevelData& level = data(id);
    cameraFactor = level.cameraFactor;
    sceneTexture = new Texture(UString("gfx/scene-" + level.id + ".jpg"), 0);
    if (!level.decorationDepths.empty()) {
        decorationTexture = new Texture(UString("gfx/decoration-" + level.id + ".tga"), 0);
    }
    for (const LevelSpot& spot : level.launchers) {
        launcherPositions.push_back(V3(spot.x, spot.y, 0.0f));
    }
    for (size_t k = 0; k < level.decorationDepths.size(); ++k) {
        Skin* skin = k < decorationTexture->skins.size() ? decorationTexture->skins[k] : nullptr;
        addDecoration(skin, level.decorationDepths[k]);
    }
    for (const LevelTrack& entry : level.tracks) {
        if (!LevelData::builds(entry.condition, trackCount, firstTrack, secondTrack)) {
            continue;
        }
        auto* track = new Track();
        track->createLambda = entry.createLambda;
        track->tunnelLambda = entry.tunnelLambda;
        track->helpLambda = entry.helpLambda;
        for (const LevelSpan& span : entry.spans) {
            track->addHiddenSpan(span.start, span.end);
        }
        std::vector<V3> points;
        std::vector<V3> handles;
        LevelPath::controlPoints(entry, points, handles);
        addTrack(track, int(points.size()), points.data(), handles.data());
        track->init();
        trackLayer->addChildBack(track);
    }
}
