// The engine's constant tables, all loaded here.
#include "Zelkor.h"

#include <cstdlib>
#include <cstring>

namespace {

template <typename T, std::size_t N> void Load(T (&dst)[N], const T (&src)[N])
{
    std::memcpy(dst, src, sizeof(dst));
}

// Percent table rows: nine values, the rest of the 16 columns zero.
#define PCNT_ROW(a, b, c, d, e, f, g, h, i) a, b, c, d, e, f, g, h, i, 0, 0, 0, 0, 0, 0, 0
#define PCNT_50 PCNT_ROW(-50, -50, -50, -50, -50, -50, -50, -50, -50)

} // namespace

void ZelkorCore::AssignConstants()
{
    // Material: m_nWeight2 for the base kinds; the rest is derived below.
    static const int weight2[9] = {0, 200, 860, 900, 1280, 1380, 1780, 2080, 19998};
    static const int addWeightOnNaru[16] = {0, 320, 200, 190, 30, 0, 260, 260,
                                            0, 0,   0,   0,   0,  0, 0,   0};
    Load(m_nAddWeightOnNaru, addWeightOnNaru);
    std::memset(m_nWeight1, 0, sizeof(m_nWeight1));
    std::memset(m_nWeight2, 0, sizeof(m_nWeight2));
    for (int v = 1; v <= 8; v++) {
        m_nWeight2[v] = weight2[v];
        m_nWeight1[v] = weight2[v] / 2;
    }
    for (int v = 9; v <= 15; v++) {
        if (v == 13)
            continue;
        m_nWeight1[v] = m_nWeight1[v - 8] + m_nAddWeightOnNaru[v - 8];
        m_nWeight2[v] = m_nWeight2[v - 8] + m_nAddWeightOnNaru[v - 8];
    }

    static const WEIGHT_DAIKOMAS weightDaiKomas[8] = {
        {{0}},
        {{0, 115, 220, 320, 415, 505, 590, 670, 745, 815, 880, 940, 965, 978, 986, 992, 996, 998,
          999}},
        {{0, 480, 940, 1380, 1810}},
        {{0, 510, 990, 1450, 1900}},
        {{0, 720, 1400, 2050, 2690}},
        {{0, 780, 1510, 2210, 2900}},
        {{0, 1110, 2215}},
        {{0, 1270, 2530}},
    };
    std::memcpy(m_weightDaiKomas, weightDaiKomas, sizeof(m_weightDaiKomas));

    // Directions
    static const STEP_ON_DIR stepOfHiKaku[4] = {{1, 17}, {16, 15}, {-1, -17}, {-16, -15}};
    std::memcpy(m_stepOfHiKaku, stepOfHiKaku, sizeof(m_stepOfHiKaku));
    static const int aroundStep[8] = {16, 15, 17, 1, -1, -16, -15, -17};
    static const int aroundCode[8] = {0, 1, 1, 2, 2, 2, 3, 3};
    Load(m_nAroundStep, aroundStep);
    Load(m_nAroundCode, aroundCode);
    static const int markOnCode[4][16] = {
        {0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1},
        {0, 0, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1},
        {0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1},
        {0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1},
    };
    std::memcpy(m_nMarkOnCode, markOnCode, sizeof(m_nMarkOnCode));
    static const int komaOnCode[4][8] = {
        {5, 1, 2, 4, 5, 7},
        {3, 4, 5, 6},
        {2, 5, 7},
        {2, 4, 6},
    };
    std::memcpy(m_nKomaOnCode, komaOnCode, sizeof(m_nKomaOnCode));
    static const int neckOnAround[8][8] = {
        {0, 0, 251, 0, 231, 135, 0, 155}, {0, 0, 0, 0, 247, 119, 253, 0},
        {0, 0, 0, 0, 239, 111, 254, 0},   {0, 0, 0, 0, 0, 217, 0, 213},
        {0, 0, 0, 0, 0, 186, 0, 174},     {0, 0, 0, 0, 0, 252, 0, 124},
        {0, 0, 0, 0, 255, 0, 191, 0},     {0, 0, 0, 0, 255, 0, 223, 0},
    };
    std::memcpy(m_nNeckOnAround, neckOnAround, sizeof(m_nNeckOnAround));
    static const int attractDir[8][8] = {
        {3, 5, 6, 7}, {5, 6, 3, 2, 5, 7}, {5, 7, 4, 1, 5, 6}, {3, 4, 1, 7},
        {3, 3, 2, 6}, {3, 0, 1, 2},       {5, 1, 0, 2, 4, 7}, {5, 2, 3, 6, 0, 1},
    };
    std::memcpy(m_nAttractDir, attractDir, sizeof(m_nAttractDir));
    static const int utsuFrom[4] = {1, 4, 5, 4};
    static const int utsuTo[4] = {6, 6, 6, 5};
    Load(m_nUtsuFrom, utsuFrom);
    Load(m_nUtsuTo, utsuTo);

    // Ray capacities by code & 15: 0 none, 1 one step, 2 any distance.
    static const int forward[16] = {0, 1, 2, 0, 1, 1, 0, 2, 0, 1, 1, 1, 1, 0, 1, 2};
    static const int horzBack[16] = {0, 0, 0, 0, 0, 1, 0, 2, 0, 1, 1, 1, 1, 0, 1, 2};
    static const int forwDiag[16] = {0, 0, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 2, 1};
    static const int backDiag[16] = {0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 1};
    Load(m_nForward, forward);
    Load(m_nHorzBack, horzBack);
    Load(m_nForwDiag, forwDiag);
    Load(m_nBackDiag, backDiag);

    // Square tables
    static const int addOnOut[6][9] = {
        {150, 120, 80, 50, 30, 50, 80, 120, 150},
        {450, 430, 400, 390, 370, 390, 400, 430, 450},
        {900, 880, 860, 840, 800, 840, 860, 880, 900},
        {1300, 1280, 1250, 1210, 1190, 1210, 1250, 1280, 1300},
        {1550, 1500, 1450, 1420, 1400, 1420, 1450, 1500, 1550},
        {1600, 1600, 1550, 1500, 1480, 1500, 1550, 1600, 1600},
    };
    static const int iniBoard[9][9] = {
        {130, 131, 132, 133, 136, 133, 132, 131, 130},
        {0, 135, 0, 0, 0, 0, 0, 134, 0},
        {129, 129, 129, 129, 129, 129, 129, 129, 129},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {0, 6, 0, 0, 0, 0, 0, 7, 0},
        {2, 3, 4, 5, 8, 5, 4, 3, 2},
    };
    std::memset(m_nIniOnPos, 0, sizeof(m_nIniOnPos));
    std::memset(m_nAddOnOut, 0, sizeof(m_nAddOnOut));
    std::memset(m_nIniBoard, 0, sizeof(m_nIniBoard));
    for (int i = 0; i <= 10; i++) {
        m_nIniBoard[i] = 255;
        m_nIniBoard[160 + i] = 255;
        m_nIniBoard[16 * i] = 255;
        m_nIniBoard[16 * i + 10] = 255;
    }
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            int s = 16 * row + col;
            m_nIniOnPos[s] = 3 - std::abs(row - 5) - std::abs(col - 5);
            if (row >= 4)
                m_nAddOnOut[s] = addOnOut[row - 4][col - 1];
            m_nIniBoard[s] = iniBoard[row - 1][col - 1];
        }
    }

    static const double rate[5] = {1.9, 0.819672131147541, 0.35, 0.15, 0.25};
    static const double adjuster[8] = {0.5,
                                       0.25,
                                       0.125,
                                       0.05,
                                       0.6666666666666666,
                                       1.3333333333333333,
                                       0.016666666666666666,
                                       0.06666666666666667};
    Load(m_dRate, rate);
    Load(m_dAdjuster, adjuster);

    // Com's hand packed into m_dwDai: pawns bits 0..4, lances 5..7, knights 8..10,
    // silvers 11..13, golds 14..16, bishops 17..18, rooks 19..20.
    static const std::uint32_t daiCode[8] = {0, 1, 32, 256, 2048, 16384, 131072, 524288};
    static const std::uint32_t daiBits[8] = {0, 31, 224, 1792, 14336, 114688, 393216, 1572864};
    Load(m_dwDaiCode, daiCode);
    Load(m_dwDaiBits, daiBits);

    // Park-Miller minimal standard generator (Schrage): modulus, quotient,
    // multiplier, remainder.
    static const int randParam[4] = {2147483647, 127773, 16807, 2836};
    Load(m_nRandParam, randParam);
    static const int goldenDist[16] = {-565, -137, -779, -257, -183, -111, -807, -774,
                                       -247, -369, -715, -401, -656, -544, -363, -217};
    Load(m_nGoldenDist, goldenDist);

    static const int hiAttPcnt[288] = {
        PCNT_ROW(0, 0, 0, 0, 0, 0, 0, 0, 0),
        PCNT_ROW(0, 0, 0, 0, 0, 0, 0, 0, 0),
        PCNT_ROW(0, 0, 0, 0, 0, 0, 0, 0, 0),
        PCNT_ROW(0, 0, 0, 0, 0, 0, 0, 0, 0),
        PCNT_ROW(0, 0, 0, 0, 0, 0, 0, 0, -2),
        PCNT_ROW(4, 2, 1, 0, 0, -2, -5, -9, -11),
        PCNT_ROW(23, 17, 8, 1, -4, -15, -20, -24, -27),
        PCNT_ROW(17, 12, 9, -2, -19, -25, -30, -33, -35),
        PCNT_ROW(15, 12, 1, -17, -30, -41, -44, -46, -47),
        PCNT_ROW(7, 5, 0, -24, -39, -48, -48, -49, -49),
        PCNT_ROW(-14, -16, -28, -42, -37, -50, -50, -50, -50),
        PCNT_ROW(-45, -48, -49, -50, -50, -50, -50, -50, -50),
        PCNT_50,
        PCNT_50,
        PCNT_50,
        PCNT_50,
        PCNT_50,
        PCNT_50,
    };
    static const int kinAttPcnt[288] = {
        PCNT_50,
        PCNT_50,
        PCNT_ROW(-38, -40, -42, -48, -50, -50, -50, -50, -50),
        PCNT_ROW(-20, -32, -28, -33, -45, -49, -50, -50, -50),
        PCNT_ROW(0, -1, -5, -13, -22, -31, -50, -50, -50),
        PCNT_ROW(40, 30, 10, 0, -5, -25, -46, -50, -50),
        PCNT_ROW(70, 60, 42, 14, -2, -20, -38, -45, -50),
        PCNT_ROW(70, 65, 50, 21, -6, -22, -42, -48, -50),
        PCNT_ROW(70, 45, 37, 15, -9, -25, -43, -50, -50),
        PCNT_ROW(32, 32, 29, 2, -16, -29, -49, -50, -50),
        PCNT_ROW(0, -3, -5, -15, -30, -38, -50, -50, -50),
        PCNT_ROW(-10, -15, -20, -32, -40, -47, -50, -50, -50),
        PCNT_ROW(-30, -34, -38, -45, -48, -50, -50, -50, -50),
        PCNT_ROW(-46, -47, -49, -50, -50, -50, -50, -50, -50),
        PCNT_50,
        PCNT_50,
        PCNT_50,
        PCNT_50,
    };
    static const int kinDefPcnt[288] = {
        PCNT_50,
        PCNT_ROW(-44, -47, -50, -50, -50, -50, -50, -50, -50),
        PCNT_ROW(-36, -39, -45, -50, -50, -50, -50, -50, -50),
        PCNT_ROW(-21, -23, -30, -35, -46, -49, -50, -50, -50),
        PCNT_ROW(0, -1, -5, -13, -26, -42, -50, -50, -50),
        PCNT_ROW(16, 17, 1, -5, -12, -33, -46, -50, -50),
        PCNT_ROW(31, 29, 24, 14, -10, -29, -41, -49, -50),
        PCNT_ROW(37, 38, 32, 16, -4, -24, -39, -47, -50),
        PCNT_ROW(42, 42, 36, 18, -2, -21, -36, -48, -50),
        PCNT_ROW(32, 32, 29, 9, -5, -25, -40, -49, -50),
        PCNT_ROW(21, 20, 5, -3, -16, -34, -46, -50, -50),
        PCNT_ROW(-5, -7, -11, -25, -32, -42, -49, -50, -50),
        PCNT_ROW(-21, -24, -31, -40, -47, -50, -50, -50, -50),
        PCNT_ROW(-36, -39, -45, -49, -50, -50, -50, -50, -50),
        PCNT_ROW(-44, -48, -50, -50, -50, -50, -50, -50, -50),
        PCNT_50,
        PCNT_50,
        PCNT_50,
    };
    Load(m_nHiAttPcnt, hiAttPcnt);
    Load(m_nKinAttPcnt, kinAttPcnt);
    Load(m_nKinDefPcnt, kinDefPcnt);
}
