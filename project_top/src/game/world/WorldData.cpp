#include "game/world/WorldData.h"

#include <cmath>
#include <numbers>

#include "engine/Context.h"
#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/effects/Firework.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "graphics/FontQuad.h"
#include "input/QelInput.h"

namespace {

const UColor WHITE = UColor::fromWord(0xFFFFFFFF);
// Print flag: centred on the point.
constexpr int CENTRED = 4;

} // namespace

WorldData::WorldData()
{
    setPlacement(gameFrame("worldMapMarkers", 1), nullptr, nullptr, nullptr);
}

void WorldData::update(double time, double dt)
{
    bUnlocked = WorldManager::currentProfile().bestLevel >= firstLevel;
    if (bUnlocked) {
        // The map layer is the screen being updated: its mouse is in the
        // stations' coordinates.
        const Context* screen = g_qel->currentContext;
        if (screen == nullptr || !isPointInsideBounds(screen->mouseWorld)) {
            setScaleXY(1.0f);
        } else {
            const QelInput* input = g_qel->input;
            WorldManager* map = MyGlobal::instance()->pWorldManager;
            if (input != nullptr && input->isMouseButtonPressed() && map != nullptr) {
                map->selectWorld(firstLevel);
            }
            if (detailOn()) {
                sparkTimer += dt;
                if (sparkTimer >= sparkInterval) {
                    sparkTimer = 0.0;
                    addChildBack(new Firework(position.x, position.y, position.z, 5, 50.0f, 55.0f, 0.0f,
                                              2.0f * std::numbers::pi_v<float>, 1.0f, WHITE));
                }
            }
            setScaleXY(1.0f + PULSE * std::sin(PULSE_RATE * float(time)));
        }
    }
    QelBase::update(time, dt);
}

void WorldData::render()
{
    QelBase::render();
    Renderable::render();
    if (bUnlocked || bLastWorld) {
        g_global->fontMedium->printAt(position.x, position.y - NAME_DROP, position.z, WHITE, CENTRED, name);
    }
}
