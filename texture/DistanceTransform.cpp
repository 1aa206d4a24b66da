#include "DistanceCoverage.h"

#include <omp.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The nearest pixel of the other kind is found in two separable steps. First,
// per raster column, the vertical distance from each sample row to the
// nearest pixel of the other kind than the one on the sample row: the raster
// rows within reach are read once, in order, and only columns whose kind
// changes from one row to the next need any work. Then, per sample, the
// smallest dx^2 + g^2 over the columns within reach, where lower bounds per
// chunk of columns pass over most of them.

namespace orbsdf {

namespace {

constexpr int Reach = 128;          // distances from here on are out of reach
constexpr int None = Reach * Reach; // a squared distance that is never within reach
constexpr int Chunk = 16;           // columns summarised by one lower bound

// floor(sqrt(s)) for every squared distance within reach.
const std::array<std::uint8_t, None> &floorSqrt()
{
    static const std::array<std::uint8_t, None> table = [] {
        std::array<std::uint8_t, None> t{};
        for (int r = 0; r < Reach; ++r) {
            for (int s = r * r; s < (r + 1) * (r + 1); ++s)
                t[s] = std::uint8_t(r);
        }
        return t;
    }();
    return table;
}

// dx^2 - None for dx = -MaxDx .. MaxDx, indexed by dx + MaxDx: the reach
// plus the part of a chunk that may stick out of it. Less None, so that a sum
// within reach is negative and every sum fits in 16 signed bits.
constexpr int MaxDx = Reach - 1 + Chunk;
const std::array<std::int16_t, 2 * MaxDx + 1> &squaresLessNone()
{
    static const std::array<std::int16_t, 2 *MaxDx + 1> table = [] {
        std::array<std::int16_t, 2 * MaxDx + 1> t{};
        for (int dx = -MaxDx; dx <= MaxDx; ++dx)
            t[dx + MaxDx] = std::int16_t(dx * dx - None);
        return t;
    }();
    return table;
}

// The byte of a pixel that holds its alpha: ARGB32 keeps it in the top byte of
// each native 32-bit pixel.
template<int PixelBytes>
constexpr int AlphaByte = PixelBytes == 1 || Q_BYTE_ORDER == Q_BIG_ENDIAN ? 0 : PixelBytes - 1;

template<int PixelBytes>
inline bool isInside(const uchar *row, int x)
{
    return row[x * PixelBytes + AlphaByte<PixelBytes>] > 127;
}

struct SampleGrid
{
    SampleGrid(const CoverageView &coverage, int n)
        : n(n)
        , rows(n)
        , columns(n)
        , lastRowUpTo(coverage.height(), -1)
    {
        const int stepX = coverage.width() / n;
        const int stepY = coverage.height() / n;
        for (int i = 0; i < n; ++i) {
            rows[i] = stepY * i + stepY / 2;
            columns[i] = stepX * i + stepX / 2;
        }
        for (int y = 0, i = -1; y < coverage.height(); ++y) {
            while (i + 1 < n && rows[i + 1] <= y)
                ++i;
            lastRowUpTo[y] = i;
        }
    }

    int n;
    std::vector<int> rows;        // raster row of each sample row
    std::vector<int> columns;     // raster column of each sample column
    std::vector<int> lastRowUpTo; // per raster row: the last sample row at or above it, or -1
};

// Calls changed(x) for each x in [0, count) whose pixel in row differs in
// kind from the one in above, in increasing order.
template<int PixelBytes, class Changed>
inline void forEachKindChange(const uchar *row, const uchar *above, int count, Changed changed)
{
    int x = 0;
#if defined(__SSE2__)
    // 64 bytes at a time: the top bit of each byte of a ^ b tells whether that
    // byte crossed 127, and only the alpha bytes count. Most blocks of a
    // filled shape are like the row above and cost one test.
    constexpr int PerBlock = 64 / PixelBytes;
    constexpr std::uint64_t AlphaBits
        = PixelBytes == 1 ? ~std::uint64_t(0) : 0x1111111111111111ull << AlphaByte<PixelBytes>;
    const auto load = [](const uchar *p, int k) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p) + k);
    };
    for (; x + PerBlock <= count; x += PerBlock) {
        const uchar *a = row + x * PixelBytes;
        const uchar *b = above + x * PixelBytes;
        const __m128i d0 = _mm_xor_si128(load(a, 0), load(b, 0));
        const __m128i d1 = _mm_xor_si128(load(a, 1), load(b, 1));
        const __m128i d2 = _mm_xor_si128(load(a, 2), load(b, 2));
        const __m128i d3 = _mm_xor_si128(load(a, 3), load(b, 3));
        if (!_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(d0, d1), _mm_or_si128(d2, d3))))
            continue;
        std::uint64_t bits = (std::uint64_t(unsigned(_mm_movemask_epi8(d0)))
                              | std::uint64_t(unsigned(_mm_movemask_epi8(d1))) << 16
                              | std::uint64_t(unsigned(_mm_movemask_epi8(d2))) << 32
                              | std::uint64_t(unsigned(_mm_movemask_epi8(d3))) << 48)
            & AlphaBits;
        while (bits) {
            changed(x + __builtin_ctzll(bits) / PixelBytes);
            bits &= bits - 1;
        }
    }
#endif
    for (; x < count; ++x) {
        if (isInside<PixelBytes>(row, x) != isInside<PixelBytes>(above, x))
            changed(x);
    }
}

// d[x] = the distance from row y to the row before runStart[x], at most Reach.
inline void distancesAbove(const int *runStart, int count, int y, std::uint8_t *d)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi32(y + 1);
    const __m128i reach = _mm_set1_epi16(Reach);
    const auto distance = [&](int k) {
        return _mm_sub_epi32(below,
                             _mm_loadu_si128(reinterpret_cast<const __m128i *>(runStart + x + k)));
    };
    for (; x + 16 <= count; x += 16) {
        // Saturating packs keep large distances large on the way down to bytes.
        const __m128i lo = _mm_min_epi16(_mm_packs_epi32(distance(0), distance(4)), reach);
        const __m128i hi = _mm_min_epi16(_mm_packs_epi32(distance(8), distance(12)), reach);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + x), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; x < count; ++x)
        d[x] = std::uint8_t(std::min(y - runStart[x] + 1, Reach));
}

// For the raster columns [x0, x1): other[i * stride + x] = the vertical
// distance from sample row i to the nearest pixel in column x of the other
// kind than the pixel on the sample row, at most Reach (none within reach).
//
// runStart[x] is the first row of the run of like pixels that the sweep is
// in. A sample row inside a run is nearest to the pixel before the run (known
// when the sample row is reached) or to the one after it (known when the run
// ends). Only the rows within reach of a sample row are read: a run that
// began before the first of them is out of reach of every sample row, as is
// one that ends after the last. Columns are independent, so threads split
// them and no row is read twice.
template<int PixelBytes>
void sweepColumns(const CoverageView &coverage, const SampleGrid &grid, int x0, int x1,
                  std::uint8_t *other, int stride)
{
    const int n = grid.n;
    const int firstRow = std::max(0, grid.rows[0] - Reach);
    const int lastRow = std::min(coverage.height() - 1, grid.rows[n - 1] + Reach - 1);
    std::vector<int> runStart(std::size_t(x1 - x0), INT_MIN / 2);

    // Only the ink and the rows just outside it can change kind from the row
    // above; elsewhere every pixel is outside.
    const QRect &ink = coverage.ink();
    const int inkX0 = std::max(ink.left(), x0);
    const int inkX1 = std::min(ink.right() + 1, x1);
    const int firstChange = std::max(firstRow + 1, ink.top());
    const int lastChange = std::min(lastRow, ink.bottom() + 1);

    int nextSample = 0;
    for (int y = firstRow; y <= lastRow; ++y) {
        if (y >= firstChange && y <= lastChange && inkX0 < inkX1) {
            const int lastSample = grid.lastRowUpTo[y - 1];
            forEachKindChange<PixelBytes>(
                coverage.row(y) + inkX0 * PixelBytes, coverage.row(y - 1) + inkX0 * PixelBytes,
                inkX1 - inkX0, [&](int inkX) {
                    const int x = inkX + inkX0;
                    int &start = runStart[std::size_t(x - x0)];
                    const int first = std::max(start, y - (Reach - 1));
                    for (int i = lastSample; i >= 0 && grid.rows[i] >= first; --i) {
                        std::uint8_t &d = other[qsizetype(i) * stride + x];
                        d = std::min(d, std::uint8_t(y - grid.rows[i]));
                    }
                    start = y;
                });
        }
        for (; nextSample < n && grid.rows[nextSample] == y; ++nextSample)
            distancesAbove(runStart.data(), x1 - x0, y,
                           other + qsizetype(nextSample) * stride + x0);
    }
}

// The chunks a sample may reach lie within Around chunks of its own; a
// window of Lanes chunks around it, from Around before, is read at once.
constexpr int Around = (Reach - 1 + Chunk - 1) / Chunk;
constexpr int Lanes = 24;
static_assert(2 * Around + 1 <= Lanes, "the window holds every chunk in reach");

// Per offset of a sample within its chunk, and per chunk of the window: the
// squared gap from the sample to the chunk's nearest column. Lanes past the
// reach get a gap that no lower bound can bring within reach.
const std::array<std::array<std::int16_t, Lanes>, Chunk> &chunkGaps()
{
    static const std::array<std::array<std::int16_t, Lanes>, Chunk> table = [] {
        std::array<std::array<std::int16_t, Lanes>, Chunk> t{};
        for (int offset = 0; offset < Chunk; ++offset) {
            for (int lane = 0; lane < Lanes; ++lane) {
                const int k = lane - Around;
                const int gap = k < 0 ? offset - Chunk * k - (Chunk - 1) : Chunk * k - offset;
                t[offset][lane]
                    = std::int16_t(k > Around ? INT16_MAX : std::max(gap, 0) * std::max(gap, 0));
            }
        }
        return t;
    }();
    return table;
}

// One sample row as the horizontal step reads it, in chunks of Chunk columns:
// per column its kind (Inside, Outside, or Padding past the raster's edge) and
// the vertical distance of the sweep; per chunk and kind, a lower bound on
// the squared distance (less None) any of its columns offers to a pixel of
// that kind.
class SampleRow
{
public:
    static constexpr std::uint8_t Inside = 0xff;
    static constexpr std::uint8_t Outside = 0;
    static constexpr std::uint8_t Padding = 0x7f;

    explicit SampleRow(int width)
        : m_width(width)
        , m_chunks((width + Chunk - 1) / Chunk)
        , m_kind(std::size_t(m_chunks) * Chunk, Padding)
    {
        // Chunks past either edge hold nothing: their bound is None.
        for (auto &bound : m_bound)
            bound.assign(std::size_t(m_chunks) + Lanes, 0);
    }

    int stride() const { return m_chunks * Chunk; }

    // vertical: the sweep's distances for this row, stride() of them, the
    // padding set to Reach.
    template<int PixelBytes>
    void load(const uchar *row, const std::uint8_t *vertical)
    {
        m_vertical = vertical;
        int x = 0;
#if defined(__SSE2__)
        if constexpr (PixelBytes == 1) {
            for (; x + 16 <= m_width; x += 16) {
                const __m128i alpha = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(&m_kind[x]),
                                 _mm_cmplt_epi8(alpha, _mm_setzero_si128())); // alpha > 127
            }
        }
#endif
        for (; x < m_width; ++x)
            m_kind[x] = isInside<PixelBytes>(row, x) ? Inside : Outside;

        for (int c = 0; c < m_chunks; ++c) {
            const std::uint8_t *kind = &m_kind[c * Chunk];
            bool hasInside = false;
            bool hasOutside = false;
#if defined(__SSE2__)
            const __m128i kinds = _mm_loadu_si128(reinterpret_cast<const __m128i *>(kind));
            hasInside = _mm_movemask_epi8(kinds); // only Inside has the top bit
            hasOutside = _mm_movemask_epi8(_mm_cmpeq_epi8(kinds, _mm_setzero_si128()));
#else
            for (int k = 0; k < Chunk; ++k) {
                hasInside |= kind[k] == Inside;
                hasOutside |= kind[k] == Outside;
            }
#endif
            // A chunk with no pixel of a kind has only pixels of the other
            // kind (or padding, at Reach), whose distances all count.
            const int nearest = smallestOf(m_vertical + c * Chunk);
            const std::int16_t squared = std::int16_t(nearest * nearest - None);
            m_bound[true][c + Around] = hasInside ? std::int16_t(-None) : squared;
            m_bound[false][c + Around] = hasOutside ? std::int16_t(-None) : squared;
        }
    }

    // The smallest dx^2 + dy^2 from (cx, the row) to a pixel of the kind,
    // over the columns within reach, or None or more when none is within
    // reach. The sample's own chunk is scanned first; then only the chunks
    // whose bound beats the best so far.
    int nearest(int cx, bool toInside) const
    {
        const int home = cx / Chunk;
        const std::int16_t *bound = &m_bound[toInside][home]; // the window, from Around before
        const std::int16_t *gap = m_gaps[cx - home * Chunk].data();
        if (!lanesBelow(bound, gap, 0))
            return None;
        // Anything at None or more is out of reach: no chunk needs to beat that.
        int best = std::min(scan(toInside, home, cx), 0);
        std::uint32_t lanes = lanesBelow(bound, gap, best) & ~(1u << Around);
        while (lanes) {
            const int lane = countTrailingZeros(lanes);
            lanes &= lanes - 1;
            if (bound[lane] + gap[lane] < best)
                best = std::min(best, scan(toInside, home + lane - Around, cx));
        }
        return best + None;
    }

private:
    // One bit per lane of the window whose bound plus gap is below limit.
    static std::uint32_t lanesBelow(const std::int16_t *bound, const std::int16_t *gap, int limit)
    {
#if defined(__SSE2__)
        const __m128i below = _mm_set1_epi16(std::int16_t(limit));
        const auto lane8 = [&](int k) {
            const __m128i sum
                = _mm_add_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(bound + k)),
                                _mm_loadu_si128(reinterpret_cast<const __m128i *>(gap + k)));
            return _mm_cmplt_epi16(sum, below);
        };
        const __m128i low = _mm_packs_epi16(lane8(0), lane8(8));
        const __m128i high = _mm_packs_epi16(lane8(16), _mm_setzero_si128());
        return std::uint32_t(_mm_movemask_epi8(low)) | std::uint32_t(_mm_movemask_epi8(high)) << 16;
#else
        std::uint32_t lanes = 0;
        for (int k = 0; k < Lanes; ++k) {
            if (bound[k] + gap[k] < limit)
                lanes |= 1u << k;
        }
        return lanes;
#endif
    }

    static int countTrailingZeros(std::uint32_t bits)
    {
#if defined(__GNUC__)
        return __builtin_ctz(bits);
#else
        int n = 0;
        for (; !(bits & 1); bits >>= 1)
            ++n;
        return n;
#endif
    }

    // The smallest dx^2 + dy^2 - None over one chunk: dy is 0 for a pixel
    // of the kind, else the sweep's distance. Columns of a chunk that stick
    // out of the reach have dx^2 >= None and stay out of it; every sum fits
    // in 16 signed bits.
    int scan(bool toInside, int c, int cx) const
    {
        static_assert(Chunk == 16, "one vector of bytes, two of shorts");
        const std::int16_t *dx2 = squaresLessNone().data() + (c * Chunk - cx + MaxDx);
        const std::uint8_t *kind = &m_kind[c * Chunk];
        const std::uint8_t *vertical = m_vertical + c * Chunk;
        const std::uint8_t wanted = toInside ? Inside : Outside;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i same = _mm_cmpeq_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(kind)), _mm_set1_epi8(char(wanted)));
        const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i *>(vertical));
        const auto half = [&](__m128i g8, __m128i same8, const std::int16_t *offsets) {
            const __m128i g2 = _mm_andnot_si128(same8, _mm_mullo_epi16(g8, g8));
            return _mm_add_epi16(g2, _mm_loadu_si128(reinterpret_cast<const __m128i *>(offsets)));
        };
        __m128i m = _mm_min_epi16(
            half(_mm_unpacklo_epi8(g, zero), _mm_unpacklo_epi8(same, same), dx2),
            half(_mm_unpackhi_epi8(g, zero), _mm_unpackhi_epi8(same, same), dx2 + 8));
        m = _mm_min_epi16(m, _mm_shuffle_epi32(m, _MM_SHUFFLE(1, 0, 3, 2)));
        m = _mm_min_epi16(m, _mm_shuffle_epi32(m, _MM_SHUFFLE(2, 3, 0, 1)));
        m = _mm_min_epi16(m, _mm_shufflelo_epi16(m, _MM_SHUFFLE(2, 3, 0, 1)));
        return std::int16_t(_mm_cvtsi128_si32(m));
#else
        int m = INT_MAX;
        for (int k = 0; k < Chunk; ++k) {
            const int dy = kind[k] == wanted ? 0 : vertical[k];
            m = std::min(m, dx2[k] + dy * dy);
        }
        return m;
#endif
    }

    static std::uint8_t smallestOf(const std::uint8_t *chunk)
    {
#if defined(__SSE2__)
        __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chunk));
        m = _mm_min_epu8(m, _mm_srli_si128(m, 8));
        m = _mm_min_epu8(m, _mm_srli_si128(m, 4));
        m = _mm_min_epu8(m, _mm_srli_si128(m, 2));
        m = _mm_min_epu8(m, _mm_srli_si128(m, 1));
        return std::uint8_t(_mm_cvtsi128_si32(m));
#else
        return *std::min_element(chunk, chunk + Chunk);
#endif
    }

    const std::array<std::array<std::int16_t, Lanes>, Chunk> &m_gaps = chunkGaps();
    int m_width;
    int m_chunks;
    const std::uint8_t *m_vertical = nullptr;
    std::vector<std::uint8_t> m_kind;
    // [toInside][Around + chunk]: squared distance - None; Around chunks of
    // padding before and enough after for a whole window.
    std::vector<std::int16_t> m_bound[2];
};

// How far position is from [first, last]; 0 inside it. An empty range is
// out of reach of everything.
inline int gapToInk(int position, int first, int last)
{
    if (first > last)
        return Reach;
    return position < first ? first - position : std::max(position - last, 0);
}

template<int PixelBytes>
void transform(const CoverageView &coverage, int n, FieldTarget target)
{
    const int width = coverage.width();
    const SampleGrid grid(coverage, n);
    const int stride = SampleRow(width).stride();

    // The sweeps write every column of every sample row; the padding past the
    // raster's edge holds no pixel.
    const std::unique_ptr<std::uint8_t[]> vertical(new std::uint8_t[qsizetype(n) * stride]);
    for (int i = 0; i < n; ++i)
        std::fill_n(&vertical[qsizetype(i) * stride + width], stride - width, Reach);

    // The threads split the raster's columns for the sweep, then the sample
    // rows for the horizontal step, which reads every column.
    const int bands = std::max(1, std::min(omp_get_max_threads(), n));
    // The render thread shares the machine with the GUI thread and the GL
    // driver: let the runtime shrink the team when the cores are busy, or
    // its waiting threads take the core the others need (measured: 12 ms a
    // field instead of under 1 ms). The bands do not depend on the team.
    omp_set_dynamic(1);
    const QRect &ink = coverage.ink();
    const std::uint8_t *root = floorSqrt().data();
#pragma omp parallel
    {
        // Column bands start on 64-byte blocks of the sweep's comparisons.
#pragma omp for schedule(static)
        for (int b = 0; b < bands; ++b) {
            const int x0 = b == 0 ? 0 : std::min(width, width * b / bands / 64 * 64);
            const int x1
                = b + 1 == bands ? width : std::min(width, width * (b + 1) / bands / 64 * 64);
            if (x0 < x1)
                sweepColumns<PixelBytes>(coverage, grid, x0, x1, vertical.get(), stride);
        }
#pragma omp for schedule(static)
        for (int b = 0; b < bands; ++b) {
            const int i0 = n * b / bands;
            const int i1 = n * (b + 1) / bands;
            if (i0 == i1)
                continue;
            SampleRow sampleRow(width);
            for (int i = i0; i < i1; ++i) {
                // A sample out of reach of the ink is outside with nothing in reach.
                if (gapToInk(grid.rows[i], ink.top(), ink.bottom()) >= Reach) {
                    for (int j = 0; j < n; ++j)
                        *sampleAt(target, n, i, j) = 0;
                    continue;
                }
                const uchar *row = coverage.row(grid.rows[i]);
                sampleRow.load<PixelBytes>(row, &vertical[qsizetype(i) * stride]);
                for (int j = 0; j < n; ++j) {
                    const int cx = grid.columns[j];
                    if (gapToInk(cx, ink.left(), ink.right()) >= Reach) {
                        *sampleAt(target, n, i, j) = 0;
                        continue;
                    }
                    const bool inside = isInside<PixelBytes>(row, cx);
                    const int squared = sampleRow.nearest(cx, !inside);
                    *sampleAt(target, n, i, j)
                        = encodeSample(inside, squared < None ? root[squared] : -1);
                }
            }
        }
    }
}

} // namespace

void transformDistanceField(const CoverageView &coverage, int n, FieldTarget target)
{
    if (coverage.pixelBytes() == 1)
        transform<1>(coverage, n, target);
    else
        transform<4>(coverage, n, target);
}

void computeDistanceField(const CoverageView &coverage, int n, FieldTarget target, int searchLevel)
{
    if (n < 1)
        return;
    if (coverage.width() < 1 || coverage.height() < 1) {
        // No pixel to classify: every sample is outside with nothing in reach.
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                *sampleAt(target, n, i, j) = 0;
        }
        return;
    }
    if (searchLevel == FastSearchLevel)
        transformDistanceField(coverage, n, target);
    else
        searchDistanceField(coverage, n, target, offsetCount(searchLevel));
}

void computeDistanceField(const QImage &coverage, int n, FieldTarget target, int searchLevel)
{
    computeDistanceField(CoverageView(coverage), n, target, searchLevel);
}

} // namespace orbsdf
