#include "core/Sheet.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/ImageFiles.h"

namespace assetgen {

namespace {
constexpr int kGap = 2;
}

std::vector<PlacedFrame> layoutFrames(const std::vector<Frame>& frames, int maxWidth, int& sheetWidth, int& sheetHeight) {
    std::vector<PlacedFrame> placed;
    if (frames.size() == 1) {
        const Frame& f = frames[0];
        PlacedFrame p{0, 0, f.width, f.height, 0, 0};
        placed.push_back(p);
        sheetWidth = f.width;
        sheetHeight = f.height;
    } else {
        int x = 0;
        int y = 0;
        int rowHeight = 0;
        sheetWidth = 0;
        for (const Frame& f : frames) {
            if (x > 0 && x + f.width > maxWidth) {
                x = 0;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            placed.push_back(PlacedFrame{x, y, f.width, f.height, 0, 0});
            x += f.width + kGap;
            rowHeight = std::max(rowHeight, f.height);
            sheetWidth = std::max(sheetWidth, x - kGap);
        }
        sheetHeight = y + rowHeight;
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        if (!std::isnan(f.originX) || !std::isnan(f.originY)) {
            const double ox = std::isnan(f.originX) ? f.width / 2.0 : f.originX;
            const double oy = std::isnan(f.originY) ? f.height / 2.0 : f.originY;
            placed[i].originAdjustX = static_cast<int>(std::lround(f.width / 2.0 - ox));
            placed[i].originAdjustY = static_cast<int>(std::lround(f.height / 2.0 - oy));
        }
    }
    return placed;
}

std::string skinList(const std::vector<PlacedFrame>& frames) {
    std::string text;
    for (size_t i = 0; i < frames.size(); ++i) {
        const PlacedFrame& p = frames[i];
        text += "[Skin " + std::to_string(i) + "]\n";
        text += "left=" + std::to_string(p.left) + "\n";
        text += "top=" + std::to_string(p.top) + "\n";
        text += "width=" + std::to_string(p.width) + "\n";
        text += "height=" + std::to_string(p.height) + "\n";
        if (p.originAdjustX != 0 || p.originAdjustY != 0) {
            text += "origin_adjust_x=" + std::to_string(p.originAdjustX) + "\n";
            text += "origin_adjust_y=" + std::to_string(p.originAdjustY) + "\n";
        }
        text += "\n";
    }
    return text;
}

cairo_surface_t* renderSheet(const std::vector<Frame>& frames, const std::vector<PlacedFrame>& placed,
                             int sheetWidth, int sheetHeight) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheetWidth, sheetHeight);
    cairo_t* cr = cairo_create(surface);
    for (size_t i = 0; i < frames.size(); ++i) {
        const PlacedFrame& p = placed[i];
        cairo_save(cr);
        cairo_translate(cr, p.left, p.top);
        cairo_rectangle(cr, 0, 0, p.width, p.height);
        cairo_clip(cr);
        frames[i].draw(cr, p.width, p.height);
        cairo_restore(cr);
    }
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(cairo_status_to_string(cairo_status(cr)));
    }
    cairo_destroy(cr);
    return surface;
}

void writeSheet(const Output& out, const std::string& path, const std::vector<Frame>& frames, int maxWidth,
                ImageFormat format) {
    int w = 0;
    int h = 0;
    const std::vector<PlacedFrame> placed = layoutFrames(frames, maxWidth, w, h);
    cairo_surface_t* surface = renderSheet(frames, placed, w, h);
    if (format == ImageFormat::Tga) {
        out.write(path, encodeTga(surface));
    } else {
        out.write(path, encodeJpeg(surface, 90));
    }
    cairo_surface_destroy(surface);
    out.write(path + ".ini", skinList(placed));
}

} // namespace assetgen
