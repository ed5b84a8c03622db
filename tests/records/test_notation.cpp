#include "docfixture.h"
#include "notation.h"

#include <gtest/gtest.h>

namespace {

// Known texts of both notations; each standard one must also read back as
// its move.
TEST(Notation, ModifiersAndReadingBack)
{
    using records::NotationStyle;
    const NotationStyle K = NotationStyle::Ki2, W = NotationStyle::Western;
    const struct
    {
        const char *sfen; // board side hands
        const char *move;
        const char *prevDst; // square of the move before, or ""
        NotationStyle style;
        const char *text;
    } rows[] = {
        // Two-piece handicap: both golds reach 5八.
        {"lnsgkgsnl/9/pppp1pppp/4p4/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -", "4i5h", "", K, "５八金右"},
        {"lnsgkgsnl/9/pppp1pppp/4p4/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -", "6i5h", "", K, "５八金左"},
        {"4k4/9/9/9/9/9/9/9/3GG1K2 b -", "5i5h", "", K, "５八金直"},
        {"4k4/9/9/9/9/9/9/9/3GG1K2 b -", "6i5h", "", K, "５八金左"},
        {"4k4/9/5S3/9/3S5/9/9/9/4K4 b -", "4c5d", "", K, "５四銀引不成"},
        {"4k4/9/5S3/9/3S5/9/9/9/4K4 b -", "6e5d", "", K, "５四銀上"},
        {"4k4/9/9/3G5/5G3/9/9/9/4K4 b -", "6d5d", "", K, "５四金寄"},
        {"4k4/9/9/3G5/5G3/9/9/9/4K4 b -", "4e5d", "", K, "５四金上"},
        {"4k4/+R7+R/9/9/9/9/9/9/4K4 b -", "9b5b", "", K, "５二龍左"},
        {"4k4/+R7+R/9/9/9/9/9/9/4K4 b -", "1b5b", "", K, "５二龍右"},
        // Three golds: left of the two that rise, beside one that steps.
        {"4k4/9/9/9/9/9/9/3G1G3/3GK4 b -", "6h5g", "", K, "５七金左"},
        {"4k4/9/9/9/9/9/9/3G1G3/3GK4 b -", "4h5g", "", K, "５七金右"},
        {"4gg2k/9/9/9/9/9/9/9/4K4 w -", "5a5b", "", K, "５二金直"},
        {"3g1g2k/9/9/9/9/9/9/9/4K4 w -", "4a5b", "", K, "５二金左"},
        {"3g1g2k/9/9/9/9/9/9/9/4K4 w -", "6a5b", "", K, "５二金右"},
        {"4k4/9/9/9/9/9/9/9/3GK4 b G", "G*5h", "", K, "５八金打"},
        {"4k4/9/9/9/9/9/9/9/3GK4 b G", "G*5e", "", K, "５五金"},
        {"4k4/9/6S2/9/9/9/9/9/4K4 b -", "3c2b", "", K, "２二銀不成"},
        {"4k4/9/6S2/9/9/9/9/9/4K4 b -", "3c4d+", "", K, "４四銀成"},
        {"4k4/9/6S2/9/9/9/9/9/4K4 b -", "3c4d", "4d", K, "同銀不成"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -", "7g7f", "", W, "P-7f"},
        {"lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b -", "8h2b+", "", W, "Bx2b+"},
        {"lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b -", "8h2b", "", W, "Bx2b="},
        {"4k4/9/9/9/9/9/9/9/3GK4 b S", "S*5e", "", W, "S*5e"},
        {"lnsgkgsnl/9/pppp1pppp/4p4/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -", "4i5h", "", W, "G4i-5h"},
        {"4k4/9/6S2/9/9/9/9/9/4K4 b -", "3c4d", "", W, "S-4d="},
        {"4k4/9/9/9/9/9/9/4K4/7+r1 w -", "2i2h", "", W, "+R-2h"},
        {"4k4/9/9/9/9/9/9/9/4K4 w p", "P*5e", "", W, "P*5e"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.text);
        usi::Position p;
        ASSERT_EQ(ReadSfen(r.sfen, p), "") << r.sfen;
        std::string err;
        usi::Move m, back;
        ASSERT_TRUE(usi::ParseMove(r.move, m));
        const int prevDst = *r.prevDst ? usi::Square(r.prevDst[0] - '0', r.prevDst[1] - 'a' + 1) : 0;
        EXPECT_EQ(records::MoveName(p, m, prevDst, r.style).toStdString(), r.text) << r.move;
        if (r.style == W)
            continue;
        ASSERT_TRUE(records::ParseMoveName(p, QString::fromUtf8(r.text), prevDst, back, err))
            << err;
        EXPECT_EQ(usi::MoveText(back), r.move);
    }
}

} // namespace
