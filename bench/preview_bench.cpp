#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/file_system.h"
#include "preview/preview_conversion.h"
#include "preview/preview_display.h"
#include "support/dds_samples.h"
#include "support/temp_folder.h"
#include "texture/free_image.h"

namespace fs = std::filesystem;

namespace frondel {
namespace {

constexpr std::uint32_t kSide = 1024;

// A program folder holding a 1024x1024 B,G,R,A texture whose pixels all differ, so that no
// stage gets away with runs of equal bytes.
class Fixture {
 public:
  Fixture() {
    fs::create_directories(dir_ / "temp" / "dataimport");
    Bytes texture = testing::MakeDds(testing::DdsKind::Bgra32, kSide, kSide);
    std::uint32_t x = 12345;
    for (std::size_t i = 128; i < texture.size(); ++i) {
      x = x * 1664525u + 1013904223u;
      texture[i] = static_cast<std::uint8_t>(x >> 24);
    }
    WriteWholeFile(texture_path(), {texture});
  }
  const fs::path& program() const { return dir_.path(); }
  fs::path texture_path() const { return WorkingPath(program(), WorkFile::ImportTexture); }
  fs::path bitmap_path() const { return WorkingPath(program(), WorkFile::ImportBitmap); }

 private:
  testing::TempFolder dir_;
};

void CheckReady(benchmark::State& state, PreviewResult result) {
  if (result != PreviewResult::Ready) state.SkipWithError("the texture did not preview");
}

// Conversion, bitmap written, loaded and scaled into the box.
void BM_PreviewStep(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) {
    CheckReady(state, ConvertPreview(fixture.program(), Job::Import));
    benchmark::DoNotOptimize(PreviewPicture(fixture.program(), Job::Import));
  }
}

void BM_Conversion(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) CheckReady(state, ConvertPreview(fixture.program(), Job::Import));
}

void BM_Display(benchmark::State& state) {
  Fixture fixture;
  CheckReady(state, ConvertPreview(fixture.program(), Job::Import));
  for (auto _ : state) benchmark::DoNotOptimize(PreviewPicture(fixture.program(), Job::Import));
}

// The library's own share of the conversion.
void BM_LibraryLoad(benchmark::State& state) {
  Fixture fixture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MFreeImage::LoadImageFile(FIF_DDS, fixture.texture_path(), 0));
  }
}

void BM_LibrarySave(benchmark::State& state) {
  Fixture fixture;
  const MFreeImage::Bitmap picture = MFreeImage::LoadImageFile(FIF_DDS, fixture.texture_path(), 0);
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
PREVIEW_BENCHMARK(BM_LibraryLoad);
PREVIEW_BENCHMARK(BM_LibrarySave);

}  // namespace
}  // namespace frondel
