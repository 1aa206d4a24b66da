#pragma once

#include "QSvgStyleProperty.h"

#include <QtGui/QTransform>

namespace orbsvg {

// A node's own transform, relative to its parent.
class QSvgTransformStyle : public QSvgStyleProperty
{
public:
    explicit QSvgTransformStyle(const QTransform &transform);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Transform; }

    const QTransform &qtransform() const { return m_transform; }

private:
    QTransform m_transform;
    QTransform m_oldWorldTransform;
};

} // namespace orbsvg
