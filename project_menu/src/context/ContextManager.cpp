#include "context/ContextManager.h"

#include "context/ContextDialog.h"
#include "engine/EventManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "engine/TimeKeeper.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/VertexBuffer.h"
#include "gui/MousePointer.h"
#include "gui/RadialFader.h"
#include "input/QelInput.h"
#include "language/Language.h"
#include "object/RuntimeClassManager.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextManager, Context::runtimeClass(), QEL_NO_CREATOR);

namespace {

// The debug level's flag for the graph of recent frame rates.
constexpr int DEBUG_FRAME_GRAPH = 4;
// Seconds between two refreshes of the frame-rate readout.
constexpr double FRAME_RATE_REFRESH = 0.125;

// Down in this frame and up in the previous one.
bool wentDown(const QelInput* input, int key)
{
    return input != nullptr && input->keyWentDown(key);
}

void clearFocus()
{
    if (g_qel->eventManager != nullptr) {
        g_qel->eventManager->setFocus(nullptr);
    }
}

} // namespace

ContextManager::ContextManager()
    : pointerHolder(new Context())
    , faderHolder(new Context())
    , mousePointer(new MousePointer())
    , fader(new RadialFader())
{
    pointerHolder->addChildBack(mousePointer);
    faderHolder->addChildBack(fader);
}

ContextManager::~ContextManager()
{
    delete pointerHolder;
    pointerHolder = nullptr;
    delete faderHolder;
    faderHolder = nullptr;
    mousePointer = nullptr;
    fader = nullptr;
}

void ContextManager::add(Context* screen)
{
    screen->bFinished = 0;
    addChildBack(screen);
}

namespace {

const RuntimeClass* screenClass(const char* className)
{
    const RuntimeClass* record = RuntimeClassManager::getInstance()->findByName(UString(className));
    if (record == nullptr || record->creator == nullptr || !record->isDerivedFrom(Context::runtimeClass())) {
        return nullptr;
    }
    return record;
}

} // namespace

bool ContextManager::canCreate(const char* className)
{
    return screenClass(className) != nullptr;
}

bool ContextManager::addNew(const char* className)
{
    const RuntimeClass* record = screenClass(className);
    Context* screen = record != nullptr ? record->createAs<Context>() : nullptr;
    if (screen == nullptr) {
        return false;
    }
    add(screen);
    return true;
}

Context* ContextManager::getActive() const
{
    return static_cast<Context*>(lastChild);
}

QelBase* ContextManager::pick(int* n)
{
    Context* top = getActive();
    return top != nullptr ? top->pick(n) : nullptr;
}

void ContextManager::popFinished()
{
    for (Context* top = getActive(); top != nullptr && top->bFinished; top = getActive()) {
        removeChild(top);
        top->deactivate(true);
        clearFocus();
        lastActive = nullptr;
        if (top->bDeleteWhenFinished) {
            delete top;
        }
    }
}

void ContextManager::activateTop()
{
    active = getActive();
    if (active == lastActive) {
        return;
    }
    if (lastActive != nullptr) {
        lastActive->deactivate(false);
    }
    clearFocus();
    active->activate(active->bFirstActivation != 0);
    active->bFirstActivation = 0;
    // The iris opens on every change of screen.
    fader->targetAmount = 0.0f;
    lastActive = active;
}

void ContextManager::askBeforeClosing()
{
    const Language* language = g_qel->language;
    auto* dialog = new ContextDialog();
    dialog->text = language->getText(Language::CONFIRM);
    dialog->buttonAText = language->getText(Language::YES);
    dialog->buttonBText = language->getText(Language::NO);
    dialog->answer = &dialogAnswer;
    dialog->build();
    add(dialog);
}

void ContextManager::applyCloseInputs()
{
    if (!active->bEscapeCloses) {
        return;
    }
    const QelInput* input = g_qel->input;
    if (wentDown(input, DIK_ESCAPE)) {
        if (active->bConfirmEscape) {
            askBeforeClosing();
        } else {
            active->bFinished = 1;
        }
    }
    if (active->bSkippable) {
        const SettingsRecord::KeyBinding& skip = g_global->settings.keyBindings[SettingsRecord::SKIP_BINDING];
        if (wentDown(input, skip.key) || wentDown(input, skip.alternative) ||
            (input != nullptr && input->isMouseButtonPressed())) {
            active->bFinished = 1;
        }
    }
}

void ContextManager::tickContents(double time, double dt)
{
    popFinished();
    if (lastChild == nullptr) {
        active = nullptr;
        bQuit = true;
        return;
    }
    activateTop();
    if (g_qel->input != nullptr) {
        g_qel->input->releaseGrabAtEdge = active->bShowPointer != 0;
    }
    if (active->pointerObject != nullptr) {
        active->pointerObject->update(time, dt);
    }
    pointerHolder->tick(time, dt);
    faderHolder->tick(time, dt);
    active->tick(time, dt);
    applyCloseInputs();
    if (dialogAnswer == 0) {
        // The confirmation was answered yes: the screen that asked closes.
        if (active->prev != nullptr) {
            static_cast<Context*>(active->prev)->bFinished = 1;
        }
        dialogAnswer = -1;
    }
}

void ContextManager::renderContents()
{
    Context* top = getActive();
    if (top == nullptr) {
        return;
    }
    top->draw();
    if (top->bShowPointer) {
        if (top->pointerObject != nullptr) {
            top->pointerObject->render();
        } else {
            pointerHolder->draw();
        }
    }
    faderHolder->draw();
    if (!top->bHideFrameRate && g_global->settings.showFps) {
        drawFrameRate();
    }
    if (g_qel->debugLevel & DEBUG_FRAME_GRAPH) {
        drawFrameGraph();
    }
}

void ContextManager::drawFrameRate()
{
    const QelGraphics* graphics = g_qel->graphics;
    FontQuad* font = g_global->fontSmall;
    if (graphics == nullptr || font == nullptr || g_qel->timeKeeper == nullptr) {
        return;
    }
    const double now = g_qel->timeKeeper->getTime();
    if (now > nextFrameRateUpdate) {
        nextFrameRateUpdate = now + FRAME_RATE_REFRESH;
        shownFrameRate = float(g_qel->forcedFps);
    }
    font->printAt(float(graphics->fovWidth / 2 - 2), float(graphics->fovHeight / 2 - 2), 0.0f,
                  UColor(255, 255, 255, 255), 0x88, frameRateText());
}

UString ContextManager::frameRateText() const
{
    return formatString("%.1lf", double(shownFrameRate));
}

void ContextManager::drawFrameGraph()
{
    const QelGraphics* graphics = g_qel->graphics;
    if (graphics == nullptr) {
        return;
    }
    const int halfW = graphics->fovWidth / 2;
    const int halfH = graphics->fovHeight / 2;
    VertexBuffer graph(Qel::FPS_HISTORY);
    for (int i = 0; i < Qel::FPS_HISTORY; ++i) {
        int slot = (g_qel->frameNumber - i) % Qel::FPS_HISTORY;
        if (slot < 0) {
            slot += Qel::FPS_HISTORY;
        }
        const int sample = g_qel->fpsHistory[slot];
        Vertex& v = graph.vertices[i];
        v = Vertex();
        v.x = float(halfW - i);
        v.y = float(-halfH + sample / 4);
        v.color = sample < 31 ? UColor(0x80, 0, 0, 0xff)
                  : sample <= 60 ? UColor(0xc0, 0xc0, 0, 0xff)
                                 : UColor(0, 0x80, 0, 0xff);
    }
    drawWorldVertices(graph, VertexBuffer::LINE_STRIP);

    VertexBuffer target(2);
    const float y = float(-halfH + g_global->settings.maxFps / 4);
    for (int i = 0; i < 2; ++i) {
        target.vertices[i] = Vertex();
        target.vertices[i].color = UColor(0xff, 0, 0, 0xff);
        target.vertices[i].y = y;
    }
    target.vertices[0].x = float(halfW - Qel::FPS_HISTORY);
    target.vertices[1].x = float(halfW);
    drawWorldVertices(target, VertexBuffer::LINES);
}
