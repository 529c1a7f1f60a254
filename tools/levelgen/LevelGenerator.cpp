// vabo-levelgen: compiles the level files into the game's level table.
//
//   vabo-levelgen OUT.cpp LEVELFILE...
//
// The files are read in the order given; a file that does not read stops
// the build with its name, line and reason.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "LevelFile.h"

namespace {

const char* conditionName(TrackCondition condition)
{
    switch (condition) {
    case TrackCondition::Always:
        return "Always";
    case TrackCondition::TrackCountAbove1:
        return "TrackCountAbove1";
    case TrackCondition::TrackCountAbove2:
        return "TrackCountAbove2";
    case TrackCondition::FirstTrack:
        return "FirstTrack";
    case TrackCondition::SecondTrack:
        return "SecondTrack";
    }
    return "Always";
}

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%#.9gf", double(value));
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: vabo-levelgen OUT.cpp LEVELFILE...\n");
        return 2;
    }
    std::string out = "// Made by vabo-levelgen from the level files; do not edit.\n"
                      "#include \"game/level/LevelData.h\"\n\n"
                      "const std::vector<LevelData>& levelTable()\n{\n"
                      "    static const std::vector<LevelData> table = {\n";
    for (int i = 2; i < argc; ++i) {
        LevelData level;
        std::string error;
        if (!readLevelFile(argv[i], level, error)) {
            std::fprintf(stderr, "vabo-levelgen: %s\n", error.c_str());
            return 1;
        }
        out += "        {\"" + level.id + "\", " + number(level.cameraFactor) + ", \"" + level.landscape + "\",\n";
        out += "         {";
        for (const LevelSpot& spot : level.launchers) {
            out += "{" + number(spot.x) + ", " + number(spot.y) + "}, ";
        }
        out += "},\n         {";
        for (float depth : level.decorationDepths) {
            out += number(depth) + ", ";
        }
        out += "},\n         {\n";
        for (const LevelTrack& track : level.tracks) {
            out += std::string("          {TrackCondition::") + conditionName(track.condition) + ", " +
                   number(track.createLambda) + ", " + number(track.tunnelLambda) + ", " + number(track.helpLambda) +
                   ",\n           {";
            for (const LevelSpan& span : track.spans) {
                out += "{" + number(span.start) + ", " + number(span.end) + "}, ";
            }
            out += "},\n           {\n";
            for (const LevelPoint& p : track.points) {
                out += "            {" + number(p.x) + ", " + number(p.y) + ", " + number(p.height) + ", " +
                       number(p.handleX) + ", " + number(p.handleY) + "},\n";
            }
            out += "           }},\n";
        }
        out += "         },\n         {" + std::to_string(level.scene.trackCount) + ", " +
               (level.scene.firstTrack ? "true" : "false") + ", " + (level.scene.secondTrack ? "true" : "false") +
               "}},\n";
    }
    out += "    };\n    return table;\n}\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out;
    if (!file) {
        std::fprintf(stderr, "vabo-levelgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
