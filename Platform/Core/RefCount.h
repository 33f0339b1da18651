#pragma once

#include <atomic>

#include <boost/intrusive_ptr.hpp>

#include "Platform/Export.h"

namespace Tivrel {

// Base of every interface object. Objects are shared through SP<T>; the object is
// destroyed when Release drops the last reference. All three operations are const so
// that SP<const T> works, and are safe to call from any thread.
class TIVREL_VISIBLE IRefCountable {
public:
  virtual void AddRef() const = 0;
  virtual long GetRefCount() const = 0;
  virtual void Release() const = 0;

protected:
  virtual ~IRefCountable() = default;
};

// Atomic reference count for concrete classes. Inherit it next to the interfaces:
//   class Foo : public IFoo, public RefCountImpl { ... };
// Interfaces derive IRefCountable virtually, so these overrides are the final ones.
// A new object starts with a count of 0; SP takes the first reference.
class TIVREL_VISIBLE RefCountImpl : public virtual IRefCountable {
public:
  void AddRef() const override { count_.fetch_add(1, std::memory_order_relaxed); }
  long GetRefCount() const override { return count_.load(std::memory_order_acquire); }
  void Release() const override {
    if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }

protected:
  RefCountImpl() = default;
  RefCountImpl(const RefCountImpl&) : IRefCountable() {}  // a copy is a new object
  RefCountImpl& operator=(const RefCountImpl&) { return *this; }
  ~RefCountImpl() override = default;

private:
  mutable std::atomic<long> count_{0};
};

inline void intrusive_ptr_add_ref(const IRefCountable* p) { p->AddRef(); }
inline void intrusive_ptr_release(const IRefCountable* p) { p->Release(); }

template <class T>
using SP = boost::intrusive_ptr<T>;

}  // namespace Tivrel
