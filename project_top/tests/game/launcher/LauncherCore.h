#pragma once
// The live game in play with its launcher on a test level of two launcher
// spots, driven by the engine's own input: the pointer is put at a scene
// point, buttons and keys go through SDL events, and each frame the input
// takes them before the game ticks (1/60 s frames, as in StockCore).
#include <SDL.h>

#include "game/launcher/Claw.h"
#include "game/launcher/Launcher.h"
#include "game/train/StockCore.h"
#include "graphics/Camera.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "support/InputScript.h"

class LauncherCore : public StockCore {
public:
    static constexpr float SPOT_Y = -250.0f;

    explicit LauncherCore(const std::string& settings = "") : StockCore(settings), input(qel->input)
    {
        QelInput* in = qel->input;
        in->bTrackMouse = true;
        in->bTrackKeyboard = true;
        in->mouseGrabbed = true;
        in->mouseRange[0] = 0.0f;
        in->mouseRange[1] = 0.0f;
        in->mouseRange[2] = float(graphics->fovWidth);
        in->mouseRange[3] = float(graphics->fovHeight);
        game->driveForce = game->driveForceAtTunnel = 0.0f;
        launcher = game->launcher;
        level->launcherPositions = {V3(0.0f, SPOT_Y, 0.0f), V3(300.0f, SPOT_Y, 0.0f)};
        launcher->reset();
        launcher->setActive(true);
        pointAt(V3(0.0f, 200.0f, 0.0f));
        tick();
    }

    // The pointer over the scene point.
    void pointAt(V3 world)
    {
        const V3 screen = game->sceneLayer->camera->world2screen(world.x, world.y, 0.0f);
        qel->input->mousePosition = V3(screen.x, screen.y, 0.0f);
    }
    // One frame with the input taken first.
    void tick()
    {
        input.frame();
        step();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            tick();
        }
    }
    // A button pressed for one frame and released in the next.
    void click(int button)
    {
        input.buttonDown(button);
        tick();
        input.buttonUp(button);
        tick();
    }
    Cargo* front() const { return firstLive<Cargo>(launcher->queue); }
    int queued() const { return countLive<Cargo>(launcher->queue); }
    std::vector<Cargo*> flying() const
    {
        std::vector<Cargo*> pieces;
        forEachLive<Cargo>(*game->pieceLayer, [&pieces](Cargo* piece) { pieces.push_back(piece); });
        return pieces;
    }
    std::vector<float> ratiosOf(const std::string& sound) const
    {
        std::vector<float> ratios;
        for (const Played& p : played) {
            if (p.sound == sound) {
                ratios.push_back(p.ratio);
            }
        }
        return ratios;
    }

    InputScript input;
    Launcher* launcher = nullptr;
};
