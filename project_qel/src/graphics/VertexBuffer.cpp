#include "graphics/VertexBuffer.h"

#include <SDL_opengl.h>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/QelGraphics.h"
#include "graphics/TexelMapping.h"
#include "graphics/Texture.h"

QEL_IMPLEMENT_RUNTIME_CLASS(VertexBuffer, QelBase::runtimeClass(), QEL_CREATOR(VertexBuffer));
QEL_TRAVELS(VertexBuffer);

namespace {

constexpr u32 DEBUG_OUTLINE = 0x08;
constexpr u32 DEBUG_HIGHLIGHT = 0x40;

QelGraphics& device()
{
    QEL_ASSERT(g_qel->graphics != nullptr);
    return *g_qel->graphics;
}

// Whether the draw about to be made with the bound texture puts texel
// centres on pixel centres under the current transform.
bool hitsTexelCentres(const Texture& texture, const Vertex* vertices, int primitive, int count)
{
    float modelView[16];
    float projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const QelGraphics& graphics = device();
    const TexelMapping::Transform transform{modelView, projection, graphics.screenWidth, graphics.screenHeight};
    return TexelMapping::hitsTexelCentres(vertices, count, primitive, texture.realWidth, texture.realHeight,
                                          transform);
}

void fillColor(VertexBuffer& buffer, UColor col)
{
    for (int i = 0; i < buffer.numVertices; ++i) {
        buffer.vertices[i].color = col;
    }
    ++g_qel->statVertexBufferWrites;
}

} // namespace

VertexBuffer::VertexBuffer(int n)
    : numVertices(n)
{
    if (n > 0) {
        vertices = std::make_unique<Vertex[]>(static_cast<size_t>(n));
    }
}

void VertexBuffer::resize(int n)
{
    if (n == numVertices) {
        return;
    }
    vertices.reset();
    numVertices = n;
    if (n > 0) {
        vertices = std::make_unique<Vertex[]>(static_cast<size_t>(n));
    }
}

void VertexBuffer::commit()
{
    ++g_qel->statVertexBufferWrites;
}

void VertexBuffer::setColor(UColor col, bool force)
{
    if (numVertices <= 0) {
        return;
    }
    if (!force) {
        const bool textureFactor = g_qel->graphics != nullptr && g_qel->graphics->bTFACTORSupport;
        if (textureFactor || vertices[0].color == col) {
            vertices[0].color = col;
            return;
        }
    }
    fillColor(*this, col);
}

void VertexBuffer::draw(Texture* texture, int primitive, int first, int count)
{
    if (numVertices <= 0) {
        return;
    }
    static constexpr GLenum modes[] = {GL_POINTS,    GL_LINES,          GL_LINE_STRIP,
                                       GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};
    if (primitive < POINTS || primitive > TRIANGLE_FAN) {
        QEL_FATAL("Unknown primitive type %d", primitive);
    }
    if (count < 0) {
        count = numVertices - first;
    }
    // OpenGL would read past the array.
    QEL_ASSERT(first >= 0 && count >= 0 && first <= numVertices - count);
    g_qel->statVertices += count;

    const bool opaque = texture != nullptr && !texture->hasAlpha;
    if (texture == nullptr) {
        glDisable(GL_TEXTURE_2D);
    } else {
        texture->bind();
        texture->sampleNearest(hitsTexelCentres(*texture, &vertices[first], primitive, count));
        if (opaque) {
            device().setBlendState(false);
            glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        }
    }
    glInterleavedArrays(GL_T2F_C4UB_V3F, 0, vertices.get());
    glDrawArrays(modes[primitive], first, count);
    if (texture == nullptr) {
        glEnable(GL_TEXTURE_2D);
        return;
    }
    if (opaque) {
        device().setBlendState(true);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    if ((g_qel->debugLevel & DEBUG_HIGHLIGHT) != 0) {
        fillColor(*this, UColor::fromWord(0x40FFFFFF));
        draw(nullptr, TRIANGLE_STRIP, first, count);
        fillColor(*this, UColor::fromWord(0xFFFFFFFF));
    }
    if ((g_qel->debugLevel & DEBUG_OUTLINE) != 0) {
        draw(nullptr, LINE_STRIP, first, count);
    }
}

void drawWorldVertices(VertexBuffer& buffer, int primitive)
{
    buffer.commit();
    device().loadIdentity();
    buffer.draw(nullptr, primitive, 0, -1);
}
