#include "orbSvgGradientMatrix.h"

#include <QtGui/QBrush>

#include <cmath>

namespace orbsvggradient {

namespace {
constexpr double DegreesPerRadian = 57.295780181884766;
}

QMatrix4x4 linearGradientMatrix(const QBrush &brush, const QRectF &quad, const QRectF &bounds)
{
    QMatrix4x4 matrix;
    if (brush.style() != Qt::LinearGradientPattern || !brush.gradient())
        return matrix;
    const auto *gradient = static_cast<const QLinearGradient *>(brush.gradient());
    const bool objectBounding = gradient->coordinateMode() == QGradient::ObjectBoundingMode;
    const QPointF start = gradient->start();
    const QPointF stop = gradient->finalStop();
    qreal dx = stop.x() - start.x();
    qreal dy = stop.y() - start.y();
    if (objectBounding) {
        dx *= bounds.width();
        dy *= bounds.height();
    }
    // The argument order (dx first) is what existing artwork was drawn against.
    const double angle = std::atan2(dx, dy);
    const float length = float(std::sqrt(dx * dx + dy * dy));

    matrix.translate(0.5f, 0.5f, 0.0f);
    matrix.scale(1.0f, float(bounds.height() / length), 1.0f);
    matrix.translate(-0.5f, -0.5f, 0.0f);
    if (objectBounding) {
        matrix.scale(float(quad.width() / bounds.width()), float(quad.height() / bounds.height()));
        matrix.translate(float(-(bounds.x() - quad.x()) / quad.width()),
                         float(-(bounds.y() - quad.y()) / quad.height()));
    }
    matrix.translate(0.5f, 0.5f, 0.0f);
    matrix.rotate(float(90.0 - angle * DegreesPerRadian), 0.0f, 0.0f, 1.0f);
    matrix.translate(-0.5f, -0.5f, 0.0f);
    return matrix;
}

QMatrix4x4 radialGradientMatrix(const QBrush &brush, const QRectF &quad, const QSizeF &boundsSize)
{
    QMatrix4x4 matrix;
    if (brush.style() != Qt::RadialGradientPattern || !brush.gradient())
        return matrix;
    const auto *gradient = static_cast<const QRadialGradient *>(brush.gradient());
    const qreal radius = gradient->radius();
    const QPointF center = gradient->center();
    qreal sx, sy, cx, cy;
    if (gradient->coordinateMode() == QGradient::ObjectBoundingMode) {
        // The unit circle of the bounding box, stretched along its shorter side
        // since the quad is square.
        qreal kx = 1;
        qreal ky = 1;
        if (boundsSize.width() > boundsSize.height())
            ky = boundsSize.width() / boundsSize.height();
        else
            kx = boundsSize.height() / boundsSize.width();
        sx = kx / radius;
        sy = ky / radius;
        cx = center.x();
        cy = center.y();
    } else {
        cx = (center.x() - quad.x()) / quad.width();
        cy = (center.y() - quad.y()) / quad.height();
        sx = sy = quad.width() / radius;
    }
    matrix.scale(float(sx), float(sy));
    matrix.translate(float(-cx), float(-cy), 0.0f);
    return matrix;
}

} // namespace orbsvggradient
