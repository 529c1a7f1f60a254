#include "effects/ContextBlender.h"

#include "effects/CameraBlender.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextBlender, Context::runtimeClass(), QEL_CREATOR(ContextBlender));
QEL_TRAVELS(ContextBlender);

ContextBlender::ContextBlender()
{
    delete camera;
    camera = new CameraBlender();
}

CameraBlender* ContextBlender::blender() const { return static_cast<CameraBlender*>(camera); }
