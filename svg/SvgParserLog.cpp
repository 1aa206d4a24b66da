#include "SvgParserLog.h"

Q_LOGGING_CATEGORY(lcSvgParser, "orb.svg.parser", QtWarningMsg)
