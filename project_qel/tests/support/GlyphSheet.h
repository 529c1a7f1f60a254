#pragma once
// Font sheets for tests: glyph cells of chosen sizes laid out in rows of a
// 256-wide image with their skin list, each cell filled with a colour of its
// own so that any misplaced glyph shows.
#include <functional>
#include <string>

#include "support/RenderCore.h"

struct GlyphCell {
    int width;
    int height;
};

// Cell i is at (left, top) in the sheet; cells of one row share a top.
inline void writeGlyphSheet(const std::string& path, int count, const std::function<GlyphCell(int)>& cellOf)
{
    std::string ini;
    std::vector<Rect> rects;
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    for (int i = 0; i < count; ++i) {
        const GlyphCell c = cellOf(i);
        if (x + c.width > 256) {
            x = 0;
            y += rowHeight + 1;
            rowHeight = 0;
        }
        rects.push_back(Rect{x, y, y + c.height, x + c.width});
        ini += "[Skin " + std::to_string(i) + "]\nleft=" + std::to_string(x) + "\ntop=" + std::to_string(y) +
               "\nwidth=" + std::to_string(c.width) + "\nheight=" + std::to_string(c.height) + "\n";
        x += c.width + 1;
        rowHeight = std::max(rowHeight, c.height);
    }
    const int height = std::max(1, y + rowHeight);
    RenderCore::writeTga(path, 256, height, [&](int px, int py) {
        for (size_t i = 0; i < rects.size(); ++i) {
            const Rect& r = rects[i];
            if (px >= r.left && px < r.right && py >= r.top && py < r.bottom) {
                return UColor(static_cast<u8>(40 + i * 37), static_cast<u8>(255 - i * 11),
                              static_cast<u8>(px - r.left + (py - r.top) * 8), 255);
            }
        }
        return UColor(0, 0, 0, 0);
    });
    TempFolder::writeFile(path + ".ini", ini);
}
