// What the reader accepts and refuses, case by case.
#include "docfixture.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

namespace {

// Start positions of the cases, the first player at the bottom.
const char kKings[] = "4k4/9/9/9/9/9/9/9/4K4 b -",
           kEven[] = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -",
           kLanceInHand[] = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/1NSGKGSNL b L",
           kKingsHands[] = "4k4/9/9/9/9/9/9/9/4K4 b 2PLNp",
           kZone[] = "4k4/1+b7/3g2L2/2P4S1/9/9/1R7/9/4K4 b -",
           kCheck[] = "4k4/9/9/9/4r4/9/9/9/4K4 b -", // the rook checks
           kPin[] = "4k4/9/9/9/4r4/9/4G4/9/4K4 b -";  // the gold pinned

struct Reader : testing::Test
{
    // A document holding one move; every refusal must leave it alone.
    const QByteArray preload = EncodeKvn(StartLayout()).left(105) +
                               QByteArray::fromHex("00000001 02066f0205006f00000000 01314620");
    void Expect(bool accepted, const QByteArray &bytes, const char *what, const QString &path = {})
    {
        bool ok = !accepted;
        EXPECT_EQ(ReadContract(preload, bytes, &ok, path), "") << what;
        EXPECT_EQ(ok, accepted) << what;
    }
};

} // namespace

TEST_F(Reader, FramingErrors)
{
    const QByteArray good = EncodeKvn(SixEntriesLayout());
    for (int len = 0; len < good.size(); ++len)
        Expect(false, good.left(len), "truncated");
    Expect(false, good + '\0', "one byte too many");
    Expect(false, good + good, "twice");
    KvnLayout s;
    // Leading magic zero or byte-swapped, trailing magic wrong.
    for (const auto &[m1, m2] : {std::pair<quint32, quint32>{0, s.magic2}, {0x20463101, s.magic2},
                                 {s.magic1, 20006433}}) {
        s = SixEntriesLayout();
        s.magic1 = m1;
        s.magic2 = m2;
        Expect(false, EncodeKvn(s), "magic");
    }
    for (qint64 n : {qint64(5), qint64(7), qint64(10001), qint64(0x7fffffff), qint64(0xffffffff),
                     qint64(0x80000000), qint64(0x1745d174)}) {
        s = SixEntriesLayout();
        s.countOverride = n;
        Expect(false, EncodeKvn(s), "entry count the file cannot hold");
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
            KvnLayout s = SixEntriesLayout();
            s.*field = BYTE(v);
            Expect(false, EncodeKvn(s), "setting");
        }
    KvnLayout s = SixEntriesLayout();
    s.first = s.second = s.level = s.faces = 2;
    s.teai = 5; // the handicap is a setting; the stored position is what counts
    Expect(true, EncodeKvn(s), "other settings");
}

TEST_F(Reader, StartPositionErrors)
{
    // A change to the even game, or to bare kings.
    auto refuse = [&](const char *what, const std::function<void(KvnLayout &)> &change,
                      bool kings = false) {
        KvnLayout s = kings ? Layout(kKings) : StartLayout();
        change(s);
        Expect(false, EncodeKvn(s), what);
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
    refuse("pawn on the last row", [](KvnLayout &s) { s.board[2][0] = 111; }, true);
    refuse("lance on the last row (top)", [](KvnLayout &s) { s.board[3][8] = 122; }, true);
    refuse("knight on row 1", [](KvnLayout &s) { s.board[5][1] = 113; }, true);
    refuse("knight on row 7 (top)", [](KvnLayout &s) { s.board[5][7] = 123; }, true);
    refuse("two pawns in a column", [](KvnLayout &s) { s.board[0][4] = s.board[0][6] = 111; }, true);
    refuse("second king attacked at the start", [](KvnLayout &s) { s.board[4][1] = 115; }, true);
    KvnLayout up = Layout(kKings, true);
    up.board[2][8] = 111;
    Expect(false, EncodeKvn(up), "first player at the top: pawn on row 8");
    // The first player's king attacked is fine: it moves first. A promoted
    // pawn and a pawn share a column, promoted pieces stand anywhere.
    Expect(true, EncodeKvn(Layout("4k4/9/9/9/9/9/9/4g4/4K4 b -")), "first player starts in check");
    Expect(true, EncodeKvn(Layout("4k3+L/9/9/3+P5/9/9/3P5/9/+n3K4 b 16P")), "edited position");
}

namespace {

const KIBO P76 = Kibo(2, 6, 111, 2, 5, 0, 111), P34 = Kibo(6, 2, 121, 6, 3, 0, 121);

const struct EntryCase
{
    const char *name;
    const char *base;
    std::vector<KIBO> entries;
    bool accepted;
} kEntryCases[] = {
    {"two pawn moves", kEven, {P76, P34}, true},
    {"move from an empty square", kEven, {Kibo(2, 5, 111, 2, 4, 0, 111)}, false},
    {"an edited start with the second player first", kEven, {P34, P76}, true},
    {"second player twice", kEven, {P34, Kibo(5, 2, 121, 5, 3, 0, 121)}, false},
    {"same side twice", kEven, {P76, Kibo(3, 6, 111, 3, 5, 0, 111)}, false},
    {"skoma not what stands there", kEven, {Kibo(2, 6, 112, 2, 5, 0, 112)}, false},
    {"capture of nothing", kEven, {Kibo(2, 6, 111, 2, 5, 121, 111)}, false},
    {"pawn two squares", kEven, {Kibo(2, 6, 111, 2, 4, 0, 111)}, false},
    {"pawn sideways", kEven, {Kibo(2, 6, 111, 3, 5, 0, 111)}, false},
    {"capture of own piece", kEven, {Kibo(1, 7, 116, 2, 6, 111, 116)}, false},
    {"dkoma not what stands there", kEven, {P76, P34, Kibo(1, 7, 116, 7, 1, 127, 216)}, false},
    {"the same with the right dkoma", kEven, {P76, P34, Kibo(1, 7, 116, 7, 1, 126, 216)}, true},
    {"coordinates out of range", kEven, {Kibo(2, 6, 111, 2, 9, 0, 111)}, false},
    {"source out of range", kEven, {Kibo(9, 6, 111, 2, 5, 0, 111)}, false},
    {"half a drop marker", kEven, {Kibo(10, 6, 111, 2, 5, 0, 111)}, false},
    {"koma another piece", kEven, {Kibo(2, 6, 111, 2, 5, 0, 117)}, false},
    {"promotion outside the zone", kEven, {Kibo(2, 6, 111, 2, 5, 0, 211)}, false},
    {"promotion to another owner", kEven, {Kibo(2, 6, 111, 2, 5, 0, 221)}, false},
    {"dkoma given but square empty", kEven, {P76, Kibo(6, 2, 121, 6, 3, 111, 121)}, false},
    {"unknown codes in an entry", kEven, {Kibo(2, 6, 119, 2, 5, 0, 119)}, false},
    {"resignation not last", kEven, {P76, ResignKibo(), Kibo(3, 6, 111, 3, 5, 0, 111)}, false},
    {"partial resignation", kEven, {Kibo(50, 50, 50, 50, 50, 50, 0)}, false},
    {"resignation marker as a piece", kEven, {Kibo(2, 6, 50, 2, 5, 0, 50)}, false},
    {"resignation by the first player", kEven, {ResignKibo(3)}, true},
    {"resignation after two moves", kEven, {P76, P34, ResignKibo(3)}, true},
    {"total time overflow", kEven, {Kibo(2, 6, 111, 2, 5, 0, 111, 0xffffffffu)}, false},
    {"total time overflow over moves", kEven,
     {Kibo(2, 6, 111, 2, 5, 0, 111, 0x3fffffffu), P34, Kibo(3, 6, 111, 3, 5, 0, 111, 1)}, false},
    {"long thinking", kEven, {Kibo(2, 6, 111, 2, 5, 0, 111, 0x3fffffffu)}, true},
    {"lance drop", kLanceInHand, {Kibo(10, 10, 112, 4, 4, 0, 112)}, true},
    {"drop of a piece not in hand", kLanceInHand, {Kibo(10, 10, 113, 4, 4, 0, 113)}, false},
    {"drop onto an occupied square", kLanceInHand, {Kibo(10, 10, 112, 4, 6, 0, 112)}, false},
    {"drop with a capture", kLanceInHand, {Kibo(10, 10, 112, 4, 2, 121, 112)}, false},
    {"drop of a promoted piece", kLanceInHand, {Kibo(10, 10, 212, 4, 4, 0, 212)}, false},
    {"drop that promotes", kLanceInHand, {Kibo(10, 10, 112, 4, 4, 0, 212)}, false},
    {"drop of the opponent's piece", kLanceInHand, {Kibo(10, 10, 122, 4, 4, 0, 122)}, false},
    {"drop of a king", kLanceInHand, {Kibo(10, 10, 118, 4, 4, 0, 118)}, false},
    {"drop off the board", kLanceInHand, {Kibo(10, 10, 112, 9, 4, 0, 112)}, false},
    {"pawn drop", kKingsHands, {Kibo(10, 10, 111, 2, 5, 0, 111)}, true},
    {"pawn dropped beside its own", kKingsHands,
     {Kibo(10, 10, 111, 2, 5, 0, 111), Kibo(10, 10, 121, 7, 3, 0, 121), Kibo(10, 10, 111, 2, 3, 0, 111)},
     false},
    {"pawn drop on the last row", kKingsHands, {Kibo(10, 10, 111, 2, 0, 0, 111)}, false},
    {"lance drop on the last row", kKingsHands, {Kibo(10, 10, 112, 2, 0, 0, 112)}, false},
    {"knight drop on row 1", kKingsHands, {Kibo(10, 10, 113, 2, 1, 0, 113)}, false},
    {"knight drop on row 2", kKingsHands, {Kibo(10, 10, 113, 2, 2, 0, 113)}, true},
    {"pawn drop giving check", kKingsHands, {Kibo(10, 10, 111, 4, 1, 0, 111)}, true},
    {"pawn promotes entering the zone", kZone, {Kibo(2, 3, 111, 2, 2, 0, 211)}, true},
    {"pawn may stay unpromoted on row 2", kZone, {Kibo(2, 3, 111, 2, 2, 0, 111)}, true},
    {"lance must promote on the last row", kZone, {Kibo(6, 2, 112, 6, 0, 0, 112)}, false},
    {"lance promotes on the last row", kZone, {Kibo(6, 2, 112, 6, 0, 0, 212)}, true},
    {"gold cannot promote", kZone, {Kibo(2, 3, 111, 2, 2, 0, 211), Kibo(3, 2, 125, 3, 3, 0, 225)}, false},
    {"silver leaving the zone may promote", kZone,
     {Kibo(7, 3, 114, 7, 2, 0, 114), Kibo(3, 2, 125, 3, 3, 0, 125), Kibo(7, 2, 114, 6, 3, 0, 214)}, true},
    {"capture of a promoted bishop", kZone, {Kibo(1, 6, 117, 1, 1, 226, 217)}, true},
    {"capture recorded unpromoted", kZone, {Kibo(1, 6, 117, 1, 1, 126, 217)}, false},
    {"a promoted piece promoting again", kZone,
     {Kibo(1, 6, 117, 1, 1, 226, 217), Kibo(3, 2, 125, 3, 3, 0, 125), Kibo(1, 1, 217, 1, 0, 0, 317)}, false},
    {"king stays in check", kCheck, {Kibo(4, 8, 118, 4, 7, 0, 118)}, false},
    {"king steps aside", kCheck, {Kibo(4, 8, 118, 3, 8, 0, 118)}, true},
    {"pinned piece moves", kPin, {Kibo(4, 6, 115, 3, 6, 0, 115)}, false},
    {"pinned piece moves along the pin", kPin, {Kibo(4, 6, 115, 4, 5, 0, 115)}, true},
};

} // namespace

TEST_F(Reader, Entries)
{
    for (const EntryCase &c : kEntryCases) {
        KvnLayout s = Layout(c.base);
        s.entries = c.entries;
        Expect(c.accepted, EncodeKvn(s), c.name);
    }
}

TEST_F(Reader, UnreadablePathsLeaveTheDocumentAlone)
{
    // A missing file, a directory, a device that never ends (refused in
    // bounded time) and an empty one.
    HostedDoc g;
    ASSERT_TRUE(g.doc.openDocumentData(preload));
    const DocState before = Capture(g.doc);
    g.host.log.clear();
    QTemporaryDir dir;
    for (const QString &path : {dir.filePath("missing.kvn"), dir.path(), QStringLiteral("/dev/zero"),
                                QStringLiteral("/dev/null")})
        EXPECT_FALSE(g.doc.openDocument(path)) << path.toStdString();
    EXPECT_EQ(Capture(g.doc), before);
    EXPECT_TRUE(g.host.log.isEmpty()) << g.host.log.join('\n').toStdString();
}

TEST_F(Reader, LongestRecord)
{
    // Kings stepping back and forth: KvnMaxKiboNum entries are read, one more
    // is refused (from bytes and from a file).
    KvnLayout s = Layout(kKings);
    const KIBO moves[4] = {Kibo(4, 8, 118, 3, 8, 0, 118, 1), Kibo(4, 0, 128, 3, 0, 0, 128, 1),
                           Kibo(3, 8, 118, 4, 8, 0, 118, 1), Kibo(3, 0, 128, 4, 0, 0, 128, 1)};
    for (int i = 0; i <= ShogiDoc::KvnMaxKiboNum; ++i)
        s.entries.push_back(moves[i % 4]);
    Expect(false, EncodeKvn(s), "one entry too many");
    QTemporaryDir dir;
    Expect(false, EncodeKvn(s), "one entry too many, from a file", dir.filePath("long.kvn"));
    s.entries.pop_back();
    Expect(true, EncodeKvn(s), "longest record");
}
