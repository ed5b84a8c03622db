// Paints and synthesises the program's installed data into a share/ tree.

#include "art.h"
#include "koma.h"
#include "sound.h"
#include "texture.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool failed = false;

void report(const QString &path, bool ok)
{
    if (!ok) {
        std::fprintf(stderr, "gendata: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

void saveImage(const QDir &dir, const QString &name, const QImage &image, const char *format)
{
    const QString path = dir.filePath(name);
    report(path, dir.mkpath(QStringLiteral(".")) && image.save(path, format));
}

void saveBytes(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    report(path, dir.mkpath(QStringLiteral(".")) && file.open(QIODevice::WriteOnly) &&
                     file.write(bytes) == bytes.size());
}

bool haveMincho()
{
    const QString family = QStringLiteral("IPAMincho");
    return QFontDatabase().families().contains(family) &&
           QFontInfo(QFont(family)).family() == family;
}

void writePictures(const QDir &share)
{
    const QDir pixmaps(share.filePath(QStringLiteral("pixmaps/Korvane")));
    saveImage(pixmaps, QStringLiteral("board.bmp"), paintBoard(), "BMP");
    saveImage(pixmaps, QStringLiteral("dai.bmp"), paintStand(), "BMP");
    saveImage(pixmaps, QStringLiteral("koma.bmp"), paintKomaSheet(), "BMP");
    saveImage(pixmaps, QStringLiteral("komawest.bmp"), paintKomaSheet(true), "BMP");
    saveImage(pixmaps, QStringLiteral("bkground.bmp"), paintFelt(128, 7), "BMP");
    saveImage(pixmaps, QStringLiteral("logo.bmp"), paintLogo(), "BMP");
    for (const ToolIcon &icon : toolIcons())
        saveImage(pixmaps, icon.fileName, paintToolIcon(icon), "XPM");
    for (int size : {32, 48, 64, 128, 256}) {
        const QDir apps(share.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(size)));
        saveImage(apps, QStringLiteral("korvane.png"), paintAppIcon(size), "PNG");
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SHARE_DIR\n", argv[0]);
        return 2;
    }
    if (!haveMincho()) {
        std::fprintf(stderr, "gendata: the Mincho font \"IPAMincho\" is missing; the piece faces "
                             "need it (Debian package fonts-ipafont-mincho)\n");
        return 1;
    }
    const QDir share(QString::fromLocal8Bit(argv[1]));
    writePictures(share);
    saveBytes(QDir(share.filePath(QStringLiteral("sounds/Korvane"))), QStringLiteral("putkoma.wav"),
              synthesisePutKoma());
    return failed ? 1 : 0;
}
