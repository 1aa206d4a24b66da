#include "WeakHandle.h"

#include "WeakBlock.h"

#include <utility>

namespace orb {

WeakHandle::WeakHandle(WeakBlock *block)
    : m_block(block)
{
    if (m_block)
        m_block->weakCount.fetch_add(1);
}

WeakHandle::WeakHandle(const WeakHandle &other)
    : WeakHandle(other.m_block)
{
}

WeakHandle::WeakHandle(WeakHandle &&other) noexcept
    : m_block(std::exchange(other.m_block, nullptr))
{
}

WeakHandle &WeakHandle::operator=(WeakHandle other) noexcept
{
    std::swap(m_block, other.m_block);
    return *this;
}

WeakHandle::~WeakHandle()
{
    if (m_block && m_block->weakCount.fetch_sub(1) == 1)
        delete m_block;
}

bool WeakHandle::isAlive() const
{
    return m_block && m_block->alive.load() == 1;
}

refcounted *WeakHandle::object() const
{
    return m_block ? m_block->object.load() : nullptr;
}

bool WeakHandle::compareAndSetAlive(int expected, int desired)
{
    return m_block && m_block->alive.compare_exchange_strong(expected, desired);
}

void WeakHandle::markDead()
{
    if (!m_block)
        return;
    compareAndSetAlive(1, 0);
    m_block->object.store(nullptr);
}

} // namespace orb
