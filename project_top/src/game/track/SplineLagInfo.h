#pragma once
// For one path and one chord length L: at every table entry of the path,
// the lambda of the point that lies the straight-line distance L behind it.
// A car of fixed length finds its rear from its front with it, so that it
// follows curves as a rigid chord. Where the path behind an entry is
// shorter than L the answer is 0, the start of the path.
//
// Built once right after construction over a built path, then only read.
// It holds the path by a plain pointer and must not outlive its owner.
#include <vector>

#include "object/QelBase.h"

class SplineLambda;

class SplineLagInfo : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    SplineLagInfo(SplineLambda* spline, float lag);
    ~SplineLagInfo() override = default;

    virtual void build();
    // The lambda `lag` behind the given one, interpolated between entries;
    // 0 before build().
    float getLag(float lambda) const;

    SplineLambda* spline;
    float lag;
    std::vector<float> lagTable;
};
