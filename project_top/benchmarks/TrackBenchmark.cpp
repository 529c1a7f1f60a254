// What a level pays for its tracks when it starts: the arc-length table of a
// level-sized path and the lag tables of the car lengths, beside the bare
// curve evaluations that the tables cannot do without. The tables should
// cost little more than the evaluations; a search or an allocation per
// sample would show far above them.
#include <benchmark/benchmark.h>

#include "game/track/LevelPath.h"
#include "game/track/SplineLagInfo.h"
#include "game/track/SplineLambda.h"
#include "math/VectorMath.h"
#include "support/EngineCore.h"

namespace {

// The chord lengths of car couplings and bodies.
constexpr float CHORDS[] = {28.0f, 45.0f, 62.0f, 79.0f, 96.0f};

void trackTables(benchmark::State& state)
{
    EngineCore core;
    SplineLambda path;
    layLevelPath(path);
    for (auto _ : state) {
        path.build();
        for (float chord : CHORDS) {
            SplineLagInfo lag(&path, chord);
            lag.build();
            benchmark::DoNotOptimize(lag.lagTable.data());
        }
    }
    state.counters["length"] = path.length;
    state.counters["entries"] = double(path.tablePoints.size());
}
BENCHMARK(trackTables)->Unit(benchmark::kMicrosecond);

void bezierSamples(benchmark::State& state)
{
    EngineCore core;
    SplineLambda path;
    layLevelPath(path);
    const int samples = 1000 * LEVEL_PATH_POINTS;
    for (auto _ : state) {
        V3 sum;
        for (int k = 1; k <= samples; ++k) {
            const float x = float(k) * float(LEVEL_PATH_POINTS) / float(samples);
            const int i = int(x);
            const int a = i < LEVEL_PATH_POINTS ? i : LEVEL_PATH_POINTS - 1;
            const int b = i + 1 < LEVEL_PATH_POINTS ? i + 1 : LEVEL_PATH_POINTS - 1;
            sum += bezierPoint(path.points[size_t(a)], path.handles[size_t(a)], path.points[size_t(b)],
                               path.handles[size_t(b)], x - float(i));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(bezierSamples)->Unit(benchmark::kMicrosecond);

} // namespace
