// Conversion of a picture to the game's texture beside the image library's own load and
// rescale of the same file, the floor of the library's work. Prints the ratios the target is
// set on.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "median_reporter.h"
#include "support/pictures.h"
#include "texture/conversion.h"
#include "texture/texture_layout.h"

namespace frondel {
namespace {

// A painting more than a test card: smooth gradients with a little grain, so the PNG is of a
// realistic size. The 1920x1080 one is an RGB screenshot, the square one has alpha.
const Bytes& Picture(unsigned width) {
  static std::map<unsigned, Bytes> made;
  Bytes& png = made[width];
  if (png.empty()) {
    const unsigned height = width == 1920 ? 1080 : width;
    std::uint32_t grain = 1;
    const auto picture =
        testing::MakePicture(width, height, width == 1920 ? 24 : 32, [&](unsigned x, unsigned y) {
          grain = grain * 1664525u + 1013904223u;
          const auto g = static_cast<std::uint8_t>(grain >> 29);
          return testing::Rgba{std::uint8_t(x * 255 / width + g), std::uint8_t(y * 255 / height),
                               std::uint8_t((x + y) / 16 + g), std::uint8_t(255 - y / 8)};
        });
    png = testing::Encode(FIF_PNG, picture.get());
  }
  return png;
}

void Convert(benchmark::State& state) {
  const Bytes& png = Picture(static_cast<unsigned>(state.range(0)));
  for (auto _ : state) {
    const Conversion texture = ConvertToGameTexture(png);
    if (texture.bytes.size() != kGameTextureBytes) state.SkipWithError("not converted");
    benchmark::DoNotOptimize(texture.bytes.data());
  }
}

void LibraryLoadAndRescale(benchmark::State& state) {
  const Bytes& png = Picture(static_cast<unsigned>(state.range(0)));
  for (auto _ : state) {
    const MFreeImage::Memory memory(
        FreeImage_OpenMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())));
    const MFreeImage::Bitmap picture(FreeImage_LoadFromMemory(FIF_PNG, memory.get(), 0));
    const MFreeImage::Bitmap scaled(
        FreeImage_Rescale(picture.get(), kGameSide, kGameSide, FILTER_BICUBIC));
    if (!scaled) state.SkipWithError("not scaled");
  }
}

BENCHMARK(Convert)->Arg(1920)->Arg(1024)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(LibraryLoadAndRescale)->Arg(1920)->Arg(1024)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  frondel::MedianReporter reporter;
  frondel::RunBenchmarks(argc, argv, reporter);
  for (const std::string size : {"1920", "1024"}) {
    reporter.PrintRatio("conversion / library load and rescale, " + size + "-pixel-wide PNG",
                        "Convert/" + size, "LibraryLoadAndRescale/" + size, 1.0);
  }
  benchmark::Shutdown();
}
