#include "QSvgNode.h"

#include "QSvgTinyDocument.h"

#include <QtGui/QImage>
#include <QtGui/QPainterPathStroker>

#include <algorithm>

namespace orbsvg {

QSvgNode::QSvgNode(QSvgNode *parent)
    : m_parent(parent)
{
}

QSvgNode::~QSvgNode() = default;

QRectF QSvgNode::bounds(QPainter *, QSvgDrawState &) const
{
    return QRectF(0, 0, 0, 0);
}

QRectF QSvgNode::styledBounds(QPainter *p, QSvgDrawState &state) const
{
    applyStyle(p, state);
    const QRectF rect = bounds(p, state);
    revertStyle(p, state);
    return rect;
}

const QPainterPath *QSvgNode::outlinePath() const
{
    return nullptr;
}

QSvgTinyDocument *QSvgNode::document() const
{
    for (const QSvgNode *node = this; node; node = node->m_parent) {
        if (node->type() == Document)
            return static_cast<QSvgTinyDocument *>(const_cast<QSvgNode *>(node));
    }
    return nullptr;
}

void QSvgNode::applyStyle(QPainter *p, QSvgDrawState &state) const
{
    m_style.apply(p, this, state);
}

void QSvgNode::revertStyle(QPainter *p, QSvgDrawState &state) const
{
    m_style.revert(p, state);
}

namespace {
// The property of one type in a style set, or null.
QSvgStyleProperty *ownProperty(const QSvgStyleSet &style, QSvgStyleProperty::Type type)
{
    switch (type) {
    case QSvgStyleProperty::Quality:
        return style.quality.get();
    case QSvgStyleProperty::Fill:
        return style.fill.get();
    case QSvgStyleProperty::ViewportFill:
        return style.viewportFill.get();
    case QSvgStyleProperty::Font:
        return style.font.get();
    case QSvgStyleProperty::Stroke:
        return style.stroke.get();
    case QSvgStyleProperty::SolidColor:
        return style.solidColor.get();
    case QSvgStyleProperty::Gradient:
        return style.gradient.get();
    case QSvgStyleProperty::Transform:
        return style.transform.get();
    case QSvgStyleProperty::AnimateTransform:
        return style.animateTransforms.isEmpty() ? nullptr
                                                 : style.animateTransforms.constFirst().get();
    case QSvgStyleProperty::AnimateColor:
        return style.animateColor.get();
    case QSvgStyleProperty::Opacity:
        return style.opacity.get();
    case QSvgStyleProperty::CompOp:
        return style.compOp.get();
    }
    return nullptr;
}
} // namespace

QSvgStyleProperty *QSvgNode::styleProperty(QSvgStyleProperty::Type type) const
{
    // A transform is relative to the parent: never inherited.
    if (type == QSvgStyleProperty::Transform)
        return m_style.transform.get();
    for (const QSvgNode *node = this; node; node = node->m_parent) {
        if (QSvgStyleProperty *property = ownProperty(node->m_style, type))
            return property;
    }
    return nullptr;
}

QSvgFillStyleProperty *QSvgNode::styleById(const QString &id) const
{
    const QString name = id.startsWith(QLatin1Char('#')) ? id.mid(1) : id;
    const QSvgTinyDocument *doc = document();
    return doc ? doc->namedStyle(name) : nullptr;
}

void QSvgNode::addStyleProperty(QSvgStyleProperty *prop, const QString &id)
{
    if (!prop)
        return;
    switch (prop->type()) {
    case QSvgStyleProperty::Quality:
        m_style.quality = static_cast<QSvgQualityStyle *>(prop);
        break;
    case QSvgStyleProperty::Fill:
        m_style.fill = static_cast<QSvgFillStyle *>(prop);
        break;
    case QSvgStyleProperty::ViewportFill:
        m_style.viewportFill = static_cast<QSvgViewportFillStyle *>(prop);
        break;
    case QSvgStyleProperty::Font:
        m_style.font = static_cast<QSvgFontStyle *>(prop);
        break;
    case QSvgStyleProperty::Stroke:
        m_style.stroke = static_cast<QSvgStrokeStyle *>(prop);
        break;
    case QSvgStyleProperty::SolidColor:
        m_style.solidColor = static_cast<QSvgSolidColorStyle *>(prop);
        break;
    case QSvgStyleProperty::Gradient:
        m_style.gradient = static_cast<QSvgGradientStyle *>(prop);
        break;
    case QSvgStyleProperty::Transform:
        m_style.transform = static_cast<QSvgTransformStyle *>(prop);
        break;
    case QSvgStyleProperty::AnimateTransform:
        m_style.animateTransforms.append(static_cast<QSvgAnimateTransform *>(prop));
        break;
    case QSvgStyleProperty::AnimateColor:
        m_style.animateColor = static_cast<QSvgAnimateColor *>(prop);
        break;
    case QSvgStyleProperty::Opacity:
        m_style.opacity = static_cast<QSvgOpacityStyle *>(prop);
        break;
    case QSvgStyleProperty::CompOp:
        m_style.compOp = static_cast<QSvgCompOpStyle *>(prop);
        break;
    default:
        qDebug("QSvgNode: Trying to append unknown property!");
        return;
    }

    const bool paintServer = prop->type() == QSvgStyleProperty::SolidColor
        || prop->type() == QSvgStyleProperty::Gradient;
    if (paintServer && !id.isEmpty()) {
        if (QSvgTinyDocument *doc = document())
            doc->addNamedStyle(id, static_cast<QSvgFillStyleProperty *>(prop));
    }
}

void QSvgNode::setVisible(bool visible)
{
    if (visible && m_parent && !m_parent->isVisible())
        m_parent->setVisible(true);
    m_visible = visible;
}

QRectF QSvgNode::documentBounds() const
{
    if (!m_cachedBounds.isEmpty())
        return m_cachedBounds;

    QImage dummy(1, 1, QImage::Format_RGB32);
    QPainter p(&dummy);
    QSvgDrawState state;
    QPen pen(Qt::NoBrush, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(4);
    p.setPen(pen);

    // Ancestors contribute their strokes (which widen the bounds) but not their transforms.
    QVector<const QSvgNode *> ancestors;
    for (const QSvgNode *node = m_parent; node; node = node->m_parent)
        ancestors.append(node);
    for (auto it = ancestors.crbegin(); it != ancestors.crend(); ++it)
        (*it)->applyStyle(&p, state);
    p.resetTransform();

    m_cachedBounds = styledBounds(&p, state);

    for (const QSvgNode *node : qAsConst(ancestors))
        node->revertStyle(&p, state);
    return m_cachedBounds;
}

qreal QSvgNode::strokeWidth(QPainter *p)
{
    const QPen &pen = p->pen();
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || pen.isCosmetic())
        return 0;
    return pen.widthF();
}

QRectF QSvgNode::shapeBounds(QPainter *p, const QPainterPath &shape)
{
    const QTransform &transform = p->worldTransform();
    const qreal width = strokeWidth(p);
    if (qFuzzyIsNull(width))
        return transform.map(shape).boundingRect();
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    return transform.map(stroker.createStroke(shape)).boundingRect();
}

} // namespace orbsvg
