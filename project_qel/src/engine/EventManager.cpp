#include "engine/EventManager.h"

#include "engine/Qel.h"
#include "input/KeyCodes.h"
#include "input/QelInput.h"
#include "net/NetRole.h"

EventManager::EventManager() = default;

EventManager::~EventManager()
{
    hover.set(nullptr);
    focus.set(nullptr);
    role.set(nullptr);
}

void EventManager::sendEvent(Event* e, QelBase* target)
{
    deliverEvent(e, target, this);
}

void EventManager::post(int type, QelBase* sender, QelBase* target)
{
    Event e;
    e.type = type;
    e.sender = sender;
    sendEvent(&e, target != nullptr ? target : sender);
}

void EventManager::setFocus(QelBase* object)
{
    QelBase* old = focus.get();
    if (old == object) {
        return;
    }
    if (old != nullptr) {
        Event lost;
        lost.type = EVENT_FOCUS_LOST;
        lost.sender = this;
        lost.other = object;
        sendEvent(&lost, old);
    }
    focus.set(object);
    if (focus.get() != nullptr) {
        post(EVENT_FOCUS_GAINED, this, focus.get());
    }
}

bool EventManager::focusIsWithin(const QelBase* object) const
{
    for (const QelBase* node = focus.get(); node != nullptr; node = node->getParent()) {
        if (node == object) {
            return true;
        }
    }
    return false;
}

void EventManager::deliver(int type)
{
    post(type, this, focus.get());
}

void EventManager::update(QelBase* root)
{
    QelInput* input = g_qel != nullptr ? g_qel->input : nullptr;
    if (input == nullptr) {
        return;
    }
    if (role.get() != nullptr) {
        NetRole::makeCurrent(role.get());
    }
    int n = input->keys[DIK_TAB] ? 1 : 0;
    hover.set(root != nullptr ? root->pick(&n) : nullptr);

    QelBase* current = focus.get();
    if (current != nullptr && (current->bSkip || current->isDisabled())) {
        setFocus(nullptr);
    }

    bool pressed = input->mouseButtons[0] && !input->mouseButtonsBefore[0];
    if (pressed) {
        pressPosition = input->mousePosition;
        QelBase* under = hover.get();
        if (under != focus.get() && (under == nullptr || !under->isDisabled())) {
            setFocus(under);
        }
        V3 d = input->mousePosition - pressPosition;
        if (d.dot(d) < 4.0f) {
            deliver(EVENT_CLICK);
        }
    }
    const V3& moved = input->mouseDelta;
    if (moved.x != 0.0f || moved.y != 0.0f || moved.z != 0.0f) {
        deliver(EVENT_MOUSE_MOVED);
        if (input->mouseButtons[0]) {
            deliver(EVENT_DRAG);
        }
    }
    if (input->getRepeatedKey() != 0) {
        deliver(EVENT_KEY);
    }
    NetRole::makeCurrent(nullptr);
}
