#pragma once
// A screen whose camera is a CameraBlender, so that it can glide between
// viewpoints (the shared menu background).
#include "engine/Context.h"

class CameraBlender;

class ContextBlender : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextBlender();
    ~ContextBlender() override = default;

    CameraBlender* blender() const;
};
