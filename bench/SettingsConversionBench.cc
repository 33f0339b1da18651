// Writing a settings record to its property tree and reading it back, for a stabilizer and
// a subtitle-drawer record, against building and reading the same keys and values with
// boost::property_tree::ptree in the same run (root data = class identifier, checked on
// reading as our readers check the root name). Target: ours is not slower, ratio <= 1.

#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>

#include "Proc/Interfaces/SettingsConversion.h"

namespace {

using boost::property_tree::ptree;
using namespace Tivrel::Proc;

SettingsEffectStabilizer Stabilizer() {
  SettingsEffectStabilizer s;
  s.enabled = true;
  s.analysisMode = false;
  s.logFile = "/var/tmp/transcode/motion-analysis.trf";  // beyond the short-string buffer
  s.shakiness = 7;
  s.smoothing = 20;
  return s;
}

SettingsSubtitleDrawer SubtitleDrawer() {
  SettingsSubtitleDrawer s;
  s.shiftTop = 24;
  s.shiftLeft = 16;
  s.timeOffset = -1500000;
  s.SetHorizontalAlignment(AlignmentHorizontal::CENTER);
  s.SetVerticalAligment(AlignmentVertical::BOTTOM);
  return s;
}

void BM_StabilizerProperty(benchmark::State& state) {
  const SettingsEffectStabilizer in = Stabilizer();
  for (auto _ : state) {
    const SettingsEffectStabilizer out = Property2SettingsStabilizer(Settings2Property(in));
    benchmark::DoNotOptimize(out.optZoom);
  }
}
BENCHMARK(BM_StabilizerProperty);

void BM_StabilizerPtree(benchmark::State& state) {
  const SettingsEffectStabilizer in = Stabilizer();
  for (auto _ : state) {
    ptree tree(SettingsEffectStabilizer::CLASS_ID);
    tree.put("is_analize_mode", in.analysisMode);
    tree.put("log_file", in.logFile);
    tree.put("is_enabled", in.enabled);
    tree.put("accuracy", static_cast<long long>(in.accuracy));
    tree.put("shakiness", static_cast<long long>(in.shakiness));
    tree.put("stepsize", static_cast<long long>(in.stepSize));
    tree.put("smoothing", static_cast<long long>(in.smoothing));
    tree.put("optzoom", static_cast<long long>(in.optZoom));

    if (tree.data() != SettingsEffectStabilizer::CLASS_ID) state.SkipWithError("class");
    SettingsEffectStabilizer out;
    out.analysisMode = tree.get<bool>("is_analize_mode");
    out.logFile = tree.get<std::string>("log_file");
    out.enabled = tree.get<bool>("is_enabled");
    out.accuracy = static_cast<int32_t>(tree.get<long long>("accuracy"));
    out.shakiness = static_cast<int32_t>(tree.get<long long>("shakiness"));
    out.stepSize = static_cast<int32_t>(tree.get<long long>("stepsize"));
    out.smoothing = static_cast<int32_t>(tree.get<long long>("smoothing"));
    out.optZoom = static_cast<int32_t>(tree.get<long long>("optzoom"));
    benchmark::DoNotOptimize(out.optZoom);
  }
}
BENCHMARK(BM_StabilizerPtree);

void BM_SubtitleDrawerProperty(benchmark::State& state) {
  const SettingsSubtitleDrawer in = SubtitleDrawer();
  for (auto _ : state) {
    const SettingsSubtitleDrawer out = Property2SettingsSubtitleDrawer(Settings2Property(in));
    benchmark::DoNotOptimize(out.timeOffset);
  }
}
BENCHMARK(BM_SubtitleDrawerProperty);

void BM_SubtitleDrawerPtree(benchmark::State& state) {
  const SettingsSubtitleDrawer in = SubtitleDrawer();
  for (auto _ : state) {
    ptree tree(SettingsSubtitleDrawer::CLASS_ID);
    tree.put("shift_top", static_cast<long long>(in.shiftTop));
    tree.put("shift_left", static_cast<long long>(in.shiftLeft));
    tree.put("offset_timestamp", static_cast<long long>(in.timeOffset));
    tree.put("align_horizontal", static_cast<long long>(static_cast<int32_t>(in.GetHorizontalAlignment())));
    tree.put("align_vertical", static_cast<long long>(static_cast<int32_t>(in.GetVerticalAlignment())));

    if (tree.data() != SettingsSubtitleDrawer::CLASS_ID) state.SkipWithError("class");
    SettingsSubtitleDrawer out;
    out.shiftTop = static_cast<uint32_t>(tree.get<long long>("shift_top"));
    out.shiftLeft = static_cast<uint32_t>(tree.get<long long>("shift_left"));
    out.timeOffset = tree.get<long long>("offset_timestamp");
    out.SetHorizontalAlignment(
        static_cast<AlignmentHorizontal>(static_cast<int32_t>(tree.get<long long>("align_horizontal"))));
    out.SetVerticalAligment(
        static_cast<AlignmentVertical>(static_cast<int32_t>(tree.get<long long>("align_vertical"))));
    benchmark::DoNotOptimize(out.timeOffset);
  }
}
BENCHMARK(BM_SubtitleDrawerPtree);

}  // namespace
