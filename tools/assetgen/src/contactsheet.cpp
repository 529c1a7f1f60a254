// contactsheet: lays every image of the generated tree, frame by frame, onto
// one PNG with its file name and frame numbers, over a checkerboard that shows
// the transparent parts.
//
//   contactsheet DATADIR OUT.png [FILTER [SCALE]]
//
// FILTER keeps only the images whose path contains it; SCALE enlarges the
// frames (for a close look).
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <cairo.h>

#include "core/ImageFiles.h"
#include "core/Output.h"
#include "core/Paint.h"
#include "core/SkinListReader.h"

using namespace assetgen;

namespace {

struct Entry {
    std::string name;
    cairo_surface_t* image = nullptr;
    std::vector<PlacedFrame> frames;
};

void checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j) {
        for (int i = 0; i * 8 < w; ++i) {
            const double v = (i + j) % 2 ? 0.45 : 0.55;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

// Places boxes left to right in rows no wider than maxWidth.
struct Flow {
    std::vector<std::pair<double, double>> at;
    double width = 0;
    double height = 0;
};

Flow flow(const std::vector<std::pair<double, double>>& sizes, double maxWidth) {
    Flow f;
    double x = 0, y = 0, rowH = 0;
    for (const auto& [w, h] : sizes) {
        if (x > 0 && x + w > maxWidth) {
            x = 0;
            y += rowH;
            rowH = 0;
        }
        f.at.emplace_back(x, y);
        x += w;
        rowH = std::max(rowH, h);
        f.width = std::max(f.width, x);
    }
    f.height = y + rowH;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: contactsheet DATADIR OUT.png [FILTER [SCALE]]\n");
        return 2;
    }
    const std::string filter = argc > 3 ? argv[3] : "";
    const double zoom = argc > 4 ? std::max(0.1, std::atof(argv[4])) : 1.0;
    const std::filesystem::path root(argv[1]);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = e.path().extension().string();
        const std::string rel = std::filesystem::relative(e.path(), root).generic_string();
        if (e.is_regular_file() && (ext == ".tga" || ext == ".jpg") && rel.find(filter) != std::string::npos) {
            files.push_back(std::filesystem::relative(e.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());

    std::vector<Entry> entries;
    for (const std::string& f : files) {
        std::vector<uint8_t> bytes;
        ImagePixels img;
        ImageError imageError;
        if (!readFile((root / f).string(), bytes)) {
            std::fprintf(stderr, "contactsheet: %s: cannot be read\n", f.c_str());
            return 1;
        }
        const auto decode = f.ends_with(".tga") ? decodeTGA : decodeJPEG;
        if (!decode(bytes.data(), bytes.size(), false, img, imageError)) {
            std::fprintf(stderr, "contactsheet: %s: %s\n", f.c_str(), imageError.message.c_str());
            return 1;
        }
        std::string error;
        Entry e{f, surfaceFromPixels(img), {}};
        std::vector<uint8_t> ini;
        if (readFile((root / f).string() + ".ini", ini)) {
            if (!parseSkinList(std::string(ini.begin(), ini.end()), e.frames, error)) {
                std::fprintf(stderr, "contactsheet: %s.ini: %s\n", f.c_str(), error.c_str());
                return 1;
            }
        } else {
            e.frames.push_back(PlacedFrame{0, 0, img.width, img.height, 0, 0});
        }
        entries.push_back(e);
    }

    // Lay out: each entry is a block of its frames (large frames scaled to fit
    // 360 pixels), blocks flow left to right in rows of 1600 pixels.
    std::vector<std::vector<double>> scales;
    std::vector<Flow> frameFlows;
    std::vector<std::pair<double, double>> blockSizes;
    double sheetW = 1600;
    for (const Entry& e : entries) {
        std::vector<double> s;
        std::vector<std::pair<double, double>> cells;
        for (const PlacedFrame& f : e.frames) {
            s.push_back(std::min(1.0, 360.0 / std::max(f.width, f.height)) * zoom);
            cells.emplace_back(f.width * s.back() + 8, f.height * s.back() + 22);
        }
        frameFlows.push_back(flow(cells, 760 * zoom));
        scales.push_back(s);
        blockSizes.emplace_back(std::max(frameFlows.back().width, 200.0) + 16, frameFlows.back().height + 32);
        sheetW = std::max(sheetW, blockSizes.back().first);
    }
    const Flow blocks = flow(blockSizes, sheetW);
    cairo_surface_t* sheet =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(sheetW), static_cast<int>(blocks.height + 10));
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.25, 0.27, 0.3);
    cairo_paint(cr);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const double bx = blocks.at[i].first + 8;
        const double by = blocks.at[i].second + 6;
        cairo_set_source_rgb(cr, 1, 1, 1);
        drawText(cr, e.name, bx, by + 12, 13, true, false);
        for (size_t k = 0; k < e.frames.size(); ++k) {
            const PlacedFrame& f = e.frames[k];
            const double s = scales[i][k];
            const double px = bx + frameFlows[i].at[k].first;
            const double py = by + 20 + frameFlows[i].at[k].second;
            checker(cr, px, py, f.width * s, f.height * s);
            cairo_save(cr);
            cairo_rectangle(cr, px, py, f.width * s, f.height * s);
            cairo_clip(cr);
            cairo_translate(cr, px, py);
            cairo_scale(cr, s, s);
            cairo_set_source_surface(cr, e.image, -f.left, -f.top);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_set_source_rgb(cr, 0.85, 0.9, 1);
            drawText(cr, ":" + std::to_string(k), px, py + f.height * s + 14, 11, false, false);
        }
    }
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(sheet, argv[2]);
    cairo_surface_destroy(sheet);
    for (Entry& e : entries) {
        cairo_surface_destroy(e.image);
    }
    releaseDrawingCaches();
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
