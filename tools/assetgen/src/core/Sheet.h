#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <cairo.h>

#include "core/Output.h"

namespace assetgen {

// Draws one frame into a cairo context whose origin is the frame's top-left
// pixel and which is clipped to the frame; w and h are the frame's size.
using FrameDraw = std::function<void(cairo_t* cr, double w, double h)>;

// One picture of a sheet. The origin is the point of the frame (in pixels from
// its top-left corner, y down; it may lie outside the frame) that lands on the
// sprite's position; NaN means the centre, which needs no entry in the skin
// list.
struct Frame {
    int width = 0;
    int height = 0;
    FrameDraw draw;
    double originX = std::nan("");
    double originY = std::nan("");
};

// A placed frame: its rectangle in the sheet.
struct PlacedFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int originAdjustX = 0;
    int originAdjustY = 0;
};

// Lays frames out in rows no wider than maxWidth, with a transparent gap
// between them so that filtering never mixes neighbours. A single frame that
// fills the sheet gets no gap.
std::vector<PlacedFrame> layoutFrames(const std::vector<Frame>& frames, int maxWidth, int& sheetWidth, int& sheetHeight);

// The skin list text for the placed frames ("Skin %d" sections).
std::string skinList(const std::vector<PlacedFrame>& frames);

enum class ImageFormat { Tga, Jpeg };

// Draws the frames onto one sheet and writes the image and its skin list
// (image path + ".ini") to the output.
void writeSheet(const Output& out, const std::string& path, const std::vector<Frame>& frames,
                int maxWidth = 256, ImageFormat format = ImageFormat::Tga);

// Renders the frames into a new surface (used by writeSheet and by tests).
cairo_surface_t* renderSheet(const std::vector<Frame>& frames, const std::vector<PlacedFrame>& placed,
                             int sheetWidth, int sheetHeight);

} // namespace assetgen
