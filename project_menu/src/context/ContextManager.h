#pragma once
// The screen stack, the root screen that the engine ticks and draws. Its
// children are the running screens: the first the bottom, the last the
// active one. It activates and deactivates screens as the top changes, pops
// finished ones from the top, closes or asks on Escape, skips skippable
// screens, draws the pointer and the fader over every screen and raises
// bQuit when no screen is left.
#include "engine/Context.h"

class MousePointer;
class RadialFader;

class ContextManager : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // The image "mousePointer" must be registered.
    ContextManager();
    // Deletes both holders, then every screen still on the stack.
    ~ContextManager() override;

    // Clears the screen's bFinished and pushes it; it becomes active at the
    // next tick.
    void add(Context* screen);
    // Pushes a new screen of the named class, made through the class
    // registry; false, and nothing pushed, when the program has no screen of
    // that name with a creator.
    bool addNew(const char* className);
    // Whether addNew can make a screen of the named class.
    static bool canCreate(const char* className);
    // The top screen (also when it has just finished), or null.
    Context* getActive() const;

    // Only the top screen can be picked.
    QelBase* pick(int* n) override;
    void tickContents(double time, double dt) override;
    void renderContents() override;
    // What the frame-rate readout prints.
    UString frameRateText() const;

    bool bQuit = false;
    // Plain screens holding the shared pointer and the fader.
    Context* pointerHolder = nullptr;
    Context* faderHolder = nullptr;
    MousePointer* mousePointer = nullptr;
    RadialFader* fader = nullptr;
    // The screen active after the previous tick; null after any pop.
    Context* lastActive = nullptr;
    Context* active = nullptr;
    // The frame rate reached (frames that ended per second), refreshed
    // eight times a second while the readout shows.
    float shownFrameRate = 0.0f;
    double nextFrameRateUpdate = 0.0;
    // Answer slot of the quit confirmation.
    int dialogAnswer = -1;

private:
    void popFinished();
    void activateTop();
    void applyCloseInputs();
    void askBeforeClosing();
    void drawFrameRate();
    void drawFrameGraph();
};
