#pragma once

#include <utility>

namespace platform {

// Owns one operating-system handle and closes it exactly once.
// Closer is a function object type; Null is the value that means "no handle".
// Moves hand the ownership over; copies are not allowed.
template <typename Handle, typename Closer, Handle Null = Handle{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }

    // Gives the handle up without closing it.
    Handle release() { return std::exchange(handle_, Null); }

    void reset(Handle handle = Null) {
        Handle old = std::exchange(handle_, handle);
        if (old != Null)
            Closer{}(old);
    }

  private:
    Handle handle_ = Null;
};

}  // namespace platform
