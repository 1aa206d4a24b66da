#pragma once

#include "QSvgNode.h"

#include <QtGui/QImage>

namespace orbsvg {

// A raster image drawn into a rectangle.
class QSvgImage : public QSvgNode
{
public:
    // A width or height of 0 takes the image's own.
    QSvgImage(QSvgNode *parent, const QImage &image, const QRect &rect);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Image; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    const QImage &image() const { return m_image; }
    const QRect &rect() const { return m_rect; }

private:
    QImage m_image;
    QRect m_rect;
};

} // namespace orbsvg
