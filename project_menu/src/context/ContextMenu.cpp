#include "context/ContextMenu.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextMenu, Context::runtimeClass(), QEL_CREATOR(ContextMenu));
