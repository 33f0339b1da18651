#include "examples/still-image/SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include <boost/exception/get_error_info.hpp>

#include "Platform/Core/Exception.h"
#include "Platform/Core/PropertyJson.h"
#include "Proc/Interfaces/IFilterApplyEffectsVideo.h"
#include "examples/still-image/Errors.h"

namespace StillImage {
namespace {

using Tivrel::Core::Property;
using Tivrel::Proc::IFilterApplyEffectsVideo;

// A settings file is a few hundred bytes per effect; anything this large is something else
// (and /dev/zero would never end).
constexpr size_t kMaxFileSize = 1 << 20;
// Keys of the effect-list layout, only to say where a tree departs from it.
const char* const kListKey = "effectsList";
const char* const kClassKey = "classKey";

std::string ReadText(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw InputError("cannot open '" + path + "': " + std::strerror(errno));
  std::string text(kMaxFileSize + 1, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  if (std::ferror(file.get())) throw InputError("cannot read '" + path + "': " + std::strerror(errno));
  if (text.size() > kMaxFileSize) {
    throw InputError("'" + path + "' is larger than " + std::to_string(kMaxFileSize) + " bytes: not a settings file");
  }
  return text;
}

std::string ChildPointer(const std::string& pointer, size_t position) {
  return pointer + "/children/" + std::to_string(position);
}

[[noreturn]] void Refuse(const std::string& path, const std::string& pointer, const std::string& what) {
  throw InputError("'" + path + "' at " + (pointer.empty() ? "the root" : pointer) + ": " + what);
}

// The text of a failure, without the call stack that standard exceptions append.
std::string Description(const std::exception& e) {
  if (const std::string* d = boost::get_error_info<Tivrel::TagDescription>(e)) return *d;
  const std::string what = e.what();
  return what.substr(0, what.find('\n'));
}

// Refuses the first place where `tree` departs from the effect-list layout: the root's
// name, the list node, an item that is not a node or lacks its class key. Returns the
// list node's position among the root's children.
size_t CheckListLayout(const std::string& path, const Property& tree) {
  if (tree.GetName() != IFilterApplyEffectsVideo::CLASS_ID) {
    Refuse(path, "/name",
           "the root is '" + tree.GetName() + "', an effect list's is '" + IFilterApplyEffectsVideo::CLASS_ID + "'");
  }
  const size_t at = tree.FindChild(kListKey);
  if (at == tree.Count()) Refuse(path, "", std::string("no \"") + kListKey + "\" node");
  const Property& list = tree[at];
  const std::string listPointer = ChildPointer("", at);
  if (list.GetType() != Tivrel::PT_NODE) Refuse(path, listPointer, std::string("\"") + kListKey + "\" is not a node");
  for (size_t i = 0; i < list.Count(); ++i) {
    const Property& item = list[i];
    const size_t key = item.FindChild(kClassKey);
    if (item.GetType() != Tivrel::PT_NODE || key == item.Count() || item[key].GetType() != Tivrel::PT_STRING) {
      Refuse(path, ChildPointer(listPointer, i), std::string("an effect needs a \"") + kClassKey + "\" string");
    }
  }
  return at;
}

// The effects of the file at `path`, as kTree steps.
std::vector<EffectStep> ReadSettingsFile(const std::string& path) {
  Property tree;
  try {
    tree = Tivrel::Core::PropertyFromJson(ReadText(path));
  } catch (const Tivrel::Core::PropertyException& e) {
    throw InputError("'" + path + "': " + Description(e));
  }
  const std::string listPointer = ChildPointer("", CheckListLayout(path, tree));
  const std::vector<Property> effects = IFilterApplyEffectsVideo::FilterSettings2SettingsEffects(tree);
  std::vector<EffectStep> steps;
  for (size_t i = 0; i < effects.size(); ++i) {
    EffectStep step;
    step.kind = EffectStep::Kind::kTree;
    step.text = "'" + path + "' at " + ChildPointer(listPointer, i);
    try {
      step.tree = MakeChain({effects[i]}).front()->GetSettings();  // through the record's reader and writer
    } catch (const Tivrel::Core::PropertyException& e) {
      // The tree names the child whose value it could not take.
      const std::string* name = boost::get_error_info<Tivrel::Core::PropertyException::TagPropertyName>(e);
      const size_t child = name ? effects[i].FindChild(*name) : effects[i].Count();
      const std::string pointer = ChildPointer(listPointer, i);
      Refuse(path, child == effects[i].Count() ? pointer : ChildPointer(pointer, child), Description(e));
    } catch (const std::invalid_argument& e) {  // no effect of this class
      Refuse(path, ChildPointer(listPointer, i), Description(e));
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace

std::vector<EffectStep> ReadSettingsFiles(const std::vector<EffectStep>& steps) {
  std::vector<EffectStep> all;
  for (const EffectStep& step : steps) {
    if (step.kind != EffectStep::Kind::kSettingsFile) {
      all.push_back(step);
      continue;
    }
    std::vector<EffectStep> read = ReadSettingsFile(step.text);
    all.insert(all.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  }
  return all;
}

void WriteSettingsFile(const std::string& path, const std::vector<Property>& effects) {
  const std::string text =
      Tivrel::Core::PropertyToJson(IFilterApplyEffectsVideo::SettingsEffects2FilterSettings(effects));
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw InputError("cannot create '" + path + "': " + std::strerror(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int error = errno;
  if (std::fclose(file) != 0 || !written) {
    throw InputError("cannot write '" + path + "': " + std::strerror(written ? errno : error));
  }
}

}  // namespace StillImage
