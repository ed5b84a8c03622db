// Helper of the installed-program test: writes a short record, and judges the
// screenshot the program took of itself.

#include "cplayer.h"
#include "shogidoc.h"

#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <cstdio>

namespace {

int WriteRecord(const QString &path)
{
    ShogiDoc doc;
    doc.Init();
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.AddKibo(6, 2, 121, 6, 3, 0, 121);
    doc.AddKibo(1, 7, 116, 7, 1, 126, 216); // the bishop takes and promotes
    doc.AddKibo(6, 0, 124, 7, 1, 216, 124); // taken back on the same square
    return doc.saveDocument(path) ? 0 : 1;
}

// A picture of the window, not an empty or single-coloured one.
int CheckShot(const QString &path)
{
    const QImage shot(path);
    if (shot.isNull() || shot.width() < 400 || shot.height() < 400) {
        std::fprintf(stderr, "no usable picture in %s\n", qPrintable(path));
        return 1;
    }
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 7)
        for (int x = 0; x < shot.width(); x += 7)
            colours.insert(shot.pixel(x, y));
    if (colours.size() < 20) {
        std::fprintf(stderr, "the picture is nearly blank: %d colours\n", int(colours.size()));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "record") == 0)
        return WriteRecord(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "check") == 0)
        return CheckShot(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: launch_helper record|check FILE\n");
    return 2;
}
