#pragma once

#include "QSvgRefCounted.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace orbsvg {

// Counted pointer to a QSvgRefCounted (null allowed).
template<class T>
class QSvgRefPtr
{
public:
    QSvgRefPtr() = default;
    QSvgRefPtr(std::nullptr_t) { }
    QSvgRefPtr(T *object)
        : m_object(object)
    {
        if (m_object)
            m_object->ref();
    }
    QSvgRefPtr(const QSvgRefPtr &other)
        : QSvgRefPtr(other.m_object)
    {
    }
    QSvgRefPtr(QSvgRefPtr &&other) noexcept
        : m_object(std::exchange(other.m_object, nullptr))
    {
    }
    template<class U, class = std::enable_if_t<std::is_convertible_v<U *, T *>>>
    QSvgRefPtr(const QSvgRefPtr<U> &other)
        : QSvgRefPtr(other.get())
    {
    }
    ~QSvgRefPtr()
    {
        if (m_object)
            m_object->deref();
    }

    QSvgRefPtr &operator=(QSvgRefPtr other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    T *get() const { return m_object; }
    T *operator->() const { return m_object; }
    T &operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T *m_object = nullptr;
};

} // namespace orbsvg
