#pragma once

#include "refcounted.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace orb {

// Strong reference to an intrusively counted object (null allowed). Copying
// acquires, destruction and reassignment release.
template<class T>
class ref_ptr
{
public:
    ref_ptr() = default;
    ref_ptr(std::nullptr_t) { }
    ref_ptr(T *obj)
        : m_obj(obj)
    {
        if (m_obj)
            acquire(m_obj);
    }
    ref_ptr(const ref_ptr &other)
        : ref_ptr(other.m_obj)
    {
    }
    ref_ptr(ref_ptr &&other) noexcept
        : m_obj(std::exchange(other.m_obj, nullptr))
    {
    }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U *, T *>>>
    ref_ptr(const ref_ptr<U> &other)
        : ref_ptr(other.get())
    {
    }
    ~ref_ptr() { reset(); }

    ref_ptr &operator=(ref_ptr other) noexcept
    {
        std::swap(m_obj, other.m_obj);
        return *this;
    }

    void reset()
    {
        if (T *obj = std::exchange(m_obj, nullptr))
            release(obj);
    }

    T *get() const { return m_obj; }
    T *operator->() const { return m_obj; }
    T &operator*() const { return *m_obj; }
    explicit operator bool() const { return m_obj != nullptr; }

    friend bool operator==(const ref_ptr &a, const ref_ptr &b) { return a.m_obj == b.m_obj; }
    friend bool operator!=(const ref_ptr &a, const ref_ptr &b) { return a.m_obj != b.m_obj; }

private:
    T *m_obj = nullptr;
};

} // namespace orb
