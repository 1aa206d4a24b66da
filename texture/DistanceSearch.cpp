#include "DistanceCoverage.h"

#include <vector>

namespace orbsdf {

namespace {

// Visits the offsets nearest first and stops at the first pixel of the other
// kind, so its distance is the nearest one; offsets that leave the raster are
// skipped as if no pixel were there.
template<int PixelBytes>
void search(const CoverageView &coverage, int n, FieldTarget target, int count)
{
    const DistanceOffset *offsets = distanceOffsets().data();
    const int width = coverage.width();
    const int height = coverage.height();
    const int stepX = width / n;
    const int stepY = height / n;
    const int alpha = coverage.alphaOffset();
    const auto inside = [&](int x, int y) { return coverage.row(y)[x * PixelBytes + alpha] > 127; };

    // Where every offset stays on the raster no bounds need checking, and
    // each offset is a fixed distance in bytes.
    const int reach = offsets[count - 1].d;
    std::vector<qsizetype> byteOffsets(count);
    for (int k = 0; k < count; ++k)
        byteOffsets[k] = offsets[k].dy * coverage.bytesPerLine() + offsets[k].dx * PixelBytes;

#pragma omp parallel for schedule(static)
    for (int i = 0; i < n; ++i) {
        const int cy = stepY * i + stepY / 2;
        int cx = stepX / 2;
        for (int j = 0; j < n; ++j, cx += stepX) {
            const bool in = inside(cx, cy);
            int d = -1;
            if (cx >= reach && cx + reach < width && cy >= reach && cy + reach < height) {
                const uchar *centre = coverage.row(cy) + cx * PixelBytes + alpha;
                for (int k = 1; k < count; ++k) {
                    if ((centre[byteOffsets[k]] > 127) != in) {
                        d = offsets[k].d;
                        break;
                    }
                }
            } else {
                for (int k = 1; k < count; ++k) {
                    const int x = cx + offsets[k].dx;
                    const int y = cy + offsets[k].dy;
                    if (x < 0 || x >= width || y < 0 || y >= height)
                        continue;
                    if (inside(x, y) != in) {
                        d = offsets[k].d;
                        break;
                    }
                }
            }
            *sampleAt(target, n, i, j) = encodeSample(in, d);
        }
    }
}

} // namespace

void searchDistanceField(const CoverageView &coverage, int n, FieldTarget target, int count)
{
    if (coverage.pixelBytes() == 1)
        search<1>(coverage, n, target, count);
    else
        search<4>(coverage, n, target, count);
}

} // namespace orbsdf
