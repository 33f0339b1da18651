#include "Proc/Interfaces/SettingsConversion.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {

// Keys of the trees written and read here. They are this file's own: other libraries spell
// the same texts, so a key's text never changes.
namespace CropInfoNamespace {
const std::string LEFT = "LEFT";
const std::string RIGHT = "RIGHT";
const std::string TOP = "TOP";
const std::string BOTTOM = "BOTTOM";
}  // namespace CropInfoNamespace

namespace ColorComponents {
const std::string RED = "RED";
const std::string GREEN = "GREEN";
const std::string BLUE = "BLUE";
const std::string ALPHA = "ALPHA";
}  // namespace ColorComponents

namespace Crop {
const std::string OFFSET_X = "effectCropOffsetX";
const std::string OFFSET_Y = "effectCropOffsetY";
const std::string WIDTH = "effectCropWidth";
const std::string HEIGHT = "effectCropHeight";
}  // namespace Crop

namespace Flip {
const std::string MODE_VERT = "effectFlipVert";
const std::string MODE_HORIZ = "effectFlipHoriz";
}  // namespace Flip

namespace Transpose {
const std::string ANGLE = "effectTransposeAngle";
}  // namespace Transpose

namespace Deshake {
const std::string BLOCKSIZE = "blocksize";
const std::string IS_ENABLED = "isEnabled";
}  // namespace Deshake

namespace Stabilizer {
const std::string IS_ANAILZE_MODE = "is_analize_mode";
const std::string LOG_FILE = "log_file";
const std::string IS_ENABLED = "is_enabled";
const std::string ACCURACY = "accuracy";
const std::string SHAKINESS = "shakiness";
const std::string STEPSIZE = "stepsize";
const std::string SMOOTHING = "smoothing";
const std::string OPTZOOM = "optzoom";
}  // namespace Stabilizer

namespace ChromaLuma {
const std::string LUMA_STRENGTH = "luma_strength";
const std::string CHROMA_STRENGTH = "chroma_strength";
const std::string LUMA_STRENGTH_TEMPORAL = "luma_strength_temporal";
const std::string CHROMA_STRENGTH_TEMPORAL = "chroma_strength_temporal";
}  // namespace ChromaLuma

namespace CutController {
const std::string INTERVAL = "interval";
const std::string START_TIME = "start_time";
const std::string END_TIME = "end_time";
const std::string TIME_SHIFT = "time_shift";
const std::string IS_DELETED = "is_deleted";
}  // namespace CutController

namespace Deinterlace {
const std::string FRAME_MODE = "FrameMode";
const std::string DEINTERLACE_MODE = "DeinterlaceMode";
}  // namespace Deinterlace

namespace NoiseGate {
const std::string THRESHOLD = "threshold";
const std::string ATTACK = "attack";
const std::string DECAY = "decay";
const std::string SOFTKNEE = "softKnee";
}  // namespace NoiseGate

namespace SubtitleDrawer {
const std::string SHIFT_TOP = "shift_top";
const std::string SHIFT_LEFT = "shift_left";
const std::string OFFSET_TIMESTAMP = "offset_timestamp";
const std::string ALIGN_HORIZONTAL = "align_horizontal";
const std::string ALIGN_VERTICAL = "align_vertical";
}  // namespace SubtitleDrawer

namespace {

using Core::Property;

const char* const kObjectMismatch = "Object was initialized with incorrect class (";

// A reader's class check: the root's name must be the record's class identifier, byte for byte.
void CheckClass(const Property& tree, const std::string& classId, const char* message, const ThrowSite& site) {
  if (tree.GetName() != classId) ThrowError<FilterException>(message + tree.GetName() + ")!", site);
}

// One field of a record and the key it travels under. The tables below list a family's
// fields in the order they are written.
template <class Record, class Member>
struct Field {
  const std::string* key;
  Member Record::*member;
};

// Writes every field as a leaf of kind Leaf (integers widen as static_cast does: unsigned
// fields zero-extend, signed ones sign-extend).
template <class Leaf, class Record, class Member, size_t N>
void WriteFields(Property& root, const Record& record, const Field<Record, Member> (&fields)[N]) {
  for (const auto& field : fields) root.SetChildT<Leaf>(*field.key, static_cast<Leaf>(record.*field.member));
}

// Reads the fields whose keys are present with GetValue<Read>; a narrower field keeps the
// low bits. Absent keys leave the field alone.
template <class Read, class Record, class Member, size_t N>
void ReadOptionalFields(const Property& tree, Record& record, const Field<Record, Member> (&fields)[N]) {
  for (const auto& field : fields) {
    const size_t position = tree.FindChild(*field.key);
    if (position != tree.Count()) record.*field.member = static_cast<Member>(tree[position].GetValue<Read>());
  }
}

const Field<CropInfo, uint32_t> kCropInfoFields[] = {
    {&CropInfoNamespace::LEFT, &CropInfo::left},
    {&CropInfoNamespace::RIGHT, &CropInfo::right},
    {&CropInfoNamespace::TOP, &CropInfo::top},
    {&CropInfoNamespace::BOTTOM, &CropInfo::bottom},
};
const Field<CropInfoF, double> kCropInfoFFields[] = {
    {&CropInfoNamespace::LEFT, &CropInfoF::left},
    {&CropInfoNamespace::RIGHT, &CropInfoF::right},
    {&CropInfoNamespace::TOP, &CropInfoF::top},
    {&CropInfoNamespace::BOTTOM, &CropInfoF::bottom},
};
const Field<Color, uint8_t> kColorFields[] = {
    {&ColorComponents::RED, &Color::red},
    {&ColorComponents::GREEN, &Color::green},
    {&ColorComponents::BLUE, &Color::blue},
    {&ColorComponents::ALPHA, &Color::alpha},
};
const Field<SettingsEffectCrop, uint32_t> kCropFields[] = {
    {&Crop::OFFSET_X, &SettingsEffectCrop::offsetX},
    {&Crop::OFFSET_Y, &SettingsEffectCrop::offsetY},
    {&Crop::WIDTH, &SettingsEffectCrop::width},
    {&Crop::HEIGHT, &SettingsEffectCrop::height},
};
const Field<SettingsEffectFlip, bool> kFlipFields[] = {
    {&Flip::MODE_HORIZ, &SettingsEffectFlip::horizontal},
    {&Flip::MODE_VERT, &SettingsEffectFlip::vertical},
};
// The integer fields of a stabilizer tree; its two flags and the log file come first.
const Field<SettingsEffectStabilizer, int32_t> kStabilizerIntFields[] = {
    {&Stabilizer::ACCURACY, &SettingsEffectStabilizer::accuracy},
    {&Stabilizer::SHAKINESS, &SettingsEffectStabilizer::shakiness},
    {&Stabilizer::STEPSIZE, &SettingsEffectStabilizer::stepSize},
    {&Stabilizer::SMOOTHING, &SettingsEffectStabilizer::smoothing},
    {&Stabilizer::OPTZOOM, &SettingsEffectStabilizer::optZoom},
};
const Field<SettingsEffectDenoiseChromaLuma, double> kChromaLumaFields[] = {
    {&ChromaLuma::CHROMA_STRENGTH, &SettingsEffectDenoiseChromaLuma::chromaStrength},
    {&ChromaLuma::LUMA_STRENGTH, &SettingsEffectDenoiseChromaLuma::lumaStrength},
    {&ChromaLuma::CHROMA_STRENGTH_TEMPORAL, &SettingsEffectDenoiseChromaLuma::chromaStrengthTemporal},
    {&ChromaLuma::LUMA_STRENGTH_TEMPORAL, &SettingsEffectDenoiseChromaLuma::lumaStrengthTemporal},
};
const Field<SettingsDeinterlace, int32_t> kDeinterlaceFields[] = {
    {&Deinterlace::FRAME_MODE, &SettingsDeinterlace::frameMode},
    {&Deinterlace::DEINTERLACE_MODE, &SettingsDeinterlace::deinterlaceMode},
};
const Field<SettingsAudioNoiseGate, double> kNoiseGateFields[] = {
    {&NoiseGate::THRESHOLD, &SettingsAudioNoiseGate::threshold},
    {&NoiseGate::ATTACK, &SettingsAudioNoiseGate::attack},
    {&NoiseGate::DECAY, &SettingsAudioNoiseGate::decay},
    {&NoiseGate::SOFTKNEE, &SettingsAudioNoiseGate::softKnee},
};

// A whole turn: AddAngle90 works modulo four quarter turns, so only the remainder of the
// quarter-turn count changes the record. Calling it that many times instead of angle / 90
// times keeps an angle near 2^63 from spinning for ages.
constexpr long long kQuarterTurnsPerTurn = 4;

}  // namespace

Property CropInfo2Property(const CropInfo& crop) {
  Property root("");
  WriteFields<long long>(root, crop, kCropInfoFields);
  return root;
}

CropInfo Property2CropInfo(const Property& tree, const CropInfo& defaults) {
  CropInfo crop = defaults;
  ReadOptionalFields<unsigned int>(tree, crop, kCropInfoFields);
  return crop;
}

Property CropInfoF2Property(const CropInfoF& crop) {
  Property root("");
  WriteFields<double>(root, crop, kCropInfoFFields);
  return root;
}

CropInfoF Property2CropInfoF(const Property& tree, const CropInfoF& defaults) {
  CropInfoF crop = defaults;
  ReadOptionalFields<double>(tree, crop, kCropInfoFFields);
  return crop;
}

Property Color2Property(const Color& color) {
  Property root("");
  WriteFields<long long>(root, color, kColorFields);
  return root;
}

Color Property2Color(const Property& tree, const Color& defaults) {
  Color color = defaults;
  ReadOptionalFields<long long>(tree, color, kColorFields);
  return color;
}

Property Settings2Property(const SettingsEffectCrop& settings) {
  Property root(SettingsEffectCrop::CLASS_ID);
  WriteFields<long long>(root, settings, kCropFields);
  return root;
}

SettingsEffectCrop Property2SettingsCrop(const Property& tree) {
  CheckClass(tree, SettingsEffectCrop::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsCrop));
  SettingsEffectCrop settings;
  ReadOptionalFields<long long>(tree, settings, kCropFields);
  return settings;
}

Property Settings2Property(const SettingsEffectFlip& settings) {
  Property root(SettingsEffectFlip::CLASS_ID);
  WriteFields<bool>(root, settings, kFlipFields);
  return root;
}

SettingsEffectFlip Property2SettingsFlip(const Property& tree) {
  CheckClass(tree, SettingsEffectFlip::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsFlip));
  SettingsEffectFlip settings;
  ReadOptionalFields<bool>(tree, settings, kFlipFields);
  return settings;
}

Property Settings2Property(const SettingsEffectTranspose& settings) {
  Property root(SettingsEffectTranspose::CLASS_ID);
  root.SetChildT<long long>(Transpose::ANGLE, static_cast<long long>(settings.quarterTurns) * 90);
  return root;
}

SettingsEffectTranspose Property2SettingsTranspose(const Property& tree) {
  CheckClass(tree, SettingsEffectTranspose::CLASS_ID, "Object was initialized with incorrece class (",
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsTranspose));
  SettingsEffectTranspose settings;
  const size_t position = tree.FindChild(Transpose::ANGLE);
  if (position == tree.Count()) return settings;
  const long long angle = tree[position].GetValue<long long>();
  if (angle < 90) return settings;  // negative angles included
  for (long long turns = (angle / 90) % kQuarterTurnsPerTurn; turns > 0; --turns) settings.AddAngle90();
  return settings;
}

Property Settings2Property(const SettingsEffectDeshake& settings) {
  Property root(SettingsEffectDeshake::CLASS_ID);
  root.SetChildT<long long>(Deshake::BLOCKSIZE, settings.blockSize);
  root.SetChildT<bool>(Deshake::IS_ENABLED, settings.enabled);
  return root;
}

SettingsEffectDeshake Property2SettingsDeshake(const Property& tree) {
  CheckClass(tree, SettingsEffectDeshake::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsDeshake));
  SettingsEffectDeshake settings;
  settings.blockSize = static_cast<int32_t>(tree[Deshake::BLOCKSIZE].GetInt64());
  settings.enabled = tree[Deshake::IS_ENABLED].GetBool();
  return settings;
}

Property Settings2Property(const SettingsEffectStabilizer& settings) {
  Property root(SettingsEffectStabilizer::CLASS_ID);
  root.SetChildT<bool>(Stabilizer::IS_ANAILZE_MODE, settings.analysisMode);
  root.SetChildT<std::string>(Stabilizer::LOG_FILE, settings.logFile);
  root.SetChildT<bool>(Stabilizer::IS_ENABLED, settings.enabled);
  WriteFields<long long>(root, settings, kStabilizerIntFields);
  return root;
}

SettingsEffectStabilizer Property2SettingsStabilizer(const Property& tree) {
  CheckClass(tree, SettingsEffectStabilizer::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsStabilizer));
  SettingsEffectStabilizer settings;
  settings.analysisMode = tree[Stabilizer::IS_ANAILZE_MODE].GetBool();
  settings.logFile = tree[Stabilizer::LOG_FILE].GetString();
  settings.enabled = tree[Stabilizer::IS_ENABLED].GetBool();
  for (const auto& field : kStabilizerIntFields) {
    settings.*field.member = static_cast<int32_t>(tree[*field.key].GetInt64());
  }
  return settings;
}

Property Settings2Property(const SettingsEffectDenoiseChromaLuma& settings) {
  Property root(SettingsEffectDenoiseChromaLuma::CLASS_ID);
  WriteFields<double>(root, settings, kChromaLumaFields);
  return root;
}

SettingsEffectDenoiseChromaLuma Property2SettingsChromaLuma(const Property& tree) {
  CheckClass(tree, SettingsEffectDenoiseChromaLuma::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsChromaLuma));
  SettingsEffectDenoiseChromaLuma settings;
  for (const auto& field : kChromaLumaFields) settings.*field.member = tree[*field.key].GetDouble();
  return settings;
}

Property Settings2Property(const SettingsFilterCutController& settings) {
  Property root(SettingsFilterCutController::CLASS_ID);
  const size_t count = settings.intervals.size();
  for (size_t i = 0; i < count; ++i) {
    const std::optional<SettingsFilterCutController::Interval> interval = settings.GetOptInterval(i);
    Property node(CutController::INTERVAL);
    node.SetChildT<long long>(CutController::START_TIME, interval->startTime);
    node.SetChildT<long long>(CutController::END_TIME, interval->endTime);
    node.SetChildT<long long>(CutController::TIME_SHIFT, interval->timeShift);
    node.SetChildT<bool>(CutController::IS_DELETED, interval->deleted);
    root.Add(std::move(node));
  }
  return root;
}

SettingsFilterCutController Property2SettingsCutController(const Property& tree) {
  CheckClass(tree, SettingsFilterCutController::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsCutController));
  SettingsFilterCutController settings;
  const size_t count = tree.Count();
  for (size_t i = 0; i < count; ++i) {
    const Property& interval = tree[i];  // its name is not looked at
    // One key at a time, in the tree's order, so that a missing key is the one reported.
    const long long start = interval[CutController::START_TIME].GetInt64();
    const long long end = interval[CutController::END_TIME].GetInt64();
    const long long shift = interval[CutController::TIME_SHIFT].GetInt64();
    const bool deleted = interval[CutController::IS_DELETED].GetBool();
    settings.AddInterval(start, end, shift, deleted);
  }
  return settings;
}

Property Settings2Property(const SettingsDeinterlace& settings) {
  Property root(SettingsDeinterlace::CLASS_ID);
  WriteFields<long long>(root, settings, kDeinterlaceFields);
  return root;
}

SettingsDeinterlace Property2SettingsDeinterlace(const Property& tree) {
  CheckClass(tree, SettingsDeinterlace::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsDeinterlace));
  SettingsDeinterlace settings;
  for (const auto& field : kDeinterlaceFields) {
    const size_t position = tree.FindChild(*field.key);
    if (position != tree.Count()) settings.*field.member = static_cast<int32_t>(tree[position].GetInt64());
  }
  return settings;
}

Property Settings2Property(const SettingsAudioNoiseGate& settings) {
  Property root(SettingsAudioNoiseGate::CLASS_ID);
  WriteFields<double>(root, settings, kNoiseGateFields);
  return root;
}

SettingsAudioNoiseGate Property2SettingsNoiseGate(const Property& tree) {
  CheckClass(tree, SettingsAudioNoiseGate::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsNoiseGate));
  SettingsAudioNoiseGate settings;
  for (const auto& field : kNoiseGateFields) settings.*field.member = tree[*field.key].GetDouble();
  return settings;
}

Property Settings2Property(const SettingsSubtitleDrawer& settings) {
  Property root(SettingsSubtitleDrawer::CLASS_ID);
  root.SetChildT<long long>(SubtitleDrawer::SHIFT_TOP, settings.shiftTop);
  root.SetChildT<long long>(SubtitleDrawer::SHIFT_LEFT, settings.shiftLeft);
  root.SetChildT<long long>(SubtitleDrawer::OFFSET_TIMESTAMP, settings.timeOffset);
  root.SetChildT<long long>(SubtitleDrawer::ALIGN_HORIZONTAL, static_cast<int32_t>(settings.GetHorizontalAlignment()));
  root.SetChildT<long long>(SubtitleDrawer::ALIGN_VERTICAL, static_cast<int32_t>(settings.GetVerticalAlignment()));
  return root;
}

SettingsSubtitleDrawer Property2SettingsSubtitleDrawer(const Property& tree) {
  CheckClass(tree, SettingsSubtitleDrawer::CLASS_ID, kObjectMismatch,
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsSubtitleDrawer));
  SettingsSubtitleDrawer settings;
  settings.shiftTop = static_cast<uint32_t>(tree[SubtitleDrawer::SHIFT_TOP].GetInt64());
  settings.shiftLeft = static_cast<uint32_t>(tree[SubtitleDrawer::SHIFT_LEFT].GetInt64());
  settings.timeOffset = tree[SubtitleDrawer::OFFSET_TIMESTAMP].GetInt64();
  settings.SetHorizontalAlignment(
      static_cast<AlignmentHorizontal>(static_cast<int32_t>(tree[SubtitleDrawer::ALIGN_HORIZONTAL].GetInt64())));
  settings.SetVerticalAligment(
      static_cast<AlignmentVertical>(static_cast<int32_t>(tree[SubtitleDrawer::ALIGN_VERTICAL].GetInt64())));
  return settings;
}

Property Settings2Property(const SettingsFilterVideoMixer&) { return Property(SettingsFilterVideoMixer::CLASS_ID); }

SettingsFilterVideoMixer Property2Settings(const Property& tree) {
  CheckClass(tree, SettingsFilterVideoMixer::CLASS_ID, "Filter was initialized with incorrect class (",
             TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kProperty2SettingsVideoMixer));
  return SettingsFilterVideoMixer();
}

}  // namespace Tivrel::Proc
