#pragma once

#include "QSvgDrawState.h"
#include "QSvgTinyDocument.h"

#include <QtGui/QBrush>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPen>

#include <memory>

namespace orbtest {

using DocumentPtr = std::unique_ptr<orbsvg::QSvgTinyDocument>;

// Parses body inside an "svg" root with a 100 x 100 view box.
DocumentPtr parseSvg(const QByteArray &body, const QByteArray &rootAttributes = QByteArray());
// Parses a whole document.
DocumentPtr parseDocument(const QByteArray &xml);

// The painter state a node is drawn with: its ancestors' and its own styles
// applied outermost first, from the default painter state of a draw.
struct AppliedStyle
{
    QPen pen;
    QBrush brush;
    QFont font;
    qreal opacity = 1;
    QTransform transform;
    QPainter::CompositionMode compositionMode = QPainter::CompositionMode_SourceOver;
    orbsvg::QSvgDrawState state;
};
AppliedStyle appliedStyle(const orbsvg::QSvgNode *node);

// The node with that id, failing the test when there is none.
orbsvg::QSvgNode *node(const DocumentPtr &document, const QString &id);

} // namespace orbtest
