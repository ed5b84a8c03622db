// What the reader accepts and refuses, case by case.
#include "docfixture.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

namespace {

// Six entries on the even game (see test_file.cpp), built with the
// independent encoder.
KvnLayout SixSpec()
{
    KvnLayout s = StartLayout();
    s.entries = {Kibo(2, 6, 111, 2, 5, 0, 111, 5),     Kibo(6, 2, 121, 6, 3, 0, 121, 3),
                 Kibo(1, 7, 116, 7, 1, 126, 216, 12),  Kibo(6, 0, 124, 7, 1, 216, 124, 1),
                 Kibo(10, 10, 116, 4, 4, 0, 116, 300), ResignKibo(70000)};
    return s;
}

// Bare kings: first player's at (4, 8), second's at (4, 0).
KvnLayout KingsSpec()
{
    KvnLayout s;
    s.board[4][8] = 118;
    s.board[4][0] = 128;
    return s;
}

struct Reader : testing::Test
{
    // A document holding one move; every refusal must leave it alone.
    const QByteArray preload = EncodeKvn(StartLayout()).left(105) +
                               QByteArray::fromHex("00000001 02066f0205006f00000000 01314620");
    void ExpectRefused(const QByteArray &bytes, const char *what, const QString &path = {})
    {
        bool ok = true;
        EXPECT_EQ(ReadContract(preload, bytes, &ok, path), "") << what;
        EXPECT_FALSE(ok) << what;
    }
    void ExpectAccepted(const QByteArray &bytes, const char *what)
    {
        bool ok = false;
        EXPECT_EQ(ReadContract(preload, bytes, &ok), "") << what;
        EXPECT_TRUE(ok) << what;
    }
};

} // namespace

TEST_F(Reader, TheBaseFilesAreAccepted)
{
    ExpectAccepted(EncodeKvn(SixSpec()), "six entries");
    ExpectAccepted(EncodeKvn(KingsSpec()), "bare kings");
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true})
            ExpectAccepted(EncodeKvn(StartLayout(teai, up)), "set-up");
}

TEST_F(Reader, FramingErrors)
{
    const QByteArray good = EncodeKvn(SixSpec());
    for (int len = 0; len < good.size(); ++len)
        ExpectRefused(good.left(len), "truncated");
    ExpectRefused(good + '\0', "one byte too many");
    ExpectRefused(good + good, "twice");
    KvnLayout s = SixSpec();
    s.magic1 = 0;
    ExpectRefused(EncodeKvn(s), "leading magic 00000000");
    s = SixSpec();
    s.magic1 = 0x20463101; // little-endian
    ExpectRefused(EncodeKvn(s), "leading magic byte-swapped");
    s = SixSpec();
    s.magic2 = 20006433;
    ExpectRefused(EncodeKvn(s), "trailing magic wrong");
    for (qint64 n : {qint64(5), qint64(7), qint64(10001), qint64(0x7fffffff), qint64(0xffffffff),
                     qint64(0x80000000), qint64(0x1745d174)}) {
        s = SixSpec();
        s.countOverride = n;
        ExpectRefused(EncodeKvn(s), "entry count the file cannot hold");
    }
}

TEST_F(Reader, SettingBytesOutOfRange)
{
    const std::vector<std::pair<BYTE KvnLayout::*, std::vector<int>>> bad = {
        {&KvnLayout::first, {0, 3, 255}}, {&KvnLayout::second, {0, 3}},
        {&KvnLayout::level, {3, 255}},    {&KvnLayout::teai, {6, 255}},
        {&KvnLayout::faces, {0, 3}},      {&KvnLayout::orient, {0, 3}},
    };
    for (const auto &[field, values] : bad)
        for (int v : values) {
            KvnLayout s = SixSpec();
            s.*field = BYTE(v);
            ExpectRefused(EncodeKvn(s), "setting");
        }
    KvnLayout s = SixSpec();
    s.first = 2;
    s.second = 2;
    s.level = 2;
    s.teai = 5; // the handicap is a setting; the stored position is what counts
    s.faces = 2;
    ExpectAccepted(EncodeKvn(s), "other settings");
}

TEST_F(Reader, StartPositionErrors)
{
    auto refuse = [&](const char *what, const std::function<void(KvnLayout &)> &change) {
        KvnLayout s = StartLayout();
        change(s);
        ExpectRefused(EncodeKvn(s), what);
    };
    for (BYTE code :
         {BYTE(1), BYTE(9), BYTE(50), BYTE(100), BYTE(101), BYTE(110), BYTE(119), BYTE(131),
          BYTE(150), BYTE(225), BYTE(228), BYTE(215), BYTE(218), BYTE(255), BYTE(311)})
        refuse("piece code", [code](KvnLayout &s) { s.board[4][4] = code; });
    refuse("missing first king", [](KvnLayout &s) { s.board[4][8] = 0; });
    refuse("missing second king", [](KvnLayout &s) { s.board[4][0] = 0; });
    refuse("two first kings", [](KvnLayout &s) { s.board[4][5] = 118; });
    refuse("19 pawns", [](KvnLayout &s) { s.hand[0][0] = 1; });
    refuse("5 golds", [](KvnLayout &s) { s.hand[1][4] = 1; });
    refuse("3 rooks", [](KvnLayout &s) { s.board[4][4] = 217; });
    refuse("3 bishops in hand", [](KvnLayout &s) {
        s.hand[0][5] = 1;
        s.hand[1][5] = 2;
    });
    refuse("255 in hand", [](KvnLayout &s) { s.hand[1][6] = 255; });
    auto refuseKings = [&](const char *what, const std::function<void(KvnLayout &)> &change) {
        KvnLayout s = KingsSpec();
        change(s);
        ExpectRefused(EncodeKvn(s), what);
    };
    refuseKings("pawn on the last row", [](KvnLayout &s) { s.board[2][0] = 111; });
    refuseKings("lance on the last row (top)", [](KvnLayout &s) { s.board[3][8] = 122; });
    refuseKings("knight on row 1", [](KvnLayout &s) { s.board[5][1] = 113; });
    refuseKings("knight on row 7 (top)", [](KvnLayout &s) { s.board[5][7] = 123; });
    refuseKings("two pawns in a column", [](KvnLayout &s) {
        s.board[0][4] = 111;
        s.board[0][6] = 111;
    });
    refuseKings("second king attacked at the start", [](KvnLayout &s) { s.board[4][1] = 115; });
    refuseKings("first player at the top: pawn on row 8", [](KvnLayout &s) {
        s.orient = 1;
        s.board[4][8] = 128;
        s.board[4][0] = 118;
        s.board[2][8] = 111;
    });
    // The same position with the first player's king attacked is fine: it
    // moves first.
    KvnLayout s = KingsSpec();
    s.board[4][7] = 125;
    ExpectAccepted(EncodeKvn(s), "first player starts in check");
    s = KingsSpec();
    s.board[3][3] = 211; // a promoted pawn and a pawn in a column are allowed
    s.board[3][6] = 111;
    s.board[8][0] = 212; // promoted pieces may stand anywhere
    s.board[0][8] = 223;
    s.hand[0][0] = 16;
    ExpectAccepted(EncodeKvn(s), "edited position");
}

TEST_F(Reader, EntryErrors)
{
    auto refuse = [&](const char *what, std::vector<KIBO> entries, KvnLayout s = StartLayout()) {
        s.entries = std::move(entries);
        ExpectRefused(EncodeKvn(s), what);
    };
    auto accept = [&](const char *what, std::vector<KIBO> entries, KvnLayout s = StartLayout()) {
        s.entries = std::move(entries);
        ExpectAccepted(EncodeKvn(s), what);
    };
    const KIBO p76 = Kibo(2, 6, 111, 2, 5, 0, 111);
    const KIBO p34 = Kibo(6, 2, 121, 6, 3, 0, 121);
    accept("two pawn moves", {p76, p34});
    refuse("move from an empty square", {Kibo(2, 5, 111, 2, 4, 0, 111)});
    accept("an edited start with the second player first", {p34, p76});
    refuse("second player twice", {p34, Kibo(5, 2, 121, 5, 3, 0, 121)});
    refuse("same side twice", {p76, Kibo(3, 6, 111, 3, 5, 0, 111)});
    refuse("skoma not what stands there", {Kibo(2, 6, 112, 2, 5, 0, 112)});
    refuse("capture of nothing", {Kibo(2, 6, 111, 2, 5, 121, 111)});
    refuse("pawn two squares", {Kibo(2, 6, 111, 2, 4, 0, 111)});
    refuse("pawn sideways", {Kibo(2, 6, 111, 3, 5, 0, 111)});
    refuse("capture of own piece", {Kibo(1, 7, 116, 2, 6, 111, 116)});
    refuse("dkoma not what stands on the destination", {p76, p34, Kibo(1, 7, 116, 7, 1, 127, 216)});
    accept("the same with the right dkoma", {p76, p34, Kibo(1, 7, 116, 7, 1, 126, 216)});
    refuse("coordinates out of range", {Kibo(2, 6, 111, 2, 9, 0, 111)});
    refuse("source out of range", {Kibo(9, 6, 111, 2, 5, 0, 111)});
    refuse("source 255", {Kibo(255, 6, 111, 2, 5, 0, 111)});
    refuse("half a drop marker", {Kibo(10, 6, 111, 2, 5, 0, 111)});
    refuse("koma another piece", {Kibo(2, 6, 111, 2, 5, 0, 117)});
    refuse("promotion outside the zone", {Kibo(2, 6, 111, 2, 5, 0, 211)});
    refuse("promotion to another owner", {Kibo(2, 6, 111, 2, 5, 0, 221)});
    refuse("dkoma given but square empty", {p76, Kibo(6, 2, 121, 6, 3, 111, 121)});
    refuse("unknown codes in an entry", {Kibo(2, 6, 119, 2, 5, 0, 119)});
    refuse("resignation not last", {p76, ResignKibo(), Kibo(3, 6, 111, 3, 5, 0, 111)});
    refuse("resignation not last, wrong side after it", {p76, ResignKibo(), p34});
    refuse("two resignations", {p76, ResignKibo(), ResignKibo()});
    refuse("partial resignation", {Kibo(50, 50, 50, 50, 50, 50, 0)});
    refuse("resignation marker as a piece", {Kibo(2, 6, 50, 2, 5, 0, 50)});
    accept("resignation by the first player", {ResignKibo(3)});
    accept("resignation after two moves", {p76, p34, ResignKibo(3)});

    // Drops.
    KvnLayout h = StartLayout();
    h.board[0][8] = 0; // first player's lance in hand
    h.hand[0][1] = 1;
    accept("lance drop", {Kibo(10, 10, 112, 4, 4, 0, 112)}, h);
    refuse("drop of a piece not in hand", {Kibo(10, 10, 113, 4, 4, 0, 113)}, h);
    refuse("drop onto an occupied square", {Kibo(10, 10, 112, 4, 6, 0, 112)}, h);
    refuse("drop with a capture", {Kibo(10, 10, 112, 4, 2, 121, 112)}, h);
    refuse("drop of a promoted piece", {Kibo(10, 10, 212, 4, 4, 0, 212)}, h);
    refuse("drop that promotes", {Kibo(10, 10, 112, 4, 4, 0, 212)}, h);
    refuse("drop of the opponent's piece", {Kibo(10, 10, 122, 4, 4, 0, 122)}, h);
    refuse("drop of a king", {Kibo(10, 10, 118, 4, 4, 0, 118)}, h);
    refuse("drop off the board", {Kibo(10, 10, 112, 9, 4, 0, 112)}, h);

    KvnLayout k = KingsSpec();
    k.hand[0][0] = 2;
    k.hand[0][2] = 1;
    k.hand[0][1] = 1;
    k.hand[1][0] = 1;
    accept("pawn drop", {Kibo(10, 10, 111, 2, 5, 0, 111)}, k);
    refuse("two pawns in a column",
           {Kibo(10, 10, 111, 2, 5, 0, 111), Kibo(10, 10, 121, 7, 3, 0, 121),
            Kibo(10, 10, 111, 2, 3, 0, 111)},
           k);
    refuse("pawn drop on the last row", {Kibo(10, 10, 111, 2, 0, 0, 111)}, k);
    refuse("lance drop on the last row", {Kibo(10, 10, 112, 2, 0, 0, 112)}, k);
    refuse("knight drop on row 1", {Kibo(10, 10, 113, 2, 1, 0, 113)}, k);
    accept("knight drop on row 2", {Kibo(10, 10, 113, 2, 2, 0, 113)}, k);
    accept("pawn drop giving check", {Kibo(10, 10, 111, 4, 1, 0, 111)}, k);

    // Promotions and captures of promoted pieces.
    KvnLayout z = KingsSpec();
    z.board[2][3] = 111;
    z.board[6][2] = 112;
    z.board[3][2] = 125; // second player's gold
    z.board[7][3] = 114; // silver on row 3
    z.board[1][1] = 226; // second player's horse
    z.board[1][6] = 117;
    accept("pawn promotes entering the zone", {Kibo(2, 3, 111, 2, 2, 0, 211)}, z);
    accept("pawn may stay unpromoted on row 2", {Kibo(2, 3, 111, 2, 2, 0, 111)}, z);
    refuse("lance must promote on the last row", {Kibo(6, 2, 112, 6, 0, 0, 112)}, z);
    accept("lance promotes on the last row", {Kibo(6, 2, 112, 6, 0, 0, 212)}, z);
    refuse("gold cannot promote", {Kibo(2, 3, 111, 2, 2, 0, 211), Kibo(3, 2, 125, 3, 3, 0, 225)},
           z);
    accept("silver leaving the zone may promote",
           {Kibo(7, 3, 114, 7, 2, 0, 114), Kibo(3, 2, 125, 3, 3, 0, 125),
            Kibo(7, 2, 114, 6, 3, 0, 214)},
           z);
    accept("capture of a promoted bishop", {Kibo(1, 6, 117, 1, 1, 226, 217)}, z);
    refuse("capture recorded unpromoted", {Kibo(1, 6, 117, 1, 1, 126, 217)}, z);
    refuse("a promoted piece promoting again",
           {Kibo(1, 6, 117, 1, 1, 226, 217), Kibo(3, 2, 125, 3, 3, 0, 125),
            Kibo(1, 1, 217, 1, 0, 0, 317)},
           z);

    // King safety.
    KvnLayout c = KingsSpec();
    c.board[4][4] = 127; // second player's rook gives check
    refuse("king stays in check", {Kibo(4, 8, 118, 4, 7, 0, 118)}, c);
    accept("king steps aside", {Kibo(4, 8, 118, 3, 8, 0, 118)}, c);
    KvnLayout pin = KingsSpec();
    pin.board[4][4] = 127;
    pin.board[4][6] = 115; // pinned gold
    refuse("pinned piece moves", {Kibo(4, 6, 115, 3, 6, 0, 115)}, pin);
    accept("pinned piece moves along the pin", {Kibo(4, 6, 115, 4, 5, 0, 115)}, pin);
    KvnLayout capKing = KingsSpec();
    capKing.board[4][4] = 117;
    refuse("capture of a king (its position is refused too)", {Kibo(4, 4, 117, 4, 0, 128, 117)},
           capKing);

    // Clocks.
    refuse("total time overflow", {Kibo(2, 6, 111, 2, 5, 0, 111, 0xffffffffu)});
    refuse("total time overflow over moves",
           {Kibo(2, 6, 111, 2, 5, 0, 111, 0x3fffffffu), p34, Kibo(3, 6, 111, 3, 5, 0, 111, 1)});
    accept("long thinking", {Kibo(2, 6, 111, 2, 5, 0, 111, 0x3fffffffu)});
}

TEST_F(Reader, OpenDocumentReadsAtMostTheLargestRecord)
{
    // A device that never ends is refused in bounded time.
    ShogiDoc doc;
    EXPECT_FALSE(doc.openDocument("/dev/zero"));
    EXPECT_FALSE(doc.openDocument("/dev/null"));
}

TEST_F(Reader, LongestRecord)
{
    // Kings stepping back and forth: KvnMaxKiboNum entries are read, one more
    // is refused (from bytes and from a file).
    KvnLayout s = KingsSpec();
    const KIBO moves[4] = {Kibo(4, 8, 118, 3, 8, 0, 118, 1), Kibo(4, 0, 128, 3, 0, 0, 128, 1),
                           Kibo(3, 8, 118, 4, 8, 0, 118, 1), Kibo(3, 0, 128, 4, 0, 0, 128, 1)};
    for (int i = 0; i <= ShogiDoc::KvnMaxKiboNum; ++i)
        s.entries.push_back(moves[i % 4]);
    ExpectRefused(EncodeKvn(s), "one entry too many");
    QTemporaryDir dir;
    ExpectRefused(EncodeKvn(s), "one entry too many, from a file", dir.filePath("long.kvn"));
    s.entries.pop_back();
    ExpectAccepted(EncodeKvn(s), "longest record");
}
