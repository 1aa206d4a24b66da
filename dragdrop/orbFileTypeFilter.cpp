#include "orbFileTypeFilter.h"

#include "DragDropLog.h"

#include <QtCore/QDebug>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>

namespace {

QString expressionFor(const QStringList &types)
{
    if (types.isEmpty())
        return QStringLiteral(".*");
    QStringList alternatives;
    for (QString type : types)
        alternatives << QStringLiteral(".*") + type.replace(QLatin1Char('.'), QLatin1String("\\."))
                + QLatin1Char('$');
    return QLatin1Char('(') + alternatives.join(QLatin1Char('|')) + QLatin1String(")?$");
}

} // namespace

orbFileTypeFilter::orbFileTypeFilter(const QStringList &types)
    : m_expression(QRegularExpression::anchoredPattern(expressionFor(types)),
                   QRegularExpression::CaseInsensitiveOption)
{
    if (!m_expression.isValid())
        qCWarning(lcDragDrop).noquote()
            << "orbQuickDropZone::filterFileTypes: the file types" << types
            << "make no valid expression (" + m_expression.errorString() + "), nothing matches";
    else
        m_expression.optimize();
}

QString orbFileTypeFilter::localPath(const QUrl &url)
{
    if (url.isLocalFile())
        return url.toLocalFile();
    if (!url.scheme().isEmpty())
        return url.toString();
    return url.path(QUrl::FullyDecoded);
}

bool orbFileTypeFilter::containsFileTypes(const QList<QUrl> &urls, QStringList types)
{
    if (urls.isEmpty())
        return false;
    types.replaceInStrings(QStringLiteral("*."), QStringLiteral("."));
    for (const QUrl &url : urls) {
        const QFileInfo info(url.isLocalFile() ? url.toLocalFile() : url.path(QUrl::FullyDecoded));
        if (info.isDir() || types.contains(QLatin1Char('.') + info.suffix(), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool orbFileTypeFilter::matches(const QString &name) const
{
    return m_expression.isValid() && m_expression.match(name).hasMatch();
}

QStringList orbFileTypeFilter::filter(const QList<QUrl> &urls)
{
    QStringList result;
    if (!m_expression.isValid())
        return result;
    for (const QUrl &url : urls) {
        const QString path = localPath(url);
        if (QFileInfo(path).isDir())
            collectFolder(path, result);
        else if (matches(path))
            result << path;
    }
    return result;
}

// Unreadable folders list nothing and are passed over.
void orbFileTypeFilter::collectFolder(const QString &path, QStringList &result)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty() || m_visitedFolders.contains(canonical))
        return;
    m_visitedFolders.insert(canonical);

    // In the order the file system lists them, without sorting: folders of
    // many thousand files are common in music collections.
    QDirIterator entries(path, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        if (entries.fileInfo().isDir())
            collectFolder(entry, result);
        else if (matches(entries.fileName()))
            result << entry;
    }
}
