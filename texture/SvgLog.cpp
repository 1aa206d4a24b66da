#include "SvgLog.h"

Q_LOGGING_CATEGORY(lcSvg, "orb.svg", QtWarningMsg)

namespace {
// Says, when debug output of the category is on, that the library is loaded.
const struct AnnounceCategory
{
    AnnounceCategory() { qCDebug(lcSvg) << "init" << lcSvg().categoryName(); }
} announceCategory;
} // namespace
