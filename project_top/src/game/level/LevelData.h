#pragma once
// The authored layout of one level as the level files give it: the camera
// factor, the launcher spots, the decoration depths and, per track, the
// condition under which it is built, its marks, its hidden spans and its
// control points in level units (x, y, height; each handle an absolute
// point whose direction from its point gives the tangent). The painter's
// landscape name and the arguments its scene is painted for ride along for
// the asset tool.
//
// The game's table is compiled from the level files at build time; the
// asset tool reads the same files, so rails and paths have one source.
#include <string>
#include <string_view>
#include <vector>

enum class TrackCondition {
    Always,
    TrackCountAbove1,
    TrackCountAbove2,
    FirstTrack,
    SecondTrack,
};

struct LevelPoint {
    float x;
    float y;
    float height;
    float handleX;
    float handleY;
};

struct LevelSpan {
    float start;
    float end;
};

struct LevelTrack {
    TrackCondition condition;
    float createLambda;
    float tunnelLambda;
    float helpLambda;
    std::vector<LevelSpan> spans;
    std::vector<LevelPoint> points;
};

struct LevelSpot {
    float x;
    float y;
};

// The arguments a level class is built with after its mirror factors.
struct LevelArguments {
    int trackCount;
    bool firstTrack;
    bool secondTrack;
};

struct LevelData {
    std::string id;
    float cameraFactor;
    std::string landscape;
    std::vector<LevelSpot> launchers;
    std::vector<float> decorationDepths;
    std::vector<LevelTrack> tracks;
    // The arguments of the one level that plays the class: its scene shows
    // only the tracks they build. Every track of a class no level plays.
    LevelArguments scene;

    // Whether the track is built for a level made with these arguments.
    static bool builds(TrackCondition condition, int trackCount, bool firstTrack, bool secondTrack);
};

// Every level of the level files, in the order of their ids.
const std::vector<LevelData>& levelTable();
// The level with the id, or null.
const LevelData* findLevelData(std::string_view id);
