#include "game/track/SplineLagInfo.h"

#include <algorithm>
#include <cmath>

#include "game/track/SplineLambda.h"

QEL_IMPLEMENT_RUNTIME_CLASS(SplineLagInfo, QelBase::runtimeClass(), QEL_NO_CREATOR);

SplineLagInfo::SplineLagInfo(SplineLambda* path, float chord)
    : spline(path), lag(chord)
{
}

void SplineLagInfo::build()
{
    const std::vector<V3>& table = spline->tablePoints;
    const float s = spline->spacing;
    const float limit2 = lag * lag;
    const int n = int(table.size());
    lagTable.assign(size_t(n), 0.0f);
    for (int i = 0; i < n; ++i) {
        const V3 from = table[size_t(i)];
        float prev2 = 0.0f;
        int j = i;
        float d2 = 0.0f;
        for (; j >= 0; --j) {
            const V3 d = table[size_t(j)] - from;
            d2 = d.dot(d);
            if (d2 > limit2) {
                break;
            }
            prev2 = d2;
        }
        if (j < 0) {
            continue;
        }
        const float d = std::sqrt(d2);
        const float dp = std::sqrt(prev2);
        const float after = float(j + 1) * s;
        // Two entries at one distance put the crossing on the farther one.
        const float f = d > dp ? (lag - dp) / (d - dp) : 1.0f;
        lagTable[size_t(i)] = after + f * (float(j) * s - after);
    }
}

float SplineLagInfo::getLag(float lambda) const
{
    if (lagTable.empty()) {
        return 0.0f;
    }
    float remainder = 0.0f;
    const int i = spline->lambdaToIndex(lambda, &remainder);
    const float f = remainder / spline->spacing;
    const int last = int(lagTable.size()) - 1;
    const float a = lagTable[size_t(std::clamp(i, 0, last))];
    const float b = lagTable[size_t(std::clamp(i + 1, 0, last))];
    return a + f * (b - a);
}
