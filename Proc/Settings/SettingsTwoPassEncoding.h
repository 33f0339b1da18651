#pragma once

#include <string>

#include "Proc/Settings/Settings.h"

namespace Tivrel::Proc {

/// Two-pass encoding: whether this pass analyses or encodes, and the file that carries the
/// analysis from the first pass to the second.
/// The fields, their defaults and the CLASS_ID text stand in for the engine's settings
/// component; GetClassId, Clone and IsEqualTo are this library's class behaviour.
class TIVREL_PROC_API SettingsTwoPassEncoding : public Settings {
public:
  static const std::string CLASS_ID;  ///< the record's class identifier, returned by GetClassId

  bool analysisMode = true;  ///< true: first (analysis) pass; false: final pass
  std::string logFile;       ///< analysis log; empty: the encoder chooses

  const std::string& GetClassId() const override;
  SettingsTwoPassEncoding* Clone() const override;
  /// Flag and log file both equal. Throws std::bad_cast when `other` is not a SettingsTwoPassEncoding.
  bool IsEqualTo(const Settings& other) const override;
};

}  // namespace Tivrel::Proc
