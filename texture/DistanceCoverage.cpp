#include "DistanceCoverage.h"

#include <utility>

namespace orbsdf {

CoverageView::CoverageView(const QImage &coverage, const QRect &ink, EdgeBlocks edges)
    : m_image(coverage)
    , m_edges(std::move(edges))
{
    switch (m_image.format()) {
    case QImage::Format_Alpha8:
        m_pixelBytes = 1;
        break;
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        m_image = m_image.convertToFormat(QImage::Format_ARGB32);
        break;
    }
    if (m_image.isNull())
        return;
    m_width = m_image.width();
    m_height = m_image.height();
    m_bytesPerLine = m_image.bytesPerLine();
    // An ARGB32 pixel is one native-endian 32-bit word with alpha in its top byte.
    m_alphaOffset = m_pixelBytes == 1 || Q_BYTE_ORDER == Q_BIG_ENDIAN ? 0 : 3;
    m_bits = m_image.constBits();
    m_ink = ink.isNull() ? m_image.rect() : ink & m_image.rect();
}

} // namespace orbsdf
