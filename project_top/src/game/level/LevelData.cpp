#include "game/level/LevelData.h"

bool LevelData::builds(TrackCondition condition, int trackCount, bool firstTrack, bool secondTrack)
{
    switch (condition) {
    case TrackCondition::Always:
        return true;
    case TrackCondition::TrackCountAbove1:
        return trackCount > 1;
    case TrackCondition::TrackCountAbove2:
        return trackCount > 2;
    case TrackCondition::FirstTrack:
        return firstTrack;
    case TrackCondition::SecondTrack:
        return secondTrack;
    }
    return false;
}

const LevelData* findLevelData(std::string_view id)
{
    for (const LevelData& level : levelTable()) {
        if (level.id == id) {
            return &level;
        }
    }
    return nullptr;
}
