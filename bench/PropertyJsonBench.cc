// Writing a settings-sized tree as JSON text and reading it back, against copying the
// same tree in the same run (the cheapest way to pass a tree on). Settings files are read
// once per job, so the aim is only that the text form stays within a small multiple of the
// copy: ratio JsonWriteRead / TreeCopy <= 30.

#include <string>

#include <benchmark/benchmark.h>

#include "Platform/Core/PropertyJson.h"

namespace {

using Tivrel::Core::Property;

// An effect chain as the example keeps it: a list node of twelve effect records, each a
// handful of integer, bool, double, string and ratio leaves.
Property SettingsTree() {
  Property root("$$FILTER_APPLY_EFFECTS_VIDEO$$");
  root.SetChildT<std::string>("classKey", "$$FILTER_APPLY_EFFECTS_VIDEO$$");
  Property& list = root.SetChild("effectsList", Property());
  for (int i = 0; i < 12; ++i) {
    Property effect("SettingsEffectCrop");
    effect.SetChildT<long long>("effectCropOffsetX", 16 * i);
    effect.SetChildT<long long>("effectCropOffsetY", 8 * i);
    effect.SetChildT<long long>("effectCropWidth", 1920);
    effect.SetChildT<long long>("effectCropHeight", 1080);
    effect.SetChildT("effectFlipHoriz", i % 2 == 0);
    effect.SetChildT("strength", 0.125 * i);
    effect.SetChildT("rate", Property::Ratio(30000, 1001));
    effect.SetChildT<std::string>("classKey", "SettingsEffectCrop");
    list.Add(std::move(effect));
  }
  return root;
}

void BM_TreeCopy(benchmark::State& state) {
  const Property tree = SettingsTree();
  for (auto _ : state) {
    Property copy = tree;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_TreeCopy);

void BM_JsonWriteRead(benchmark::State& state) {
  const Property tree = SettingsTree();
  for (auto _ : state) {
    Property back = Tivrel::Core::PropertyFromJson(Tivrel::Core::PropertyToJson(tree));
    benchmark::DoNotOptimize(back);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Tivrel::Core::PropertyToJson(tree).size()));
}
BENCHMARK(BM_JsonWriteRead);

}  // namespace
