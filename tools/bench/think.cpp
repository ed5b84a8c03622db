// Think benchmark: the engine thinks on a fixed set of positions at every
// level, as the game calls it (UpdateBoard, then OnFindMove with turn 1).
//
//   korvane-bench think [--depth-only] [--level N] [--expect SIGNATURE]
//
// With --depth-only the processor clock is ignored and every level searches
// to its full depth; the node total is then the same from run to run.
// --expect turns the run into a check: exit code 1 when the total differs.
#include "think.h"

#include "Zelkor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Position
{
    std::string name;
    int board[256]; // engine coding, Com (the thinker) >= 128
    int com[8];     // hands by base kind 1..7
    int man[8];
    int counter;
};

struct Piece
{
    int sq;
    int code;
};

const int kLevelSeconds[3] = {3, 5, 9};

Position Empty(const std::string &name)
{
    Position p;
    p.name = name;
    for (int s = 0; s < 256; s++)
        p.board[s] = zelkor::kIniBoard[s] == 255 ? 255 : 0;
    std::memset(p.com, 0, sizeof(p.com));
    std::memset(p.man, 0, sizeof(p.man));
    p.counter = 40;
    return p;
}

Position Sparse(const std::string &name, std::vector<Piece> pieces,
                std::vector<int> com, std::vector<int> man)
{
    Position p = Empty(name);
    for (const Piece &x : pieces)
        p.board[x.sq] = x.code;
    for (int k = 1; k <= 7; k++) {
        p.com[k] = k <= static_cast<int>(com.size()) ? com[k - 1] : 0;
        p.man[k] = k <= static_cast<int>(man.size()) ? man[k - 1] : 0;
    }
    return p;
}

// The initial position with the top player's handicap squares emptied; the
// top player (the thinker) gives the handicap and moves.
Position Handicap(int teai)
{
    static const char *names[6] = {"even start", "lance off",  "bishop off",
                                   "rook off",   "rook+lance", "two pieces"};
    Position p = Empty(names[teai]);
    for (int s = 0; s < 256; s++)
        p.board[s] = zelkor::kIniBoard[s];
    const int lance = 0x19, bishop = 0x28, rook = 0x22;
    if (teai == 1 || teai == 4)
        p.board[lance] = 0;
    if (teai == 2 || teai == 5)
        p.board[bishop] = 0;
    if (teai >= 3)
        p.board[rook] = 0;
    p.counter = 2;
    return p;
}

// The side to move becomes Com: the board turned round, owners and hands exchanged.
void TurnRound(Position &p)
{
    Position q = p;
    for (int s = 0x11; s <= 0x99; s++) {
        const int c = p.board[s];
        if (c == 255)
            continue;
        q.board[170 - s] = c == 0 ? 0 : (c > 128 ? c - 128 : c + 128);
    }
    for (int k = 1; k <= 7; k++) {
        q.com[k] = p.man[k];
        q.man[k] = p.com[k];
    }
    p = q;
}

void Hand(CZelkor &z, const Position &p)
{
    BOARD b;
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++)
            b[i][j] = static_cast<unsigned char>(p.board[(i + 1) * 16 + j + 1]);
    int com[7], man[7];
    for (int k = 1; k <= 7; k++) {
        com[k - 1] = p.com[k];
        man[k - 1] = p.man[k];
    }
    z.UpdateBoard(b, com, man, p.counter);
}

// Positions reached by the engine playing itself at a shallow depth.
void AddGamePositions(std::vector<Position> &out, Position p, const char *tag, int every, int count)
{
    auto z = std::make_unique<CZelkor>();
    if (z->InitGame() != 0)
        return;
    z->SetComLevel(0);
    z->m_nFixedDepth = 2;
    z->m_bNoTimeLimit = true;
    z->m_nFixedRandDraw = 0;
    for (int ply = 1; ply <= every * count; ply++) {
        Hand(*z, p);
        unsigned int word = 0;
        int result = -1;
        z->OnFindMove(1, &word, &result);
        if (result != 0 && result != 5)
            return;
        for (int s = 0; s < 256; s++)
            p.board[s] = z->m_nBoard[s];
        for (int k = 1; k <= 7; k++) {
            p.com[k] = z->m_nCaptByCom[k];
            p.man[k] = z->m_nCaptByMan[k];
        }
        p.counter++;
        TurnRound(p);
        if (ply % every == 0) {
            p.name = std::string(tag) + " ply " + std::to_string(p.counter);
            out.push_back(p);
        }
    }
}

std::vector<Position> MakePositions()
{
    std::vector<Position> v;
    for (int teai = 0; teai < 6; teai++)
        v.push_back(Handicap(teai));
    AddGamePositions(v, Handicap(0), "even game", 10, 5);
    AddGamePositions(v, Handicap(1), "lance-off game", 16, 2);
    AddGamePositions(v, Handicap(2), "bishop-off game", 16, 2);
    AddGamePositions(v, Handicap(3), "rook-off game", 16, 2);
    AddGamePositions(v, Handicap(5), "two-piece game", 16, 2);
    v.push_back(Sparse("hands full",
                       {{0x15, 136},
                        {0x14, 133},
                        {0x16, 133},
                        {0x95, 8},
                        {0x94, 5},
                        {0x96, 5},
                        {0x33, 129},
                        {0x37, 129},
                        {0x73, 1},
                        {0x77, 1}},
                       {4, 1, 2, 2, 0, 1, 1}, {5, 2, 1, 1, 1, 1, 1}));
    v.push_back(Sparse("hands, open kings",
                       {{0x25, 136}, {0x85, 8}, {0x34, 132}, {0x76, 4}, {0x41, 129}, {0x69, 1}},
                       {6, 2, 1, 1, 2, 1, 0}, {7, 2, 2, 1, 2, 1, 2}));
    v.push_back(Sparse("hands, castled",
                       {{0x12, 136},
                        {0x13, 133},
                        {0x22, 132},
                        {0x31, 129},
                        {0x32, 129},
                        {0x98, 8},
                        {0x97, 5},
                        {0x88, 4},
                        {0x79, 1},
                        {0x78, 1}},
                       {5, 2, 2, 1, 1, 1, 1}, {6, 2, 2, 2, 2, 1, 1}));
    v.push_back(Sparse("ending R+G vs G",
                       {{0x13, 136}, {0x52, 135}, {0x64, 133}, {0x97, 8}, {0x86, 5}}, {2, 0, 0, 1},
                       {3, 0, 1}));
    v.push_back(Sparse("ending dragons",
                       {{0x12, 136}, {0x23, 133}, {0x73, 143}, {0x98, 8}, {0x37, 15}, {0x88, 4}},
                       {1, 1}, {2, 0, 0, 0, 1}));
    v.push_back(
        Sparse("mate in 1", {{0x15, 136}, {0x95, 8}, {0x75, 129}}, {0, 0, 0, 0, 1}, {}));
    v.push_back(Sparse("mate in 3",
                       {{0x13, 136}, {0x71, 7}, {0x73, 143}, {0x84, 142}, {0x91, 8}, {0x98, 3}},
                       {0, 0, 0, 0, 0, 0, 1}, {}));
    v.push_back(
        Sparse("mate in 5", {{0x14, 136}, {0x68, 135}, {0x91, 8}}, {0, 0, 0, 0, 1, 1, 0}, {}));
    v.push_back(Sparse("pawn-drop trap", {{0x17, 136}, {0x78, 143}, {0x99, 8}}, {1}, {}));
    return v;
}

std::string MoveText(unsigned int w)
{
    const int src = w & 0xff, dst = (w >> 8) & 0xff, code = (w >> 16) & 0xff;
    const bool promote = (w >> 24) != 0;
    static const char *kinds = ".PLNSGBRK+++++HD";
    char buf[32];
    if (src == 255)
        std::snprintf(buf, sizeof buf, "%c*%x%x", kinds[code & 15], (dst >> 4) + 1, (dst & 15) + 1);
    else
        std::snprintf(buf, sizeof buf, "%c%x%x-%x%x%s", kinds[code & 15], (src >> 4) + 1,
                      (src & 15) + 1, (dst >> 4) + 1, (dst & 15) + 1, promote ? "+" : "");
    return buf;
}

} // namespace

int RunThinkBench(int argc, char **argv)
{
    bool depthOnly = false;
    int onlyLevel = -1;
    const char *expected = nullptr;
    for (int i = 0; i < argc; i++) {
        if (std::strcmp(argv[i], "--depth-only") == 0) {
            depthOnly = true;
        } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
            onlyLevel = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--expect") == 0 && i + 1 < argc) {
            expected = argv[++i];
        } else {
            std::fprintf(stderr, "usage: korvane-bench think [--depth-only] [--level 0|1|2]"
                                 " [--expect SIGNATURE]\n");
            return 2;
        }
    }

    const std::vector<Position> positions = MakePositions();
    auto z = std::make_unique<CZelkor>();
    if (z->InitGame() != 0) {
        std::fprintf(stderr, "cannot allocate the result table\n");
        return 1;
    }
    z->m_bNoTimeLimit = depthOnly;
    std::printf("%-22s %5s %5s %8s %10s %10s  %s\n", "position", "level", "depth", "cpu s", "nodes",
                "nodes/s", "move");
    std::uint64_t signature = 0;
    double cpuTotal = 0;
    for (int level = 0; level < 3; level++) {
        if (onlyLevel >= 0 && level != onlyLevel)
            continue;
        z->SetComLevel(level);
        int inTime = 0, counted = 0;
        for (const Position &p : positions) {
            Hand(*z, p);
            unsigned int word = 0;
            int result = -1;
            const std::clock_t t0 = std::clock();
            z->OnFindMove(1, &word, &result);
            const double cpu = static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC;
            const std::uint64_t nodes = z->m_nSearchNodes;
            signature += nodes;
            cpuTotal += cpu;
            // Within the limit the clock has stopped nothing: the think went to
            // the level's depth or ended earlier on a decided value.
            counted++;
            if (cpu <= kLevelSeconds[level])
                inTime++;
            std::printf("%-22s %5d %5d %8.3f %10llu %10.0f  %s (%d)\n", p.name.c_str(), level,
                        z->m_nCompletedDepth, cpu, static_cast<unsigned long long>(nodes),
                        cpu > 0 ? nodes / cpu : 0.0,
                        z->m_bThinkMoved ? MoveText(word).c_str() : "-", result);
        }
        std::printf("level %d: done within %d s on %d of %d positions (%.0f%%)\n", level,
                    kLevelSeconds[level], inTime, counted, 100.0 * inTime / counted);
    }
    std::printf("total: %zu positions, %.3f s of processor time, signature %llu%s\n",
                positions.size(), cpuTotal, static_cast<unsigned long long>(signature),
                depthOnly ? "" : " (time limits on: not comparable between runs)");
    if (expected && std::to_string(signature) != expected) {
        std::printf("signature %llu differs from the expected %s\n",
                    static_cast<unsigned long long>(signature), expected);
        return 1;
    }
    return 0;
}
