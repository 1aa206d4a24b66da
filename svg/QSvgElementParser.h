#pragma once

#include <QtCore/QStringRef>

class QXmlStreamAttributes;

namespace orbsvg {

class QSvgHandler;
class QSvgNode;
class QSvgStyleProperty;

// The element table of the parser: what each element name makes.
namespace elementparser {

using NodeCreator
    = QSvgNode *(*)(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *handler);
using UtilityParser
    = bool (*)(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *handler);
using StyleCreator
    = QSvgStyleProperty *(*)(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                             QSvgHandler *handler);
using NestedStyleParser = bool (*)(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
                                   QSvgHandler *handler);

// Each returns null when name is not of its kind.
NodeCreator structureCreator(const QStringRef &name);
NodeCreator graphicsCreator(const QStringRef &name);
UtilityParser utilityParser(const QStringRef &name);
StyleCreator styleCreator(const QStringRef &name);
NestedStyleParser nestedStyleParser(const QStringRef &name);

// The id of an element: "id", else "xml:id".
QString elementId(const QXmlStreamAttributes &attributes);

} // namespace elementparser
} // namespace orbsvg
