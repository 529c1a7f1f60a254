#pragma once
// A skin made of a grid of quads that lie on separate textures (an image cut
// into sub-textures), drawn side by side as one rectangle. The cells are not
// owned.
#include <vector>

#include "graphics/Quad.h"

class QuadMosaic : public Skin {
public:
    QuadMosaic() = default;

    // The grid's size; new cells are null, the vertex buffer holds four
    // vertices a cell.
    void setGrid(int gridColumns, int gridRows);
    // The size and every vertex from the cells, laid left to right and top
    // to bottom. Every cell must be set.
    void rebuild();
    void draw(Renderable* owner) override;

    i32 columns = 0;
    i32 rows = 0;
    i32 count = 0;
    std::vector<Quad*> quads;
};
