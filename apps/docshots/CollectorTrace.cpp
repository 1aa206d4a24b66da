#include "CollectorTrace.h"

#include "GarbageCollection.h"
#include "ref_ptr.h"
#include "refcounted.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QThread>
#include <QtCore/QVector>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <atomic>
#include <memory>

namespace {

constexpr int Bursts = 3;
constexpr int ObjectsPerBurst = 1000;
constexpr int BurstSpacingMs = 400;
constexpr int SampleEveryMs = 10;
constexpr int ChartWidth = 640;
constexpr int ChartHeight = 240;
constexpr int Margin = 44;

std::atomic<int> s_destroyed{0};

class TracedObject : public orb::refcounted
{
public:
    ~TracedObject() override { s_destroyed.fetch_add(1); }
};

struct Sample
{
    qint64 ms;
    int pending;
    int destroyed;
};

} // namespace

CollectorTrace::CollectorTrace(orb::GarbageCollection &collector)
    : m_collector(collector)
{
}

QImage CollectorTrace::record()
{
    s_destroyed.store(0);
    const int total = Bursts * ObjectsPerBurst;
    const int durationMs = (Bursts - 1) * BurstSpacingMs + m_collector.interval() * 3 / 2;
    QElapsedTimer clock;
    clock.start();

    // Each burst's last references are dropped on a worker, as the render
    // thread drops a texture cache's.
    std::unique_ptr<QThread> releaser(QThread::create([&clock] {
        for (int burst = 0; burst < Bursts; ++burst) {
            while (clock.elapsed() < burst * BurstSpacingMs)
                QThread::msleep(1);
            std::vector<orb::ref_ptr<TracedObject>> objects;
            objects.reserve(ObjectsPerBurst);
            for (int i = 0; i < ObjectsPerBurst; ++i)
                objects.emplace_back(new TracedObject);
        }
    }));
    releaser->start();

    QVector<Sample> samples;
    while (clock.elapsed() < durationMs) {
        samples.append({clock.elapsed(), m_collector.pendingCount(), s_destroyed.load()});
        QThread::msleep(SampleEveryMs);
    }
    releaser->wait();

    QImage chart(ChartWidth + 2 * Margin, ChartHeight + 2 * Margin, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    painter.setFont(font);
    const auto x = [&](qint64 ms) { return Margin + ChartWidth * double(ms) / durationMs; };
    const auto y = [&](int count) { return Margin + ChartHeight * (1.0 - double(count) / total); };

    painter.setPen(QColor(0xc8, 0xcc, 0xd4));
    for (int ms = 0; ms <= durationMs; ms += 500)
        painter.drawLine(QPointF(x(ms), y(0)), QPointF(x(ms), y(total)));
    painter.setPen(QColor(0x20, 0x23, 0x29));
    painter.drawLine(QPointF(x(0), y(0)), QPointF(x(durationMs), y(0)));
    painter.drawLine(QPointF(x(0), y(0)), QPointF(x(0), y(total)));
    for (int ms = 0; ms <= durationMs; ms += 500)
        painter.drawText(QRectF(x(ms) - 30, y(0) + 4, 60, 16), Qt::AlignCenter,
                         QStringLiteral("%1 ms").arg(ms));
    painter.drawText(QRectF(0, y(total) - 8, Margin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(total));
    painter.drawText(QRectF(0, y(0) - 8, Margin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("0"));

    const auto plot = [&](QColor colour, int Sample::*field, const QString &label, int row) {
        QPainterPath line;
        for (int i = 0; i < samples.size(); ++i) {
            const QPointF p(x(samples[i].ms), y(samples[i].*field));
            if (i == 0)
                line.moveTo(p);
            else
                line.lineTo(p);
        }
        painter.setPen(QPen(colour, 2));
        painter.drawPath(line);
        painter.drawLine(QPointF(Margin + 8, 14 + row * 16), QPointF(Margin + 28, 14 + row * 16));
        painter.setPen(QColor(0x20, 0x23, 0x29));
        painter.drawText(QPointF(Margin + 34, 18 + row * 16), label);
    };
    plot(QColor(0xeb, 0x57, 0x57), &Sample::pending, QStringLiteral("waiting in the collector"), 0);
    plot(QColor(0x2f, 0x80, 0xed), &Sample::destroyed,
         QStringLiteral("destroyed on the collector's thread (of %1 released in %2 bursts, "
                        "interval %3 ms)")
             .arg(total)
             .arg(Bursts)
             .arg(m_collector.interval()),
         1);
    return chart;
}
