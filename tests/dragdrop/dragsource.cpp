// A second application for the cross-process drop tests. It drags file URLs
// and a semicolon list to a global point and lets go there, steering its own
// drag loop with mouse events sent from a timer, then stays up a while so the
// target can fetch the data through the window system.
//
//   orbdragsource X Y LIST FILE...
//
// Prints "action N" (what the drag returned) and exits 0 once the drag ran;
// exits 2 on bad arguments.

#include <QtCore/QElapsedTimer>
#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QDrag>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPixmap>
#include <QtGui/QWindow>

#include <cstdio>

namespace {

constexpr int TickMs = 30;
// The target answers in a few milliseconds; without an answer the drag is
// given up, so the program never outlives the test's patience.
constexpr int AcceptanceLimitMs = 3000;
constexpr int LingerMs = 1000;
// Ticks between the last move and the release, for the target's answer.
constexpr int SettleTicks = 4;

// Moves the drag next to the target, waits until the target accepts, moves
// onto the target and lets go there.
// The drag loop takes mouse events from anywhere in the application; the
// window is never shown and sits at the origin, so its coordinates are global.
class DragSteering : public QObject
{
public:
    DragSteering(QWindow &window, QDrag &drag, const QPoint &target)
        : m_window(window)
        , m_target(target)
    {
        connect(&drag, &QDrag::actionChanged, this,
                [this](Qt::DropAction action) { m_accepted = action != Qt::IgnoreAction; });
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(TickMs);
        m_clock.start();
    }

private:
    void tick()
    {
        // Near the target first: a move to where the drag already is is none.
        if (m_ticks++ == 0) {
            send(QEvent::MouseMove, m_target - QPoint(4, 0), Qt::LeftButton);
            return;
        }
        if (!m_accepted && m_clock.elapsed() < AcceptanceLimitMs)
            return;
        // The drop lands where the last position message put it.
        if (m_settleTicks == 0)
            send(QEvent::MouseMove, m_target, Qt::LeftButton);
        if (++m_settleTicks < SettleTicks)
            return;
        m_timer.stop();
        send(QEvent::MouseButtonRelease, m_target, Qt::NoButton);
    }

    void send(QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, global, global, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&m_window, &event);
    }

    QWindow &m_window;
    QPoint m_target;
    bool m_accepted = false;
    int m_ticks = 0;
    int m_settleTicks = 0;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

QMimeData *makeMimeData(const QString &list, const QStringList &files)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data->setUrls(urls);
    data->setData("semicolon-separated-list/tracks", list.toUtf8());
    return data;
}

QPixmap dragImage()
{
    QPixmap image(24, 16);
    image.fill(Qt::darkCyan);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool xOk = false;
    bool yOk = false;
    const QPoint target(args.value(0).toInt(&xOk), args.value(1).toInt(&yOk));
    if (!xOk || !yOk || args.size() < 4) {
        std::fprintf(stderr, "usage: orbdragsource X Y LIST FILE...\n");
        return 2;
    }

    QWindow window;
    window.setGeometry(0, 0, 1, 1);
    // The drag object belongs to the drag manager once it runs: on X it is
    // kept until the target has fetched the data.
    QPointer<QDrag> drag = new QDrag(&window);
    drag->setMimeData(makeMimeData(args.at(2), args.mid(3)));
    drag->setPixmap(dragImage());
    DragSteering steering(window, *drag, target);
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    std::printf("action %d\n", int(action));
    std::fflush(stdout);

    // The target asks for the data after the drop; answer it, then go.
    QTimer::singleShot(LingerMs, &app, &QCoreApplication::quit);
    return app.exec();
}
