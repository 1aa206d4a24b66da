#pragma once

#include "QSvgDrawState.h"
#include "QSvgStyleProperty.h"
#include "QSvgStyleSet.h"

#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

namespace orbsvg {

class QSvgFillStyleProperty;
class QSvgTinyDocument;

// A node of the document tree: an element with its style set. Structure nodes
// own their children; the parent pointer does not own.
class QSvgNode
{
public:
    enum Type {
        Document,
        G,
        Defs,
        Switch,
        Animation,
        Arc,
        Circle,
        Ellipse,
        Image,
        Line,
        Path,
        Polygon,
        Polyline,
        Rect,
        Text,
        TextArea,
        Tspan,
        Use,
        Video
    };

    enum DisplayMode {
        InlineMode,
        BlockMode,
        ListItemMode,
        RunInMode,
        CompactMode,
        MarkerMode,
        TableMode,
        InlineTableMode,
        TableRowGroupMode,
        TableHeaderGroupMode,
        TableFooterGroupMode,
        TableRowMode,
        TableColumnGroupMode,
        TableColumnMode,
        TableCellMode,
        TableCaptionMode,
        NoneMode,
        InheritMode
    };

    explicit QSvgNode(QSvgNode *parent = nullptr);
    QSvgNode(const QSvgNode &) = delete;
    QSvgNode &operator=(const QSvgNode &) = delete;
    virtual ~QSvgNode();

    virtual void draw(QPainter *p, QSvgDrawState &state) = 0;
    virtual Type type() const = 0;
    // Bounds on the painter's current transform, strokes included.
    virtual QRectF bounds(QPainter *p, QSvgDrawState &state) const;
    // bounds() with the node's own style applied.
    virtual QRectF styledBounds(QPainter *p, QSvgDrawState &state) const;
    // The fillable outline, valid while the node lives (for a rect, until the next call).
    virtual const QPainterPath *outlinePath() const;

    QSvgNode *parent() const { return m_parent; }
    // The nearest document at or above this node.
    QSvgTinyDocument *document() const;

    void applyStyle(QPainter *p, QSvgDrawState &state) const;
    void revertStyle(QPainter *p, QSvgDrawState &state) const;
    const QSvgStyleSet &style() const { return m_style; }
    // The property of that type in force here: the node's own or the nearest
    // ancestor's. A transform is only ever the node's own.
    QSvgStyleProperty *styleProperty(QSvgStyleProperty::Type type) const;
    // A paint server of the document by id ("#" optional).
    QSvgFillStyleProperty *styleById(const QString &id) const;
    void addStyleProperty(QSvgStyleProperty *prop, const QString &id);

    QString nodeId() const { return m_id; }
    void setNodeId(const QString &id) { m_id = id; }
    QString xmlClass() const { return m_xmlClass; }
    void setXmlClass(const QString &xmlClass) { m_xmlClass = xmlClass; }
    DisplayMode displayMode() const { return m_displayMode; }
    void setDisplayMode(DisplayMode mode) { m_displayMode = mode; }
    bool isVisible() const { return m_visible; }
    // Making a node visible makes its hidden ancestors visible first.
    void setVisible(bool visible);
    // Visible and displayed: what structure nodes draw.
    bool isDrawn() const { return m_visible && m_displayMode != NoneMode; }

    QStringList requiredFeatures() const { return m_requiredFeatures; }
    void setRequiredFeatures(const QStringList &list) { m_requiredFeatures = list; }
    QStringList requiredExtensions() const { return m_requiredExtensions; }
    void setRequiredExtensions(const QStringList &list) { m_requiredExtensions = list; }
    QStringList requiredLanguages() const { return m_requiredLanguages; }
    void setRequiredLanguages(const QStringList &list) { m_requiredLanguages = list; }
    QStringList requiredFormats() const { return m_requiredFormats; }
    void setRequiredFormats(const QStringList &list) { m_requiredFormats = list; }
    QStringList requiredFonts() const { return m_requiredFonts; }
    void setRequiredFonts(const QStringList &list) { m_requiredFonts = list; }

    // Bounds in document coordinates, with the ancestors' strokes but not their
    // transforms; computed once.
    QRectF documentBounds() const;

    // The pen width that widens a shape's bounds: 0 for no pen, no brush or a cosmetic pen.
    static qreal strokeWidth(QPainter *p);

protected:
    // The shared way shapes paint: fill with no pen at the fill opacity, then
    // stroke with no brush at the stroke opacity when the pen has a width.
    template<class PaintFn>
    void drawShape(QPainter *p, QSvgDrawState &state, PaintFn paint);
    // Lines and arcs: stroked at the stroke opacity when the pen has a width, never filled.
    template<class PaintFn>
    void drawStrokeOnly(QPainter *p, QSvgDrawState &state, PaintFn paint);
    // Bounds of a shape outline on the painter's transform, widened by the stroke.
    static QRectF shapeBounds(QPainter *p, const QPainterPath &shape);

private:
    QSvgStyleSet m_style;
    QSvgNode *m_parent;
    QStringList m_requiredFeatures;
    QStringList m_requiredExtensions;
    QStringList m_requiredLanguages;
    QStringList m_requiredFormats;
    QStringList m_requiredFonts;
    bool m_visible = true;
    QString m_id;
    QString m_xmlClass;
    DisplayMode m_displayMode = BlockMode;
    mutable QRectF m_cachedBounds;
};

template<class PaintFn>
void QSvgNode::drawShape(QPainter *p, QSvgDrawState &state, PaintFn paint)
{
    applyStyle(p, state);
    const qreal opacity = p->opacity();
    const QBrush brush = p->brush();
    const QPen pen = p->pen();

    p->setPen(Qt::NoPen);
    p->setOpacity(opacity * state.fillOpacity);
    paint(p);
    p->setPen(pen);

    if (pen.widthF() != 0) {
        p->setOpacity(opacity * state.strokeOpacity);
        p->setBrush(Qt::NoBrush);
        paint(p);
        p->setBrush(brush);
    }
    p->setOpacity(opacity);
    revertStyle(p, state);
}

template<class PaintFn>
void QSvgNode::drawStrokeOnly(QPainter *p, QSvgDrawState &state, PaintFn paint)
{
    applyStyle(p, state);
    if (p->pen().widthF() != 0) {
        const qreal opacity = p->opacity();
        const QBrush brush = p->brush();
        p->setOpacity(opacity * state.strokeOpacity);
        p->setBrush(Qt::NoBrush);
        paint(p);
        p->setBrush(brush);
        p->setOpacity(opacity);
    }
    revertStyle(p, state);
}

} // namespace orbsvg
