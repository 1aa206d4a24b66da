#include "Irefcounted.h"

namespace orb {

Irefcounted::~Irefcounted() = default;

} // namespace orb
