#include "QSvgTinyDocument.h"

#include "QSvgFillStyleProperty.h"
#include "QSvgHandler.h"

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QPaintDevice>

namespace orbsvg {

QSvgTinyDocument::QSvgTinyDocument(QSvgNode *parent)
    : QSvgStructureNode(parent)
{
}

QSvgTinyDocument::~QSvgTinyDocument() = default;

QSvgTinyDocument *QSvgTinyDocument::load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QFile::ReadOnly)) {
        qWarning("Cannot open file '%s', because: %s", qPrintable(fileName),
                 qPrintable(file.errorString()));
        return nullptr;
    }
    QSvgHandler handler(&file);
    if (!handler.ok()) {
        qWarning("Cannot read file '%s', because: %s (line %d)", qPrintable(fileName),
                 qPrintable(handler.errorString()), handler.lineNumber());
        return nullptr;
    }
    QSvgTinyDocument *doc = handler.takeDocument();
    doc->setAnimationDuration(handler.animationDuration());
    return doc;
}

QSvgTinyDocument *QSvgTinyDocument::load(const QByteArray &contents)
{
    QSvgHandler handler(contents);
    if (!handler.ok())
        return nullptr;
    QSvgTinyDocument *doc = handler.takeDocument();
    doc->setAnimationDuration(handler.animationDuration());
    return doc;
}

QSvgTinyDocument *QSvgTinyDocument::load(QXmlStreamReader *reader)
{
    QSvgHandler handler(reader);
    if (!handler.ok())
        return nullptr;
    QSvgTinyDocument *doc = handler.takeDocument();
    doc->setAnimationDuration(handler.animationDuration());
    return doc;
}

void QSvgTinyDocument::setDefaultPainterState(QPainter *p)
{
    QPen pen(Qt::NoBrush, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(4);
    p->setPen(pen);
    p->setBrush(Qt::black);
    p->setRenderHint(QPainter::Antialiasing);
    p->setRenderHint(QPainter::SmoothPixmapTransform);
}

void QSvgTinyDocument::startClock()
{
    if (!m_clock.isValid())
        m_clock.start();
}

int QSvgTinyDocument::currentElapsed() const
{
    return m_clock.isValid() ? int(m_clock.elapsed()) : 0;
}

void QSvgTinyDocument::draw(QPainter *p, QSvgDrawState &)
{
    draw(p, QRectF());
}

void QSvgTinyDocument::draw(QPainter *p)
{
    draw(p, QRectF());
}

void QSvgTinyDocument::draw(QPainter *p, const QRectF &target)
{
    if (displayMode() == NoneMode)
        return;
    startClock();
    p->save();
    mapSourceToTarget(p, target);
    setDefaultPainterState(p);
    drawChildren(p, m_drawState);
    p->restore();
}

void QSvgTinyDocument::drawElement(QPainter *p, const QString &id, const QRectF &target)
{
    QSvgNode *node = namedNode(id);
    if (!node) {
        qDebug("Couldn't find node %s. Skipping rendering.", qPrintable(id));
        return;
    }
    startClock();
    if (node->displayMode() == NoneMode)
        return;

    p->save();
    mapSourceToTarget(p, target, node->documentBounds());
    const QTransform elementTransform = p->worldTransform();
    setDefaultPainterState(p);

    QVector<QSvgNode *> ancestors;
    for (QSvgNode *ancestor = node->parent(); ancestor; ancestor = ancestor->parent())
        ancestors.append(ancestor);
    for (auto it = ancestors.crbegin(); it != ancestors.crend(); ++it)
        (*it)->applyStyle(p, m_drawState);

    // The ancestors' transforms do not move the element.
    const QTransform ancestorsTransform = p->worldTransform();
    p->setWorldTransform(elementTransform);
    node->draw(p, m_drawState);
    p->setWorldTransform(ancestorsTransform);

    for (QSvgNode *ancestor : qAsConst(ancestors))
        ancestor->revertStyle(p, m_drawState);
    p->restore();
}

QSize QSvgTinyDocument::size() const
{
    if (!m_size.isEmpty())
        return m_size;
    return viewBox().size().toSize();
}

void QSvgTinyDocument::setWidth(int width, bool percent)
{
    m_size.setWidth(width);
    m_widthPercent = percent;
}

void QSvgTinyDocument::setHeight(int height, bool percent)
{
    m_size.setHeight(height);
    m_heightPercent = percent;
}

QRectF QSvgTinyDocument::viewBox() const
{
    if (m_viewBox.isNull())
        m_viewBox = documentBounds();
    return m_viewBox;
}

QSvgFillStyleProperty *QSvgTinyDocument::namedStyle(const QString &id) const
{
    return m_namedStyles.value(id).get();
}

void QSvgTinyDocument::addNamedStyle(const QString &id, QSvgFillStyleProperty *style)
{
    m_namedStyles.insert(id, QSvgRefPtr<QSvgFillStyleProperty>(style));
}

QSvgFont *QSvgTinyDocument::svgFont(const QString &family) const
{
    return m_fonts.value(family).get();
}

void QSvgTinyDocument::addSvgFont(QSvgFont *font)
{
    m_fonts.insert(font->familyName(), QSvgRefPtr<QSvgFont>(font));
}

QRectF QSvgTinyDocument::elementBounds(const QString &id) const
{
    const QSvgNode *node = namedNode(id);
    return node ? node->documentBounds() : documentBounds();
}

QTransform QSvgTinyDocument::elementMatrix(const QString &id) const
{
    const QSvgNode *node = namedNode(id);
    if (!node) {
        qDebug("Couldn't find node %s. Skipping rendering.", qPrintable(id));
        return QTransform();
    }
    QTransform matrix;
    for (const QSvgNode *ancestor = node->parent(); ancestor; ancestor = ancestor->parent()) {
        if (const QSvgTransformStyle *transform = ancestor->style().transform.get())
            matrix *= transform->qtransform();
    }
    return matrix;
}

namespace {
// Two rectangles differ when any of their coordinates differ beyond rounding.
bool differ(const QRectF &a, const QRectF &b)
{
    return !qFuzzyCompare(a.x(), b.x()) || !qFuzzyCompare(a.y(), b.y())
        || !qFuzzyCompare(a.width(), b.width()) || !qFuzzyCompare(a.height(), b.height());
}
} // namespace

void QSvgTinyDocument::mapSourceToTarget(QPainter *p, const QRectF &target, const QRectF &source)
{
    QRectF targetRect = target;
    if (targetRect.isNull()) {
        const QPaintDevice *device = p->device();
        targetRect = QRectF(0, 0, device->width(), device->height());
        if (targetRect.isNull())
            targetRect = QRectF(QPointF(0, 0), source.isNull() ? QSizeF(size()) : source.size());
    }
    const QRectF sourceRect = source.isNull() ? viewBox() : source;
    // A degenerate source cannot be scaled to anything: draw it as it is.
    if (sourceRect.isNull() || sourceRect.width() <= 0 || sourceRect.height() <= 0)
        return;
    if (!differ(sourceRect, targetRect))
        return;
    const qreal sx = targetRect.width() / sourceRect.width();
    const qreal sy = targetRect.height() / sourceRect.height();
    const QRectF scaled = QTransform::fromScale(sx, sy).mapRect(sourceRect);
    p->translate(targetRect.x() - scaled.x(), targetRect.y() - scaled.y());
    p->scale(sx, sy);
}

void QSvgTinyDocument::keepDetached(QSvgNode *node)
{
    m_detached.emplace_back(node);
}

} // namespace orbsvg
