#pragma once
// A sprite drawn in depth order by the game's DepthManager and never by the
// object tree: it may sit anywhere in the tree (a car under its train, a
// scenery layer under its level), and the tree's render pass passes it by.
// It registers with the manager when made and unregisters when deleted,
// unless the manager has gone first.
#include "graphics/Renderable.h"

class DepthManager;

class RenderableDepth : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Registers with the live game's manager; a game must be running.
    RenderableDepth();
    // Registers with the given manager, which must exist.
    explicit RenderableDepth(DepthManager* manager);
    ~RenderableDepth() override;

    // Draws nothing: only the manager draws this object.
    void render() override;
    // Draws the object as a plain Renderable does.
    virtual void renderDepth();

    // Where along its track the object rides.
    float lambda = 0.0f;
    // Larger is farther and draws earlier.
    float depth = 0.0f;
    DepthManager* depthManager;
};
