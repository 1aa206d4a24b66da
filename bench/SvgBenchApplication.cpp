#include "SvgBenchApplication.h"

#include "SvgBenchArtwork.h"

#include <QtCore/QFile>
#include <QtCore/QLoggingCategory>

SvgBenchApplication::CacheHome::CacheHome()
{
    qputenv("XDG_CACHE_HOME", folder.path().toLocal8Bit());
}

SvgBenchApplication::SvgBenchApplication(int &argc, char **argv)
    : m_app(argc, argv)
    , m_host(m_app)
{
    QLoggingCategory::setFilterRules(QStringLiteral("orb.svg.warning=false"));
}

QUrl SvgBenchApplication::writeArtwork(int shapeCount)
{
    QFile file(m_files.filePath(QStringLiteral("artwork.svg")));
    file.open(QIODevice::WriteOnly);
    file.write(svgBenchArtwork(shapeCount));
    return QUrl::fromLocalFile(file.fileName());
}
