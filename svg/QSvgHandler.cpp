#include "QSvgHandler.h"

#include "QSvgElementParser.h"
#include "QSvgPresentationAttributes.h"
#include "QSvgStrokeStyle.h"
#include "QSvgStyleParser.h"
#include "QSvgText.h"
#include "QSvgTinyDocument.h"
#include "QSvgUse.h"
#include "SvgParserLog.h"

#include <QtCore/QIODevice>
#include <QtCore/QXmlStreamReader>

namespace orbsvg {

namespace {

// Nodes that take children into the tree.
bool isContainer(const QSvgNode *node)
{
    switch (node->type()) {
    case QSvgNode::Document:
    case QSvgNode::G:
    case QSvgNode::Defs:
    case QSvgNode::Switch:
        return true;
    default:
        return false;
    }
}

QStringList splitList(const QStringRef &text)
{
    return text.toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// "class", the conditional-processing lists and the id.
void parseCoreAttributes(QSvgNode *node, const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringRef name = attribute.qualifiedName();
        if (name == QLatin1String("class"))
            node->setXmlClass(attribute.value().toString());
        else if (name == QLatin1String("requiredFeatures"))
            node->setRequiredFeatures(splitList(attribute.value()));
        else if (name == QLatin1String("requiredExtensions"))
            node->setRequiredExtensions(splitList(attribute.value()));
        else if (name == QLatin1String("systemLanguage"))
            node->setRequiredLanguages(splitList(attribute.value()));
        else if (name == QLatin1String("requiredFormats"))
            node->setRequiredFormats(splitList(attribute.value()));
        else if (name == QLatin1String("requiredFonts"))
            node->setRequiredFonts(splitList(attribute.value()));
    }
    node->setNodeId(elementparser::elementId(attributes));
}

} // namespace

QSvgHandler::QSvgHandler(QIODevice *device)
    : m_ownedReader(std::make_unique<QXmlStreamReader>(device))
{
    m_reader = m_ownedReader.get();
    parse();
}

QSvgHandler::QSvgHandler(const QByteArray &data)
    : m_ownedReader(std::make_unique<QXmlStreamReader>(data))
{
    m_reader = m_ownedReader.get();
    parse();
}

QSvgHandler::QSvgHandler(QXmlStreamReader *reader)
    : m_reader(reader)
{
    parse();
}

QSvgHandler::~QSvgHandler()
{
    delete m_document;
}

QSvgTinyDocument *QSvgHandler::takeDocument()
{
    return std::exchange(m_document, nullptr);
}

bool QSvgHandler::ok() const
{
    return m_document && !m_reader->hasError();
}

QString QSvgHandler::errorString() const
{
    return m_reader->errorString();
}

int QSvgHandler::lineNumber() const
{
    return int(m_reader->lineNumber());
}

QColor QSvgHandler::currentColor() const
{
    return m_colorStack.isEmpty() ? QColor(Qt::black) : m_colorStack.top();
}

void QSvgHandler::pushColor(const QColor &color)
{
    m_colorStack.push(color);
    m_colorTagCounts.push(1);
}

void QSvgHandler::pushColorCopy()
{
    if (m_colorTagCounts.isEmpty())
        pushColor(Qt::black);
    else
        ++m_colorTagCounts.top();
}

void QSvgHandler::popColor()
{
    if (m_colorTagCounts.isEmpty())
        return;
    if (--m_colorTagCounts.top() <= 0) {
        m_colorTagCounts.pop();
        m_colorStack.pop();
    }
}

void QSvgHandler::setAnimPeriod(int, int end)
{
    m_animationEnd = qMax(m_animationEnd, end);
}

void QSvgHandler::parse()
{
    m_reader->setNamespaceProcessing(false);
    bool done = false;
    while (!m_reader->atEnd() && !done) {
        switch (m_reader->readNext()) {
        case QXmlStreamReader::StartElement:
            if (!startElement(m_reader->name(), m_reader->attributes())) {
                delete m_document;
                m_document = nullptr;
                return;
            }
            break;
        case QXmlStreamReader::EndElement:
            endElement(m_reader->name());
            // A reader that is not ours belongs to its owner after our element.
            done = !m_ownedReader && m_reader->name() == QLatin1String("svg");
            break;
        case QXmlStreamReader::Characters:
            characters(m_reader->text());
            break;
        default:
            break;
        }
    }
    if (m_document)
        resolvePaintServers(m_document);
}

bool QSvgHandler::skipTooDeep(bool makesNode)
{
    if (m_skipDepth > 0) {
        ++m_skipDepth;
        return true;
    }
    if (!makesNode || m_nodes.size() < MaxNestingDepth)
        return false;
    if (!m_depthWarned) {
        qCWarning(lcSvgParser, "QSvgHandler: elements nested deeper than %d levels are ignored",
                  MaxNestingDepth);
        m_depthWarned = true;
    }
    m_skipDepth = 1;
    return true;
}

bool QSvgHandler::startElement(const QStringRef &name, const QXmlStreamAttributes &attributes)
{
    pushColorCopy();

    const QStringRef xmlSpace = attributes.value(QLatin1String("xml:space"));
    if (xmlSpace.isNull()) {
        m_whitespaceModes.push(m_whitespaceModes.isEmpty() ? QSvgTspan::Default
                                                           : m_whitespaceModes.top());
    } else if (xmlSpace == QLatin1String("preserve")) {
        m_whitespaceModes.push(QSvgTspan::Preserve);
    } else {
        if (xmlSpace != QLatin1String("default"))
            qWarning("%s",
                     qPrintable(QStringLiteral("\"%1\" is an invalid value for attribute "
                                               "xml:space. Valid values are \"preserve\" "
                                               "and \"default\".")
                                    .arg(xmlSpace)));
        m_whitespaceModes.push(QSvgTspan::Default);
    }

    if (!m_document && name != QLatin1String("svg"))
        return false;

    const auto structure = elementparser::structureCreator(name);
    const auto graphics = structure ? nullptr : elementparser::graphicsCreator(name);
    if (skipTooDeep(structure || graphics) || (m_document && m_nodes.isEmpty())) {
        m_skipNodes.push(Unknown);
        return true;
    }

    QSvgNode *node = nullptr;
    const QString id = elementparser::elementId(attributes);
    if (structure) {
        node = structure(m_nodes.isEmpty() ? nullptr : m_nodes.top(), attributes, this);
        placeStructureNode(node, id);
    } else if (graphics) {
        node = placeGraphicsNode(graphics(m_nodes.top(), attributes, this), id);
    } else if (const auto parseUtility = elementparser::utilityParser(name)) {
        if (!parseUtility(m_nodes.top(), attributes, this))
            qWarning("Problem parsing %s", qPrintable(name.toString()));
    } else if (const auto createStyle = elementparser::styleCreator(name)) {
        if (QSvgStyleProperty *property = createStyle(m_nodes.top(), attributes, this)) {
            m_currentStyle = property;
            m_nodes.top()->addStyleProperty(property, id);
        } else {
            qWarning("Could not parse node: %s", qPrintable(name.toString()));
        }
    } else if (const auto parseNested = elementparser::nestedStyleParser(name)) {
        if (m_currentStyle && !parseNested(m_currentStyle.get(), attributes, this))
            qWarning("Problem parsing %s", qPrintable(name.toString()));
    } else {
        // Unknown: ignored itself, but its content is read as if it stood in the parent.
        m_skipNodes.push(Unknown);
        return true;
    }

    if (node) {
        parseCoreAttributes(node, attributes);
        styleparser::applyPresentationAttributes(node, QSvgPresentationAttributes(attributes),
                                                 this);
        const QSvgNode::Type type = node->type();
        if (type == QSvgNode::Text || type == QSvgNode::TextArea)
            static_cast<QSvgText *>(node)->setWhitespaceMode(m_whitespaceModes.top());
        else if (type == QSvgNode::Tspan)
            static_cast<QSvgTspan *>(node)->setWhitespaceMode(m_whitespaceModes.top());
        m_nodes.push(node);
        m_skipNodes.push(Graphics);
    } else {
        m_skipNodes.push(Style);
    }
    return true;
}

void QSvgHandler::placeStructureNode(QSvgNode *node, const QString &id)
{
    if (!m_document) {
        m_document = static_cast<QSvgTinyDocument *>(node);
        return;
    }
    QSvgNode *parent = node->parent();
    if (isContainer(parent)) {
        static_cast<QSvgStructureNode *>(parent)->addChild(node, id);
    } else {
        // Inside a shape or text: not part of the tree, but kept alive (and
        // never drawn) so that nothing refers to a deleted node.
        m_document->keepDetached(node);
    }
}

QSvgNode *QSvgHandler::placeGraphicsNode(QSvgNode *node, const QString &id)
{
    if (!node)
        return nullptr;
    QSvgNode *parent = node->parent();
    switch (parent->type()) {
    case QSvgNode::Document:
    case QSvgNode::G:
    case QSvgNode::Defs:
    case QSvgNode::Switch:
        static_cast<QSvgStructureNode *>(parent)->addChild(node, id);
        return node;
    case QSvgNode::Text:
    case QSvgNode::TextArea:
        if (node->type() == QSvgNode::Tspan) {
            static_cast<QSvgText *>(parent)->addTspan(static_cast<QSvgTspan *>(node));
            return node;
        }
        qWarning("'text' or 'textArea' element contains invalid element type.");
        break;
    default:
        qWarning("Could not add child element to parent element because the types are "
                 "incorrect.");
        break;
    }
    delete node;
    return nullptr;
}

void QSvgHandler::endElement(const QStringRef &)
{
    const ElementKind kind = m_skipNodes.pop();
    m_whitespaceModes.pop();
    popColor();
    if (m_skipDepth > 0) {
        --m_skipDepth;
        return;
    }
    if (kind == Unknown)
        return;
    if (kind == Graphics) {
        m_nodes.pop();
        return;
    }
    // Stops and glyphs attach only to the style element that encloses them.
    if (m_currentStyle && (m_skipNodes.isEmpty() || m_skipNodes.top() != Style))
        m_currentStyle = nullptr;
}

void QSvgHandler::characters(const QStringRef &text)
{
    if (m_skipNodes.isEmpty() || m_skipNodes.top() == Unknown || m_nodes.isEmpty()
        || m_skipDepth > 0)
        return;
    QSvgNode *node = m_nodes.top();
    if (node->type() == QSvgNode::Text || node->type() == QSvgNode::TextArea)
        static_cast<QSvgText *>(node)->addText(text.toString());
    else if (node->type() == QSvgNode::Tspan)
        static_cast<QSvgTspan *>(node)->addText(text.toString());
}

void QSvgHandler::resolvePaintServers(QSvgNode *node)
{
    const QList<QSvgNode *> children = static_cast<QSvgStructureNode *>(node)->children();
    for (QSvgNode *child : children) {
        auto *fill = static_cast<QSvgFillStyle *>(child->styleProperty(QSvgStyleProperty::Fill));
        if (fill && !fill->isGradientResolved()) {
            if (QSvgFillStyleProperty *server = node->styleById(fill->gradientId())) {
                fill->setFillStyle(server);
            } else {
                qWarning("Could not resolve property : %s", qPrintable(fill->gradientId()));
                fill->setBrush(QBrush(Qt::NoBrush));
            }
        }
        auto *stroke
            = static_cast<QSvgStrokeStyle *>(child->styleProperty(QSvgStyleProperty::Stroke));
        if (stroke && !stroke->isGradientResolved()) {
            if (QSvgFillStyleProperty *server = node->styleById(stroke->gradientId())) {
                stroke->setStyle(server);
            } else {
                qWarning("Could not resolve property : %s", qPrintable(stroke->gradientId()));
                stroke->setStroke(QBrush(Qt::NoBrush));
            }
        }
        if (isContainer(child))
            resolvePaintServers(child);
    }
}

qint64 QSvgHandler::expandedSize(const QSvgNode *node)
{
    // Every node that can be a target is complete, so its size is final.
    const auto known = m_expandedSizes.constFind(node);
    if (known != m_expandedSizes.constEnd())
        return known.value();
    qint64 size = 1;
    if (node->type() == QSvgNode::Use) {
        if (const QSvgNode *link = static_cast<const QSvgUse *>(node)->link())
            size += expandedSize(link);
    } else if (isContainer(node)) {
        for (const QSvgNode *child : static_cast<const QSvgStructureNode *>(node)->children())
            size = qMin(size + expandedSize(child), MaxExpandedNodes + 1);
    }
    m_expandedSizes.insert(node, size);
    return size;
}

bool QSvgHandler::acceptUse(const QSvgNode *target, const QString &id)
{
    for (const QSvgNode *open : qAsConst(m_nodes)) {
        if (open == target) {
            qCWarning(lcSvgParser, "QSvgHandler: 'use' of %s inside itself is ignored",
                      qPrintable(id));
            return false;
        }
    }
    const qint64 size = expandedSize(target);
    if (m_expandedNodes + size > MaxExpandedNodes) {
        qCWarning(lcSvgParser,
                  "QSvgHandler: 'use' of %s is ignored: the document would expand to more than "
                  "%lld nodes",
                  qPrintable(id), MaxExpandedNodes);
        return false;
    }
    m_expandedNodes += size;
    return true;
}

} // namespace orbsvg
