// What one frame of the main menu and of levels 0, 2 and 12 draws, in the
// engine's own per-frame statistics (renderables considered and drawn,
// vertices, distinct textures and their texels) and in fragments written
// with blending on and off, counted by an occlusion query around each draw
// of the engine; of the blended draws also the fragments covered, the ones
// the alpha test throws away included. One iteration per scene; the
// figures are its counters:
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
double blendedCovered = 0.0;

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
    const auto samples = [&] {
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        draw(mode, first, count);
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint passed = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &passed);
        glDeleteQueries(1, &query);
        return double(passed);
    };
    if (!glIsEnabled(GL_BLEND)) {
        unblendedFragments += samples();
        return;
    }
    blendedFragments += samples();
    const GLboolean alphaTest = glIsEnabled(GL_ALPHA_TEST);
    glDisable(GL_ALPHA_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    blendedCovered += samples();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (alphaTest) {
        glEnable(GL_ALPHA_TEST);
    }
}

namespace {

void count(benchmark::State& state, FrameScenes& scenes)
{
    Qel* qel = scenes.qel.get();
    for (auto _ : state) {
        qel->statRenderables = qel->statRenderablesVisible = qel->statVertices = 0;
        qel->statTextures = qel->statTexturePixels = 0;
        ++qel->frameNumber;
        blendedFragments = unblendedFragments = blendedCovered = 0.0;
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
    state.counters["covered"] = blendedCovered;
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

// The CPU of drawing the level's scene alone, until the rasteriser is done.
void frameDrawLevel(benchmark::State& state)
{
    FrameScenes scenes;
    scenes.playLevel(int(state.range(0)));
    for (auto _ : state) {
        scenes.drawScene();
        glFinish();
    }
    scenes.leaveScene();
}
BENCHMARK(frameDrawLevel)->Arg(0)->Arg(12)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
