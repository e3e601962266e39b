// document_bench [PERSONS CONTACTS] [benchmark flags]: parse, load and save
// of a large document, each beside a reference on the same bytes in the same
// run, so the ratios printed at the end hold on a noisy shared machine where
// absolute times do not.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/document/simple_xml_parser.h"
#include "document_generator.h"

// Every allocation of the program is counted, so the peak of a load is what
// the load really asked of the heap, not an estimate.
namespace {
std::atomic<std::size_t> gHeapNow{0};
std::atomic<std::size_t> gHeapPeak{0};

struct alignas(std::max_align_t) BlockHeader {
  std::size_t size;
};

void* CountedAllocate(std::size_t size) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (!header) throw std::bad_alloc();
  header->size = size;
  const std::size_t now = gHeapNow.fetch_add(size) + size;
  std::size_t peak = gHeapPeak.load();
  while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
  }
  return header + 1;
}

void CountedFree(void* memory) {
  if (!memory) return;
  auto* header = static_cast<BlockHeader*>(memory) - 1;
  gHeapNow.fetch_sub(header->size);
  std::free(header);
}
}  // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void operator delete(void* memory) noexcept { CountedFree(memory); }
void operator delete[](void* memory) noexcept { CountedFree(memory); }
void operator delete(void* memory, std::size_t) noexcept { CountedFree(memory); }
void operator delete[](void* memory, std::size_t) noexcept { CountedFree(memory); }
// The parse tree's arena asks for its blocks with an alignment; the header
// keeps the pointer aligned for any alignment up to max_align_t.
void* operator new(std::size_t size, std::align_val_t alignment) {
  if (static_cast<std::size_t>(alignment) > alignof(BlockHeader)) throw std::bad_alloc();
  return CountedAllocate(size);
}
void operator delete(void* memory, std::align_val_t) noexcept { CountedFree(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { CountedFree(memory); }

namespace {

int32_t gPersons = 10'000;
int32_t gContacts = 100'000;
std::string gFolder;
std::string gDocumentPath;
std::string gDocumentText;

void ParseOurs(benchmark::State& state) {
  for (auto _ : state) {
    vimbo::SimpleXMLParser parser;
    auto root = parser.Parse(gDocumentText.data(), gDocumentText.size());
    benchmark::DoNotOptimize(root.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gDocumentText.size()));
}

void ParsePugixml(benchmark::State& state) {
  for (auto _ : state) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(gDocumentText.data(), gDocumentText.size());
    if (!result) state.SkipWithError("pugixml rejected the document");
    benchmark::DoNotOptimize(document.first_child());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gDocumentText.size()));
}

void LoadOurs(benchmark::State& state) {
  for (auto _ : state) {
    vimbo::DocumentData data;
    if (!vimbo::Load(data, gDocumentPath).Ok()) state.SkipWithError("the document did not load");
    benchmark::DoNotOptimize(data.contacts.Size());
  }
}

void SaveOurs(benchmark::State& state) {
  vimbo::DocumentData data;
  vimbo::Load(data, gDocumentPath);
  const std::string target = gFolder + "/saved.tch";
  for (auto _ : state)
    if (!vimbo::Write(data, target)) state.SkipWithError("the save failed");
}

// The second half of a save on its own: the safe write of ready bytes.
void WriteOurs(benchmark::State& state) {
  const std::string target = gFolder + "/written.tch";
  for (auto _ : state)
    if (!vimbo::WriteFileAtomically(target, gDocumentText)) state.SkipWithError("the write failed");
}

// The first half of a save on its own: building the text in memory.
void TextOurs(benchmark::State& state) {
  vimbo::DocumentData data;
  vimbo::Load(data, gDocumentPath);
  for (auto _ : state) benchmark::DoNotOptimize(vimbo::DocumentText(data).size());
}

// The reference save: one fwrite of the finished bytes, optionally followed
// by the fsync a durable save cannot do without.
void RawWrite(benchmark::State& state, bool sync) {
  const std::string target = gFolder + "/raw.tch";
  for (auto _ : state) {
    FILE* file = std::fopen(target.c_str(), "wb");
    const bool ok = file && std::fwrite(gDocumentText.data(), 1, gDocumentText.size(), file) == gDocumentText.size() &&
                    std::fflush(file) == 0 && (!sync || ::fsync(fileno(file)) == 0);
    if (file) std::fclose(file);
    if (!ok) state.SkipWithError("the raw write failed");
  }
}

void Fwrite(benchmark::State& state) { RawWrite(state, false); }
void FwriteFsync(benchmark::State& state) { RawWrite(state, true); }

// Collects each benchmark's mean time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration)
        seconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
  }

  double Ratio(const std::string& ours, const std::string& reference) const {
    const auto a = seconds_.find(ours);
    const auto b = seconds_.find(reference);
    return a == seconds_.end() || b == seconds_.end() || b->second == 0 ? 0 : a->second / b->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

std::size_t PeakHeapOfLoad() {
  vimbo::DocumentData data;
  const std::size_t before = gHeapNow.load();
  gHeapPeak.store(before);
  vimbo::Load(data, gDocumentPath);
  return gHeapPeak.load() - before;
}

bool ParseCount(const char* text, int32_t& count) {
  const std::string_view view(text);
  const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), count);
  return error == std::errc() && end == view.data() + view.size() && count >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc == 3 && (!ParseCount(argv[1], gPersons) || !ParseCount(argv[2], gContacts))) {
    std::fputs("usage: document_bench [PERSONS CONTACTS] [benchmark flags]\n", stderr);
    return 2;
  }

  char folder[] = "/tmp/vimbo-bench-XXXXXX";
  if (!::mkdtemp(folder)) {
    std::perror("document_bench: mkdtemp");
    return 1;
  }
  gFolder = folder;
  gDocumentPath = gFolder + "/document.tch";
  gDocumentText = vimbo::GenerateDocumentText(gPersons, gContacts);
  if (!vimbo::WriteFileAtomically(gDocumentPath, gDocumentText)) {
    std::fputs("document_bench: cannot write the benchmark document\n", stderr);
    return 1;
  }
  std::printf("document: %d persons, %d contacts, %zu bytes\n", gPersons, gContacts, gDocumentText.size());

  benchmark::RegisterBenchmark("ParseOurs", ParseOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ParsePugixml", ParsePugixml)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LoadOurs", LoadOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SaveOurs", SaveOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("TextOurs", TextOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WriteOurs", WriteOurs)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Fwrite", Fwrite)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FwriteFsync", FwriteFsync)->Unit(benchmark::kMillisecond);

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const std::size_t peak = PeakHeapOfLoad();
  std::printf("\nratios (lower is better; targets in brackets)\n");
  std::printf("  parse, ours / pugixml:                 %.2f  [<= 2]\n", reporter.Ratio("ParseOurs", "ParsePugixml"));
  std::printf("  full load, ours / pugixml parse:       %.2f  [<= 3]\n", reporter.Ratio("LoadOurs", "ParsePugixml"));
  std::printf("  save, ours / one fwrite:               %.2f  [<= 1.5]\n", reporter.Ratio("SaveOurs", "Fwrite"));
  std::printf("  save, ours / one fwrite and fsync:     %.2f\n", reporter.Ratio("SaveOurs", "FwriteFsync"));
  std::printf("  of which the safe write of ready bytes: %.2f\n", reporter.Ratio("WriteOurs", "Fwrite"));
  std::printf("  of which building the text in memory:  %.2f\n", reporter.Ratio("TextOurs", "Fwrite"));
  std::printf("  peak heap of a load / file size:       %.2f  [< 4]\n",
              static_cast<double>(peak) / static_cast<double>(gDocumentText.size()));

  std::remove((gFolder + "/saved.tch").c_str());
  std::remove((gFolder + "/raw.tch").c_str());
  std::remove((gFolder + "/written.tch").c_str());
  std::remove(gDocumentPath.c_str());
  ::rmdir(folder);
  return 0;
}
