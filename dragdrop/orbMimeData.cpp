#include "orbMimeData.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>

namespace {

const QString UriList = QStringLiteral("text/uri-list");
const QString SemicolonListPrefix = QStringLiteral("semicolon-separated-list/");

QVariant valueOf(const QMimeData &mimeData, const QString &format)
{
    if (format == UriList)
        return QVariant::fromValue(mimeData.urls());
    if (format.startsWith(SemicolonListPrefix))
        return QString::fromUtf8(mimeData.data(format)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return mimeData.data(format);
}

} // namespace

orbMimeData::orbMimeData(const QMimeData *mimeData, QObject *parent)
    : QObject(parent)
{
    if (!mimeData)
        return;
    for (const QString &format : mimeData->formats())
        m_values.insert(format, valueOf(*mimeData, format));
}
