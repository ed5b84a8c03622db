#include "datapath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DataFile(const QString &relative)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral("../share/") + relative);
    if (QFileInfo::exists(beside))
        return QDir::cleanPath(beside);
    return QDir(QStringLiteral(KORVANE_INSTALL_DATADIR)).filePath(relative);
}
