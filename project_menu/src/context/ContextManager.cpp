#include "context/ContextManager.h"

#include "context/ContextDialog.h"
#include "engine/EventManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "input/QelInput.h"
#include "language/Language.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextManager, Context::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Down in this frame and up in the previous one.
bool wentDown(const QelInput* input, int key)
{
    return input != nullptr && key >= 0 && key < KEY_SLOTS && input->keys[key] && !input->keysBefore[key];
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
{
}

ContextManager::~ContextManager()
{
    delete pointerHolder;
    pointerHolder = nullptr;
    delete faderHolder;
    faderHolder = nullptr;
}

void ContextManager::add(Context* screen)
{
    screen->bFinished = 0;
    addChildBack(screen);
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
}
