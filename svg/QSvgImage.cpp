#include "QSvgImage.h"

namespace orbsvg {

QSvgImage::QSvgImage(QSvgNode *parent, const QImage &image, const QRect &rect)
    : QSvgNode(parent)
    , m_image(image)
    , m_rect(rect)
{
    if (m_rect.width() == 0)
        m_rect.setWidth(image.width());
    if (m_rect.height() == 0)
        m_rect.setHeight(image.height());
}

void QSvgImage::draw(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    p->drawImage(m_rect, m_image);
    revertStyle(p, state);
}

QRectF QSvgImage::bounds(QPainter *p, QSvgDrawState &) const
{
    return p->worldTransform().mapRect(QRectF(m_rect));
}

} // namespace orbsvg
