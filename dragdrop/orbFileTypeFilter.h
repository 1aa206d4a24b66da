#pragma once

#include <QtCore/QList>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtCore/QUrl>

// Dropped file URLs judged by file type: the URLs themselves and, for folders,
// every file below them. Plain file-system code; GUI thread.
class orbFileTypeFilter
{
public:
    // types as given to the drop zone: "mp3", ".mp3"; none matches everything.
    explicit orbFileTypeFilter(const QStringList &types);

    // The matching paths, URL by URL, folders walked depth first in listing order.
    QStringList filter(const QList<QUrl> &urls);

    // Whether a URL is a folder or has a suffix among types ("*.x" taken as ".x").
    static bool containsFileTypes(const QList<QUrl> &urls, QStringList types);
    // A file URL's local path, another URL with a scheme as written, else its path.
    static QString localPath(const QUrl &url);

private:
    bool matches(const QString &name) const;
    void collectFolder(const QString &path, QStringList &result);

    QRegularExpression m_expression;
    QSet<QString> m_visitedFolders; // canonical paths: links back up are walked once
};
