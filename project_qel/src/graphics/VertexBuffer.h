#pragma once
// A client-side array of interleaved vertices (texture coordinates, colour,
// position) drawn with glInterleavedArrays and glDrawArrays. Writers fill
// the array directly and then commit. Drawing also carries the debug
// overlays of the object being drawn (highlight, outline).
#include <memory>

#include "math/UColor.h"
#include "object/QelBase.h"

class Texture;

// The GL_T2F_C4UB_V3F layout.
struct Vertex {
    float u = 0.0f;
    float v = 0.0f;
    UColor color;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
static_assert(sizeof(Vertex) == 24);

class VertexBuffer : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    enum Primitive {
        POINTS = 0,
        LINES = 1,
        LINE_STRIP = 2,
        TRIANGLES = 3,
        TRIANGLE_STRIP = 4,
        TRIANGLE_FAN = 5,
    };

    // n vertices, contents undefined; n of 0 or less allocates nothing.
    explicit VertexBuffer(int n = 0);
    ~VertexBuffer() override = default;

    // A new array when the count changes (the old contents are dropped);
    // the same count keeps the array and its contents.
    void resize(int n);
    // Counts one vertex-buffer write of the frame.
    void commit();
    // Colours the vertices. Unless forced, nothing is written when vertex 0
    // holds the colour already, and with the device's texture-factor
    // support only vertex 0 takes it.
    void setColor(UColor col, bool force);
    // Draws vertices [first, first + count) (a negative count: to the end)
    // as a primitive, with the texture bound (null: untextured). An unknown
    // primitive code is fatal; so is a range outside the buffer.
    void draw(Texture* texture, int primitive, int first, int count);

    std::unique_ptr<Vertex[]> vertices;
    i32 numVertices = 0;
};

// Commits the buffer, sets the model-view matrix to the identity (so its
// positions are world coordinates under the current projection) and draws
// all of it untextured.
void drawWorldVertices(VertexBuffer& buffer, int primitive);
