#pragma once

#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Video mixing. The record has no fields: how streams are mixed travels in the mixer's
/// property tree.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsFilterVideoMixer : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  // (no fields)

  const std::string& GetClassId() const override;
  SettingsFilterVideoMixer* Clone() const override;
  /// Always true for two mixer records. Throws std::bad_cast when `other` is not a SettingsFilterVideoMixer.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
