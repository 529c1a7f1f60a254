#include "engine/Context.h"

#include "engine/Qel.h"
#include "graphics/Camera.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Context, QelBase::runtimeClass(), QEL_CREATOR(Context));
QEL_TRAVELS(Context);

Context::Context()
    : camera(new Camera())
{
}

Context::~Context()
{
    delete camera;
    camera = nullptr;
}

void Context::updateMouseWorld()
{
    if (camera == nullptr) {
        return;
    }
    V3 mouse = g_qel->input != nullptr ? g_qel->input->mousePosition : V3();
    mouseWorldPrev = mouseWorld;
    mouseWorld = camera->screen2world(mouse.x, mouse.y, 0.0f);
    mouseWorldDelta = mouseWorld - mouseWorldPrev;
}

V3 Context::worldFromContext(const Context* other, V3 p) const
{
    if (other == nullptr || other->camera == nullptr || camera == nullptr) {
        return p;
    }
    V3 screen = other->camera->world2screen(p.x, p.y, p.z);
    return camera->screen2world(screen.x, screen.y, screen.z);
}

void Context::update(double, double)
{
    if (preObject != nullptr) {
        preObject->update(time, frameDelta);
    }
    Context* previous = g_qel->currentContext;
    g_qel->currentContext = this;

    frameDelta = g_qel->getFrameDelta();
    if (frameDelta > g_qel->maxFrameDuration) {
        frameDelta = g_qel->maxFrameDuration;
    }
    frameDelta *= timeScale;
    time += frameDelta;
    if (timeLimit != 0.0 && time > timeLimit) {
        bFinished = 1;
    }
    if (camera != nullptr) {
        camera->update(time, frameDelta);
        updateMouseWorld();
    }
    tickContents(time, frameDelta);
    if (camera != nullptr) {
        camera->postUpdate(time, frameDelta);
    }

    g_qel->currentContext = previous;
    if (postObject != nullptr) {
        postObject->update(time, frameDelta);
    }
}

void Context::render()
{
    if (preObject != nullptr) {
        preObject->render();
    }
    Context* previous = g_qel->currentContext;
    g_qel->currentContext = this;

    QelGraphics* graphics = g_qel->graphics;
    if (clearColor.toWord() != 0 && graphics != nullptr) {
        graphics->clear(clearColor);
    }
    float projection[16];
    if (graphics != nullptr) {
        graphics->getProjectionMatrix(projection);
    }
    if (camera != nullptr) {
        camera->render();
    }
    renderContents();
    if (graphics != nullptr) {
        graphics->loadProjectionMatrix(projection);
    }

    g_qel->currentContext = previous;
    if (postObject != nullptr) {
        postObject->render();
    }
}
