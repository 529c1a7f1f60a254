#include "game/level/LevelPath.h"

#include "game/level/LevelData.h"
#include "game/track/SplineBezier.h"
#include "math/VectorMath.h"

void LevelPath::lay(SplineBezier& path, int count, V3* points, V3* handles, i32 mirrorX, i32 mirrorY)
{
    for (int i = 0; i < count; ++i) {
        V3& point = points[i];
        V3& handle = handles[i];
        const float z = -point.z;
        point.z = z;
        handle.z = z;
        const float s = 400.0f / (z + 400.0f);
        const float spread = float(double(s - 1.0f) * 0.25 + 1.015);
        const double k = double(spread) * 3.125;
        point.x = float(double(point.x) * k);
        point.y = float(double(point.y) * k);
        handle.x = float(double(handle.x) * k);
        handle.y = float(double(handle.y) * k);
        handle = handle - point;
        point.x *= float(mirrorX);
        handle.x *= float(mirrorX);
        point.y *= float(mirrorY);
        handle.y *= float(mirrorY);
    }
    const V3 in = normalize(handles[0]);
    path.addPoint(points[0] - in * LEAD_IN, in);
    for (int i = 0; i < count; ++i) {
        path.addPoint(points[i], handles[i]);
    }
    const V3 out = normalize(handles[count - 1]);
    path.addPoint(points[count - 1] + out * LEAD_OUT, out);
}

void LevelPath::controlPoints(const LevelTrack& track, std::vector<V3>& points, std::vector<V3>& handles)
{
    points.clear();
    handles.clear();
    for (const LevelPoint& p : track.points) {
        points.push_back(V3(p.x, p.y, p.height));
        handles.push_back(V3(p.handleX, p.handleY, 0.0f));
    }
}
