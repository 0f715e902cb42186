#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/preview_display.h"
#include "median_reporter.h"
#include "platform/file_system.h"
#include "preview/preview.h"
#include "preview/transparency.h"
#include "support/dds_samples.h"
#include "support/temp_folder.h"
#include "texture/free_image.h"

namespace fs = std::filesystem;

namespace frondel {
namespace {

constexpr std::uint32_t kSide = 1024;

// A program folder and a 1024x1024 B,G,R,A texture whose pixels all differ, so that no stage
// gets away with runs of equal bytes.
class Fixture {
 public:
  Fixture() : texture(testing::MakeDds(testing::DdsKind::Bgra32, kSide, kSide)) {
    fs::create_directories(dir_ / "temp" / "dataimport");
    std::uint32_t x = 12345;
    for (std::size_t i = 128; i < texture.size(); ++i) {
      x = x * 1664525u + 1013904223u;
      texture[i] = static_cast<std::uint8_t>(x >> 24);
    }
  }
  const fs::path& program() const { return dir_.path(); }
  fs::path bitmap_path() const { return WorkingPath(program(), WorkFile::ImportBitmap); }
  Preview Make() const { return MakePreview(program(), Job::Import, texture); }

  Bytes texture;

 private:
  testing::TempFolder dir_;
};

void CheckReady(benchmark::State& state, const Preview& preview) {
  if (preview.status != PreviewStatus::Ready) state.SkipWithError("the texture did not preview");
}

// Conversion, bitmap written, picture scaled into the box.
void BM_PreviewStep(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) {
    const Preview preview = fixture.Make();
    CheckReady(state, preview);
    benchmark::DoNotOptimize(PreviewImage(preview.picture));
  }
}

void BM_Conversion(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) CheckReady(state, fixture.Make());
}

void BM_Display(benchmark::State& state) {
  Fixture fixture;
  const Preview preview = fixture.Make();
  CheckReady(state, preview);
  for (auto _ : state) benchmark::DoNotOptimize(PreviewImage(preview.picture));
}

// What showing the transparency adds to the preview step: the texture (whose alpha is spread
// over every level) stretched to the box and laid over the checkerboard.
void BM_Transparency(benchmark::State& state) {
  Fixture fixture;
  const Preview preview = fixture.Make();
  CheckReady(state, preview);
  if (preview.alpha.empty()) state.SkipWithError("the texture has no alpha");
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        WithTransparency(preview, static_cast<std::uint32_t>(kPreviewBoxSize.width()),
                         static_cast<std::uint32_t>(kPreviewBoxSize.height())));
  }
}

MFreeImage::Bitmap LoadFromMemory(const Bytes& texture) {
  const MFreeImage::Memory memory(
      FreeImage_OpenMemory(const_cast<BYTE*>(texture.data()), static_cast<DWORD>(texture.size())));
  return MFreeImage::Bitmap(FreeImage_LoadFromMemory(FIF_DDS, memory.get(), 0));
}

// The library's own share of the conversion.
void BM_LibraryLoad(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) benchmark::DoNotOptimize(LoadFromMemory(fixture.texture));
}

void BM_LibrarySave(benchmark::State& state) {
  Fixture fixture;
  const MFreeImage::Bitmap picture = LoadFromMemory(fixture.texture);
  for (auto _ : state) {
    if (!MFreeImage::SaveImageFile(FIF_BMP, picture.get(), fixture.bitmap_path(), 0)) {
      state.SkipWithError("the bitmap was not written");
    }
  }
}

#define PREVIEW_BENCHMARK(name) \
  BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true)

PREVIEW_BENCHMARK(BM_PreviewStep);
PREVIEW_BENCHMARK(BM_Conversion);
PREVIEW_BENCHMARK(BM_Display);
PREVIEW_BENCHMARK(BM_Transparency);
PREVIEW_BENCHMARK(BM_LibraryLoad);
PREVIEW_BENCHMARK(BM_LibrarySave);

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  frondel::MedianReporter reporter;
  frondel::RunBenchmarks(argc, argv, reporter);
  benchmark::Shutdown();
}
