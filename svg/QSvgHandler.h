#pragma once

#include "QSvgRefPtr.h"
#include "QSvgStyleProperty.h"
#include "QSvgTspan.h"
#include "QSvgValues.h"

#include <QtCore/QHash>
#include <QtCore/QStack>
#include <QtCore/QStringRef>
#include <QtGui/QColor>

#include <memory>

class QIODevice;
class QXmlStreamAttributes;
class QXmlStreamReader;

namespace orbsvg {

class QSvgNode;
class QSvgTinyDocument;

// Streaming single-pass builder of a document from SVG Tiny XML. An element
// can refer only to what came before it; fills and strokes get one more
// chance at their paint servers once the whole file is read.
class QSvgHandler
{
public:
    using LengthType = orbsvg::LengthType;

    // Limits that keep hostile files from exhausting the stack or the time
    // of a draw; each is reported with a warning when reached.
    static constexpr int MaxNestingDepth = 512;
    static constexpr qint64 MaxExpandedNodes = 1000000;

    explicit QSvgHandler(QIODevice *device);
    explicit QSvgHandler(const QByteArray &data);
    // The reader stays the caller's; parsing stops after the "svg" end tag.
    explicit QSvgHandler(QXmlStreamReader *reader);
    ~QSvgHandler();

    QSvgHandler(const QSvgHandler &) = delete;
    QSvgHandler &operator=(const QSvgHandler &) = delete;

    // The built document, still owned by the handler.
    QSvgTinyDocument *document() const { return m_document; }
    // Hands the document to the caller.
    QSvgTinyDocument *takeDocument();
    bool ok() const;
    QString errorString() const;
    int lineNumber() const;
    int animationDuration() const { return m_animationEnd; }

    // "currentColor": the colour given by the nearest enclosing "color".
    QColor currentColor() const;
    void pushColor(const QColor &color);
    void pushColorCopy();
    void popColor();

    void setDefaultCoordinateSystem(LengthType type) { m_defaultCoordinates = type; }
    LengthType defaultCoordinateSystem() const { return m_defaultCoordinates; }

    // Called by the animation parsers: the file's animations end at the latest end.
    void setAnimPeriod(int start, int end);

    // Expanding a "use" of target: false (with a warning) when it would draw
    // the element inside itself or exceed the document's expansion budget.
    bool acceptUse(const QSvgNode *target, const QString &id);

private:
    enum ElementKind { Unknown = 0, Graphics, Style };

    void init();
    void parse();
    bool startElement(const QStringRef &name, const QXmlStreamAttributes &attributes);
    void endElement(const QStringRef &name);
    void characters(const QStringRef &text);
    bool skipTooDeep(bool makesNode);
    void placeStructureNode(QSvgNode *node, const QString &id);
    QSvgNode *placeGraphicsNode(QSvgNode *node, const QString &id);
    void resolvePaintServers(QSvgNode *node);
    qint64 expandedSize(const QSvgNode *node);

    QSvgTinyDocument *m_document = nullptr;
    QStack<QSvgNode *> m_nodes;
    QStack<ElementKind> m_skipNodes;
    QStack<QSvgTspan::WhitespaceMode> m_whitespaceModes;
    QSvgRefPtr<QSvgStyleProperty> m_currentStyle;
    LengthType m_defaultCoordinates = LengthType::Px;
    QStack<QColor> m_colorStack;
    QStack<int> m_colorTagCounts;
    int m_animationEnd = 0;
    QXmlStreamReader *m_reader = nullptr;
    std::unique_ptr<QXmlStreamReader> m_ownedReader;
    int m_skipDepth = 0; // > 0 while inside a subtree nested too deep
    bool m_depthWarned = false;
    qint64 m_expandedNodes = 0;
    QHash<const QSvgNode *, qint64> m_expandedSizes;
};

} // namespace orbsvg
