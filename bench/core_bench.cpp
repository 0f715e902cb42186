// Packing and unpacking-plus-extraction of a realistic payload, beside raw zlib on the same
// bytes, and the peak heap of a build. Prints the ratios that the targets are set on.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "bench_texture.h"
#include "building/menu_format.h"
#include "building/payload_parts.h"
#include "codec/parallel_deflate.h"
#include "median_reporter.h"
#ifdef FRONDEL_WITH_LIBDEFLATE
#include "codec/deflate_blocks.h"
#include "codec/libdeflate_buffers.h"
#endif

// Heap accounting for the peak-memory figure.
namespace {
std::atomic<std::size_t> heap_now{0}, heap_peak{0};
}
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const std::size_t now = heap_now += malloc_usable_size(p);
  std::size_t peak = heap_peak;
  while (now > peak && !heap_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (p) heap_now -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace frondel {
namespace {

// A menu file's zlib stream follows its header and payload length field.
constexpr std::size_t kZlibAt = menu_file::kMinimumLength;

// The blocks of a realistic payload: a 48-byte head, the texture and a 64 KiB template.
struct Fixture {
  Fixture() : head(48), texture(MakeTexture()), place_template(64 * 1024) {
    for (std::size_t i = 0; i < head.size(); ++i) head[i] = static_cast<std::uint8_t>(i * 5);
    for (std::size_t i = 0; i < place_template.size(); ++i) {
      place_template[i] = static_cast<std::uint8_t>((i % 24 < 8) ? i / 24 : i * 31 >> 3);
    }
    payload_bytes = AssemblePayload(head, texture, place_template);
    packed = PackMenuBytes(codec, payload_bytes);
    uLongf length = compressBound(payload_bytes.size());
    Bytes out(length);
    compress(out.data(), &length, payload_bytes.data(), payload_bytes.size());
    zlib_default_size = length;
  }

  StreamCodec codec;
  StreamCodec every_core{HardwareThreads()};
  Bytes head, texture, place_template, payload_bytes, packed;
  std::size_t zlib_default_size;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void RawCompress(benchmark::State& state) {
  Fixture& f = Shared();
  Bytes out(compressBound(f.payload_bytes.size()));
  for (auto _ : state) {
    uLongf length = out.size();
    compress(out.data(), &length, f.payload_bytes.data(), f.payload_bytes.size());
    benchmark::DoNotOptimize(out.data());
  }
}

void Packing(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(PackMenuBytes(f.codec, f.payload_bytes));
}

// On every core, in real time: the other threads' work is not the calling thread's CPU time.
void PackingOnEveryCore(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(PackMenuBytes(f.every_core, f.payload_bytes));
}

// The first bytes of the payload in one call and in pieces on two threads: the figures the
// shortest piece worth a thread was chosen from.
void SplitOrNot(benchmark::State& state) {
  Fixture& f = Shared();
  const ByteView data = ByteView(f.payload_bytes).first(static_cast<std::size_t>(state.range(0)));
  const auto threads = static_cast<unsigned>(state.range(1));
  for (auto _ : state) {
    Bytes out;
    if (threads == 0) {
      benchmark::DoNotOptimize(f.codec.CompressStream(data));
    } else {
      AppendZlibInPieces(data, PieceLengths(data.size(), threads), threads, out);
    }
    benchmark::DoNotOptimize(out.data());
  }
}

void RawUncompress(benchmark::State& state) {
  Fixture& f = Shared();
  Bytes out(f.payload_bytes.size());
  for (auto _ : state) {
    uLongf length = out.size();
    uncompress(out.data(), &length, f.packed.data() + kZlibAt, f.packed.size() - kZlibAt);
    benchmark::DoNotOptimize(out.data());
  }
}

void UnpackingAndExtraction(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ExtractTexture(UnpackMenuBytes(f.codec, f.packed).bytes));
  }
}

#ifdef FRONDEL_WITH_LIBDEFLATE
// Every libdeflate level on the payload, its output size beside zlib's default level: the
// figures the packing level was chosen from.
void DeflateLevel(benchmark::State& state) {
  Fixture& f = Shared();
  const DeflateCompressor compressor(static_cast<int>(state.range(0)));
  Bytes out(compressor.Bound(f.payload_bytes.size()));
  std::size_t length = 0;
  for (auto _ : state) {
    length = compressor.Compress(f.payload_bytes, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["size_vs_zlib"] = double(length) / double(f.zlib_default_size);
}
BENCHMARK(DeflateLevel)->DenseRange(1, 12)->Unit(benchmark::kMillisecond)->MinTime(0.3);

// The first of the payload's pieces on two threads, deflated as packing does, and the walk
// over its blocks that joins it to the next: the second's time over the first's is kWalkCost.
struct FirstPiece {
  FirstPiece()
      : data(ByteView(Shared().payload_bytes)
                 .first(PieceLengths(Shared().payload_bytes.size(), 2)[0])),
        stream(compressor.RawBound(data.size())) {
    stream.resize(compressor.CompressRaw(data, stream));
  }
  DeflateCompressor compressor{kPackingLevel};
  ByteView data;
  Bytes stream;
};

void DeflatePiece(benchmark::State& state) {
  const FirstPiece piece;
  Bytes out(piece.compressor.RawBound(piece.data.size()));
  for (auto _ : state) benchmark::DoNotOptimize(piece.compressor.CompressRaw(piece.data, out));
}
BENCHMARK(DeflatePiece)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void WalkPiece(benchmark::State& state) {
  const FirstPiece piece;
  for (auto _ : state) benchmark::DoNotOptimize(WalkDeflateBlocks(piece.stream));
}
BENCHMARK(WalkPiece)->Unit(benchmark::kMillisecond)->MinTime(1.0);
#endif

BENCHMARK(RawCompress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(Packing)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(PackingOnEveryCore)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(SplitOrNot)
    ->ArgsProduct({{2 * kDeflatePieceLength, 3 * kDeflatePieceLength, 4 * kDeflatePieceLength},
                   {0, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3)
    ->UseRealTime();
BENCHMARK(RawUncompress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(UnpackingAndExtraction)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void PrintPackedSize() {
  Fixture& f = Shared();
  const std::size_t stream = f.packed.size() - kZlibAt;
  std::printf("packed size / zlib default level: %.4f (%zu / %zu bytes; target at most 1.01)\n",
              double(stream) / double(f.zlib_default_size), stream, f.zlib_default_size);
  const std::size_t pieces = PackMenuBytes(f.every_core, f.payload_bytes).size() - kZlibAt;
  std::printf("packed on %u threads / on one: %.4f (%zu / %zu bytes; target at most 1.01)\n",
              HardwareThreads(), double(pieces) / double(stream), pieces, stream);
}

void PrintBuildPeak() {
  Fixture& f = Shared();
  for (const StreamCodec* codec : {&f.codec, &f.every_core}) {
    const std::size_t before = heap_now;
    heap_peak = before;
    benchmark::DoNotOptimize(
        PackMenuBytes(*codec, AssemblePayload(f.head, f.texture, f.place_template)));
    const double peak = double(heap_peak - before) / double(f.payload_bytes.size());
    std::printf("build peak heap, %s: %.2f x payload size (target under 3.00)\n",
                codec == &f.codec ? "one thread" : "every core", peak);
  }
}

}  // namespace
}  // namespace frondel

int main(int argc, char** argv) {
  frondel::MedianReporter reporter;
  frondel::RunBenchmarks(argc, argv, reporter);
  reporter.PrintRatio("packing / raw compress", "Packing", "RawCompress", 0.50);
  reporter.PrintRatio("packing on every core / raw compress", "PackingOnEveryCore", "RawCompress",
                      0.20);
  reporter.PrintRatio("unpacking+extraction / raw uncompress", "UnpackingAndExtraction",
                      "RawUncompress", 0.60);
  if (reporter.cpu.count("WalkPiece") && reporter.cpu.count("DeflatePiece")) {
    std::printf("walk / deflate of a piece: %.3f CPU time (kWalkCost)\n",
                reporter.cpu["WalkPiece"] / reporter.cpu["DeflatePiece"]);
  }
  frondel::PrintPackedSize();
  frondel::PrintBuildPeak();
  benchmark::Shutdown();
}
