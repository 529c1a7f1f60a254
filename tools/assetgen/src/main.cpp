// assetgen: writes the game's images, sounds and music into a folder.
//
//   assetgen [--family NAME]... OUTDIR
//
// Without --family every family is made. The output is the same, byte for
// byte, on every run.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "core/Families.h"
#include "core/Paint.h"

int main(int argc, char** argv) {
    std::vector<std::string> wanted;
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--family") == 0 && i + 1 < argc) {
            wanted.emplace_back(argv[++i]);
        } else if (outDir.empty() && argv[i][0] != '-') {
            outDir = argv[i];
        } else {
            std::fprintf(stderr, "usage: assetgen [--family NAME]... OUTDIR\n");
            return 2;
        }
    }
    if (outDir.empty()) {
        std::fprintf(stderr, "usage: assetgen [--family NAME]... OUTDIR\n");
        return 2;
    }
    for (const std::string& w : wanted) {
        bool known = false;
        for (const assetgen::Family& family : assetgen::families()) {
            known = known || w == family.name;
        }
        if (!known) {
            std::fprintf(stderr, "assetgen: unknown family '%s'\n", w.c_str());
            return 2;
        }
    }
    const assetgen::Output out(outDir);
    try {
        for (const assetgen::Family& family : assetgen::families()) {
            bool run = wanted.empty();
            for (const std::string& w : wanted) {
                run = run || w == family.name;
            }
            if (run) {
                family.generate(out);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    assetgen::releaseDrawingCaches();
    return 0;
}
