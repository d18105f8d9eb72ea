// Decoder and packer benchmarks. After the runs a summary puts each decoder
// beside memcpy and the plain ring decoder of the same run, and each packed
// size beside the format's optimum and a greedy parse.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "corpus.h"
#include "lzss_optimum.h"
#include "payload/lzss.h"
#include "ring_reference.h"
#include "tools/patchpack/lzss_encode.h"

namespace {

typedef size_t (*DecodeFunction)(const unsigned char*, size_t, unsigned char*, size_t);

size_t Memcpy(const unsigned char* data, size_t size, unsigned char* out, size_t capacity) {
  memcpy(out, data, size < capacity ? size : capacity);
  return size;
}

// Each item's measurement: output bytes decoded (or input bytes packed) per second.
std::map<std::string, double> rates;

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto rate = run.counters.find("bytes_per_second");
      if (rate != run.counters.end()) rates[run.benchmark_name()] = rate->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

std::vector<unsigned char> GreedyStream(const CorpusItem& item) {
  const std::vector<LzssMatch> matches = FindLongestMatches(item.Data.data(), item.Data.size());
  std::vector<unsigned char> parse(matches.size(), 0);
  for (size_t n = 0; n < matches.size();) {
    parse[n] = matches[n].Length >= LZSS_MIN_MATCH ? matches[n].Length : 1;
    n += parse[n];
  }
  return EmitLzssStream(item.Data.data(), item.Data.size(), matches, parse);
}

void RegisterDecoders(const std::string& name, const std::vector<const CorpusItem*>& items) {
  size_t output = 0;
  for (const CorpusItem* item : items) output = std::max(output, item->Data.size());
  const struct {
    const char* label;
    DecodeFunction decode;
    bool fromStream;
  } decoders[] = {{"LzssDecode", LzssDecode, true},
                  {"RingReference", RingReferenceDecode, true},
                  {"memcpy", Memcpy, false}};
  for (const auto& d : decoders) {
    const DecodeFunction decode = d.decode;
    const bool fromStream = d.fromStream;
    benchmark::RegisterBenchmark(
        (std::string(d.label) + "/" + name).c_str(),
        [=](benchmark::State& state) {
          std::vector<unsigned char> out(output);
          size_t bytes = 0;
          for (auto _ : state) {
            for (const CorpusItem* item : items) {
              const std::vector<unsigned char>& in = fromStream ? item->Stream : item->Data;
              bytes += decode(in.data(), in.size(), out.data(), item->Data.size());
              benchmark::DoNotOptimize(out.data());
              benchmark::ClobberMemory();
            }
          }
          state.SetBytesProcessed((int64_t)bytes);
        })
        ->Unit(benchmark::kMicrosecond);
  }
}

void RegisterPacker(const CorpusItem* item) {
  benchmark::RegisterBenchmark(("LzssEncode/" + item->Name).c_str(),
                               [=](benchmark::State& state) {
                                 for (auto _ : state) {
                                   benchmark::DoNotOptimize(
                                       LzssEncode(item->Data.data(), item->Data.size()));
                                 }
                                 state.SetBytesProcessed((int64_t)(state.iterations() * item->Data.size()));
                               })
      ->Unit(benchmark::kMillisecond);
}

double Mb(double bytesPerSecond) { return bytesPerSecond / 1e6; }

void PrintDecoderSummary(const std::vector<std::string>& names) {
  printf("\nDecoder, output MB/s in this run\n");
  printf("%-58s %10s %10s %10s %8s %8s\n", "data", "LzssDecode", "ring", "memcpy", "x ring", "memcpy%");
  for (const std::string& name : names) {
    const double fast = rates["LzssDecode/" + name];
    const double ring = rates["RingReference/" + name];
    const double copy = rates["memcpy/" + name];
    if (fast == 0 || ring == 0 || copy == 0) continue;
    printf("%-58s %10.0f %10.0f %10.0f %8.2f %7.1f%%\n", name.c_str(), Mb(fast), Mb(ring), Mb(copy),
           fast / ring, 100.0 * fast / copy);
  }
}

void PrintPackerSummary(const std::vector<CorpusItem>& corpus) {
  printf("\nPacker: stream bytes, greedy longest-match parse, the optimal parse's saving, speed\n");
  printf("%-58s %9s %9s %9s %7s %8s\n", "data", "size", "greedy", "optimal", "saved", "MB/s");
  size_t allGreedy = 0, allOptimal = 0;
  for (const CorpusItem& item : corpus) {
    const size_t greedy = GreedyStream(item).size();
    allGreedy += greedy;
    allOptimal += item.Stream.size();
    const double rate = rates["LzssEncode/" + item.Name];
    printf("%-58s %9zu %9zu %9zu %6.2f%% %8.2f\n", item.Name.c_str(), item.Data.size(), greedy,
           item.Stream.size(), 100.0 * (double)(greedy - item.Stream.size()) / (double)greedy,
           Mb(rate));
  }
  printf("%-58s %9s %9zu %9zu %6.2f%%\n", "all", "", allGreedy, allOptimal,
         100.0 * (double)(allGreedy - allOptimal) / (double)allGreedy);
}

// The brute-force optimum is slow, so it is checked on each file's first 64 KiB.
void PrintOptimumCheck(const std::vector<CorpusItem>& corpus) {
  printf("\nPacker against the brute-force optimum, first 64 KiB of each file\n");
  size_t worst = 0;
  for (const CorpusItem& item : corpus) {
    if (item.Data.size() < 65536 && item.Name[0] != '/') continue;
    const size_t size = std::min<size_t>(item.Data.size(), 65536);
    const size_t packed = LzssEncode(item.Data.data(), size).size();
    const size_t optimum = BruteForceOptimalSize(item.Data.data(), size);
    worst = std::max(worst, packed - std::min(packed, optimum));
    printf("%-58s optimum %7zu  packed %7zu  above %zu\n", item.Name.c_str(), optimum, packed,
           packed - std::min(packed, optimum));
  }
  printf("largest excess over the optimum: %zu bytes\n", worst);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  static const std::vector<CorpusItem> corpus = LoadCorpus();
  std::vector<std::string> names;
  std::vector<const CorpusItem*> sample, large;
  for (const CorpusItem& item : corpus) {
    if (item.Name[0] != '/') sample.push_back(&item);
    if (item.Data.size() >= 65536) large.push_back(&item);
  }
  RegisterDecoders("sample payload, all 35 records", sample);
  names.push_back("sample payload, all 35 records");
  for (const CorpusItem* item : large) {
    RegisterDecoders(item->Name, {item});
    names.push_back(item->Name);
  }
  for (const CorpusItem* item : large) RegisterPacker(item);

  Collector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintDecoderSummary(names);
  PrintPackerSummary(corpus);
  PrintOptimumCheck(corpus);
  benchmark::Shutdown();
  return 0;
}
