#include "game/depth/DepthManager.h"

#include <algorithm>
#include <utility>

#include "engine/QelAssert.h"
#include "game/depth/RenderableDepth.h"

QEL_IMPLEMENT_RUNTIME_CLASS(DepthManager, QelBase::runtimeClass(), QEL_CREATOR(DepthManager));

DepthManager::DepthManager() = default;

DepthManager::~DepthManager()
{
    for (RenderableDepth* object : depthList) {
        object->depthManager = nullptr;
    }
}

void DepthManager::addDepth(RenderableDepth* object)
{
    depthList.push_back(object);
}

void DepthManager::removeDepth(RenderableDepth* object)
{
    const auto found = std::find(depthList.begin(), depthList.end(), object);
    if (found == depthList.end()) {
        QEL_FATAL("Request to remove depth not present in list.");
    }
    depthList.erase(found);
}

void DepthManager::update(double, double)
{
    // From frame to frame the list is nearly sorted: a stable bubble sort
    // settles it in a pass or two.
    if (depthList.size() < 2) {
        return;
    }
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t i = 0; i + 1 < depthList.size(); ++i) {
            if (depthList[i + 1]->depth > depthList[i]->depth) {
                std::swap(depthList[i], depthList[i + 1]);
                swapped = true;
            }
        }
    }
}

void DepthManager::render()
{
    for (size_t i = 0; i < depthList.size(); ++i) {
        depthList[i]->renderDepth();
    }
}
