#pragma once

#include "QSvgFont.h"
#include "QSvgRefPtr.h"
#include "QSvgStructureNode.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QHash>
#include <QtCore/QSize>
#include <QtGui/QTransform>

#include <memory>
#include <vector>

class QByteArray;
class QXmlStreamReader;

namespace orbsvg {

class QSvgFillStyleProperty;

// The root of a document (or of a nested "svg" element): owns the tree and the
// tables that find nodes, paint servers and SVG fonts by id.
class QSvgTinyDocument : public QSvgStructureNode
{
public:
    explicit QSvgTinyDocument(QSvgNode *parent = nullptr);
    ~QSvgTinyDocument() override;

    // Parses a file; null (with a warning) when it cannot be opened or read.
    static QSvgTinyDocument *load(const QString &fileName);
    static QSvgTinyDocument *load(const QByteArray &contents);
    // Reads up to the end tag of the "svg" element; the reader stays the caller's.
    static QSvgTinyDocument *load(QXmlStreamReader *reader);

    Type type() const override { return Document; }
    // The slot every node has: draws the whole document with its own draw state.
    void draw(QPainter *p, QSvgDrawState &state) override;
    void draw(QPainter *p, const QRectF &target);
    void draw(QPainter *p);
    void drawElement(QPainter *p, const QString &id, const QRectF &target = QRectF());

    QSize size() const;
    void setWidth(int width, bool percent);
    void setHeight(int height, bool percent);
    bool widthPercent() const { return m_widthPercent; }
    bool heightPercent() const { return m_heightPercent; }
    // The view box; without one, the document's bounds (computed once).
    QRectF viewBox() const;
    void setViewBox(const QRectF &rect) { m_viewBox = rect; }

    QSvgNode *namedNode(const QString &id) const { return m_namedNodes.value(id); }
    void addNamedNode(const QString &id, QSvgNode *node) { m_namedNodes.insert(id, node); }
    QSvgFillStyleProperty *namedStyle(const QString &id) const;
    void addNamedStyle(const QString &id, QSvgFillStyleProperty *style);
    QSvgFont *svgFont(const QString &family) const;
    void addSvgFont(QSvgFont *font);

    QRectF elementBounds(const QString &id) const;
    bool elementExists(const QString &id) const { return m_namedNodes.contains(id); }
    // The product of the element's ancestors' transforms (not its own).
    QTransform elementMatrix(const QString &id) const;
    // Scales and moves the painter so that source (default: the view box)
    // fills target (default: the paint device); the aspect ratio is not kept.
    void mapSourceToTarget(QPainter *p, const QRectF &target, const QRectF &source = QRectF());

    // Milliseconds since the first draw (0 before it).
    int currentElapsed() const;
    int animationDuration() const { return m_animationDuration; }
    void setAnimationDuration(int ms) { m_animationDuration = ms; }
    bool animated() const { return m_animated; }
    void setAnimated(bool animated) { m_animated = animated; }
    int framesPerSecond() const { return m_fps; }

    // Keeps a subtree that could not be placed in the tree alive (ids inside
    // it stay valid) without ever drawing it.
    void keepDetached(QSvgNode *node);

    // The painter state every walk starts from: the default pen, a solid black
    // brush, antialiasing and smooth pixmap transforms.
    static void setDefaultPainterState(QPainter *p);

private:
    void startClock();

    QSize m_size{-1, -1};
    bool m_widthPercent = false;
    bool m_heightPercent = false;
    mutable QRectF m_viewBox;
    QHash<QString, QSvgRefPtr<QSvgFont>> m_fonts;
    QHash<QString, QSvgNode *> m_namedNodes;
    QHash<QString, QSvgRefPtr<QSvgFillStyleProperty>> m_namedStyles;
    QElapsedTimer m_clock;
    bool m_animated = false;
    int m_animationDuration = 0;
    int m_fps = 30;
    QSvgDrawState m_drawState;
    std::vector<std::unique_ptr<QSvgNode>> m_detached;
};

} // namespace orbsvg
