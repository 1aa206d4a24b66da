#pragma once

#include "QSvgFillStyleProperty.h"

#include <QtCore/QString>
#include <QtGui/QTransform>

#include <memory>

class QGradient;

namespace orbsvg {

class QSvgTinyDocument;

// A linear or radial gradient paint server. Its stops may be borrowed from
// another gradient named by "xlink:href"; when that one was not read yet the
// borrowing waits for the first brush().
class QSvgGradientStyle : public QSvgFillStyleProperty
{
public:
    // Takes ownership of gradient.
    explicit QSvgGradientStyle(QGradient *gradient);
    ~QSvgGradientStyle() override;

    Type type() const override { return Gradient; }
    QBrush brush(QPainter *p, QSvgDrawState &state) override;

    QGradient *qgradient() const { return m_gradient.get(); }
    void setMatrix(const QTransform &matrix) { m_matrix = matrix; }
    const QTransform &qmatrix() const { return m_matrix; }
    void setStopLink(const QString &link, QSvgTinyDocument *document);
    QString stopLink() const { return m_stopLink; }
    // Borrows the stops of the linked gradient, once; a link back to a gradient
    // that is being resolved is not followed again.
    void resolveStops();
    void setStopsSet(bool set) { m_stopsSet = set; }
    bool stopsSet() const { return m_stopsSet; }

private:
    std::unique_ptr<QGradient> m_gradient;
    QTransform m_matrix;
    QSvgTinyDocument *m_document = nullptr;
    QString m_stopLink;
    bool m_stopsSet = false;
    bool m_resolving = false;
};

} // namespace orbsvg
