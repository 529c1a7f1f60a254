#pragma once
// A player for tests that must play a level through the launcher: it reads
// the live game as a player reads the screen and answers through the
// engine's input, never touching the game's objects.
//
// Each frame, before the input is taken, it puts the pointer over the open
// dock in sight that takes the launcher's front piece, aimed ahead of the
// dock by its motion and with no other open dock on the way, and presses
// the shoot button for one frame when the launcher is ready. Only the
// pointer's direction from the launcher aims, so the pointer is put on that
// way where it stays inside the window and off the menu corner; a dock it
// cannot point at so is left for later. It sends the
// claw after wrong pieces and bonuses lying in docks, presses Space on a
// schedule to change launcher spots, and can shoot every n-th piece at a
// dock that does not take it. Its choices depend only on the game's state,
// so the same game and the same habits play the same way.
//
// The harness takes the input (`InputScript::frame`) and then runs the
// game's frame, as the program does.
#include <SDL.h>

#include <cmath>
#include <map>
#include <vector>

#include "engine/Qel.h"
#include "game/LiveChildren.h"
#include "game/cargo/Cargo.h"
#include "game/controller/GameController.h"
#include "game/dock/Dock.h"
#include "game/launcher/Claw.h"
#include "game/launcher/Launcher.h"
#include "game/level/Level.h"
#include "graphics/Camera.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "support/InputScript.h"

class ScriptedPlayer {
public:
    struct Habits {
        // Send the claw after a wrong piece or a bonus in a dock.
        bool pullWrongPieces = true;
        // Press Space every so many frames (0: never).
        int spotChangeEvery = 0;
        // Every n-th shot goes to a dock that does not take it (0: never).
        int wrongShotEvery = 0;
        // Frames between two presses of a button, as a quick hand.
        int pressInterval = 6;
    };

    explicit ScriptedPlayer(InputScript& script) : ScriptedPlayer(script, Habits()) {}
    ScriptedPlayer(InputScript& script, Habits chosen) : input(script), habits(chosen)
    {
        // The pointer is wherever the player puts it, within the window.
        QelInput* in = input.input;
        in->bTrackMouse = true;
        in->bTrackKeyboard = true;
        in->mouseGrabbed = true;
        in->mouseRange[0] = 0.0f;
        in->mouseRange[1] = 0.0f;
        in->mouseRange[2] = float(g_qel->graphics->fovWidth);
        in->mouseRange[3] = float(g_qel->graphics->fovHeight);
    }

    // This frame's pointer, buttons and keys.
    void act(GameController& game)
    {
        releaseHeld();
        ++frame;
        Launcher* launcher = game.launcher;
        if (launcher == nullptr || game.level == nullptr || game.state != GameController::STATE_PLAYING) {
            motion.clear();
            return;
        }
        const std::vector<Dock*> docks = visibleOpenDocks(game);
        if (habits.spotChangeEvery > 0 && frame % habits.spotChangeEvery == 0 &&
            launcher->claw->state == Claw::STATE_AT_REST && launcher->state != Launcher::STATE_OFF) {
            input.keyDown(SDLK_SPACE);
            keyHeld = true;
            ++spotChanges;
        } else if (frame - lastPress >= habits.pressInterval) {
            if (!pull(game, *launcher, docks)) {
                shoot(game, *launcher, docks);
            }
        }
        remember(docks);
    }

    int shots = 0;
    int pulls = 0;
    int spotChanges = 0;

private:
    static constexpr float NORMAL_SPEED = 640.0f;
    static constexpr float FAST_SPEED = 1000.0f;
    // A dock that moves further in one frame than this was not the dock
    // seen there the frame before.
    static constexpr float MOST_PER_FRAME = 40.0f;

    void releaseHeld()
    {
        if (buttonHeld != 0) {
            input.buttonUp(buttonHeld);
            buttonHeld = 0;
        }
        if (keyHeld) {
            input.keyUp(SDLK_SPACE);
            keyHeld = false;
        }
    }

    static std::vector<Dock*> visibleOpenDocks(GameController& game)
    {
        std::vector<Dock*> docks;
        const Camera* camera = game.sceneLayer->camera;
        const float w = float(g_qel->graphics->fovWidth);
        const float h = float(g_qel->graphics->fovHeight);
        for (Dock* dock : game.cargoPicker.openDocks) {
            const V3 c = dock->centre();
            const V3 s = camera->world2screen(c.x, c.y, 0.0f);
            if (!dock->hidden && s.x > 8.0f && s.x < w - 8.0f && s.y > 8.0f && s.y < h - 8.0f) {
                docks.push_back(dock);
            }
        }
        return docks;
    }

    // Sends the claw at a wrong piece or a bonus in sight.
    bool pull(GameController& game, Launcher& launcher, const std::vector<Dock*>& docks)
    {
        if (!habits.pullWrongPieces || launcher.claw->state != Claw::STATE_AT_REST ||
            (launcher.state != Launcher::STATE_LOADING && launcher.state != Launcher::STATE_READY)) {
            return false;
        }
        for (Dock* dock : docks) {
            if ((dock->holdsWrongCargo() || dock->holdsBonus()) &&
                pointAt(game, launcher.position, leadOf(dock, launcher.position, NORMAL_SPEED))) {
                press(SDL_BUTTON_RIGHT);
                ++pulls;
                return true;
            }
        }
        return false;
    }

    void shoot(GameController& game, Launcher& launcher, const std::vector<Dock*>& docks)
    {
        const Cargo* front = firstLive<Cargo>(launcher.queue);
        if (front == nullptr || launcher.state != Launcher::STATE_READY) {
            return;
        }
        const bool wrong = habits.wrongShotEvery > 0 && (shots + 1) % habits.wrongShotEvery == 0;
        const float factor = game.level->cameraFactor;
        const float speed = (launcher.fastShotTime > 0.0 ? FAST_SPEED : NORMAL_SPEED) * factor;
        Dock* best = nullptr;
        float bestDistance = 0.0f;
        V3 bestPoint;
        for (Dock* dock : docks) {
            if (!dock->isEmpty() || takes(*dock, front->type) == wrong) {
                continue;
            }
            const V3 target = leadOf(dock, launcher.position, speed);
            if (!clearWay(launcher.position, target, dock, docks) || !pointable(game, launcher.position, target)) {
                continue;
            }
            const float distance = length(target - launcher.position);
            if (best == nullptr || distance < bestDistance) {
                best = dock;
                bestDistance = distance;
                bestPoint = target;
            }
        }
        if (best == nullptr) {
            return;
        }
        pointAt(game, launcher.position, bestPoint);
        press(SDL_BUTTON_LEFT);
        ++shots;
    }

    static bool takes(const Dock& dock, i32 type)
    {
        return type == Cargo::TYPE_FIREBALL ? !dock.isFilled() : dock.accepts(type);
    }

    // Where the dock will be when a piece shot now reaches it.
    V3 leadOf(Dock* dock, V3 from, float speed) const
    {
        const V3 now = dock->centre();
        const V3 perFrame = velocityOf(dock);
        V3 target = now;
        for (int i = 0; i < 4; ++i) {
            const float frames = length(target - from) / speed * 60.0f;
            target = now + perFrame * frames;
        }
        return target;
    }

    V3 velocityOf(Dock* dock) const
    {
        const auto seen = motion.find(dock);
        if (seen == motion.end()) {
            return V3();
        }
        const V3 delta = dock->centre() - seen->second;
        return length(delta) > MOST_PER_FRAME ? V3() : delta;
    }

    // No other dock that would take a piece lies near the way.
    static bool clearWay(V3 from, V3 to, const Dock* target, const std::vector<Dock*>& docks)
    {
        const V3 way = to - from;
        const float span = length(way);
        if (span <= 0.0f) {
            return true;
        }
        const V3 along = way * (1.0f / span);
        for (const Dock* dock : docks) {
            if (dock == target || (!dock->isEmpty() && !dock->holdsBonus())) {
                continue;
            }
            const V3 d = dock->centre() - from;
            const float t = d.x * along.x + d.y * along.y;
            if (t < 0.0f || t > span) {
                continue;
            }
            const float off = std::fabs(d.x * along.y - d.y * along.x);
            if (off < dock->boundsRadius * 2.0f + 8.0f) {
                return false;
            }
        }
        return true;
    }

    // The pointer somewhere on the way from the launcher to the point, as
    // far out as the window allows: it cannot leave the window, and it
    // keeps off the menu corner, whose press opens the pause menu. False,
    // with the pointer left where it was, when no such place lies on the
    // way.
    bool pointAt(GameController& game, V3 from, V3 world)
    {
        V3& pointer = input.input->mousePosition;
        const V3 before = pointer;
        const float w = float(g_qel->graphics->fovWidth);
        const float h = float(g_qel->graphics->fovHeight);
        for (int tenths = 10; tenths >= 1; --tenths) {
            const V3 p = from + (world - from) * (float(tenths) / 10.0f);
            const V3 screen = game.sceneLayer->camera->world2screen(p.x, p.y, 0.0f);
            pointer = V3(screen.x, screen.y, 0.0f);
            const bool inside = screen.x >= 1.0f && screen.x <= w - 1.0f && screen.y >= 1.0f && screen.y <= h - 1.0f;
            if (inside && !game.isPointerOnMenuButton()) {
                return true;
            }
        }
        pointer = before;
        return false;
    }
    bool pointable(GameController& game, V3 from, V3 world)
    {
        const V3 before = input.input->mousePosition;
        const bool found = pointAt(game, from, world);
        input.input->mousePosition = before;
        return found;
    }

    void press(int button)
    {
        input.buttonDown(button);
        buttonHeld = button;
        lastPress = frame;
    }

    void remember(const std::vector<Dock*>& docks)
    {
        motion.clear();
        for (Dock* dock : docks) {
            motion[dock] = dock->centre();
        }
    }

    static float length(V3 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

    InputScript& input;
    Habits habits;
    int frame = 0;
    int lastPress = -1000;
    int buttonHeld = 0;
    bool keyHeld = false;
    // Where each dock in sight was last frame.
    std::map<const Dock*, V3> motion;
};
