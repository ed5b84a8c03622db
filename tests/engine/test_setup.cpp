// The result table's size and the board conversions.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace enginetest;

TEST(ResultTable, EntryCountRule)
{
    auto z = NewCore();
    const struct
    {
        unsigned limit;
        int entries;
    } cases[] = {
        {0, 65536},          {0xDFFFFF, 65536},    {0xE00000, 131072},
        {0x1DFFFFF, 131072}, {0x1E00000, 262144},  {0x3E00000, 524288},
        {0x7DFFFFF, 524288}, {0x7E00000, 1048576}, {0x8000000, 1048576},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(z->AllocMemory(c.limit));
        EXPECT_EQ(z->m_nMaxResults, c.entries) << std::hex << c.limit;
        EXPECT_EQ(z->m_dwMemLimit, static_cast<std::uint32_t>(c.entries - 1));
        EXPECT_EQ(z->m_nLimitResults, c.entries * 3 / 4);
        EXPECT_NE(z->m_pResult, nullptr);
    }
}

#ifndef KORVANE_SANITIZE
namespace {

long VirtualSize()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    statm >> pages;
    return pages * sysconf(_SC_PAGESIZE);
}

// In a child with its address space capped `room` bytes above its current
// size, allocates the 128 MiB table; exits with entries / 16384.
[[noreturn]] void AllocUnderCap(long room)
{
    auto z = NewCore();
    rlimit r{};
    r.rlim_cur = r.rlim_max = static_cast<rlim_t>(VirtualSize() + room);
    setrlimit(RLIMIT_AS, &r);
    bool ok = z->AllocMemory(0x8000000);
    _exit(ok ? z->m_nMaxResults / 16384 : (z->m_pResult == nullptr && z->m_nMaxResults == 0 ? 0 : 99));
}

} // namespace

TEST(ResultTableDeathTest, HalvesWhenMemoryIsShort)
{
    const int sz = static_cast<int>(sizeof(SEARCH_RESULT));
    // Room for half the table but not all of it: 524288 entries.
    EXPECT_EXIT(AllocUnderCap(1048576L * sz * 3 / 4), testing::ExitedWithCode(32), "");
    // Not even the smallest table fits: failure, no table.
    EXPECT_EXIT(AllocUnderCap(16384L * sz / 2), testing::ExitedWithCode(0), "");
}
#endif

TEST(ResultTable, InitGameClearsEveryEntry)
{
    auto z = NewCore();
    ASSERT_EQ(z->InitGame(), 0);
    ASSERT_EQ(z->m_nMaxResults, 1048576);
    std::memset(z->m_pResult, 0x5A, sizeof(SEARCH_RESULT) * z->m_nMaxResults);
    z->m_nResults = 77;
    z->InitResultArea();
    EXPECT_EQ(z->m_nResults, 0);
    int bad = 0;
    for (int i = 0; i < z->m_nMaxResults; i++) {
        const SEARCH_RESULT &e = z->m_pResult[i];
        bad += e.bySearched != 0 || e.byOuteOnComDepth != 255 || e.byOuteOnManDepth != 255;
    }
    EXPECT_EQ(bad, 0);
}

TEST(ConvertBoard, MirrorsAndTwiceRestores)
{
    auto z = NewEngine();
    const Pos p = Sfen("4k4/9/1+S7/9/4+r4/9/7p1/9/3K5 w RLg2p"); // the centre only changes owner
    Write(p, *z);
    const std::uint32_t key1 = z->m_dwBoard1;
    auto before = std::make_unique<Snapshot>();
    TakeSnapshot(*z, *before);

    z->ConvertBoard();
    const Pos turned = PositionOf(*z), want = Mirror(p);
    EXPECT_EQ(std::memcmp(turned.board, want.board, sizeof want.board), 0);
    EXPECT_EQ(std::memcmp(turned.hand, want.hand, sizeof want.hand), 0);
    EXPECT_EQ(z->m_nWeightScore, -before->weightScore);
    EXPECT_EQ(z->m_dwBoard1, key1);
    EXPECT_EQ(CompareWithRebuild(*z, *NewEngine()), "");

    z->ConvertBoard();
    EXPECT_EQ(CompareWithSnapshot(*z, *before), "");
}

TEST(UpdateBoard, ImpossibleInventoryCannotCorruptTheEngine)
{
    auto z = NewEngine();
    BOARD b = {};
    b[0][4] = 136;
    b[8][4] = 8;
    b[8][5] = 8;  // a second Man king
    b[4][4] = 13; // no such code
    b[0][0] = 3;  // Man knight on the last row: reaches nothing
    for (int col = 0; col < 9; col++)
        b[2][col] = b[3][col] = b[5][col] = 129; // 27 pawns
    const int com[7] = {5, 9, 0, 0, 0, 0, 0};
    const int man[7] = {-3, 0, 0, 0, 0, 0, 40};
    z->UpdateBoard(b, com, man, 0);
    EXPECT_TRUE(z->IsCorrectKomas());
    EXPECT_EQ(z->m_nCurrUniNumPos[1], 0);
    EXPECT_EQ(z->m_nCaptByCom[1], 0);
    EXPECT_EQ(z->m_nCaptByCom[2], 4);
    EXPECT_EQ(z->m_nCaptByMan[7], 2);
    EXPECT_EQ(z->m_nCaptByMan[1], 0);
    EXPECT_EQ(z->m_nBoard[Sq(5, 5)], 0);
    EXPECT_EQ(z->m_nBoard[Sq(1, 1)], 3);
    EXPECT_EQ(CompareWithRebuild(*z, *NewEngine()), "");
}
