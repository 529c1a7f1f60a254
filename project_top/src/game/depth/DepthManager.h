#pragma once
// Draws the objects whose order depends on their depth: every
// RenderableDepth of the running game registers here, and each frame the
// list is sorted far to near (larger depth first) and drawn in that order.
// Equal depths keep the order in which they were added, so a later object
// draws over an earlier one. An object added during a frame draws last
// until the next update sorts it in.
//
// The manager does not own the objects. When it goes first it tells every
// listed object, so that objects deleted later do not call back. Removing
// an object that is not listed is a fatal error.
#include <vector>

#include "object/QelBase.h"

class RenderableDepth;

class DepthManager : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    DepthManager();
    ~DepthManager() override;

    void addDepth(RenderableDepth* object);
    void removeDepth(RenderableDepth* object);
    // Sorts the list; nothing else.
    void update(double time, double dt) override;
    // Draws the list in its order.
    void render() override;

    std::vector<RenderableDepth*> depthList;
};
