#include "QSvgAnimateTransform.h"

#include "QSvgNode.h"
#include "QSvgTinyDocument.h"

#include <QtGui/QPainter>

#include <cmath>

namespace orbsvg {

QSvgAnimateTransform::QSvgAnimateTransform(int from, int to, int)
    : m_timing(from, to)
{
}

void QSvgAnimateTransform::setArgs(TransformType type, Additive additive,
                                   const QVector<qreal> &args)
{
    m_type = type;
    m_additive = additive;
    m_args = args;
    m_count = args.size() / 3;
}

QTransform QSvgAnimateTransform::transformAt(double t)
{
    const std::optional<double> timed = m_timing.progressAt(t);
    if (!timed || m_count == 0)
        return m_transform;
    const double progress = *timed;

    const int last = m_count - 1;
    const int startIndex = int(std::floor(last * progress)) * 3;
    const int endIndex = int(std::ceil(last * progress)) * 3;
    // Each component runs from its start to its end value over the whole progress.
    auto component = [&](int i) {
        const qreal start = m_args[startIndex + i];
        return start + (m_args[endIndex + i] - start) * progress;
    };

    QTransform transform;
    switch (m_type) {
    case Translate:
        transform.translate(component(0), component(1));
        break;
    case Scale: {
        const qreal sx = component(0);
        const qreal sy = component(1);
        transform.scale(sx, sy == 0 ? sx : sy);
        break;
    }
    case Rotate: {
        const qreal startAngle = m_args[startIndex];
        const qreal cx = component(1);
        const qreal cy = component(2);
        transform.translate(cx, cy);
        transform.rotate((m_args[endIndex] - startAngle) * progress);
        transform.translate(-cx, -cy);
        break;
    }
    case SkewX:
        transform.shear(std::tan(component(0) * M_PI / 180), 0);
        break;
    case SkewY:
        transform.shear(0, std::tan(component(0) * M_PI / 180));
        break;
    case Empty:
        break;
    }
    m_transform = transform;
    return m_transform;
}

void QSvgAnimateTransform::apply(QPainter *p, const QSvgNode *node, QSvgDrawState &)
{
    m_oldWorldTransform = p->worldTransform();
    const QSvgTinyDocument *document = node ? node->document() : nullptr;
    const double t = document ? document->currentElapsed() : 0;
    p->setWorldTransform(transformAt(t), true);
    m_transformApplied = true;
}

void QSvgAnimateTransform::revert(QPainter *p, QSvgDrawState &)
{
    p->setWorldTransform(m_oldWorldTransform, false);
    m_transformApplied = false;
}

} // namespace orbsvg
