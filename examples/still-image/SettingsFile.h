#pragma once

// Effect chains kept in files (--settings, --save-settings). A settings file holds one
// effect list as JSON text (Core::PropertyToJson): the tree that
// IFilterApplyEffectsVideo::SettingsEffects2FilterSettings builds from the effects'
// settings trees, in chain order, the form in which the engine passes effect lists. Each
// effect is the tree its record's Settings2Property writes, root named by the record's
// class identifier, plus the list's "classKey". A flip left-right, then a crop:
//
//   {"name": "$$FILTER_APPLY_EFFECTS_VIDEO$$", "children": [
//     {"name": "classKey", "string": "$$FILTER_APPLY_EFFECTS_VIDEO$$"},
//     {"name": "typeId", "string": ""},
//     {"name": "effectsList", "children": [
//       {"name": "SettingsEffectFlip", "children": [
//         {"name": "effectFlipHoriz", "bool": true},
//         {"name": "effectFlipVert", "bool": false},
//         {"name": "classKey", "string": "SettingsEffectFlip"}
//       ]},
//       {"name": "SettingsEffectCrop", "children": [
//         {"name": "effectCropOffsetX", "int": 160},
//         {"name": "effectCropOffsetY", "int": 0},
//         {"name": "effectCropWidth", "int": 960},
//         {"name": "effectCropHeight", "int": 720},
//         {"name": "classKey", "string": "SettingsEffectCrop"}
//       ]}
//     ]}
//   ]}
//
// Crops are kept as rectangles (a frame's crop:L,T,R,B margins made absolute), so a file
// fits frames of the size it was made for. Keys that a record's reader treats as optional
// may be left out. The library reads no files: this is the program's part.

#include <string>
#include <vector>

#include "Platform/Core/Property.h"
#include "examples/still-image/EffectChain.h"

namespace StillImage {

// `steps` with every kSettingsFile replaced by the effects its file holds, in order, each
// a kTree step whose tree went through its record's reader and writer (so unknown keys are
// gone) and whose text says where it was found ("'chain.json' at /children/2/children/0").
// Throws InputError naming the file, and for content that does not fit the JSON pointer of
// the offending node: unreadable or too large files, malformed JSON, a tree that is not an
// effect list, an effect class no effect takes, a value of the wrong kind.
std::vector<EffectStep> ReadSettingsFiles(const std::vector<EffectStep>& steps);

// Writes `effects` (trees MakeChain takes, in chain order) to `path` as an effect list.
// Throws InputError when the file cannot be written.
void WriteSettingsFile(const std::string& path, const std::vector<Tivrel::Core::Property>& effects);

}  // namespace StillImage
