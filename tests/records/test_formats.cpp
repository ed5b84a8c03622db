#include "formattestgames.h"
#include "recordformat.h"
#include "refusedrename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

#include <gtest/gtest.h>

using records::Format;
using records::GameRecord;

namespace {

// What survives a trip through each format.
const struct
{
    Format format;
    bool times, names;
    int endings; // 0 none, 1 the resignation alone, 2 every ending
} kFormats[] = {
    {Format::Kif, true, true, 2},  {Format::Kifu, true, true, 2}, {Format::Ki2, false, true, 2},
    {Format::Ki2u, false, true, 2}, {Format::Csa, true, true, 2},  {Format::Usi, false, false, 0},
    {Format::Kvn, true, false, 1},
};

TEST(RecordFormats, EveryGameThroughEveryFormat)
{
    for (const GameRecord &game : TestGames()) {
        GameRecord last; // SFEN keeps the last position alone
        records::ReadReport lastReport;
        ASSERT_TRUE(records::ReadRecord(records::WriteRecord(game, Format::Sfen), Format::Unknown,
                                        last, lastReport));
        EXPECT_EQ(usi::WriteSfen(last.start),
                  usi::WriteSfen(game.PositionAfter(game.moves.size())));
        for (const auto &f : kFormats) {
            const QByteArray bytes = records::WriteRecord(game, f.format);
            GameRecord back;
            records::ReadReport report;
            ASSERT_TRUE(records::ReadRecord(bytes, f.format, back, report))
                << report.Message() << "\n" << bytes.toStdString();
            const std::string where = records::ExtensionOf(f.format).toStdString() + "\n" +
                                      QString::fromUtf8(bytes).toStdString();
            EXPECT_EQ(UsiLine(back), UsiLine(game)) << where;
            EXPECT_TRUE(!f.times || back.seconds == game.seconds) << where;
            EXPECT_TRUE(!f.names || back.names[0] == game.names[0]) << where;
            EXPECT_TRUE(f.endings == 0 || (f.endings == 1 && game.ending != GameEnding::Resign) ||
                        back.ending == game.ending)
                << where;
            // Read again by content alone, as a paste is.
            if (f.format != Format::Kifu && f.format != Format::Ki2u) {
                const bool headersOnly = game.moves.empty() && f.format == Format::Ki2;
                EXPECT_EQ(records::DetectFormat(bytes), headersOnly ? Format::Kif : f.format) << where;
            }
        }
    }
}

// The last step of a safe save refused: reported, the earlier file whole,
// nothing left beside it.
TEST(RecordFormats, FailedSaveIsReportedAndKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.kif"));
    const std::vector<GameRecord> games = TestGames();
    std::string err;
    ASSERT_TRUE(records::WriteRecordFile(path, games[0], err)) << err;
    const QByteArray before = records::WriteRecord(games[0], Format::Kif);
    {
        RefusedRename refused;
        EXPECT_FALSE(records::WriteRecordFile(path, games[1], err));
    }
    EXPECT_FALSE(err.empty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("game.kif")});
}

TEST(RecordFormats, CommentsGoToKifOnly)
{
    GameRecord game = TestGames().front();
    ASSERT_FALSE(game.moves.empty());
    game.comments.assign(game.moves.size(), QStringList());
    game.comments.back() = QStringList{QStringLiteral("*評価値 +120"), QStringLiteral("*疑問手")};
    for (Format f : {Format::Kif, Format::Kifu, Format::Ki2, Format::Csa}) {
        const QString text = f == Format::Kif || f == Format::Ki2
                                 ? QTextCodec::codecForName("CP932")->toUnicode(records::WriteRecord(game, f))
                                 : QString::fromUtf8(records::WriteRecord(game, f));
        const bool kif = f == Format::Kif || f == Format::Kifu;
        EXPECT_EQ(text.contains(QStringLiteral("\n*評価値 +120\r\n*疑問手\r\n")), kif) << text.toStdString();
        GameRecord back;
        records::ReadReport report;
        ASSERT_TRUE(records::ReadRecord(text.toUtf8(), Format::Unknown, back, report)) << report.Message();
        EXPECT_EQ(UsiLine(back), UsiLine(game));
        EXPECT_TRUE(back.comments.empty());
    }
}

QByteArray Cp932(const char *utf8)
{
    return QTextCodec::codecForName("CP932")->fromUnicode(QString::fromUtf8(utf8));
}

// Records in the style other programs write, with what Korvane drops.
TEST(RecordFormats, ForeignSamples)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        Format format;
        const char *usi;
        GameEnding ending;
        unsigned dropped;
    } rows[] = {
        {"KIF, CP932, CRLF, comments, a variation",
         Cp932("# ---- sample ----\r\n開始日時：2024/01/02 10:00:00\r\n手合割：平手\r\n先手：Aoi\r\n"
               "後手：Ren\r\n手数----指手---------消費時間--\r\n*opening comment\r\n"
               "   1 ７六歩(77)   ( 0:07/00:00:07)\r\n   2 ３四歩(33)   ( 0:03/00:00:03)+\r\n"
               "   3 ２二角成(88) ( 0:01/00:00:08)\r\n   4 同　銀(31)   ( 0:02/00:00:05)\r\n"
               "   5 投了\r\nまで4手で後手の勝ち\r\n\r\n変化：2手\r\n   2 ８四歩(83)   ( 0:00/00:00:03)\r\n"),
         Format::Kif, "position startpos moves 7g7f 3c3d 8h2b+ 3a2b", GameEnding::Resign,
         records::kDroppedHeaders | records::kDroppedComments | records::kDroppedVariations},
        {"KIF with a UTF-8 BOM under .kif, a handicap by name",
         QByteArray("\xEF\xBB\xBF") + QByteArray(u8"手合割：角落ち\n上手：X\n下手：Y\n"
                                                 "1 ３四歩(33)\n2 ７六歩(77)\n3 中断\n"),
         Format::Kif,
         "position sfen lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1 moves 3c3d 7g7f",
         GameEnding::Interrupt, 0},
        {"KI2 with modifiers and several moves a line",
         Cp932("手合割：二枚落ち\n△５四歩 ▲５八金右 △５五歩 ▲４八銀\n△５六歩 ▲同歩\n"
               "まで6手で中断\n"),
         Format::Ki2,
         "position sfen lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1 moves 5c5d "
         "4i5h 5d5e 3i4h 5e5f 5g5f",
         GameEnding::Interrupt, 0},
        {"CSA 2.2 with headers, comments, commas",
         QByteArray("'CSA sample\nV2.2\nN+Aoi\nN-Ren\n$EVENT:cup\nPI\n+\n+7776FU,T12\n"
                    "-3334FU,T3\n'* a comment\n+8822UM\nT1\n%TORYO\n"),
         Format::Csa, "position startpos moves 7g7f 3c3d 8h2b+", GameEnding::Resign,
         records::kDroppedHeaders | records::kDroppedComments},
        {"CSA with a handicap taken off PI and hands by P+",
         QByteArray("V3.0\nPI82HI22KA\nP+00HI\n-\n-5142OU\n+0055HI\n%CHUDAN\n"), Format::Csa,
         "position sfen lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w R 1 moves 5a4b R*5e",
         GameEnding::Interrupt, 0},
        {"USI with the move number left out",
         QByteArray("sfen 4k4/9/4P4/9/9/9/9/9/4K4 b G moves G*5b"), Format::Unknown,
         "position sfen 4k4/9/4P4/9/9/9/9/9/4K4 b G 1 moves G*5b", GameEnding::None, 0},
    };
    for (const auto &r : rows) {
        GameRecord rec;
        records::ReadReport report;
        ASSERT_TRUE(records::ReadRecord(r.bytes, r.format, rec, report))
            << r.name << ": " << report.Message();
        EXPECT_EQ(UsiLine(rec), r.usi) << r.name;
        EXPECT_EQ(rec.ending, r.ending) << r.name;
        EXPECT_EQ(report.dropped, r.dropped) << r.name;
    }
}

// Each refusal names the line and the reason.
TEST(RecordFormats, Refusals)
{
    QByteArray tooLong = "position startpos moves";
    for (int i = 0; i < 2501; ++i)
        tooLong += " 5i5h 5a5b 5h5i 5b5a";
    const struct
    {
        const char *name;
        QByteArray bytes;
        Format format;
        int line;
        const char *reason; // part of the reason
    } rows[] = {
        {"illegal move", Cp932("手合割：平手\n1 ７六歩(77)\n2 ７五歩(76)\n"), Format::Kif, 3, "no legal move"},
        {"pawn-drop mate", "sfen k8/2G6/1G7/9/9/9/9/9/8K b P moves P*9b", Format::Usi, 1, "not legal"},
        {"two kings a side", "sfen kk7/9/9/9/9/9/9/9/8K b - 1", Format::Sfen, 1, "two kings"},
        {"impossible start", "sfen 4k4/9/9/9/9/9/9/9/4K3p b - 1", Format::Sfen, 1, "never move"},
        {"truncated", Cp932("手合割：平手\n1 ７六歩(77)\n2 ３"), Format::Kif, 3, "no square"},
        {"binary", QByteArray("\x01\x00\x02KIF", 6), Format::Kif, 0, "binary"},
        {"wrong encoding", Cp932("手合割：平手\n1 ７六歩(77)\n"), Format::Kifu, 1, "UTF-8"},
        {"huge", QByteArray(records::kMaxRecordBytes + 1, ' '), Format::Kif, 0, "larger than"},
        {"too many moves", tooLong, Format::Usi, 1, "more than 10000 moves"},
        {"not a record", "hello", Format::Unknown, 0, "not a record"},
    };
    for (const auto &r : rows) {
        GameRecord rec;
        records::ReadReport report;
        EXPECT_FALSE(records::ReadRecord(r.bytes, r.format, rec, report)) << r.name;
        EXPECT_EQ(report.line, r.line) << r.name << ": " << report.Message();
        EXPECT_NE(report.reason.find(r.reason), std::string::npos) << r.name << ": " << report.reason;
    }
}

} // namespace
