#pragma once

#include <string>

namespace Tivrel::Proc {

// How styled subtitle text is rendered: where fonts come from and how text is scaled.
// A plain value; copies are deep. The subtitle drawer's settings carry one.
struct AssRendererSettings {
  std::string fontsDirectory;     // extra fonts are looked up here; empty: system fonts only
  std::string defaultFontFamily;  // used when a style names a font that is not available; empty: renderer's choice
  double fontScale = 1.0;         // factor on every font size
  double lineSpacing = 0.0;       // extra space between lines, in pixels of the layout size
  bool useEmbeddedFonts = true;   // take fonts embedded in the subtitle file

  bool operator==(const AssRendererSettings& o) const {
    return fontsDirectory == o.fontsDirectory && defaultFontFamily == o.defaultFontFamily && fontScale == o.fontScale &&
           lineSpacing == o.lineSpacing && useEmbeddedFonts == o.useEmbeddedFonts;
  }
  bool operator!=(const AssRendererSettings& o) const { return !(*this == o); }
};

}  // namespace Tivrel::Proc
