#pragma once

#include <atomic>

#include <boost/intrusive_ptr.hpp>

#include "Platform/Export.h"

namespace Tivrel {

// Base of every interface object. Objects are shared through SP<T>; the object is
// destroyed when Release drops the last reference. All three operations are const so
// that SP<const T> works, and are safe to call from any thread.
//
// Layout: the virtual slots are, in this order, the destructor (complete, deleting),
// AddRef, GetRefCount, Release. Modules built against this header depend on that order.
// The destructor is protected: objects go through Release, never through delete.
class TIVREL_VISIBLE IRefCountable {
protected:
  virtual ~IRefCountable() = default;

public:
  virtual void AddRef() const = 0;
  virtual long GetRefCount() const = 0;
  virtual void Release() const = 0;
};

namespace Detail {

// The atomic count behind RefCountImpl and RefCounted. A new object starts at 0; SP
// takes the first reference. Copies start at 0 too: a copy is a new object.
class RefCounter {
public:
  RefCounter() = default;
  RefCounter(const RefCounter&) {}
  RefCounter& operator=(const RefCounter&) { return *this; }

  void Add() const { count_.fetch_add(1, std::memory_order_relaxed); }
  long Get() const { return count_.load(std::memory_order_acquire); }
  // True when the last reference went: the caller then destroys the object. The
  // acquire half orders every other thread's use of the object before the destruction.
  bool Drop() const { return count_.fetch_sub(1, std::memory_order_acq_rel) == 1; }

private:
  mutable std::atomic<long> count_{0};
};

}  // namespace Detail

// Atomic reference count for concrete classes whose interfaces derive IRefCountable
// virtually. Inherit it next to the interfaces:
//   class Foo : public IFoo, public RefCountImpl { ... };
// These overrides are then the final ones.
class TIVREL_VISIBLE RefCountImpl : public virtual IRefCountable {
public:
  void AddRef() const override { counter_.Add(); }
  long GetRefCount() const override { return counter_.Get(); }
  void Release() const override {
    if (counter_.Drop()) delete this;
  }

protected:
  RefCountImpl() = default;
  RefCountImpl(const RefCountImpl&) : IRefCountable() {}  // a copy is a new object
  RefCountImpl& operator=(const RefCountImpl&) { return *this; }
  ~RefCountImpl() override = default;

private:
  Detail::RefCounter counter_;
};

// The same count for a class whose IRefCountable base is not virtual (a mixin beside
// it would add a second, unimplemented IRefCountable). Derive from the class instead:
//   class Job : public RefCounted<StreamProcessorBase> { ... };
// Base's constructors are inherited.
template <class Base>
class RefCounted : public Base {
public:
  using Base::Base;

  void AddRef() const override { counter_.Add(); }
  long GetRefCount() const override { return counter_.Get(); }
  void Release() const override {
    if (counter_.Drop()) delete this;
  }

private:
  Detail::RefCounter counter_;
};

inline void intrusive_ptr_add_ref(const IRefCountable* p) { p->AddRef(); }
inline void intrusive_ptr_release(const IRefCountable* p) { p->Release(); }

template <class T>
using SP = boost::intrusive_ptr<T>;

}  // namespace Tivrel
