#include "context/ContextPost.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextPost, Context::runtimeClass(), QEL_CREATOR(ContextPost));
