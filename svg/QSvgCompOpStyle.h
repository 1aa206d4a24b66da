#pragma once

#include "QSvgStyleProperty.h"

#include <QtGui/QPainter>

namespace orbsvg {

// "comp-op": the painter's composition mode for the node and its content.
class QSvgCompOpStyle : public QSvgStyleProperty
{
public:
    explicit QSvgCompOpStyle(QPainter::CompositionMode mode);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return CompOp; }

    QPainter::CompositionMode compOp() const { return m_mode; }

private:
    QPainter::CompositionMode m_mode;
    QPainter::CompositionMode m_oldMode = QPainter::CompositionMode_SourceOver;
};

} // namespace orbsvg
