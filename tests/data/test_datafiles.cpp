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
#include <vector>

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
    std::vector<std::pair<QString, int>> icons; // path, size
    for (const char *name :
         {"gamenew", "gamebreak", "gamereplay", "gameretract", "gamethrow", "gameeditkill"})
        icons.push_back({pixmapPath(QString(name) + ".xpm"), 45});
    for (const char *name : {"first", "backone", "last", "forward", "auto", "stop"})
        icons.push_back({pixmapPath(QString(name) + ".xpm"), 32});
    for (int size : {32, 48, 64, 128, 256})
        icons.push_back(
            {sharePath(QStringLiteral("icons/hicolor/%1x%1/apps/korvane.png").arg(size)), size});
    for (const auto &[path, size] : icons) {
        SCOPED_TRACE(path.toStdString());
        const QImage image(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
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
    // 16-bit mono PCM at 44.1 kHz, one data chunk to the end of the file.
    EXPECT_EQ(wav.left(4) + wav.mid(8, 8) + wav.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
    EXPECT_EQ(wav.mid(20, 4).toHex(), "01000100");
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 24), 44100u);
    const quint32 bytes = qFromLittleEndian<quint32>(b + 40);
    EXPECT_EQ(bytes, quint32(wav.size() - 44));
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
