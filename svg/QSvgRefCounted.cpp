#include "QSvgRefCounted.h"

namespace orbsvg {

QSvgRefCounted::~QSvgRefCounted() = default;

} // namespace orbsvg
