#include "Proc/Interfaces/IEncoder.h"

#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

// Keys of a two-pass encoding tree; only this file reads and writes them.
const std::string IS_ANAILZE_MODE = "is_analize_mode";
const std::string LOG_FILE = "log_file";

namespace Tivrel::Proc {

Core::Property IEncoder::Settings2Property(const SettingsTwoPassEncoding& settings) {
  Core::Property root(SettingsTwoPassEncoding::CLASS_ID);
  root.SetChildT<bool>(IS_ANAILZE_MODE, settings.analysisMode);
  root.SetChildT<std::string>(LOG_FILE, settings.logFile);
  return root;
}

SettingsTwoPassEncoding IEncoder::Property2Settings(const Core::Property& tree) {
  SettingsTreeDetail::CheckClass(tree, SettingsTwoPassEncoding::CLASS_ID, SettingsTreeDetail::Mismatch::kObject,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kEncoderProperty2Settings));
  SettingsTwoPassEncoding settings;  // analysis pass, no log file, until read
  settings.analysisMode = tree[IS_ANAILZE_MODE].GetBool();
  settings.logFile = tree[LOG_FILE].GetString();
  return settings;
}

}  // namespace Tivrel::Proc
