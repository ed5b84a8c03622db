// Engine benchmark: make/unmake throughput over a fixed set of random games.
//
//   korvane-bench [games] [seconds]
//   korvane-bench think [--depth-only] [--level N]   (see think.cpp)
//   korvane-bench selfplay GAMES [options]           (see selfplay.cpp)
//
// Prints the pairs per second and a checksum of the key words reached at the
// end of every game, so that two builds or runs can be compared.
#include "Zelkor.h"
#include "selfplay.h"
#include "think.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

struct Move
{
    int src, dst, kind, naru;
};

// xorshift64*: the game set must not depend on the standard library.
struct Rng
{
    std::uint64_t state;
    std::uint32_t Next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return static_cast<std::uint32_t>((state * 2685821657736338717ull) >> 32);
    }
};

void LegalMoves(CZelkor &z, bool com, std::vector<Move> &moves)
{
    moves.clear();
    for (int s = 0x11; s <= 0x99; s++) {
        int c = z.m_nBoard[s];
        if (c == 0 || c == 255 || (c > 128) != com)
            continue;
        int count = 0;
        unsigned char out[81];
        z.SearchMovablePos(((s & 15) - 1) << 4 | ((s >> 4) - 1), &count, out);
        for (int i = 0; i < count; i++) {
            int dst = ((out[i] & 15) + 1) * 16 + (out[i] >> 4) + 1;
            int r = z.CheckMoveable(s, dst, c);
            if (r == 0 || r == 11)
                moves.push_back({s, dst, z.m_nBoard[dst], 0});
            if (r == 11 || r == 13)
                moves.push_back({s, dst, z.m_nBoard[dst], 8});
        }
    }
    const int *hand = com ? z.m_nCaptByCom : z.m_nCaptByMan;
    for (int k = 1; k <= 7; k++) {
        if (hand[k] == 0)
            continue;
        for (int s = 0x11; s <= 0x99; s++) {
            int code = k + (com ? 128 : 0);
            if (z.m_nBoard[s] == 0 && z.CheckMoveable(255, s, code) == 0)
                moves.push_back({255, s, code, 0});
        }
    }
}

void Make(CZelkor &z, const Move &m)
{
    if (m.src == 255)
        z.MoveKomaOnCapt(m.dst, m.kind);
    else
        z.MoveKomaOnBoard(m.dst, m.src, m.naru);
}

void Unmake(CZelkor &z, const Move &m)
{
    if (m.src == 255)
        z.BackKomaToCapt(m.dst);
    else
        z.BackKomaOnBoard(m.dst, m.src, m.naru, m.kind);
}

void StartPosition(CZelkor &z)
{
    std::memcpy(z.m_nBoard, zelkor::kIniBoard, sizeof(z.m_nBoard));
    std::memset(z.m_nCaptByCom, 0, sizeof(z.m_nCaptByCom));
    std::memset(z.m_nCaptByMan, 0, sizeof(z.m_nCaptByMan));
    z.InitBoard();
}

// Random legal games from the initial position; each is played forward
// and taken back, so the engine ends where it started.
std::vector<std::vector<Move>> MakeGames(CZelkor &z, int nGames, int maxPly)
{
    Rng rng{0x4b6f7276616e65ull};
    std::vector<std::vector<Move>> games(nGames);
    std::vector<Move> moves;
    for (auto &game : games) {
        for (int ply = 0; ply < maxPly; ply++) {
            LegalMoves(z, ply % 2 == 1, moves);
            if (moves.empty())
                break;
            game.push_back(moves[rng.Next() % moves.size()]);
            Make(z, game.back());
        }
        for (auto it = game.rbegin(); it != game.rend(); ++it)
            Unmake(z, *it);
    }
    return games;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "think") == 0)
        return RunThinkBench(argc - 2, argv + 2);
    if (argc > 1 && std::strcmp(argv[1], "selfplay") == 0)
        return RunSelfPlay(argc - 2, argv + 2);
    int nGames = argc > 1 ? std::atoi(argv[1]) : 200;
    double minSeconds = argc > 2 ? std::atof(argv[2]) : 2.0;
    if (nGames < 1 || minSeconds <= 0) {
        std::fprintf(stderr, "usage: korvane-bench [games] [seconds]\n");
        return 2;
    }

    auto z = std::make_unique<CZelkor>();
    StartPosition(*z);
    auto games = MakeGames(*z, nGames, 160);
    long pliesPerRound = 0;
    for (const auto &g : games)
        pliesPerRound += static_cast<long>(g.size());

    const std::uint32_t start1 = z->m_dwBoard1, start2 = z->m_dwBoard2;
    std::uint32_t checksum = 0;
    long pairs = 0;
    int rounds = 0;
    // Processor time, so that other load on the machine does not count.
    const std::clock_t t0 = std::clock();
    double elapsed = 0;
    do {
        checksum = 0;
        for (const auto &g : games) {
            for (const Move &m : g)
                Make(*z, m);
            checksum = (checksum * 31u + z->m_dwBoard1) ^ (z->m_dwBoard2 + z->m_dwDai);
            for (auto it = g.rbegin(); it != g.rend(); ++it)
                Unmake(*z, *it);
        }
        pairs += pliesPerRound;
        rounds++;
        elapsed = static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC;
    } while (elapsed < minSeconds);

    if (z->m_dwBoard1 != start1 || z->m_dwBoard2 != start2) {
        std::fprintf(stderr, "key words not restored after the games\n");
        return 1;
    }
    std::printf("games %d, plies %ld, rounds %d\n", nGames, pliesPerRound, rounds);
    std::printf("make/unmake pairs: %ld in %.3f s of processor time = %.0f pairs/s\n", pairs,
                elapsed, pairs / elapsed);
    std::printf("checksum %08x\n", static_cast<unsigned>(checksum));
    return 0;
}
