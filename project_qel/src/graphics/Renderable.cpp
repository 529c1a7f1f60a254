#include "graphics/Renderable.h"

#include <SDL_opengl.h>

#include <cmath>

#include "engine/Context.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/QelGraphics.h"
#include "graphics/Skin.h"
#include "graphics/VertexBuffer.h"
#include "math/VectorMath.h"
#include "net/Packet.h"
#include "property/PropertyContainer.h"
#include "property/PropertyFloat.h"
#include "property/PropertyPointer.h"
#include "property/PropertyUColor.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Renderable, QelBase::runtimeClass(), QEL_CREATOR(Renderable));
QEL_TRAVELS(Renderable);

namespace {

constexpr u32 DEBUG_OUTLINE = 0x08;
constexpr u32 DEBUG_COLLISION = 0x10;
constexpr u32 DEBUG_BOUNDS = 0x20;
constexpr u32 DEBUG_HIGHLIGHT = 0x40;
constexpr u32 DEBUG_UPDATED = 0x80;
constexpr double DEGREES_PER_RADIAN = 57.29577951308232;
constexpr int CIRCLE_VERTICES = 64;

bool differsFromOne(V3 v)
{
    return v.x != 1.0f || v.y != 1.0f || v.z != 1.0f;
}

PropertyContainer* vectorProperty(const char* name, V3* v)
{
    auto* container = new PropertyContainer(name, 0);
    container->addChildBack(new PropertyFloat("x", 0, &v->x));
    container->addChildBack(new PropertyFloat("y", 0, &v->y));
    container->addChildBack(new PropertyFloat("z", 0, &v->z));
    return container;
}

// Vertex k of a dashed circle: angle k * 6.28 / 64.
V3 circlePoint(V3 centre, float radius, int k, float z)
{
    const float angle = static_cast<float>(k) * 6.28f * 0.015625f;
    return V3(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), z);
}

void setVertex(Vertex& v, V3 p, UColor c)
{
    v = Vertex{0.0f, 0.0f, c, p.x, p.y, p.z};
}

} // namespace

Renderable::Renderable()
{
    matrixIdentity(xform);
    matrixIdentity(invXform);
    matrixIdentity(postXform);
}

Renderable::~Renderable()
{
    if (bOwnsSkin && pSkin != nullptr) {
        pSkin->deleteMe();
        pSkin = nullptr;
    }
}

void Renderable::deleteSkin()
{
    if (pSkin != nullptr) {
        pSkin->deleteMe();
        pSkin = nullptr;
    }
}

void Renderable::setPlacement(Skin* skin, const V3* newPosition, const V3* newRotation,
                              const V3* newScale)
{
    if (skin != nullptr) {
        pSkin = skin;
    }
    if (newPosition != nullptr) {
        position = *newPosition;
    }
    if (newRotation != nullptr) {
        rotation = *newRotation;
    }
    if (newScale != nullptr) {
        scale = *newScale;
    }
    updateXform();
}

void Renderable::setScaleXY(float s)
{
    scale.x = s;
    scale.y = s;
    updateXform();
}

void Renderable::setPostScale(V3 s)
{
    postScale = s;
    updateXform();
}

V3& Renderable::getPostScale()
{
    return postScale;
}

void Renderable::setPostScaleXY(float s)
{
    postScale.x = s;
    postScale.y = s;
    updateXform();
}

void Renderable::setPostXform(Matrix& m)
{
    postXform = m;
    updateXform();
}

void Renderable::updateXform()
{
    ++g_qel->statUpdateVisuals;
    lastUpdateFrame = g_qel->frameNumber;
    calcXform();
    calcBounds();
}

void Renderable::applyTextureMode()
{
    const bool opaqueWhite = color == UColor::fromWord(0xFFFFFFFF);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, opaqueWhite ? GL_REPLACE : GL_MODULATE);
}

void Renderable::applyTransform(Matrix& m)
{
    matrixTranslate(m, position);
    if (differsFromOne(postScale)) {
        matrixScale(m, V3(postScale.x, postScale.y, postScale.x));
    }
    const float angles[3] = {rotation.x, rotation.y, rotation.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (angles[axis] != 0.0f) {
            const auto degrees = static_cast<float>(angles[axis] * DEGREES_PER_RADIAN);
            matrixRotateAxis(m, degrees, axis);
        }
    }
    if (differsFromOne(scale)) {
        matrixScale(m, V3(scale.x, scale.y, scale.x));
    }
}

void Renderable::calcXform()
{
    Matrix m = postXform;
    applyTransform(m);
    if (pSkin != nullptr) {
        pSkin->applyOrigin(m);
    }
    xform = m;
    if (bHasInvXform) {
        ++g_qel->statInvXforms;
        // A singular matrix (an object scaled to 0) has no local points:
        // the object then contains none instead of ending the program.
        bInvXformValid = matrixInverse(invXform, xform);
        if (!bInvXformValid) {
            invXform = Matrix{};
        }
    }
}

void Renderable::calcBounds()
{
    if (bSkipVisibility) {
        return;
    }
    boundsCenter = local2world(V3());
    if (pSkin != nullptr) {
        const V3 corner = transformPoint(pSkin->getHalfSize(), xform);
        const V3 d = corner - boundsCenter;
        boundsRadius = std::sqrt(d.dot(d));
    }
}

bool Renderable::isInView(const ViewRect& view) const
{
    const float cx = boundsCenter.x;
    const float cy = boundsCenter.y;
    const float r = boundsRadius;
    return !(view.left > cx + r || cx - r > view.right || cy - r > view.top || view.bottom > cy + r);
}

void Renderable::calcVisibility()
{
    // Drawn outside any screen (a tool, a test): there is no view to leave.
    const Context* context = g_qel->currentContext;
    const Camera* camera = context != nullptr ? context->camera : nullptr;
    if (bSkipVisibility || camera == nullptr) {
        bVisible = 1;
        return;
    }
    bVisible = isInView(camera->getViewRect(boundsCenter.z)) ? 1 : 0;
}

V3 Renderable::local2world(V3 p)
{
    if (pSkin != nullptr) {
        p = pSkin->local2world(p);
    }
    return transformPoint(p, xform);
}

V3 Renderable::world2local(V3 p)
{
    QEL_ASSERT(bHasInvXform);
    p = transformPoint(p, invXform);
    if (pSkin != nullptr) {
        p = pSkin->world2local(p);
    }
    return p;
}

bool Renderable::isPointInsideSkin(V3 p)
{
    if (pSkin == nullptr || (bHasInvXform && !bInvXformValid)) {
        return false;
    }
    const V3 local = world2local(p);
    return pSkin->isPointInside(local.x, local.y);
}

bool Renderable::isPointInsideBounds(V3 p)
{
    QEL_ASSERT(!bSkipVisibility);
    return isWithinRadius(boundsCenter, p, boundsRadius);
}

bool Renderable::isPointInsideCollisionBounds(V3 p)
{
    QEL_ASSERT(!bSkipVisibility);
    return isWithinRadius(boundsCenter, p, boundsRadius * collisionSensitivity);
}

bool Renderable::collide(Renderable* other)
{
    QEL_ASSERT(!bSkipVisibility && !other->bSkipVisibility);
    ++g_qel->statCollisions;
    return isWithinRadius(boundsCenter, other->boundsCenter,
                          boundsRadius * collisionSensitivity +
                              other->boundsRadius * other->collisionSensitivity);
}

bool Renderable::boundsIntersecting(Renderable* other)
{
    QEL_ASSERT(!bSkipVisibility && !other->bSkipVisibility);
    return isWithinRadius(boundsCenter, other->boundsCenter, boundsRadius + other->boundsRadius);
}

bool Renderable::isMouseInside()
{
    if (bSkipVisibility || !bHasInvXform) {
        return false;
    }
    return isPointInsideSkin(findContext()->mouseWorld);
}

void Renderable::netDeriveState()
{
    updateXform();
}

void Renderable::addPropertiesTo(QelBase* container)
{
    QelBase::addPropertiesTo(container);
    container->addChildBack(new PropertyFloat("collisionSensitivity", 0, &collisionSensitivity));
    container->addChildBack(vectorProperty("position", &position));
    container->addChildBack(vectorProperty("rotation", &rotation));
    container->addChildBack(vectorProperty("scale", &scale));
    container->addChildBack(new PropertyUColor("color", 0, &color));
    if (!bOwnsSkin) {
        container->addChildBack(new PropertyPointer("pSkin", Property::RESOURCE,
                                                    reinterpret_cast<void**>(&pSkin),
                                                    Skin::runtimeClass()));
    }
}

void Renderable::render()
{
    if (bHidden) {
        return;
    }
    calcVisibility();
    ++g_qel->statRenderables;
    if (!bVisible) {
        return;
    }
    ++g_qel->statRenderablesVisible;
    applyTextureMode();

    const int savedDebugLevel = g_qel->debugLevel;
    u32 debugLevel = static_cast<u32>(savedDebugLevel);
    if ((debugLevel & DEBUG_UPDATED) != 0 && lastUpdateFrame == g_qel->frameNumber) {
        debugLevel |= DEBUG_HIGHLIGHT;
    }
    if (!g_qel->bDebugLocked) {
        if (isHovered()) {
            debugLevel |= DEBUG_COLLISION | DEBUG_HIGHLIGHT;
        }
        if (hasFocus()) {
            debugLevel |= DEBUG_OUTLINE;
        }
    }
    g_qel->debugLevel = static_cast<int>(debugLevel);

    QEL_ASSERT(g_qel->graphics != nullptr);
    g_qel->graphics->loadMatrix(xform.m);
    if (pSkin != nullptr) {
        pSkin->draw(this);
    }
    if (!bSkipVisibility) {
        drawDebugCircles(debugLevel);
    }
    g_qel->debugLevel = savedDebugLevel;
}

void Renderable::drawDebugCircles(u32 debugLevel)
{
    if ((debugLevel & DEBUG_COLLISION) != 0) {
        VertexBuffer circle(CIRCLE_VERTICES);
        const UColor red(255, 0, 0, static_cast<u8>(color.a >> 1));
        for (int k = 1; k <= CIRCLE_VERTICES; ++k) {
            setVertex(circle.vertices[k - 1],
                      circlePoint(boundsCenter, boundsRadius * collisionSensitivity, k, position.z), red);
        }
        drawWorldVertices(circle, VertexBuffer::LINES);
    }
    if ((debugLevel & DEBUG_BOUNDS) != 0) {
        VertexBuffer circle(CIRCLE_VERTICES + 4);
        UColor faded = color;
        faded.a = static_cast<u8>(color.a >> 1);
        for (int k = 0; k < CIRCLE_VERTICES; ++k) {
            setVertex(circle.vertices[k], circlePoint(boundsCenter, boundsRadius, k, position.z), faded);
        }
        const UColor cross = UColor::fromWord(0x80FFFFFF);
        const float x = position.x;
        const float y = position.y;
        const float z = position.z;
        setVertex(circle.vertices[64], V3(x - 3.0f, y - 3.0f, z), cross);
        setVertex(circle.vertices[65], V3(x + 3.0f, y + 3.0f, z), cross);
        setVertex(circle.vertices[66], V3(x - 3.0f, y + 3.0f, z), cross);
        setVertex(circle.vertices[67], V3(x + 3.0f, y - 3.0f, z), cross);
        drawWorldVertices(circle, VertexBuffer::LINES);
    }
}
