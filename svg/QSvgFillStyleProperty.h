#pragma once

#include "QSvgStyleProperty.h"

#include <QtGui/QBrush>

namespace orbsvg {

// Base of paint servers (gradients, solid colours): they act only through a
// fill or stroke that names them, so applying one does nothing.
class QSvgFillStyleProperty : public QSvgStyleProperty
{
public:
    void apply(QPainter *, const QSvgNode *, QSvgDrawState &) override { }
    void revert(QPainter *, QSvgDrawState &) override { }
    // The brush a fill or stroke using this server paints with.
    virtual QBrush brush(QPainter *p, QSvgDrawState &state) = 0;
};

} // namespace orbsvg
