#pragma once
// Reads one level file (levels/<id>.txt). One statement a line, words
// separated by blanks, '#' starts a comment:
//
//   camera F                      camera factor (default 1)
//   landscape NAME                the painter's landscape family
//   scene TRACKCOUNT              the scene shows the tracks built with
//   scene FIRST SECOND            these arguments (a count, or true and
//                                 false for the two flags); default all
//   launcher X Y                  a launcher spot
//   decoration DEPTH              the next decoration skin's depth
//   track COND CREATE TUNNEL HELP a new track; COND is always,
//                                 trackCount>1, trackCount>2, firstTrack or
//                                 secondTrack
//   span START END                a hidden span of the last track
//   point X Y HEIGHT HX HY        a control point of the last track with its
//                                 absolute handle
//
// Anything else, a number that does not parse or a span or point before the
// first track is refused with the file, the line and the reason.
#include <string>

#include "LevelData.h"

bool readLevelFile(const std::string& path, LevelData& level, std::string& error);
