#pragma once

// The root of the engine's exception family, the core exceptions, the error-info tags
// every exception carries, and the one throw sequence every throw site uses.
//
// Exceptions carry no fields: everything they say is attached as Boost.Exception
// error_info tags (description, call stack, ...) and the throw location lives in
// boost::exception's throw file, function and line. std::exception and
// boost::exception are virtual bases, so a handler for either, for Tivrel::Exception
// or for any intermediate class catches every member and sees the same tags. what()
// is std::exception's generic text, never the description.

#include <exception>
#include <stdexcept>
#include <string>
#include <type_traits>

#include <boost/exception/exception.hpp>
#include <boost/exception/get_error_info.hpp>
#include <boost/exception/info.hpp>
#include <boost/throw_exception.hpp>

#include "Platform/Core/CallStack.h"
#include "Platform/Core/PropertyTypes.h"
#include "Platform/Export.h"

namespace Tivrel {

class TIVREL_VISIBLE Exception : public virtual std::exception, public virtual boost::exception {
public:
  ~Exception() noexcept override = default;
};

// Human-readable description of the failure; attached at every throw site.
using TagDescription = boost::error_info<struct TagDescription_, std::string>;
// Call stack at the throw (GetCallStack text); attached by AddStack.
using TagCallStack = boost::error_info<struct TagCallStack_, std::string>;

namespace Core {

class TIVREL_VISIBLE CoreException : public virtual Exception {
public:
  ~CoreException() noexcept override = default;
};

class TIVREL_VISIBLE PropertyException : public virtual CoreException {
public:
  ~PropertyException() noexcept override = default;
  using TagMethodName = boost::error_info<struct TagMethodName_, std::string>;
  using TagPropertyName = boost::error_info<struct TagPropertyName_, std::string>;
  using TagPropertyType = boost::error_info<struct TagPropertyType_, PropertyTypes>;
};

// An operation does not fit the node's kind (e.g. adding a child to a leaf).
class TIVREL_VISIBLE MethodIsNotApplicable : public PropertyException {
public:
  ~MethodIsNotApplicable() noexcept override = default;
};

// Memory exhausted. Never thrown by this layer; recognised when errors are classified.
class TIVREL_VISIBLE MemoryException : public virtual CoreException {
public:
  ~MemoryException() noexcept override = default;
};

}  // namespace Core

// Attaches the current call stack to a family member and returns the same object.
template <class E, std::enable_if_t<std::is_base_of_v<Exception, E>, int> = 0>
const E& AddStack(const E& e) {
  e << TagCallStack(GetCallStack());
  return e;
}

// Standard exceptions cannot carry tags: returns a new E whose message is e's message,
// a line feed, then the call stack. `e` is not changed.
template <class E, std::enable_if_t<!std::is_base_of_v<Exception, E> && (std::is_base_of_v<std::logic_error, E> ||
                                                                         std::is_base_of_v<std::runtime_error, E>),
                                    int> = 0>
E AddStack(const E& e) {
  return E(std::string(e.what()) + "\n" + GetCallStack());
}

// Where a throw happens: source file, function text and line, recorded exactly as given.
// The function text must outlive the exception (use a string literal).
struct ThrowSite {
  const char* file;
  const char* function;
  int line;
};

// Source file of the calling translation unit, relative to the repository root (the
// build maps the source directory away with -fmacro-prefix-map). A site that records
// where it stands passes __LINE__.
#define TIVREL_THROW_SITE(function_text, line) (::Tivrel::ThrowSite{__FILE__, (function_text), (line)})

// A function text and line that a throw site records by contract rather than the line it
// stands on: callers match exceptions by them, so they must not move with edits of the
// file. Such constants live in one table, never as bare numbers at the site.
struct PublishedLocation {
  const char* function;
  int line;
};

// The site of a throw whose location is fixed: this file, with the function text and line
// of `location` (a PublishedLocation).
#define TIVREL_PUBLISHED_THROW_SITE(location) (::Tivrel::ThrowSite{__FILE__, (location).function, (location).line})

// Steps 3 and 4 of the throw sequence: attach the call stack and throw through
// boost::throw_exception with the site's location, so that the thrown object is a
// clonable boost::wrapexcept<E> that survives an ExceptionPtr with all its tags.
template <class E>
[[noreturn]] void ThrowWithStack(const E& e, const ThrowSite& site) {
  boost::throw_exception(
      AddStack(e), boost::source_location(site.file, static_cast<boost::uint_least32_t>(site.line), site.function));
}

// The whole throw sequence. For a family member: default-construct E, attach the
// description as TagDescription, add the stack, throw. For a standard exception: E is
// built with the description as its message and the stack is appended to it.
template <class E>
[[noreturn]] void ThrowError(const std::string& description, const ThrowSite& site) {
  if constexpr (std::is_base_of_v<Exception, E>) {
    E e;
    e << TagDescription(description);
    ThrowWithStack(e, site);
  } else {
    ThrowWithStack(E(description), site);
  }
}

}  // namespace Tivrel
