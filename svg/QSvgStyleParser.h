#pragma once

#include <QtCore/QStringRef>

class QColor;
class QXmlStreamAttributes;

namespace orbsvg {

class QSvgHandler;
class QSvgNode;
class QSvgStyleProperty;
struct QSvgPresentationAttributes;

// How presentation attributes and paint-server elements become style properties.
namespace styleparser {

// Applies an element's presentation attributes to its node, in order: colour,
// fill, stroke, font, transform, visibility, opacity, composition, display.
void applyPresentationAttributes(QSvgNode *node, const QSvgPresentationAttributes &attributes,
                                 QSvgHandler *handler);

// "color" with "color-opacity": sets "currentColor" for the element's content.
void applyColor(const QStringRef &color, const QStringRef &opacity, QSvgHandler *handler);

// Paint servers; null when the element cannot make one.
QSvgStyleProperty *createLinearGradient(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                        QSvgHandler *handler);
QSvgStyleProperty *createRadialGradient(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                        QSvgHandler *handler);
QSvgStyleProperty *createSolidColor(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                    QSvgHandler *handler);
// A "stop" of the gradient being read; false when style is no gradient.
bool parseStop(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
               QSvgHandler *handler);

} // namespace styleparser
} // namespace orbsvg
