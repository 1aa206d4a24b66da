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

// The kinds of the sample rows as bits, one word per 64 columns: bit b of
// word k of row i is column 64k + b of raster row rows[i], set for an inside
// pixel.
class SampleKinds
{
public:
    SampleKinds(std::vector<Word> &storage, int width, int n)
        : m_words((width + WordBits - 1) / WordBits)
        , m_storage(storage)
    {
        const std::size_t count = std::size_t(n) * m_words;
        if (m_storage.size() < count)
            m_storage.resize(count);
    }

    int words() const { return m_words; }
    Word *row(int i) { return m_storage.data() + std::size_t(i) * m_words; }
    const Word *row(int i) const { return m_storage.data() + std::size_t(i) * m_words; }

private:
    int m_words;
    std::vector<Word> &m_storage;
};

#if defined(ORB_SDF_WIDE)
int vectorLanes();

// Rows of 64 Alpha8 pixels as bits, count rows from first on, on processors
// that can: one comparison per row.
__attribute__((target("avx512bw"))) void packRowsWidest(const uchar *first, qsizetype bytesPerLine,
                                                        int count, Word *out)
{
    for (int k = 0; k < count; ++k) {
        out[k] = _cvtmask64_u64(
            _mm512_movepi8_mask(_mm512_loadu_si512(first + qsizetype(k) * bytesPerLine)));
    }
}
#endif

// Per column of a block, the rows (0 .. BlockHeight - 1) where it changes
// kind, as bits: bit k set when pixel row k of the block differs from the row
// above it.
struct BlockChanges
{
    static constexpr int None = 255;
    static_assert(EdgeBlocks::BlockHeight <= 16, "a column's changes fit 16 bits");

    Word any = 0;                   // columns with a change
    std::uint16_t column[WordBits]; // valid for the columns in any
    // Per column, 15 - the last row that changes, and the first row that
    // changes; None where the column has no change.
    alignas(16) std::uint8_t lastGap[WordBits];
    alignas(16) std::uint8_t first[WordBits];

    void summarise()
    {
        std::fill(std::begin(lastGap), std::end(lastGap), std::uint8_t(None));
        std::fill(std::begin(first), std::end(first), std::uint8_t(None));
        for (Word bits = any; bits; bits &= bits - 1) {
            const int b = countTrailingZeros(bits);
            const unsigned rows = column[b];
            lastGap[b] = std::uint8_t(EdgeBlocks::BlockHeight - 1 - (31 - __builtin_clz(rows)));
            first[b] = std::uint8_t(__builtin_ctz(rows));
        }
    }
};

// d[x] = min(d[x], add + gap[x]) for the 64 columns of a block, the sum
// saturating at 255.
inline void lowerBy(std::uint8_t *d, int add, const std::uint8_t *gap)
{
#if defined(__SSE2__)
    const __m128i base = _mm_set1_epi8(char(add));
    for (int k = 0; k < WordBits; k += 16) {
        __m128i *out = reinterpret_cast<__m128i *>(d + k);
        const __m128i g = _mm_load_si128(reinterpret_cast<const __m128i *>(gap + k));
        _mm_storeu_si128(out, _mm_min_epu8(_mm_loadu_si128(out), _mm_adds_epu8(g, base)));
    }
#else
    for (int k = 0; k < WordBits; ++k)
        d[k] = std::uint8_t(std::min({int(d[k]), add + gap[k], 255}));
#endif
}

// The vertical step for the raster columns of words [w0, w1):
// vertical[i * stride + x] = the distance from sample row i to the nearest
// pixel in column x of the other kind than the pixel on the sample row, at
// most Reach (none within reach). Columns are independent, so threads split
// the words.
//
// A kind change between rows c - 1 and c puts a pixel of the other kind
// c - y away from a sample row y above it and y - c + 1 from one at or below
// it; the smallest over a column's changes is the distance. Changes lie only
// in the blocks the outline passes near, so only those are read whole; rows
// outside the ink are outside, and a run that reaches the raster's edge has
// no pixel beyond it.
template<int PixelBytes>
void sweepColumns(const CoverageView &coverage, const SampleGrid &grid, SampleKinds &kinds, int w0,
                  int w1, std::uint8_t *vertical, int stride)
{
    constexpr int BlockHeight = EdgeBlocks::BlockHeight;
    static_assert(EdgeBlocks::BlockWidth == WordBits, "a block is a word wide");
    const int width = coverage.width();
    const int height = coverage.height();
    const int n = grid.n;
    const QRect &ink = coverage.ink();
    const EdgeBlocks &edges = coverage.edges();
    const int top = ink.top();
    const int bottom = ink.bottom();
    // Only the words of the ink hold inside pixels.
    const int inkW0 = std::max(w0, ink.left() / WordBits);
    const int inkW1 = std::min(w1, ink.right() / WordBits + 1);
    const auto packed = [&](int y, int w) -> Word {
        if (y < top || y > bottom || w < inkW0 || w >= inkW1)
            return 0;
        return packWord<PixelBytes>(coverage.row(y), width, w);
    };

    for (int i = 0; i < n; ++i) {
        std::uint8_t *d = vertical + qsizetype(i) * stride;
        std::fill(d + w0 * WordBits, d + w1 * WordBits, std::uint8_t(Reach));
        // The kinds on the sample row. A block of one kind has the kind of
        // any of its pixels, and of the blocks above it up to the first one
        // that may mix kinds: the sample row above tells it when it lies in
        // one of those, else one pixel does.
        const int y = grid.rows[i];
        Word *row = kinds.row(i);
        const std::pair<int, int> fromAbove = edges.blockRows(i > 0 ? grid.rows[i - 1] : -1, y);
        for (int w = w0; w < w1; ++w) {
            if (y < top || y > bottom || w < inkW0 || w >= inkW1
                || edges.mayBeMixed(w * WordBits, y)) {
                row[w] = packed(y, w);
                continue;
            }
            if (i > 0 && !edges.anyMixedIn({w, w}, fromAbove)) {
                row[w] = kinds.row(i - 1)[w];
                continue;
            }
            const int columns = std::min(WordBits, width - w * WordBits);
            const Word all = columns == WordBits ? ~Word(0) : (Word(1) << columns) - 1;
            row[w] = isInside<PixelBytes>(coverage.row(y), w * WordBits) ? all : 0;
        }
    }
    // Rows y .. y + count - 1 of word w into out.
#if defined(ORB_SDF_WIDE)
    const bool widePack = PixelBytes == 1 && vectorLanes() >= 32;
#endif
    const auto packRows = [&](int y, int count, int w, Word *out) {
        std::fill_n(out, count, Word(0));
        const int first = std::max(y, top);
        const int last = std::min(y + count - 1, bottom);
        if (first > last)
            return;
#if defined(ORB_SDF_WIDE)
        if (widePack && (w + 1) * WordBits <= width) {
            packRowsWidest(coverage.row(first) + w * WordBits, coverage.bytesPerLine(),
                           last - first + 1, out + (first - y));
            return;
        }
#endif
        for (int row = first; row <= last; ++row)
            out[row - y] = packWord<PixelBytes>(coverage.row(row), width, w);
    };

    // Changes between rows c - 1 and c, for c in [firstChange, lastChange].
    const int firstChange = std::max(top, 1);
    const int lastChange = std::min(bottom + 1, height - 1);
    if (inkW0 >= inkW1 || firstChange > lastChange)
        return;

    BlockChanges changes;
    int i0 = 0; // the first sample row within reach of the current row of blocks
    for (int r = firstChange / BlockHeight; r <= lastChange / BlockHeight; ++r) {
        const int y0 = r * BlockHeight;
        const int from = std::max(firstChange, y0);
        const int to = std::min(lastChange, y0 + BlockHeight - 1);
        for (; i0 < n && grid.rows[i0] < y0 - (Reach - 1); ++i0) { }
        for (int w = inkW0; w < inkW1; ++w) {
            if (!edges.mayBeMixed(w * WordBits, y0))
                continue;
#if defined(__SSE2__)
            // The outline goes on: the block below is most likely read next
            // in this column, and its rows are far apart in memory.
            for (int y = y0 + BlockHeight; y < std::min(y0 + 2 * BlockHeight, bottom + 1); ++y)
                _mm_prefetch(
                    reinterpret_cast<const char *>(coverage.row(y) + w * WordBits * PixelBytes),
                    _MM_HINT_T0);
#endif
            Word rows[BlockHeight + 1]; // rows from - 1 .. to
            packRows(from - 1, to - from + 2, w, rows);
            changes.any = 0;
            for (int c = from; c <= to; ++c) {
                Word diff = rows[c - from + 1] ^ rows[c - from];
                if (!diff)
                    continue;
                for (Word fresh = diff & ~changes.any; fresh; fresh &= fresh - 1)
                    changes.column[countTrailingZeros(fresh)] = 0;
                changes.any |= diff;
                for (; diff; diff &= diff - 1)
                    changes.column[countTrailingZeros(diff)] |= std::uint16_t(1u << (c - y0));
            }
            if (!changes.any)
                continue;
            changes.summarise();
            const int x0 = w * WordBits;
            for (int i = i0; i < n && grid.rows[i] < y0 + BlockHeight + (Reach - 1); ++i) {
                const int y = grid.rows[i];
                std::uint8_t *d = vertical + qsizetype(i) * stride + x0;
                if (y >= y0 + BlockHeight - 1) {
                    lowerBy(d, y - y0 - (BlockHeight - 2),
                            changes.lastGap); // all changes at or above
                } else if (y < y0) {
                    lowerBy(d, y0 - y, changes.first); // all changes below
                } else {
                    // Within the block: the nearest change each way.
                    const int split = y - y0 + 1; // changes in rows below split are at or above y
                    for (Word bits = changes.any; bits; bits &= bits - 1) {
                        const int b = countTrailingZeros(bits);
                        const unsigned rows = changes.column[b];
                        const unsigned above = rows & ((1u << split) - 1);
                        const unsigned below = rows >> split;
                        int distance = Reach;
                        if (above)
                            distance = split - (31 - __builtin_clz(above));
                        if (below)
                            distance = std::min(distance, __builtin_ctz(below) + 1);
                        d[b] = std::uint8_t(std::min(int(d[b]), distance));
                    }
                }
            }
        }
    }
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
__attribute__((target("avx2"))) inline int nearestWide(const std::int16_t *cost,
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
    // The sums are not negative, so the unsigned minimum is the minimum.
    return _mm_extract_epi16(_mm_minpos_epu16(_mm_min_epi16(_mm256_castsi256_si128(best),
                                                            _mm256_extracti128_si256(best, 1))),
                             0);
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
__attribute__((target("avx512bw"))) inline int nearestWidest(const std::int16_t *cost,
                                                             const std::int16_t *square)
{
    constexpr int Widest = 32;
    __m512i best = _mm512_set1_epi16(INT16_MAX);
    for (int m = 0; m * Widest < Reach; ++m) {
        const int right = m * Widest;
        const int left = -(m + 1) * Widest;
        const __m512i r = _mm512_adds_epi16(_mm512_loadu_si512(cost + right),
                                            _mm512_loadu_si512(square + right));
        const __m512i l
            = _mm512_adds_epi16(_mm512_loadu_si512(cost + left), _mm512_loadu_si512(square + left));
        best = _mm512_min_epi16(best, _mm512_min_epi16(r, l));
    }
    const __m256i half = _mm256_min_epi16(
        _mm512_mask_extracti64x4_epi64(_mm256_setzero_si256(), __mmask8(0xff), best, 0),
        _mm512_mask_extracti64x4_epi64(_mm256_setzero_si256(), __mmask8(0xff), best, 1));
    return _mm_extract_epi16(_mm_minpos_epu16(_mm_min_epi16(_mm256_castsi256_si128(half),
                                                            _mm256_extracti128_si256(half, 1))),
                             0);
}

// The bytes of the listed samples (value[j] != 0: inside) from the loaded
// costs of their row, one vector width for all.
template<int (*Nearest)(const std::int16_t *, const std::int16_t *)>
inline void encodeSamples(const std::int16_t *toOutside, const std::int16_t *toInside,
                          const int *columns, const int *samples, int count, std::uint8_t *value)
{
    const std::int16_t *square = squares().data() + Reach;
    const std::uint8_t *root = floorSqrt().data();
    for (int k = 0; k < count; ++k) {
        const int j = samples[k];
        const bool inside = value[j] != 0;
        const int cx = columns[j];
        value[j]
            = encodeSquared(inside, Nearest((inside ? toOutside : toInside) + cx, square), root);
    }
}

__attribute__((target("avx2"))) void encodeWide(const std::int16_t *toOutside,
                                                const std::int16_t *toInside, const int *columns,
                                                const int *samples, int count, std::uint8_t *value)
{
    encodeSamples<nearestWide>(toOutside, toInside, columns, samples, count, value);
}

__attribute__((target("avx512bw"))) void encodeWidest(const std::int16_t *toOutside,
                                                      const std::int16_t *toInside,
                                                      const int *columns, const int *samples,
                                                      int count, std::uint8_t *value)
{
    encodeSamples<nearestWidest>(toOutside, toInside, columns, samples, count, value);
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

    // The bytes of samples[0 .. count) (loaded), whose value[j] tells their
    // kind (non-zero: inside).
    void encode(const int *columns, const int *samples, int count, std::uint8_t *value) const
    {
#if defined(ORB_SDF_WIDE)
        if (m_lanes >= 32)
            return encodeWidest(costs(true), costs(false), columns, samples, count, value);
        if (m_lanes >= 16)
            return encodeWide(costs(true), costs(false), columns, samples, count, value);
#endif
        const std::uint8_t *root = floorSqrt().data();
        for (int k = 0; k < count; ++k) {
            const int j = samples[k];
            const bool inside = value[j] != 0;
            value[j] = encodeSquared(inside, nearest(columns[j], inside), root);
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
    const int stride = (width + WordBits - 1) / WordBits * WordBits; // whole blocks

    static thread_local Workspace workspace;
    SampleKinds bits(workspace.bits, width, n);
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
    const EdgeBlocks &edges = coverage.edges();
    // Per sample column, where its pixel lies in a row of words.
    std::vector<int> bitOf(static_cast<std::size_t>(n));
    // The samples of word w are [firstSample[w], firstSample[w + 1]).
    std::vector<int> firstSample(std::size_t(words) + 1, n);
    // The samples near the ink whose reach takes in word w are
    // [reachFirst[w], reachEnd[w]); both grow with w.
    std::vector<int> reachFirst(static_cast<std::size_t>(words), 0);
    std::vector<int> reachEnd(static_cast<std::size_t>(words), 0);
    for (int j = 0; j < n; ++j) {
        const int cx = grid.columns[j];
        bitOf[j] = cx % WordBits;
        for (int w = cx / WordBits; w >= 0 && firstSample[w] > j; --w)
            firstSample[w] = j;
        if (gapToInk(cx, ink.left(), ink.right()) >= Reach)
            continue;
        const int last = std::min(cx + (Reach - 1), width - 1) / WordBits;
        for (int w = std::max(cx - (Reach - 1), 0) / WordBits; w <= last; ++w) {
            if (reachFirst[w] == reachEnd[w])
                reachFirst[w] = j;
            reachEnd[w] = j + 1;
        }
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
            std::vector<std::uint8_t> values(static_cast<std::size_t>(n));
            std::vector<int> open(static_cast<std::size_t>(n));
            const int *columns = grid.columns.data();
            for (int i = i0; i < i1; ++i) {
                const int cy = grid.rows[i];
                // Samples in a row of their own are written in place.
                std::uint8_t *value = target.step == 1 ? sampleAt(target, n, i, 0) : values.data();
                // A row out of reach of the ink is outside with nothing in reach.
                if (gapToInk(cy, ink.top(), ink.bottom()) >= Reach) {
                    std::fill_n(value, n, std::uint8_t(0));
                } else {
                    const Word *kinds = bits.row(i);
                    // A sample whose reach meets no block that may mix kinds
                    // sees only its own kind: it needs no scan. Blocks are a
                    // word wide: the samples to scan are those whose reach
                    // takes in a word with such a block within reach of the row.
                    const std::pair<int, int> reachRows
                        = edges.blockRows(cy - (Reach - 1), cy + (Reach - 1));
                    int *opened = open.data();
                    int openCount = 0;
                    for (int w = 0, listed = 0; w < words; ++w) {
                        if (reachEnd[w] <= listed || !edges.anyMixedIn({w, w}, reachRows))
                            continue;
                        for (int j = std::max(reachFirst[w], listed); j < reachEnd[w]; ++j)
                            opened[openCount++] = j;
                        listed = reachEnd[w];
                    }
                    // Every sample as if nothing were in reach.
                    for (int w = 0; w < words; ++w) {
                        const Word kind = kinds[w];
                        const int j0 = firstSample[w];
                        const int j1 = firstSample[w + 1];
                        if (kind == 0 || kind == ~Word(0)) {
                            std::fill(value + j0, value + j1, std::uint8_t(kind));
                        } else {
                            for (int j = j0; j < j1; ++j)
                                value[j] = std::uint8_t(0 - ((kind >> bitOf[j]) & 1));
                        }
                    }
                    // The costs are loaded around runs of samples that need a
                    // scan; runs closer than two reaches share one load.
                    for (int k = 0; k < openCount;) {
                        int end = k + 1;
                        while (end < openCount
                               && columns[opened[end]] - columns[opened[end - 1]] < 2 * Reach)
                            ++end;
                        sampleRow.load(kinds, vertical + qsizetype(i) * stride, columns[opened[k]],
                                       columns[opened[end - 1]]);
                        sampleRow.encode(columns, opened + k, end - k, value);
                        k = end;
                    }
                }
                if (value == values.data()) {
                    for (int j = 0; j < n; ++j)
                        *sampleAt(target, n, i, j) = value[j];
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
