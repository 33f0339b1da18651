#include "Proc/Interfaces/IFilterResize.h"

#include "Platform/Conf/Preset.h"
#include "Proc/Interfaces/IResize.h"
#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/SettingsTreeInternal.h"

namespace Tivrel::Proc {

const std::string IFilterResize::CLASS_ID = "$$VIDEO_RESIZE$$";

Core::Property IFilterResize::Settings2Property(const SettingsResizer& settings) {
  Core::Property root(CLASS_ID);
  root.SetChildT<std::string>(Conf::IPreset::KEY_TYPE_ID, std::string());
  root.SetChild(IResize::CLASS_ID, IResize::Settings2Property(settings));
  return root;
}

SettingsResizer IFilterResize::Property2Settings(const Core::Property& tree) {
  SettingsTreeDetail::CheckClass(tree, CLASS_ID, SettingsTreeDetail::Mismatch::kFilter,
                                 TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kFilterResizeProperty2Settings));
  return IResize::Property2Settings(tree[IResize::CLASS_ID]);
}

}  // namespace Tivrel::Proc
