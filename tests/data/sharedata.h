#ifndef KORVANE_TEST_SHAREDATA_H
#define KORVANE_TEST_SHAREDATA_H

#include <QGuiApplication>
#include <QString>

inline QString sharePath(const QString &relative)
{
    return QStringLiteral(KORVANE_SHARE_DIR "/") + relative;
}

inline QString pixmapPath(const QString &name)
{
    return sharePath(QStringLiteral("pixmaps/Korvane/") + name);
}

// Pixmaps need the GUI application; one lives for the whole run.
inline void ensureGuiApp()
{
    static int argc = 1;
    static char name[] = "korvane-tests";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

#endif
