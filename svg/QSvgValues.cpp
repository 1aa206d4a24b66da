#include "QSvgValues.h"

#include <QtCore/QByteArray>
#include <QtCore/QtMath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace orbsvg {
namespace values {

namespace {

constexpr int MaxNumberChars = 255;

inline bool isDigit(QChar c)
{
    // ASCII only: QChar::isDigit() would also accept other scripts' digits.
    return c.unicode() >= '0' && c.unicode() <= '9';
}

inline bool startsNumber(QChar c)
{
    const ushort u = c.unicode();
    return isDigit(c) || u == '-' || u == '+' || u == '.';
}

inline void skipSpace(const QChar *&str, const QChar *end)
{
    while (str < end && str->isSpace())
        ++str;
}

inline bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Whether the path took the point that was just added. QPainterPath silently
// ignores points it considers out of range (|c| >= 1e128 in recent 5.15
// releases); carrying on would detach our current point from the path's.
inline bool reached(const QPainterPath &path, const QPointF &p)
{
    const QPointF c = path.currentPosition();
    return c.x() == p.x() && c.y() == p.y();
}

bool isFinite(const QTransform &t)
{
    const qreal m[]
        = {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()};
    return std::all_of(std::begin(m), std::end(m), [](qreal v) { return std::isfinite(v); });
}

// The shared body of the number list readers. out is cleared first so that a
// caller can reuse its capacity across many short lists (path commands).
template<typename Vector>
void readNumbersInto(const QChar *&str, const QChar *end, Vector &out, bool skipPercent)
{
    out.clear();
    skipSpace(str, end);
    while (str < end && startsNumber(*str)) {
        const QChar *before = str;
        const qreal v = readNumber(str, end);
        // A lone sign or point is no number; without this the loop would
        // never move.
        if (str == before)
            break;
        out.push_back(v);
        if (skipPercent && str < end && *str == QLatin1Char('%'))
            ++str;
        skipSpace(str, end);
        if (str < end && *str == QLatin1Char(','))
            ++str;
        skipSpace(str, end);
    }
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool parseHexColor(QStringView hex, QColor &color)
{
    const int n = hex.size();
    if (n != 3 && n != 6 && n != 9 && n != 12)
        return false;
    int digits[12];
    for (int i = 0; i < n; ++i) {
        digits[i] = hexValue(hex[i]);
        if (digits[i] < 0)
            return false;
    }
    int rgb[3];
    const int group = n / 3;
    for (int c = 0; c < 3; ++c) {
        const int *g = digits + c * group;
        // One digit is doubled; longer groups keep their two leading digits.
        rgb[c] = group == 1 ? g[0] * 17 : g[0] * 16 + g[1];
    }
    color = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

int colorComponent(qreal v)
{
    // Out-of-range components are clamped (QColor would reject them), which
    // also keeps the truncation to int defined for huge values.
    return int(qBound<qreal>(0, v, 255));
}

bool parseRgbFunction(QStringView text, QColor &color)
{
    const QStringView inner = text.mid(4, text.size() - 5);
    const QChar *str = inner.data();
    const QChar *end = str + inner.size();
    QVector<qreal> list = readNumberList(str, end);
    if (list.size() == 1) {
        str = inner.data();
        list = readPercentageList(str, end);
        // Same as * 2.55, but 2.55 is not exact in binary and 100% would
        // truncate to 254.
        for (qreal &v : list)
            v = v * 255 / 100;
    }
    if (list.size() != 3)
        return false;
    color = QColor(colorComponent(list[0]), colorComponent(list[1]), colorComponent(list[2]));
    return true;
}

// One entry of a transform list; false when it has the wrong number of values.
bool transformEntry(int keyword, const QVector<qreal> &v, QTransform &e)
{
    const int n = v.size();
    switch (keyword) {
    case 0: // matrix
        if (n != 6)
            return false;
        e = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
        return true;
    case 1: // translate
        if (n != 1 && n != 2)
            return false;
        e = QTransform::fromTranslate(v[0], n == 2 ? v[1] : 0);
        return true;
    case 2: // rotate
        if (n != 1 && n != 3)
            return false;
        e = QTransform();
        // QTransform prepends each call, so the last call acts first on points.
        if (n == 3)
            e.translate(v[1], v[2]);
        e.rotate(v[0]);
        if (n == 3)
            e.translate(-v[1], -v[2]);
        return true;
    case 3: // scale
        if (n != 1 && n != 2)
            return false;
        e = QTransform::fromScale(v[0], n == 2 ? v[1] : v[0]);
        return true;
    case 4: // skewX
    case 5: // skewY
    {
        if (n != 1)
            return false;
        const qreal t = std::tan(qDegreesToRadians(v[0]));
        e = keyword == 4 ? QTransform(1, 0, t, 1, 0, 0) : QTransform(1, t, 0, 1, 0, 0);
        return true;
    }
    }
    return false;
}

// The cubic segments of an elliptical arc from `from` to `to`, at most four
// (three points each, the last one exactly `to`). Returns 0 when no ellipse
// can be computed in finite numbers.
int arcSegments(QPointF *points, const QPointF &from, qreal rx, qreal ry, qreal angle,
                bool largeArc, bool sweep, const QPointF &to)
{
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0)
        return 0;

    const qreal phi = qDegreesToRadians(angle);
    const qreal cosPhi = std::cos(phi);
    const qreal sinPhi = std::sin(phi);

    // Half the chord in the ellipse's own axes, then in the unit circle, where
    // the centre sits on the chord's bisector. Working in unit coordinates
    // avoids squaring the radii, which overflows long before they do.
    const qreal dx2 = (from.x() - to.x()) / 2;
    const qreal dy2 = (from.y() - to.y()) / 2;
    const qreal x1 = cosPhi * dx2 + sinPhi * dy2;
    const qreal y1 = -sinPhi * dx2 + cosPhi * dy2;
    qreal px = x1 / rx;
    qreal py = y1 / ry;
    const qreal lambda = px * px + py * py;
    if (!(lambda > 0) || !std::isfinite(lambda))
        return 0; // radii negligible against the chord, or the other way round
    if (lambda > 1) {
        const qreal s = std::sqrt(lambda);
        rx *= s;
        ry *= s;
        px /= s;
        py /= s;
    }
    const qreal len2 = px * px + py * py;
    qreal coef = std::sqrt(std::max<qreal>(0, (1 - len2) / len2));
    if (largeArc == sweep)
        coef = -coef;
    const qreal cux = coef * py;
    const qreal cuy = -coef * px;

    const qreal theta1 = std::atan2(py - cuy, px - cux);
    qreal sweepAngle = std::atan2(-py - cuy, -px - cux) - theta1;
    if (sweep && sweepAngle < 0)
        sweepAngle += 2 * M_PI;
    else if (!sweep && sweepAngle > 0)
        sweepAngle -= 2 * M_PI;

    // Centre in path coordinates.
    const qreal ccx = rx * cux;
    const qreal ccy = ry * cuy;
    const QPointF centre(cosPhi * ccx - sinPhi * ccy + (from.x() + to.x()) / 2,
                         sinPhi * ccx + cosPhi * ccy + (from.y() + to.y()) / 2);
    auto map = [&](qreal u, qreal v) {
        const qreal x = rx * u;
        const qreal y = ry * v;
        return QPointF(cosPhi * x - sinPhi * y + centre.x(), sinPhi * x + cosPhi * y + centre.y());
    };

    const int n = int(std::ceil(std::fabs(sweepAngle) / (M_PI / 2 + 0.001)));
    if (n <= 0 || n > 4)
        return 0;
    const qreal delta = sweepAngle / n;
    const qreal sinQuarter = std::sin(delta / 4);
    const qreal t = 8.0 / 3.0 * sinQuarter * sinQuarter / std::sin(delta / 2);

    qreal a0 = theta1;
    for (int i = 0; i < n; ++i) {
        const qreal a1 = theta1 + (i + 1) * delta;
        const qreal c0 = std::cos(a0), s0 = std::sin(a0);
        const qreal c1 = std::cos(a1), s1 = std::sin(a1);
        points[3 * i] = map(c0 - t * s0, s0 + t * c0);
        points[3 * i + 1] = map(c1 + t * s1, s1 - t * c1);
        points[3 * i + 2] = i == n - 1 ? to : map(c1, s1);
        a0 = a1;
    }
    if (!std::all_of(points, points + 3 * n, [](const QPointF &p) { return isFinite(p); }))
        return 0;
    return n;
}

// False when the path refused a segment.
bool appendArc(QPainterPath &path, const QPointF &from, qreal rx, qreal ry, qreal angle,
               bool largeArc, bool sweep, const QPointF &to)
{
    if (from == to)
        return true; // an arc back to its start draws nothing
    QPointF points[3 * 4];
    const int n = arcSegments(points, from, rx, ry, angle, largeArc, sweep, to);
    // Without a usable ellipse (a zero radius, or sizes beyond double range)
    // the arc still has to reach its end point: join it straight.
    if (n == 0)
        path.lineTo(to);
    for (int i = 0; i < n; ++i) {
        path.cubicTo(points[3 * i], points[3 * i + 1], points[3 * i + 2]);
        if (!reached(path, points[3 * i + 2]))
            return false;
    }
    return reached(path, to);
}

inline bool isFlagSet(qreal v)
{
    // Flags are whole numbers; any non-zero one counts as set.
    return std::trunc(v) != 0;
}

} // namespace

// Overflowing literals ("1e999") read as 0, like other values that are no
// number: infinities would otherwise spread through every coordinate
// computed from them. Underflow gives 0 or a denormal, both harmless.
qreal readNumber(const QChar *&str, const QChar *end)
{
    const QChar *p = str;
    char buf[MaxNumberChars + 1];
    int n = 0;
    auto take = [&](const QChar *&q) {
        buf[n++] = char(q->unicode());
        ++q;
    };

    if (p < end && (*p == QLatin1Char('-') || *p == QLatin1Char('+')))
        take(p);
    int digits = 0;
    while (p < end && n < MaxNumberChars && isDigit(*p)) {
        take(p);
        ++digits;
    }
    int decimals = 0;
    if (p < end && n < MaxNumberChars && *p == QLatin1Char('.')) {
        take(p);
        while (p < end && n < MaxNumberChars && isDigit(*p)) {
            take(p);
            ++decimals;
        }
    }
    if (digits + decimals == 0)
        return 0; // a sign or point alone: nothing read, position unchanged

    // An "e" counts only when digits follow it, so that "2em" reads as 2
    // with "em" left over rather than as a malformed number.
    bool exponent = false;
    if (p < end && (*p == QLatin1Char('e') || *p == QLatin1Char('E'))) {
        const QChar *q = p + 1;
        if (q < end && (*q == QLatin1Char('-') || *q == QLatin1Char('+')))
            ++q;
        if (q < end && isDigit(*q) && n + int(q - p) < MaxNumberChars) {
            exponent = true;
            while (p < q)
                take(p);
            while (p < end && n < MaxNumberChars && isDigit(*p))
                take(p);
        }
    }
    str = p;

    if (!exponent && n < 10) {
        // At most nine digits: exact in integer arithmetic, and exact for
        // decimal fractions such as 0.1 up to the final division.
        static const qreal powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
        qint64 value = 0;
        for (int i = 0; i < n; ++i) {
            if (buf[i] >= '0' && buf[i] <= '9')
                value = value * 10 + (buf[i] - '0');
        }
        const qreal v = qreal(value) / powers[decimals];
        return buf[0] == '-' ? -v : v;
    }
    const double v = QByteArray::fromRawData(buf, n).toDouble();
    return std::isfinite(v) ? v : 0;
}

qreal toDouble(QStringView text, bool *ok)
{
    const QChar *str = text.data();
    const QChar *end = str + text.size();
    const qreal v = readNumber(str, end);
    if (ok)
        *ok = str == end;
    return v;
}

QVector<qreal> readNumberList(const QChar *&str, const QChar *end)
{
    QVector<qreal> list;
    readNumbersInto(str, end, list, false);
    return list;
}

QVector<qreal> parseNumberList(QStringView text)
{
    const QChar *str = text.data();
    return readNumberList(str, str + text.size());
}

QVector<qreal> readPercentageList(const QChar *&str, const QChar *end)
{
    QVector<qreal> list;
    readNumbersInto(str, end, list, true);
    return list;
}

qreal parseLength(QStringView text, LengthType &type, bool *ok, LengthType defaultType)
{
    QStringView s = text.trimmed();
    static const struct
    {
        const char *suffix;
        LengthType type;
    } units[] = {{"%", LengthType::Percent}, {"px", LengthType::Px}, {"pc", LengthType::Pc},
                 {"pt", LengthType::Pt},     {"mm", LengthType::Mm}, {"cm", LengthType::Cm},
                 {"in", LengthType::In}};
    type = defaultType;
    for (const auto &unit : units) {
        const QLatin1String suffix(unit.suffix);
        if (s.endsWith(suffix)) {
            type = unit.type;
            s.chop(suffix.size());
            break;
        }
    }
    return toDouble(s, ok);
}

qreal convertToPixels(qreal length, LengthType type)
{
    switch (type) {
    case LengthType::Pt:
        return length * 1.25;
    case LengthType::Mm:
        return length * 3.543307;
    case LengthType::Cm:
        return length * 35.43307;
    case LengthType::In:
        return length * 90;
    default:
        return length;
    }
}

bool parseColor(QStringView text, const QColor &currentColor, QColor &color)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty())
        return false;
    if (s.front() == QLatin1Char('#'))
        return s.size() <= 13 && parseHexColor(s.mid(1), color);
    if (s.size() >= 7 && s.startsWith(QLatin1String("rgb(")) && s.back() == QLatin1Char(')'))
        return parseRgbFunction(s, color);
    if (s == QLatin1String("currentColor")) {
        color = currentColor;
        return color.isValid();
    }
    if (s == QLatin1String("inherit"))
        return false;
    if (!QColor::isValidColor(s))
        return false;
    color.setNamedColor(s);
    return color.isValid();
}

bool parseColorWithOpacity(QStringView colorText, QStringView opacityText,
                           const QColor &currentColor, QColor &color)
{
    if (!parseColor(colorText, currentColor, color))
        return false;
    const QStringView opacity = opacityText.trimmed();
    if (!opacity.isEmpty()) {
        bool ok = false;
        const qreal v = toDouble(opacity, &ok);
        color.setAlphaF(ok ? qBound<qreal>(0, v, 1) : 1);
    }
    return true;
}

QTransform parseTransform(QStringView text)
{
    static const char *const keywords[]
        = {"matrix", "translate", "rotate", "scale", "skewX", "skewY"};
    QTransform m;
    const QChar *str = text.data();
    const QChar *end = str + text.size();
    QVector<qreal> numbers;
    while (true) {
        while (str < end && (str->isSpace() || *str == QLatin1Char(',')))
            ++str;
        if (str == end)
            break;
        const QStringView rest(str, end - str);
        int keyword = -1;
        for (int i = 0; i < 6 && keyword < 0; ++i) {
            if (rest.startsWith(QLatin1String(keywords[i])))
                keyword = i;
        }
        if (keyword < 0)
            break;
        str += qstrlen(keywords[keyword]);
        skipSpace(str, end);
        if (str == end || *str != QLatin1Char('('))
            break;
        ++str;
        readNumbersInto(str, end, numbers, false);
        if (str == end || *str != QLatin1Char(')'))
            break;
        ++str;
        QTransform e;
        if (!transformEntry(keyword, numbers, e))
            break;
        // Finite entries can still multiply out to infinity; such an entry
        // ends the list like an unreadable one.
        const QTransform next = e * m;
        if (!isFinite(next))
            break;
        m = next;
    }
    return m;
}

void parsePathData(QStringView data, QPainterPath &path)
{
    path.setFillRule(Qt::WindingFill);
    const QChar *str = data.data();
    const QChar *end = str + data.size();

    QPointF current = path.currentPosition();
    QPointF subpathStart = current;
    QPointF lastControl = current; // second control point of the last curve
    char lastCommand = 0;
    std::vector<qreal> num;

    // A point that overflowed to infinity, or that the path refuses, ends the
    // parse as garbage would: non-finite points are checked before they reach
    // the path, refused ones after.
    while (true) {
        skipSpace(str, end);
        if (str == end)
            return;
        const ushort u = str->unicode();
        if (u < 'A' || u > 'z' || !std::strchr("MmLlHhVvCcSsQqTtAaZz", char(u)))
            return;
        const char cmd = char(u);
        ++str;
        readNumbersInto(str, end, num, false);
        if (cmd == 'z' || cmd == 'Z') {
            // Z takes no numbers; any that follow it are skipped.
            num.assign(1, 0);
        }
        const bool relative = cmd >= 'a';
        const size_t count = num.size();
        size_t i = 0;
        auto point = [&](size_t at) {
            const QPointF p(num[at], num[at + 1]);
            return relative ? p + current : p;
        };
        // Curves to p; false ends the parse (a point not finite or refused by the path).
        auto cubic = [&](const QPointF &c1, const QPointF &c2, const QPointF &p) {
            if (!isFinite(c1) || !isFinite(c2) || !isFinite(p))
                return false;
            path.cubicTo(c1, c2, p);
            if (!reached(path, p))
                return false;
            lastControl = c2;
            current = p;
            return true;
        };
        auto quad = [&](const QPointF &c, const QPointF &p) {
            if (!isFinite(c) || !isFinite(p))
                return false;
            path.quadTo(c, p);
            if (!reached(path, p))
                return false;
            lastControl = c;
            current = p;
            return true;
        };
        while (i < count) {
            const size_t left = count - i;
            switch (cmd) {
            case 'M':
            case 'm':
            case 'L':
            case 'l': {
                if (left < 2) {
                    ++i;
                    continue;
                }
                const QPointF p = point(i);
                if (!isFinite(p))
                    return;
                // Only the first pair of a moveto moves; the rest draw lines.
                if ((cmd == 'M' || cmd == 'm') && i == 0) {
                    path.moveTo(p);
                    subpathStart = p;
                } else {
                    path.lineTo(p);
                }
                if (!reached(path, p))
                    return;
                current = p;
                i += 2;
                break;
            }
            case 'H':
            case 'h':
            case 'V':
            case 'v': {
                QPointF p = current;
                const qreal v = num[i];
                if (cmd == 'H')
                    p.setX(v);
                else if (cmd == 'h')
                    p.setX(p.x() + v);
                else if (cmd == 'V')
                    p.setY(v);
                else
                    p.setY(p.y() + v);
                if (!isFinite(p))
                    return;
                path.lineTo(p);
                if (!reached(path, p))
                    return;
                current = p;
                i += 1;
                break;
            }
            case 'C':
            case 'c':
                if (left < 6) {
                    i = count;
                    continue;
                }
                if (!cubic(point(i), point(i + 2), point(i + 4)))
                    return;
                i += 6;
                break;
            case 'S':
            case 's': {
                if (left < 4) {
                    i = count;
                    continue;
                }
                const bool reflect = lastCommand == 'C' || lastCommand == 'c' || lastCommand == 'S'
                    || lastCommand == 's';
                if (!cubic(reflect ? 2 * current - lastControl : current, point(i), point(i + 2)))
                    return;
                i += 4;
                break;
            }
            case 'Q':
            case 'q':
                if (left < 4) {
                    i = count;
                    continue;
                }
                if (!quad(point(i), point(i + 2)))
                    return;
                i += 4;
                break;
            case 'T':
            case 't': {
                if (left < 2) {
                    i = count;
                    continue;
                }
                const bool reflect = lastCommand == 'Q' || lastCommand == 'q' || lastCommand == 'T'
                    || lastCommand == 't';
                if (!quad(reflect ? 2 * current - lastControl : current, point(i)))
                    return;
                i += 2;
                break;
            }
            case 'A':
            case 'a': {
                if (left < 7) {
                    i = count;
                    continue;
                }
                const QPointF p = point(i + 5);
                if (!isFinite(p))
                    return;
                if (!appendArc(path, current, num[i], num[i + 1], num[i + 2], isFlagSet(num[i + 3]),
                               isFlagSet(num[i + 4]), p))
                    return;
                current = p;
                i += 7;
                break;
            }
            case 'Z':
            case 'z':
                path.closeSubpath();
                current = subpathStart;
                i += 1;
                break;
            }
            lastCommand = cmd;
        }
    }
}

QPolygonF parsePoints(QStringView text)
{
    const QVector<qreal> list = parseNumberList(text);
    QPolygonF polygon;
    polygon.reserve(list.size() / 2);
    for (int i = 0; i + 1 < list.size(); i += 2)
        polygon.append(QPointF(list[i], list[i + 1]));
    return polygon;
}

QString idFromUrl(QStringView textAfterUrl)
{
    const QChar *str = textAfterUrl.data();
    const QChar *end = str + textAfterUrl.size();
    skipSpace(str, end);
    if (str < end && *str == QLatin1Char('('))
        ++str;
    skipSpace(str, end);
    if (str < end && *str == QLatin1Char('#'))
        ++str;
    const QChar *idStart = str;
    while (str < end && *str != QLatin1Char(')'))
        ++str;
    return QStringView(idStart, str - idStart).toString();
}

} // namespace values
} // namespace orbsvg
