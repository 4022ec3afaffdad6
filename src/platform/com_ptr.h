// An owning COM interface pointer.
//
// Holds one reference: released when the pointer dies or is given another
// interface, so business code never calls Release itself. put() hands the
// slot to an out-parameter (after releasing what was held); query() asks
// the held object for another interface. Copying adds a reference.
#pragma once

#include <unknwn.h>

#include <utility>

namespace lumeko {

template <typename T>
class TComPtr {
 public:
  TComPtr() noexcept = default;
  TComPtr(std::nullptr_t) noexcept {}
  // Takes over a reference the caller already holds.
  static TComPtr Attach(T* p) noexcept {
    TComPtr c;
    c.p_ = p;
    return c;
  }
  // Adds a reference of its own.
  static TComPtr Share(T* p) noexcept {
    if (p) p->AddRef();
    return Attach(p);
  }
  TComPtr(const TComPtr& o) noexcept : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  TComPtr& operator=(const TComPtr& o) noexcept {
    TComPtr(o).swap(*this);
    return *this;
  }
  TComPtr& operator=(TComPtr&& o) noexcept {
    TComPtr(std::move(o)).swap(*this);
    return *this;
  }
  ~TComPtr() { reset(); }

  void reset() noexcept {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // Gives the reference away (to an out-parameter of our own caller).
  T* detach() noexcept { return std::exchange(p_, nullptr); }
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  void swap(TComPtr& o) noexcept { std::swap(p_, o.p_); }

  // The held object's interface U (by its IID), or null.
  template <typename U>
  TComPtr<U> query(REFIID iid) const noexcept {
    TComPtr<U> u;
    if (p_) p_->QueryInterface(iid, u.put_void());
    return u;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace lumeko
