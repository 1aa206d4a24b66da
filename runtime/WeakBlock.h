#pragma once

#include <atomic>

namespace orb {

class refcounted;

// Liveness record shared by an object and its weak references. It outlives the
// object for as long as weak references exist and is freed by the last of them.
struct WeakBlock
{
    explicit WeakBlock(refcounted *owner)
        : object(owner)
    {
    }

    std::atomic<int> weakCount{0};
    std::atomic<int> alive{1};
    std::atomic<refcounted *> object;
};

} // namespace orb
