#pragma once

#include <QtCore/QRectF>
#include <QtGui/QMatrix4x4>

class QBrush;

// The matrices that map a path quad's unit texture coordinates to gradient
// coordinates for the gradient shaders. Plain functions.
namespace orbsvggradient {

// From the brush's linear gradient: only the direction and length of its
// vector count, not its position.
QMatrix4x4 linearGradientMatrix(const QBrush &brush, const QRectF &quad, const QRectF &bounds);

// From the brush's radial gradient (its focal point is not used).
QMatrix4x4 radialGradientMatrix(const QBrush &brush, const QRectF &quad, const QSizeF &boundsSize);

} // namespace orbsvggradient
