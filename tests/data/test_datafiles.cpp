// The installed data files the program opens by name.

#include "sharedata.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataFiles : public testing::Test
{
protected:
    static void SetUpTestSuite() { ensureGuiApp(); }
};

// Tool bar and application icons: drawn on the background they are shown on,
// so the corners stay clear.
TEST_F(DataFiles, IconsHaveTheirSizeAndClearCorners)
{
    const QString app = QStringLiteral("icons/hicolor/%1x%1/apps/korvane.png");
    const struct
    {
        QString path;
        int size;
    } icons[] = {{pixmapPath("gamenew.xpm"), 45},     {pixmapPath("gamebreak.xpm"), 45},
                 {pixmapPath("gamereplay.xpm"), 45},  {pixmapPath("gameretract.xpm"), 45},
                 {pixmapPath("gamethrow.xpm"), 45},   {pixmapPath("gameeditkill.xpm"), 45},
                 {pixmapPath("first.xpm"), 32},       {pixmapPath("backone.xpm"), 32},
                 {pixmapPath("last.xpm"), 32},        {pixmapPath("forward.xpm"), 32},
                 {pixmapPath("auto.xpm"), 32},        {pixmapPath("stop.xpm"), 32},
                 {sharePath(app.arg(32)), 32},        {sharePath(app.arg(48)), 48},
                 {sharePath(app.arg(64)), 64},        {sharePath(app.arg(128)), 128},
                 {sharePath(app.arg(256)), 256}};
    for (const auto &icon : icons) {
        SCOPED_TRACE(icon.path.toStdString());
        const QImage image(icon.path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(icon.size, icon.size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(icon.size / 2, icon.size / 2)), 255);
    }
}

TEST_F(DataFiles, PicturesAreLargeEnoughForTheLargestSquares)
{
    const QImage board(pixmapPath(QStringLiteral("board.bmp")));
    EXPECT_GE(board.width(), 650);
    EXPECT_GE(board.height(), 800);
    const QImage stand(pixmapPath(QStringLiteral("dai.bmp")));
    EXPECT_GE(stand.width(), 228);
    EXPECT_GE(stand.height(), 320);
    const QImage logo(pixmapPath(QStringLiteral("logo.bmp")));
    EXPECT_GE(logo.width(), 300);
    EXPECT_GE(logo.height(), 200);
}

// A seam shows as a jump between the last and first column (or row) that is
// much larger than the jumps inside the picture.
TEST_F(DataFiles, BackgroundTilesWithoutSeams)
{
    const QImage tile = QImage(pixmapPath(QStringLiteral("bkground.bmp")))
                            .convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(tile.isNull());
    const int w = tile.width(), h = tile.height();
    auto jump = [&](int x0, int y0, int x1, int y1) {
        return std::abs(qGray(tile.pixel(x0, y0)) - qGray(tile.pixel(x1, y1)));
    };
    double inside = 0, across = 0;
    for (int y = 0; y < h; ++y) {
        inside += jump(w / 2 - 1, y, w / 2, y);
        across += jump(w - 1, y, 0, y);
    }
    EXPECT_LT(across, 1.5 * inside + h);
    inside = across = 0;
    for (int x = 0; x < w; ++x) {
        inside += jump(x, h / 2 - 1, x, h / 2);
        across += jump(x, h - 1, x, 0);
    }
    EXPECT_LT(across, 1.5 * inside + w);
}

TEST_F(DataFiles, PutPieceSoundIsAShortPcmClick)
{
    const QByteArray wav = readAll(sharePath(QStringLiteral("sounds/Korvane/putkoma.wav")));
    ASSERT_GE(wav.size(), 44);
    const auto *b = reinterpret_cast<const uchar *>(wav.constData());
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 4), quint32(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 16), 16u);
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 20), 1); // PCM
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 22), 1); // mono
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 24), 44100u);
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 28), 88200u);
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 32), 2);
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 34), 16);
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    const quint32 bytes = qFromLittleEndian<quint32>(b + 40);
    ASSERT_EQ(bytes, quint32(wav.size() - 44));

    const int count = int(bytes / 2);
    const double ms = count * 1000.0 / 44100;
    EXPECT_GT(ms, 50);
    EXPECT_LT(ms, 300);
    auto sample = [&](int i) { return int(qFromLittleEndian<qint16>(b + 44 + 2 * i)); };
    auto loudness = [&](int from, int to) {
        double sum = 0;
        for (int i = from; i < to; ++i)
            sum += std::abs(sample(i));
        return sum / (to - from);
    };
    int peak = 0;
    for (int i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(sample(i)));
    EXPECT_GT(peak, 8000);  // audible
    EXPECT_LT(peak, 32767); // not clipped
    const int tenMs = 441;
    EXPECT_GT(loudness(0, tenMs), 20 * loudness(count - tenMs, count)); // a click that dies away
}

TEST_F(DataFiles, HelpPageIsJapaneseUtf8AndNamesTheMenus)
{
    const QByteArray page =
        readAll(sharePath(QStringLiteral("doc/HTML/ja/Korvane/KorvaneHelp.htm")));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains("<meta charset=\"UTF-8\">"));
    const QString text = QString::fromUtf8(page);
    EXPECT_EQ(text.toUtf8(), page) << "not valid UTF-8";
    // The menus by their titles and a command of each.
    for (const char *menu :
         {"ファイル", "名前を付けて保存", "対局", "待った", "棋譜再現", "自動再現", "設定",
          "その他...", "表示", "棋譜ウィンドウ", "へルプ", "バージヨン情報"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(menu))) << menu;
}

// Running the generator again must give the very same bytes: the data is
// part of reproducible builds.
TEST_F(DataFiles, GeneratorOutputIsReproducible)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QProcess gen;
    gen.start(QStringLiteral(KORVANE_GENDATA), {scratch.path()});
    ASSERT_TRUE(gen.waitForFinished(120000));
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().constData();

    int compared = 0;
    QDirIterator it(scratch.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fresh = it.next();
        const QString built = sharePath(fresh.mid(scratch.path().size() + 1));
        EXPECT_EQ(readAll(fresh), readAll(built)) << qPrintable(built);
        ++compared;
    }
    EXPECT_EQ(compared, 24);
}

TEST_F(DataFiles, GeneratorRefusesToRunWithoutTheMinchoFont)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QFile config(scratch.filePath(QStringLiteral("fonts.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    config.close();

    QProcess gen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    gen.setProcessEnvironment(env);
    gen.start(QStringLiteral(KORVANE_GENDATA), {scratch.filePath(QStringLiteral("share"))});
    ASSERT_TRUE(gen.waitForFinished(120000));
    EXPECT_EQ(gen.exitCode(), 1);
    EXPECT_TRUE(gen.readAllStandardError().contains("IPAMincho"));
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("share"))));
}

} // namespace
