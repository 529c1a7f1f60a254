// Decoding texture images from memory, a 1024 x 768 JPEG (a scene
// background) and a 512 x 512 TGA (a sprite sheet), and coding an 800 x 600
// screenshot as JPEG.
#include <vector>

#include <benchmark/benchmark.h>

#include "graphics/ImageCodecs.h"
#include "support/ImageBytes.h"

namespace {

void decodeBackgroundJpeg(benchmark::State& state)
{
    const Bytes jpeg = makeJpeg(1024, 768, 3, JCS_RGB, [](int x, int y, int c) {
        return (x * 3 + y * 5 + c * 70 + ((x * y) >> 6)) & 255;
    }, 85);
    for (auto _ : state) {
        ImagePixels image;
        ImageError error;
        benchmark::DoNotOptimize(decodeJPEG(jpeg.data(), jpeg.size(), false, image, error));
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(decodeBackgroundJpeg)->Unit(benchmark::kMillisecond);

void decodeSpriteSheetTga(benchmark::State& state)
{
    const Bytes tga = makeTga(512, 512, Bytes(512 * 512 * 4, 0x5a));
    for (auto _ : state) {
        ImagePixels image;
        ImageError error;
        benchmark::DoNotOptimize(decodeTGA(tga.data(), tga.size(), false, image, error));
    }
    state.SetItemsProcessed(state.iterations() * 512 * 512);
}
BENCHMARK(decodeSpriteSheetTga)->Unit(benchmark::kMillisecond);

void encodeScreenshot(benchmark::State& state)
{
    std::vector<u32> frame(800 * 600);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<u32>((i % 800) * 0x010203u + (i / 800) * 0x030201u);
    }
    std::vector<u8> bytes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeJPEG(frame.data(), 800, 600, 60, bytes));
    }
}
BENCHMARK(encodeScreenshot)->Unit(benchmark::kMillisecond);

} // namespace
