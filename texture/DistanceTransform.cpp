#include "DistanceCoverage.h"

#include <omp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#define ORB_SDF_WIDE 1
#include <immintrin.h>
#endif

// The nearest pixel of the other kind is found in two separable steps.
//
// First, per raster column, the vertical distance from each sample row to the
// nearest pixel of the other kind than the one on the sample row. The rows of
// the ink are packed into bits once; a pass downwards keeps, per column, the
// last row where the kind changed (the distance above), a pass upwards the
// next one (the distance below). When the outline is known (EdgeBlocks), only
// the blocks it passes near are read whole and compared from row to row; of
// every other block one pixel tells the kind of all.
//
// Then, per sample, the smallest dx^2 + g^2 over the columns within reach,
// scanned outwards a vector of columns a side at a time until no farther
// column can change the result. A sample whose reach meets no block the
// outline passes near sees only its own kind and needs no scan.

namespace orbsdf {

namespace {

constexpr int Reach = 128;          // distances from here on are out of reach
constexpr int None = Reach * Reach; // a squared distance that is never within reach

using Word = std::uint64_t;
constexpr int WordBits = 64;

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

// dx^2 for dx = -Reach .. Reach - 1, indexed by dx + Reach; None past the reach.
const std::array<std::int16_t, 2 * Reach> &squares()
{
    static const std::array<std::int16_t, 2 *Reach> table = [] {
        std::array<std::int16_t, 2 * Reach> t{};
        for (int dx = -Reach; dx < Reach; ++dx)
            t[dx + Reach] = std::int16_t(std::min(dx * dx, None));
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

inline bool bitAt(const Word *bits, int x)
{
    return (bits[unsigned(x) / WordBits] >> (unsigned(x) % WordBits)) & 1;
}

// The byte of a sample whose nearest pixel of the other kind is squared
// away; None or more: none within reach.
inline std::uint8_t encodeSquared(bool inside, int squared, const std::uint8_t *root)
{
    const int d = squared < None ? root[squared] : Reach; // Reach saturates either way
    return std::uint8_t(std::clamp(inside ? 127 + d : 127 - d, 0, 255));
}

inline int countTrailingZeros(Word bits)
{
#if defined(__GNUC__)
    return __builtin_ctzll(bits);
#else
    int n = 0;
    for (; !(bits & 1); bits >>= 1)
        ++n;
    return n;
#endif
}

// How far position is from [first, last]; 0 inside it. An empty range is
// out of reach of everything.
inline int gapToInk(int position, int first, int last)
{
    if (first > last)
        return Reach;
    return position < first ? first - position : std::max(position - last, 0);
}

struct SampleGrid
{
    SampleGrid(const CoverageView &coverage, int n)
        : n(n)
        , rows(n)
        , columns(n)
    {
        const int stepX = coverage.width() / n;
        const int stepY = coverage.height() / n;
        for (int i = 0; i < n; ++i) {
            rows[i] = stepY * i + stepY / 2;
            columns[i] = stepX * i + stepX / 2;
        }
    }

    int n;
    std::vector<int> rows;    // raster row of each sample row, ascending
    std::vector<int> columns; // raster column of each sample column
};

// The rows of the ink as bits, one word per 64 columns of the whole width:
// bit b of word k is column 64k + b, set for an inside pixel. Every row
// outside the ink is all outside and reads as zeros.
class PackedRows
{
public:
    PackedRows(std::vector<Word> &storage, int width, int top, int bottom)
        : m_words((width + WordBits - 1) / WordBits)
        , m_top(top)
        , m_bottom(bottom)
        , m_storage(storage)
    {
        const std::size_t count = std::size_t(std::max(bottom - top + 2, 1)) * m_words;
        if (m_storage.size() < count)
            m_storage.resize(count);
        // The last row is the zeros every row outside the ink reads.
        std::fill_n(m_storage.data() + std::size_t(std::max(bottom - top + 1, 0)) * m_words,
                    m_words, Word(0));
    }

    int words() const { return m_words; }
    Word *row(int y)
    {
        const int k = y < m_top || y > m_bottom ? m_bottom - m_top + 1 : y - m_top;
        return m_storage.data() + std::size_t(k) * m_words;
    }
    const Word *row(int y) const { return const_cast<PackedRows *>(this)->row(y); }

private:
    int m_words;
    int m_top;
    int m_bottom;
    std::vector<Word> &m_storage;
};

// The kinds of columns [64w, 64w + 64) of a raster row (width columns in
// all) as bits; columns past the width are outside.
template<int PixelBytes>
inline Word packWord(const uchar *row, int width, int w)
{
    const int x = w * WordBits;
#if defined(__SSE2__)
    if (PixelBytes == 1 && x + WordBits <= width) {
        // The top bit of an alpha byte is set exactly when it is above 127.
        const auto mask = [&](int k) {
            return Word(unsigned(_mm_movemask_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x) + k))));
        };
        return mask(0) | mask(1) << 16 | mask(2) << 32 | mask(3) << 48;
    }
#endif
    Word bits = 0;
    const int end = std::min(x + WordBits, width);
    for (int k = x; k < end; ++k)
        bits |= Word(isInside<PixelBytes>(row, k)) << (k - x);
    return bits;
}

// Packs rows of the raster, reading only the blocks that may mix kinds; of
// the others one pixel per block is read, once per row of blocks. Every kind
// change between two neighbouring pixels lies in blocks that may mix kinds,
// so only those words need comparing from row to row.
template<int PixelBytes>
class RowPacker
{
public:
    // For words [w0, w1) of rows first .. last.
    RowPacker(const CoverageView &coverage, int w0, int w1, int first, int last)
        : m_coverage(coverage)
        , m_w0(w0)
        , m_w1(w1)
        , m_firstBlockRow(first / EdgeBlocks::BlockHeight)
        , m_row(std::size_t(std::max(w1 - w0, 0)))
    {
        const EdgeBlocks &edges = coverage.edges();
        const int blockRows = last / EdgeBlocks::BlockHeight - m_firstBlockRow + 1;
        m_listStart.reserve(std::size_t(std::max(blockRows, 0)) + 1);
        for (int r = 0; r < blockRows; ++r) {
            m_listStart.push_back(int(m_mixed.size()));
            const int y = (m_firstBlockRow + r) * EdgeBlocks::BlockHeight;
            for (int w = w0; w < w1; ++w) {
                if (edges.mayBeMixed(w * WordBits, y))
                    m_mixed.push_back(w);
            }
        }
        m_listStart.push_back(int(m_mixed.size()));
    }

    // The words that may change kind between row y and its neighbours.
    const int *mixedBegin(int y) const { return m_mixed.data() + m_listStart[listOf(y)]; }
    const int *mixedEnd(int y) const { return m_mixed.data() + m_listStart[listOf(y) + 1]; }

    void pack(int y, Word *words)
    {
        constexpr int Ahead = 8; // rows: the blocks that may mix are read out of order
        const int width = m_coverage.width();
        const uchar *row = m_coverage.row(y);
        const uchar *ahead = m_coverage.row(std::min(y + Ahead, m_coverage.height() - 1));
        if (y / EdgeBlocks::BlockHeight != m_blockRow)
            startBlockRow(y);
        std::copy(m_row.begin(), m_row.end(), words + m_w0);
        for (const int *w = mixedBegin(y); w != mixedEnd(y); ++w) {
#if defined(__SSE2__)
            // A word's pixels may straddle two cache lines.
            const char *pixels = reinterpret_cast<const char *>(ahead + *w * WordBits * PixelBytes);
            _mm_prefetch(pixels, _MM_HINT_T0);
            _mm_prefetch(pixels + WordBits * PixelBytes - 1, _MM_HINT_T0);
#endif
            words[*w] = packWord<PixelBytes>(row, width, *w);
        }
    }

private:
    int listOf(int y) const
    {
        return y / EdgeBlocks::BlockHeight - m_firstBlockRow;
    }

    // The words of blocks of one kind, read from one pixel each.
    void startBlockRow(int y)
    {
        const int width = m_coverage.width();
        const uchar *row = m_coverage.row(y);
        m_blockRow = y / EdgeBlocks::BlockHeight;
        const int next = (m_blockRow + 1) * EdgeBlocks::BlockHeight;
        const uchar *nextRow = m_coverage.row(std::min(next, m_coverage.height() - 1));
        for (int w = m_w0; w < m_w1; ++w) {
            const int x = w * WordBits;
#if defined(__SSE2__)
            _mm_prefetch(reinterpret_cast<const char *>(nextRow + x * PixelBytes), _MM_HINT_T0);
#endif
            const int columns = std::min(WordBits, width - x);
            const Word all = columns == WordBits ? ~Word(0) : (Word(1) << columns) - 1;
            m_row[std::size_t(w - m_w0)] = isInside<PixelBytes>(row, x) ? all : 0;
        }
    }

    const CoverageView &m_coverage;
    int m_w0;
    int m_w1;
    int m_firstBlockRow;
    int m_blockRow = -1;
    std::vector<Word> m_row;      // per word: its bits if its block is of one kind
    std::vector<int> m_mixed;     // per row of blocks, the words that may mix kinds
    std::vector<int> m_listStart; // per row of blocks, where its words start in m_mixed
};

// Calls changed(x) for every column of the listed words whose bit differs
// between a and b.
template<class Changed>
inline void forEachChange(const Word *a, const Word *b, const int *first, const int *last,
                          Changed changed)
{
    for (const int *w = first; w != last; ++w) {
        for (Word diff = a[*w] ^ b[*w]; diff; diff &= diff - 1)
            changed(*w * WordBits + countTrailingZeros(diff));
    }
}

// d[x] = min(d[x], min(distance[x], Reach)) for count columns, where
// distance[x] = sign * (y - row[x]) + 1 - lowered; sign +1 reads how far y is
// below row (the distance above), sign -1 how far row is below y.
template<bool Below>
inline void lowerDistances(const int *row, int count, int y, std::uint8_t *d)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i origin = _mm_set1_epi32(Below ? -y : y + 1);
    const __m128i reach = _mm_set1_epi16(Reach);
    const auto distance = [&](int k) {
        const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x + k));
        return Below ? _mm_add_epi32(r, origin) : _mm_sub_epi32(origin, r);
    };
    for (; x + 16 <= count; x += 16) {
        // Saturating packs keep large distances large on the way down to bytes.
        const __m128i lo = _mm_min_epi16(_mm_packs_epi32(distance(0), distance(4)), reach);
        const __m128i hi = _mm_min_epi16(_mm_packs_epi32(distance(8), distance(12)), reach);
        __m128i *out = reinterpret_cast<__m128i *>(d + x);
        _mm_storeu_si128(out, _mm_min_epu8(_mm_loadu_si128(out), _mm_packus_epi16(lo, hi)));
    }
#endif
    for (; x < count; ++x) {
        const int distance = Below ? row[x] - y : y - row[x] + 1;
        d[x] = std::uint8_t(std::min({distance, Reach, int(d[x])}));
    }
}

// For the raster columns of words [w0, w1): vertical[i * stride + x] = the
// distance from sample row i to the nearest pixel in column x of the other
// kind than the pixel on the sample row, at most Reach (none within reach).
// Columns are independent, so threads split the words.
//
// Going down, change[x] is the row where column x last changed kind: a
// sample row is that far below its run's start, plus one. Going up, it is the
// row where the column next changes: the distance below. A run that reaches
// the raster's edge has no pixel beyond it, and rows outside the ink are
// outside.
template<int PixelBytes>
void sweepColumns(const CoverageView &coverage, const SampleGrid &grid, PackedRows &bits, int w0,
                  int w1, std::uint8_t *vertical, int stride)
{
    const int width = coverage.width();
    const int height = coverage.height();
    const int n = grid.n;
    const QRect &ink = coverage.ink();
    const int x0 = w0 * WordBits;
    const int x1 = std::min(w1 * WordBits, width);
    // Only the words of the ink hold inside pixels.
    const int inkW0 = std::max(w0, ink.left() / WordBits);
    const int inkW1 = std::min(w1, ink.right() / WordBits + 1);
    const int inkX0 = std::max(x0, inkW0 * WordBits);
    const int inkX1 = std::min(x1, inkW1 * WordBits);
    for (int i = 0; i < n; ++i) {
        std::uint8_t *d = vertical + qsizetype(i) * stride;
        std::fill(d + x0, d + x1, std::uint8_t(Reach));
    }
    const int top = ink.top();
    const int bottom = ink.bottom();
    // The words of the band beside the ink hold no inside pixel.
    for (int y = top; y <= bottom; ++y) {
        Word *row = bits.row(y);
        std::fill(row + w0, row + std::max(w0, std::min(inkW0, w1)), Word(0));
        std::fill(row + std::min(w1, std::max(inkW1, w0)), row + w1, Word(0));
    }
    if (inkX0 >= inkX1)
        return;

    const int count = inkX1 - inkX0;
    std::vector<int> change(std::size_t(count) + WordBits);
    const auto at = [&](int x) -> int & { return change[std::size_t(x - inkX0)]; };
    // Lowers the distances of sample row i where a kind may change within
    // reach: in the words with a block that may mix kinds within Reach rows.
    // Elsewhere they stay at Reach.
    static_assert(EdgeBlocks::BlockWidth == WordBits, "a block is a word wide");
    const EdgeBlocks &edges = coverage.edges();
    const auto lower = [&](int i, int y, auto lowerColumns) {
        const std::pair<int, int> rows
            = edges.blockRows(grid.rows[i] - (Reach - 1), grid.rows[i] + (Reach - 1));
        const auto near = [&](int w) { return edges.anyMixedIn({w, w}, rows); };
        for (int w = inkW0; w < inkW1;) {
            for (; w < inkW1 && !near(w); ++w) { }
            int end = w;
            for (; end < inkW1 && near(end); ++end) { }
            if (w < end) {
                const int from = w * WordBits;
                const int to = std::min(end * WordBits, inkX1);
                lowerColumns(change.data() + (from - inkX0), to - from, y,
                             vertical + qsizetype(i) * stride + from);
            }
            w = end;
        }
    };

    // Down: the distance above.
    std::fill(change.begin(), change.end(), INT_MIN / 2);
    const int lastDown = std::min(bottom + 1, height - 1);
    int i = 0;
    for (; i < n && grid.rows[i] < top; ++i) { }
    RowPacker<PixelBytes> packer(coverage, inkW0, inkW1, std::max(top - 1, 0), lastDown);
    for (int y = top; y <= lastDown; ++y) {
        Word *row = bits.row(y);
        if (y <= bottom)
            packer.pack(y, row);
        if (y > 0)
            forEachChange(row, bits.row(y - 1), packer.mixedBegin(y), packer.mixedEnd(y),
                          [&](int x) { at(x) = y; });
        for (; i < n && grid.rows[i] == y; ++i)
            lower(i, y, lowerDistances<false>);
    }
    for (; i < n; ++i)
        lower(i, grid.rows[i], lowerDistances<false>);

    // Up: the distance below.
    std::fill(change.begin(), change.end(), INT_MAX / 2);
    const int firstUp = std::max(top - 1, 0);
    i = n - 1;
    for (; i >= 0 && grid.rows[i] > bottom; --i) { }
    for (int y = bottom; y >= firstUp; --y) {
        if (y + 1 < height)
            forEachChange(bits.row(y), bits.row(y + 1), packer.mixedBegin(y), packer.mixedEnd(y),
                          [&](int x) { at(x) = y + 1; });
        for (; i >= 0 && grid.rows[i] == y; --i)
            lower(i, y, lowerDistances<true>);
    }
    for (; i >= 0; --i)
        lower(i, grid.rows[i], lowerDistances<true>);
}

constexpr int Lanes = 8; // columns per vector

#if defined(__SSE2__)
// A scan that has read every column nearer than distance may stop once its
// best is below this: the columns left add at least distance^2, which has
// the same whole root as anything below (distance + 1)^2.
inline std::int16_t settled(int distance)
{
    return std::int16_t((distance + 1) * (distance + 1));
}

inline int smallestLane(__m128i v)
{
    v = _mm_min_epi16(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_min_epi16(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
    v = _mm_min_epi16(v, _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1)));
    return std::int16_t(_mm_cvtsi128_si32(v));
}
#endif

#if defined(ORB_SDF_WIDE)
// The outward scan sixteen columns a side at a time, on processors that can.
__attribute__((target("avx2"))) int nearestWide(const std::int16_t *cost,
                                                const std::int16_t *square)
{
    constexpr int Wide = 16;
    const auto *costs = reinterpret_cast<const __m256i *>(cost);
    const auto *squares = reinterpret_cast<const __m256i *>(square);
    __m256i best = _mm256_set1_epi16(INT16_MAX);
    for (int m = 0; m * Wide < Reach; ++m) {
        if (m > 0
            && _mm256_movemask_epi8(_mm256_cmpgt_epi16(_mm256_set1_epi16(settled(m * Wide)), best)))
            break;
        // Columns m * Wide .. m * Wide + 15 to the right, as many to the left.
        const int right = m;
        const int left = -(m + 1);
        const __m256i r = _mm256_adds_epi16(_mm256_loadu_si256(costs + right),
                                            _mm256_loadu_si256(squares + right));
        const __m256i l = _mm256_adds_epi16(_mm256_loadu_si256(costs + left),
                                            _mm256_loadu_si256(squares + left));
        best = _mm256_min_epi16(best, _mm256_min_epi16(r, l));
    }
    return smallestLane(
        _mm_min_epi16(_mm256_castsi256_si128(best), _mm256_extracti128_si256(best, 1)));
}

// The costs of columns [first, last) of a sample row (see SampleRow),
// sixteen at a time from first; returns the column it stopped at.
__attribute__((target("avx2"))) int loadWide(const Word *bits, const std::uint8_t *vertical,
                                             int first, int last, std::int16_t *toOutside,
                                             std::int16_t *toInside)
{
    const __m256i bitOfLane = _mm256_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048,
                                                4096, 8192, 16384, std::int16_t(0x8000));
    int x = first;
    for (; x + 16 <= last && x % WordBits <= WordBits - 16; x += 16) {
        const __m256i g = _mm256_cvtepu8_epi16(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(vertical + x)));
        const __m256i g2 = _mm256_mullo_epi16(g, g);
        const int kinds = int(bits[x / WordBits] >> (x % WordBits)) & 0xffff;
        const __m256i inside = _mm256_cmpeq_epi16(
            _mm256_and_si256(_mm256_set1_epi16(std::int16_t(kinds)), bitOfLane), bitOfLane);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(toOutside + x),
                            _mm256_and_si256(inside, g2));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(toInside + x),
                            _mm256_andnot_si256(inside, g2));
    }
    return x;
}

// The 32-lane scan, on processors that can.
__attribute__((target("avx512bw"))) int nearestWidest(const std::int16_t *cost,
                                                      const std::int16_t *square)
{
    constexpr int Widest = 32;
    __m512i best = _mm512_set1_epi16(INT16_MAX);
    for (int m = 0; m * Widest < Reach; ++m) {
        if (m > 0 && _mm512_cmplt_epi16_mask(best, _mm512_set1_epi16(settled(m * Widest))))
            break;
        const int right = m * Widest;
        const int left = -(m + 1) * Widest;
        const __m512i r = _mm512_adds_epi16(_mm512_loadu_si512(cost + right),
                                            _mm512_loadu_si512(square + right));
        const __m512i l
            = _mm512_adds_epi16(_mm512_loadu_si512(cost + left), _mm512_loadu_si512(square + left));
        best = _mm512_min_epi16(best, _mm512_min_epi16(r, l));
    }
    alignas(64) std::int16_t lanes[Widest];
    _mm512_store_si512(lanes, best);
    const __m256i half
        = _mm256_min_epi16(_mm256_load_si256(reinterpret_cast<__m256i *>(lanes)),
                           _mm256_load_si256(reinterpret_cast<__m256i *>(lanes) + 1));
    return smallestLane(
        _mm_min_epi16(_mm256_castsi256_si128(half), _mm256_extracti128_si256(half, 1)));
}

std::atomic<int> &laneLimit()
{
    static std::atomic<int> limit{32};
    return limit;
}

// How many 16-bit lanes the scans use: 8 everywhere, 16 or 32 where the
// processor has them, at most the limit set for comparison.
int vectorLanes()
{
    static const int lanes = __builtin_cpu_supports("avx512bw") ? 32
        : __builtin_cpu_supports("avx2")                        ? 16
                                                                : 8;
    return std::min(lanes, laneLimit().load());
}
#endif

// One sample row as the horizontal step reads it: per column and kind of
// sample, what reaching a pixel of the other kind through that column costs
// beyond dx^2: 0 where the row itself has one, else the vertical distance
// squared, None where the column has none in reach or lies off the raster.
class SampleRow
{
public:
    explicit SampleRow(int width)
        : m_width(width)
    {
        // Reach columns of padding either side, and a vector more.
        for (auto &cost : m_cost)
            cost.assign(std::size_t(width) + 2 * Reach + 16, None);
    }

    // Loads the costs of the columns within reach of [first, last].
    void load(const Word *bits, const std::uint8_t *vertical, int first, int last)
    {
        std::int16_t *toOutside = costs(true);
        std::int16_t *toInside = costs(false);
        // From a multiple of 16 columns, so that vectors take whole bytes of bits.
        int x = std::max(0, first - Reach) / 16 * 16;
        const int end = std::min(m_width, last + Reach);
#if defined(ORB_SDF_WIDE)
        if (m_lanes >= 16)
            x = loadWide(bits, vertical, x, end, toOutside, toInside);
#endif
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i bitOfLane = _mm_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128);
        for (; x + Lanes <= end; x += Lanes) {
            const __m128i g = _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i *>(vertical + x)), zero);
            const __m128i g2 = _mm_mullo_epi16(g, g);
            const int kinds = int(bits[x / WordBits] >> (x % WordBits)) & 0xff;
            const __m128i inside = _mm_cmpeq_epi16(
                _mm_and_si128(_mm_set1_epi16(std::int16_t(kinds)), bitOfLane), bitOfLane);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(toOutside + x), _mm_and_si128(inside, g2));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(toInside + x),
                             _mm_andnot_si128(inside, g2));
        }
#endif
        for (; x < end; ++x) {
            const int g2 = vertical[x] * vertical[x];
            const bool inside = bitAt(bits, x);
            toOutside[x] = std::int16_t(inside ? g2 : 0);
            toInside[x] = std::int16_t(inside ? 0 : g2);
        }
    }

    // The smallest dx^2 + dy^2 from column cx (loaded) of this row to a pixel
    // of the other kind than inside, or None or more when none is within
    // reach; or a larger sum with the same whole square root, once no column
    // left can change that root.
    int nearest(int cx, bool inside) const
    {
        const std::int16_t *cost = costs(inside) + cx;
        const std::int16_t *square = squares().data() + Reach;
#if defined(ORB_SDF_WIDE)
        if (m_lanes >= 32)
            return nearestWidest(cost, square);
        if (m_lanes >= 16)
            return nearestWide(cost, square);
#endif
#if defined(__SSE2__)
        const auto ring = [&](int dx) {
            return _mm_adds_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(cost + dx)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i *>(square + dx)));
        };
        __m128i best = _mm_min_epi16(ring(0), ring(-Lanes));
        for (int m = 1; m * Lanes < Reach; ++m) {
            if (_mm_movemask_epi8(_mm_cmplt_epi16(best, _mm_set1_epi16(settled(m * Lanes)))))
                break;
            best = _mm_min_epi16(best, _mm_min_epi16(ring(m * Lanes), ring(-(m + 1) * Lanes)));
        }
        return smallestLane(best);
#else
        int best = INT_MAX;
        for (int dx = -Reach; dx < Reach; ++dx)
            best = std::min(best, int(cost[dx]) + square[dx]);
        return best;
#endif
    }

private:
    std::int16_t *costs(bool toOutside)
    {
        return m_cost[toOutside].data() + Reach;
    }
    const std::int16_t *costs(bool toOutside) const
    {
        return m_cost[toOutside].data() + Reach;
    }

    int m_width;
#if defined(ORB_SDF_WIDE)
    int m_lanes = vectorLanes();
#endif
    // [toOutside]: per column from -Reach, the cost for a sample of that kind.
    std::vector<std::int16_t> m_cost[2];
};

// Buffers kept by the calling thread from one field to the next.
struct Workspace
{
    std::vector<Word> bits;
    std::vector<std::uint8_t> vertical;
};

template<int PixelBytes>
void transform(const CoverageView &coverage, int n, FieldTarget target)
{
    const int width = coverage.width();
    const QRect &ink = coverage.ink();
    const SampleGrid grid(coverage, n);
    const int stride = (width + 15) / 16 * 16;

    static thread_local Workspace workspace;
    PackedRows bits(workspace.bits, width, ink.top(), ink.bottom());
    if (workspace.vertical.size() < std::size_t(n) * stride)
        workspace.vertical.resize(std::size_t(n) * stride);
    std::uint8_t *vertical = workspace.vertical.data();

    // The threads split the raster's words for the sweeps, then the sample
    // rows for the horizontal step, which reads every column.
    const int words = bits.words();
    const int bands = std::max(1, std::min(omp_get_max_threads(), std::min(n, words)));
    // The render thread shares the machine with the GUI thread and the GL
    // driver: let the runtime shrink the team when the cores are busy, or
    // its waiting threads take the core the others need (measured: 12 ms a
    // field instead of under 1 ms). The bands do not depend on the team.
    omp_set_dynamic(1);
    const std::uint8_t *root = floorSqrt().data();
    const EdgeBlocks &edges = coverage.edges();
    // Per sample column, the words within its reach; none far from the ink.
    std::vector<std::pair<int, int>> reachWords(static_cast<std::size_t>(n), {0, -1});
    for (int j = 0; j < n; ++j) {
        const int cx = grid.columns[j];
        if (gapToInk(cx, ink.left(), ink.right()) < Reach)
            reachWords[j] = {std::max(cx - (Reach - 1), 0) / WordBits,
                             std::min(cx + (Reach - 1), width - 1) / WordBits};
    }
#pragma omp parallel
    {
#pragma omp for schedule(static)
        for (int b = 0; b < bands; ++b) {
            sweepColumns<PixelBytes>(coverage, grid, bits, words * b / bands,
                                     words * (b + 1) / bands, vertical, stride);
        }
#pragma omp for schedule(static)
        for (int b = 0; b < bands; ++b) {
            const int i0 = n * b / bands;
            const int i1 = n * (b + 1) / bands;
            if (i0 == i1)
                continue;
            SampleRow sampleRow(width);
            std::vector<int> nearWords(std::size_t(words) + 1);
            std::vector<std::uint8_t> open(static_cast<std::size_t>(n));
            for (int i = i0; i < i1; ++i) {
                const int cy = grid.rows[i];
                // A row out of reach of the ink is outside with nothing in reach.
                if (gapToInk(cy, ink.top(), ink.bottom()) >= Reach) {
                    for (int j = 0; j < n; ++j)
                        *sampleAt(target, n, i, j) = 0;
                    continue;
                }
                const Word *kinds = bits.row(cy);
                // A sample whose reach meets no block that may mix kinds
                // sees only its own kind: it needs no scan. Blocks are a
                // word wide: count, per word, those within reach of the row.
                const std::pair<int, int> reachRows
                    = edges.blockRows(cy - (Reach - 1), cy + (Reach - 1));
                for (int w = 0; w < words; ++w)
                    nearWords[w + 1] = nearWords[w] + edges.anyMixedIn({w, w}, reachRows);
                // The costs are loaded around runs of samples that need a
                // scan; runs closer than two reaches share one load.
                int firstOpen = 0;
                int lastOpen = -1;
                const auto loadRun = [&] {
                    if (firstOpen <= lastOpen)
                        sampleRow.load(kinds, vertical + qsizetype(i) * stride, firstOpen,
                                       lastOpen);
                };
                for (int j = 0; j < n; ++j) {
                    const int cx = grid.columns[j];
                    const auto [first, last] = reachWords[j];
                    open[j] = first <= last && nearWords[last + 1] > nearWords[first];
                    if (!open[j]) {
                        *sampleAt(target, n, i, j) = encodeSquared(bitAt(kinds, cx), None, root);
                    } else if (firstOpen <= lastOpen && cx - lastOpen < 2 * Reach) {
                        lastOpen = cx;
                    } else {
                        loadRun();
                        firstOpen = lastOpen = cx;
                    }
                }
                loadRun();
                for (int j = 0; j < n; ++j) {
                    if (!open[j])
                        continue;
                    const int cx = grid.columns[j];
                    const bool inside = bitAt(kinds, cx);
                    *sampleAt(target, n, i, j)
                        = encodeSquared(inside, sampleRow.nearest(cx, inside), root);
                }
            }
        }
    }
}

} // namespace

int limitVectorLanes(int lanes)
{
#if defined(ORB_SDF_WIDE)
    return laneLimit().exchange(lanes);
#else
    Q_UNUSED(lanes);
    return Lanes;
#endif
}

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
