// vabo-bench-floor [period]: the floor of a frame's cost. An 800 x 600
// SDL 1.2 OpenGL window draws one full-screen quad of a 1024 x 1024 RGBA
// texture per frame (linear filtering, GL_MODULATE, blending off) and
// presents it, paced by the engine's frame timer at the period in seconds
// (default 0.01, the game's default of 100 frames a second). It runs until
// it is closed or killed; the benchmark scripts count its CPU and frames.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "system/FrameClock.h"
#include "system/FrameTimer.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;
constexpr int TEXTURE_SIDE = 1024;

// SDL's millisecond clock, as the engine's clock reads it.
class TickClock : public FrameClock {
public:
    TickClock()
    {
        double best = 1.0;
        for (int i = 0; i < 10; ++i) {
            SDL_Delay(1);
            const double a = getTime();
            SDL_Delay(1);
            best = std::min(best, getTime() - a);
        }
        granularity = best;
    }
    double getTime() override { return SDL_GetTicks() / 1000.0; }
    double getSleepGranularity() override { return granularity; }
    void sleep(u32 milliseconds) override { SDL_Delay(milliseconds); }

private:
    double granularity = 0.0;
};

} // namespace

int main(int argc, char** argv)
{
    const double period = argc > 1 ? std::atof(argv[1]) : 0.01;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(WIDTH, HEIGHT, 0, SDL_OPENGL) == nullptr) {
        SDL_Quit();
        return 1;
    }
    std::vector<unsigned char> pixels(size_t(TEXTURE_SIDE) * TEXTURE_SIDE * 4);
    for (size_t i = 0; i < pixels.size() / 4; ++i) {
        pixels[4 * i] = static_cast<unsigned char>(i * 7);
        pixels[4 * i + 1] = static_cast<unsigned char>(i >> 10);
        pixels[4 * i + 2] = static_cast<unsigned char>(i >> 3);
        pixels[4 * i + 3] = 255;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, TEXTURE_SIDE, TEXTURE_SIDE, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const float u = float(WIDTH) / TEXTURE_SIDE;
    const float v = float(HEIGHT) / TEXTURE_SIDE;

    TickClock clock;
    FrameTimer timer;
    timer.reset();
    timer.start(clock, period);
    for (;;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                SDL_Quit();
                return 0;
            }
        }
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(-1.0f, -1.0f);
        glTexCoord2f(u, 0.0f);
        glVertex2f(1.0f, -1.0f);
        glTexCoord2f(0.0f, v);
        glVertex2f(-1.0f, 1.0f);
        glTexCoord2f(u, v);
        glVertex2f(1.0f, 1.0f);
        glEnd();
        glFlush();
        SDL_GL_SwapBuffers();
        timer.wait(clock);
    }
}
