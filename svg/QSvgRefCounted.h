#pragma once

namespace orbsvg {

// Base of objects shared inside one document (style properties, fonts). The
// count is not atomic: a document is used by one thread at a time.
class QSvgRefCounted
{
public:
    QSvgRefCounted() = default;
    QSvgRefCounted(const QSvgRefCounted &) = delete;
    QSvgRefCounted &operator=(const QSvgRefCounted &) = delete;
    virtual ~QSvgRefCounted();

    void ref() { ++m_count; }
    // Deletes the object when the last holder lets go.
    void deref()
    {
        if (--m_count == 0)
            delete this;
    }
    int refCount() const { return m_count; }

private:
    int m_count = 0;
};

} // namespace orbsvg
