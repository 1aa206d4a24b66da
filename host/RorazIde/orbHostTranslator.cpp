#include "orbHostTranslator.h"

#include <QtCore/QtMath>

#include <cmath>

namespace {

using StepRequest = orbHostTranslator::StepRequest;

constexpr double defaultNotch = 0.01;

double clamp01(double value)
{
    return qBound(0.0, value, 1.0);
}

// The width of [minimum, maximum], or 0 when there is no usable range.
double rangeWidth(double minimum, double maximum)
{
    const double width = maximum - minimum;
    return std::isfinite(width) && width > 0.0 ? width : 0.0;
}

// The grid interval as a fraction of the range, or 0 without a grid.
double normalizedGrid(double grid, double minimum, double maximum)
{
    const double width = rangeWidth(minimum, maximum);
    return width > 0.0 && std::isfinite(grid) && grid > 0.0 ? grid / width : 0.0;
}

double snapped(double value, double interval)
{
    return interval > 0.0 ? std::round(value / interval) * interval : value;
}

// The value after moving it by direction x step, as the header describes.
double steppedValue(double value, int direction, const StepRequest &request, double gridInterval,
                    int numEntries)
{
    double step = std::isfinite(request.step) ? std::abs(request.step) : 0.0;
    if (step == 0.0)
        step = gridInterval > 0.0 ? gridInterval
                                  : (numEntries > 1 ? 1.0 / (numEntries - 1) : defaultNotch);
    double next = value + direction * step;
    if (request.useGrid)
        next = snapped(next, gridInterval);
    const bool beyond = direction > 0 ? next > request.limit : next < request.limit;
    if (beyond)
        next = request.wrap ? request.wrapTo : request.limit;
    return std::isfinite(next) ? clamp01(next) : value;
}

} // namespace

orbHostTranslator::orbHostTranslator(QObject *parent)
    : QObject(parent)
{
}

void orbHostTranslator::setValue(double value)
{
    if (!std::isfinite(value))
        return;
    value = clamp01(value);
    if (value == m_value)
        return;
    m_value = value;
    emit valueChanged();
}

void orbHostTranslator::setDefaultValue(double value)
{
    if (!std::isfinite(value))
        return;
    value = clamp01(value);
    if (value == m_defaultValue)
        return;
    m_defaultValue = value;
    emit defaultValueChanged();
}

void orbHostTranslator::setSoftValue(double value)
{
    if (!std::isfinite(value))
        return;
    value = clamp01(value);
    if (value == m_softValue)
        return;
    m_softValue = value;
    emit softValueChanged();
}

void orbHostTranslator::setShowSoft(bool show)
{
    if (show == m_showSoft)
        return;
    m_showSoft = show;
    emit showSoftChanged();
}

void orbHostTranslator::setZeroValue(double value)
{
    if (value == m_zeroValue)
        return;
    m_zeroValue = value;
    emit zeroValueChanged();
}

void orbHostTranslator::setGrid(double grid)
{
    if (grid == m_grid)
        return;
    m_grid = grid;
    emit gridChanged();
}

void orbHostTranslator::setMinimum(double minimum)
{
    if (minimum == m_minimum)
        return;
    m_minimum = minimum;
    emit minimumChanged();
    emit valueChanged(); // unnormalized moved
}

void orbHostTranslator::setMaximum(double maximum)
{
    if (maximum == m_maximum)
        return;
    m_maximum = maximum;
    emit maximumChanged();
    emit valueChanged();
}

double orbHostTranslator::unnormalized() const
{
    const double width = rangeWidth(m_minimum, m_maximum);
    return width > 0.0 ? m_minimum + m_value * width : m_value;
}

void orbHostTranslator::setUnnormalized(double value)
{
    const double width = rangeWidth(m_minimum, m_maximum);
    setValue(width > 0.0 ? (value - m_minimum) / width : value);
}

void orbHostTranslator::setEditable(bool editable)
{
    if (editable == m_editable)
        return;
    m_editable = editable;
    emit editableChanged();
}

void orbHostTranslator::setString(const QString &string)
{
    if (string == m_string)
        return;
    m_string = string;
    emit stringChanged();
}

void orbHostTranslator::setIndex(int index)
{
    if (m_numEntries <= 0)
        return;
    index %= m_numEntries;
    if (index < 0)
        index += m_numEntries;
    if (index == m_index)
        return;
    m_index = index;
    emit indexChanged();
}

void orbHostTranslator::setNumEntries(int count)
{
    count = qMax(0, count);
    if (count == m_numEntries)
        return;
    m_numEntries = count;
    emit numEntriesChanged();
    if (m_index >= count && m_index != 0) {
        m_index = 0;
        emit indexChanged();
    }
}

void orbHostTranslator::setState(bool state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void orbHostTranslator::setFlashing(bool flashing)
{
    if (flashing == m_flashing)
        return;
    m_flashing = flashing;
    emit flashingChanged();
}

void orbHostTranslator::incValue(double step, double limit, double wrapTo, bool wrap, bool useGrid)
{
    emit called(QStringLiteral("incValue"), {step, limit, wrapTo, wrap, useGrid});
    moveValue(+1, {step, limit, wrapTo, wrap, useGrid});
}

void orbHostTranslator::decValue(double step, double limit, double wrapTo, bool wrap, bool useGrid)
{
    emit called(QStringLiteral("decValue"), {step, limit, wrapTo, wrap, useGrid});
    moveValue(-1, {step, limit, wrapTo, wrap, useGrid});
}

void orbHostTranslator::moveValue(int direction, StepRequest request)
{
    // A grid step comes in the units of [minimum, maximum].
    const double width = rangeWidth(m_minimum, m_maximum);
    if (request.useGrid && width > 0.0)
        request.step /= width;
    const double grid = normalizedGrid(m_grid, m_minimum, m_maximum);
    setValue(steppedValue(m_value, direction, request, grid, m_numEntries));
}

void orbHostTranslator::setValueToDefault()
{
    emit called(QStringLiteral("setValueToDefault"), {});
    setValue(m_defaultValue);
}
