// What one frame of the main menu and of levels 0, 2 and 12 draws, in the
// engine's own per-frame statistics (renderables considered and drawn,
// vertices, distinct textures and their texels) and in fragments written
// with blending on and off, counted by an occlusion query around each draw
// of the engine. One iteration per scene; the figures are its counters:
//
//   build/project_top/project_top_benchmarks --benchmark_filter=frameCounts
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include "game/frame/FrameScenes.h"

namespace {

bool counting = false;
double blendedFragments = 0.0;
double unblendedFragments = 0.0;

} // namespace

// Stands in for the library's glDrawArrays in this program only: every
// draw of the engine comes through here.
extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    using Draw = void (*)(GLenum, GLint, GLsizei);
    static const auto draw = reinterpret_cast<Draw>(dlsym(RTLD_NEXT, "glDrawArrays"));
    if (!counting) {
        draw(mode, first, count);
        return;
    }
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    draw(mode, first, count);
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    glDeleteQueries(1, &query);
    (glIsEnabled(GL_BLEND) ? blendedFragments : unblendedFragments) += double(samples);
}

namespace {

void count(benchmark::State& state, FrameScenes& scenes)
{
    Qel* qel = scenes.qel.get();
    for (auto _ : state) {
        qel->statRenderables = qel->statRenderablesVisible = qel->statVertices = 0;
        qel->statTextures = qel->statTexturePixels = 0;
        ++qel->frameNumber;
        blendedFragments = unblendedFragments = 0.0;
        counting = true;
        scenes.drawScene();
        counting = false;
    }
    state.counters["renderables"] = qel->statRenderables;
    state.counters["drawn"] = qel->statRenderablesVisible;
    state.counters["vertices"] = qel->statVertices;
    state.counters["textures"] = qel->statTextures;
    state.counters["texels"] = qel->statTexturePixels;
    state.counters["blended"] = blendedFragments;
    state.counters["unblended"] = unblendedFragments;
}

void frameCountsMainMenu(benchmark::State& state)
{
    FrameScenes scenes;
    scenes.showMainMenu();
    count(state, scenes);
}
BENCHMARK(frameCountsMainMenu)->Iterations(1);

void frameCountsLevel(benchmark::State& state)
{
    FrameScenes scenes;
    scenes.playLevel(int(state.range(0)));
    count(state, scenes);
    scenes.leaveScene();
}
BENCHMARK(frameCountsLevel)->Arg(0)->Arg(2)->Arg(12)->Iterations(1);

} // namespace
