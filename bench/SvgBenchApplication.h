#pragma once

#include "orbHostEnvironment.h"

#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QGuiApplication>

// The start that the benchmarks drawing SVG artwork share: a cache home of
// the run's own (empty at first, so that the shader caches of Qt and the GL
// driver warm up in the first round and only the SVG cache differs between
// rounds), the application, the cache's report of each field it makes
// silenced (that is not what is measured), and the host's set-up.
class SvgBenchApplication
{
public:
    SvgBenchApplication(int &argc, char **argv);

    orbHostEnvironment &host() { return m_host; }
    // Writes a document of shapeCount shapes into a folder of the run's own;
    // each call replaces the last document.
    QUrl writeArtwork(int shapeCount);

private:
    // Set before the application reads the environment.
    struct CacheHome
    {
        CacheHome();
        QTemporaryDir folder;
    };

    CacheHome m_cacheHome;
    QGuiApplication m_app;
    orbHostEnvironment m_host;
    QTemporaryDir m_files;
};
