#pragma once

/// @file
/// Conversions between effect settings records and their property trees, and of the crop
/// margins and colour values that other components embed in their own trees.
///
/// Tree layout: the root is named after the record's CLASS_ID (the three value conversions
/// use an unnamed root); every field is a direct leaf child of the root, written with
/// SetChildT in a fixed order. Integers of every width are long long leaves (unsigned fields
/// zero-extended, signed ones sign-extended), flags bool leaves, floating fields double leaves.
/// Trees written here are read by name elsewhere in the engine, so key texts and value kinds
/// never change.
///
/// Readers:
/// - The value readers (Property2CropInfo, Property2CropInfoF, Property2Color) accept a tree
///   of any name and start from the defaults passed in; each key present replaces its field.
/// - The record readers first compare the root's name with the record's CLASS_ID and throw
///   FilterException ("... was initialized with incorrect class (<name>)!") on a mismatch.
///   They then start from the record's default state. Optional keys keep the default when
///   absent; required keys are taken without a test, so a missing one, or a leaf of the
///   wrong kind, throws Core::PropertyException from the tree. A field narrower than the
///   64-bit value read keeps its low bits.
///
/// Nothing here keeps state; every function may run on any thread, on trees that no other
/// thread is changing.

#include "Platform/Core/Property.h"
#include "Platform/Settings/SettingsAudioNoiseGate.h"
#include "Platform/Settings/SettingsEffectCrop.h"
#include "Platform/Settings/SettingsEffectDenoiseChromaLuma.h"
#include "Platform/Settings/SettingsEffectFlip.h"
#include "Proc/Interfaces/Color.h"
#include "Proc/Interfaces/CropInfo.h"
#include "Proc/Interfaces/Export.h"
#include "Proc/Settings/SettingsDeinterlace.h"
#include "Proc/Settings/SettingsEffectDeshake.h"
#include "Proc/Settings/SettingsEffectStabilizer.h"
#include "Proc/Settings/SettingsEffectTranspose.h"
#include "Proc/Settings/SettingsFilterCutController.h"
#include "Proc/Settings/SettingsFilterVideoMixer.h"
#include "Proc/Settings/SettingsSubtitleDrawer.h"

namespace Tivrel::Proc {

/// Crop margins: "LEFT", "RIGHT", "TOP", "BOTTOM", all optional. CropInfo is read with
/// GetValue<unsigned int>, CropInfoF with GetValue<double>.
///@{
TIVREL_PROC_API Core::Property CropInfo2Property(const CropInfo& crop);
TIVREL_PROC_API CropInfo Property2CropInfo(const Core::Property& tree, const CropInfo& defaults);
TIVREL_PROC_API Core::Property CropInfoF2Property(const CropInfoF& crop);
TIVREL_PROC_API CropInfoF Property2CropInfoF(const Core::Property& tree, const CropInfoF& defaults);
///@}

/// Colour: "RED", "GREEN", "BLUE", "ALPHA", all optional, read with GetValue<long long>
/// keeping the low 8 bits (300 reads as 44).
///@{
TIVREL_PROC_API Core::Property Color2Property(const Color& color);
TIVREL_PROC_API Color Property2Color(const Core::Property& tree, const Color& defaults);
///@}

/// Crop: "effectCropOffsetX", "effectCropOffsetY", "effectCropWidth", "effectCropHeight", all
/// optional (default 0), read with GetValue<long long>.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectCrop& settings);
TIVREL_PROC_API SettingsEffectCrop Property2SettingsCrop(const Core::Property& tree);
///@}

/// Flip: "effectFlipHoriz", "effectFlipVert", both optional (default false), read with
/// GetValue<bool>.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectFlip& settings);
TIVREL_PROC_API SettingsEffectFlip Property2SettingsFlip(const Core::Property& tree);
///@}

/// Transpose: "effectTransposeAngle", optional, the quarter turns times 90. Reading adds one
/// quarter turn per whole 90 degrees of an angle of at least 90; smaller and negative angles
/// give no turn.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectTranspose& settings);
TIVREL_PROC_API SettingsEffectTranspose Property2SettingsTranspose(const Core::Property& tree);
///@}

/// Deshake: "blocksize" (long long), "isEnabled" (bool), both required.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectDeshake& settings);
TIVREL_PROC_API SettingsEffectDeshake Property2SettingsDeshake(const Core::Property& tree);
///@}

/// Stabilizer: "is_analize_mode", "log_file", "is_enabled", "accuracy", "shakiness",
/// "stepsize", "smoothing", "optzoom", all required; the record's other fields keep their
/// defaults.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectStabilizer& settings);
TIVREL_PROC_API SettingsEffectStabilizer Property2SettingsStabilizer(const Core::Property& tree);
///@}

/// Denoise: "chroma_strength", "luma_strength", "chroma_strength_temporal",
/// "luma_strength_temporal" (double), all required.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsEffectDenoiseChromaLuma& settings);
TIVREL_PROC_API SettingsEffectDenoiseChromaLuma Property2SettingsChromaLuma(const Core::Property& tree);
///@}

/// Cut controller: one child per interval, each named "interval" and holding "start_time",
/// "end_time", "time_shift" (long long) and "is_deleted" (bool), all required. The reader
/// visits every child of the root whatever its name and enters it with AddInterval into a
/// default record (see SettingsFilterCutController for how intervals combine).
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsFilterCutController& settings);
TIVREL_PROC_API SettingsFilterCutController Property2SettingsCutController(const Core::Property& tree);
///@}

/// Deinterlace: "FrameMode" (default 0), "DeinterlaceMode" (default 1), both optional.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsDeinterlace& settings);
TIVREL_PROC_API SettingsDeinterlace Property2SettingsDeinterlace(const Core::Property& tree);
///@}

/// Noise gate: "threshold", "attack", "decay", "softKnee" (double), all required.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsAudioNoiseGate& settings);
TIVREL_PROC_API SettingsAudioNoiseGate Property2SettingsNoiseGate(const Core::Property& tree);
///@}

/// Subtitle drawer: "shift_top", "shift_left", "offset_timestamp", "align_horizontal",
/// "align_vertical" (long long), all required; the renderer settings are not carried.
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsSubtitleDrawer& settings);
TIVREL_PROC_API SettingsSubtitleDrawer Property2SettingsSubtitleDrawer(const Core::Property& tree);
///@}

/// Video mixer: the root alone. Any tree with the right root name reads as a mixer record;
/// a wrong name throws FilterException "Filter was initialized with incorrect class (<name>)!".
///@{
TIVREL_PROC_API Core::Property Settings2Property(const SettingsFilterVideoMixer& settings);
TIVREL_PROC_API SettingsFilterVideoMixer Property2Settings(const Core::Property& tree);
///@}

}  // namespace Tivrel::Proc
