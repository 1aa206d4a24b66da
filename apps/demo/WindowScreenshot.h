#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

class QQuickWindow;

// Saves a window's content to a file once it has been rendered a few times,
// then ends the event loop (exit code 0 on success).
class WindowScreenshot : public QObject
{
    Q_OBJECT

public:
    WindowScreenshot(QQuickWindow *window, const QString &path, QObject *parent = nullptr);

private:
    void frameSwapped();
    void save();
    void giveUp();

    QQuickWindow *m_window;
    QString m_path;
    int m_frames = 0;
};
