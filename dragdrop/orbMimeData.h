#pragma once

#include <QtCore/QObject>
#include <QtCore/QVariantMap>

class QMimeData;

// The formats of a drag as QML reads them: a map from MIME type to value. URI
// lists become lists of URLs, "semicolon-separated-list/..." formats lists of
// strings, everything else raw bytes. GUI thread; owned by the event it
// belongs to.
class orbMimeData : public QObject
{
    Q_OBJECT

public:
    explicit orbMimeData(const QMimeData *mimeData, QObject *parent = nullptr);

    const QVariantMap &values() const { return m_values; }

public slots:
    QVariant toVariant() const { return m_values; }

private:
    QVariantMap m_values;
};

Q_DECLARE_METATYPE(orbMimeData *)
