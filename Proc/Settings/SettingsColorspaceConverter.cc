#include "Proc/Settings/SettingsColorspaceConverter.h"

#include "Proc/Settings/RecordClassIdInternal.h"

namespace Tivrel::Proc {

const std::string SettingsColorspaceConverter::CLASS_ID TIVREL_RECORD_CLASS_ID_INIT = "SettingsColorspaceConverter";

const std::string& SettingsColorspaceConverter::GetClassId() const { return CLASS_ID; }

SettingsColorspaceConverter* SettingsColorspaceConverter::Clone() const {
  return new SettingsColorspaceConverter(*this);
}

bool SettingsColorspaceConverter::IsEqualTo(const Settings& other) const {
  const auto& o = dynamic_cast<const SettingsColorspaceConverter&>(other);
  return *this == o;
}

void SettingsColorspaceConverter::SetPadColor(unsigned char r, unsigned char g, unsigned char b) {
  padRed = r;
  padGreen = g;
  padBlue = b;
}

bool SettingsColorspaceConverter::operator==(const SettingsColorspaceConverter& o) const {
  return pixelFormats == o.pixelFormats && padRed == o.padRed && padGreen == o.padGreen && padBlue == o.padBlue &&
         preserveAlpha == o.preserveAlpha && usePadColor == o.usePadColor && interlaced == o.interlaced;
}

}  // namespace Tivrel::Proc
