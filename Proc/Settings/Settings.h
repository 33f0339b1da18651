#pragma once

/// @file
/// Settings: the abstract root of every typed settings record.

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// The abstract root of every typed settings record.
///
/// Protocol: a component is configured with a record of its own class; the record names that
/// class through GetClassId (the text of the record's static CLASS_ID). Records are plain
/// polymorphic values: Clone returns a new heap copy owned by the caller (deep: strings,
/// lists and queues are copied), IsEqualTo compares two records of the same class. A record
/// may be used by one thread at a time; distinct records share nothing.
///
/// What the base does for operations a record does not override:
/// @code{.unparsed}
///   IsEqualTo   throws std::logic_error "Not implemented comparison for settings CLASS_ID=<id>"
///               (a plain standard exception, no call stack);
///   IsEmpty     returns false;
///   Deserialize throws SettingsException "Not implemented fill from string for settings CLASS_ID=<id>".
/// @endcode
/// An overriding IsEqualTo takes its argument with a checked reference cast, so a record of
/// another class raises std::bad_cast and never compares false.
class TIVREL_PROC_API Settings {
public:
  /// The class identifier of the record; a reference to the record's static CLASS_ID.
  virtual const std::string& GetClassId() const = 0;
  virtual ~Settings();
  /// A new heap copy of the record; the caller owns it.
  virtual Settings* Clone() const = 0;
  /// Whether `other` holds the same settings. `other` must be of this record's class.
  virtual bool IsEqualTo(const Settings& other) const;
  /// Whether the record asks for nothing to be done.
  virtual bool IsEmpty() const;
  /// Fills the record from a text. No record supports it.
  virtual void Deserialize(const std::string& text);

protected:
  /// Protected, so that only whole derived records are made, copied and assigned.
  ///@{
  Settings() = default;
  Settings(const Settings&) = default;
  Settings& operator=(const Settings&) = default;
  ///@}
};

}  // namespace Tivrel::Proc
