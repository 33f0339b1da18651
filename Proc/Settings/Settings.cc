#include "Proc/Settings/Settings.h"

#include <stdexcept>

#include "Proc/Interfaces/PublishedThrowSitesInternal.h"
#include "Proc/Interfaces/Stub.h"

namespace Tivrel::Proc {

Settings::~Settings() = default;

bool Settings::IsEqualTo(const Settings&) const {
  // Thrown plain: callers of the base comparison treat it as a programming error.
  throw std::logic_error("Not implemented comparison for settings CLASS_ID=" + GetClassId());
}

bool Settings::IsEmpty() const { return false; }

void Settings::Deserialize(const std::string&) {
  ThrowError<SettingsException>("Not implemented fill from string for settings CLASS_ID=" + GetClassId(),
                                TIVREL_PUBLISHED_THROW_SITE(PublishedSites::kSettingsDeserialize));
}

}  // namespace Tivrel::Proc
