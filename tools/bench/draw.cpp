// draw.cpp -- ffxbench-draw: the framework's drawing against SDL2's, side
// by side on the same pixels: a 640 x 480 picture with alpha blended onto a
// 640 x 480 frame (FFX_DrawImage, SDL_BlitSurface with
// SDL_BLENDMODE_BLEND), a line of 60 characters at 32 px (FFX_DrawText,
// SDL2_ttf's TTF_RenderUTF8_Blended and the blit of its surface), and the
// picture's decoding at start.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "common/asset.h"

namespace {

// 60 characters.
const char kLine[] = "Greetings to all the groups at the party, from ffxdemo!  ;-)";
const char kFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<uint32_t> Ground() {
    std::vector<uint32_t> frame(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    return frame;
}

SDL_Surface* Wrap(void* pixels, Uint32 format) {
    return SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, width * 4, format);
}

void BM_FFX_DrawImage(benchmark::State& state) {
    const FFX_Image* picture = FFX_GetImage("bench");
    std::vector<uint32_t> frame = Ground();
    for (auto _ : state) {
        FFX_DrawImage(frame.data(), picture, 0, 0);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_FFX_DrawImage)->Unit(benchmark::kMicrosecond);

void BM_SDL_BlitSurfaceBlend(benchmark::State& state) {
    const FFX_Image* picture = FFX_GetImage("bench");
    std::vector<uint32_t> frame = Ground();
    SDL_Surface* source = Wrap(const_cast<uint32_t*>(picture->pixels), SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* target = Wrap(frame.data(), SDL_PIXELFORMAT_RGB888);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_BLEND);
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        benchmark::DoNotOptimize(frame.data());
    }
    SDL_FreeSurface(target);
    SDL_FreeSurface(source);
}
BENCHMARK(BM_SDL_BlitSurfaceBlend)->Unit(benchmark::kMicrosecond);

void BM_FFX_DrawText(benchmark::State& state) {
    const FFX_Font* font = FFX_GetFont("text");
    std::vector<uint32_t> frame = Ground();
    for (auto _ : state) {
        FFX_DrawText(frame.data(), font, 8, 200, kLine, 0xFFFFFFFFu);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_FFX_DrawText)->Unit(benchmark::kMicrosecond);

void BM_TTF_RenderUTF8_BlendedAndBlit(benchmark::State& state) {
    TTF_Init();
    TTF_Font* font = TTF_OpenFont(kFont, 32);
    std::vector<uint32_t> frame = Ground();
    SDL_Surface* target = Wrap(frame.data(), SDL_PIXELFORMAT_RGB888);
    SDL_Rect at{8, 200, 0, 0};
    for (auto _ : state) {
        SDL_Surface* line = TTF_RenderUTF8_Blended(font, kLine, SDL_Color{255, 255, 255, 255});
        SDL_BlitSurface(line, nullptr, target, &at);
        SDL_FreeSurface(line);
        benchmark::DoNotOptimize(frame.data());
    }
    SDL_FreeSurface(target);
    TTF_CloseFont(font);
    TTF_Quit();
}
BENCHMARK(BM_TTF_RenderUTF8_BlendedAndBlit)->Unit(benchmark::kMicrosecond);

// What FFX_GetImage does the first time: the compiled QOI to pixels.
void BM_DecodePicture(benchmark::State& state) {
    for (auto _ : state) {
        IMG_Held picture;
        IMG_Unpack(imageData[0], picture);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
