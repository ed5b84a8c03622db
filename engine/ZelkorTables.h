// The engine's constant tables and named constants, all at namespace scope
// and fixed at compile time. Each table says what its indices mean; a row is
// laid out as it reads, so the formatter is kept off them.
#ifndef KORVANE_ZELKORTABLES_H
#define KORVANE_ZELKORTABLES_H

#include <cstdint>
#include <type_traits>

// One direction of each line piece, four times round: rook step, bishop step.
struct STEP_ON_DIR
{
    int nStepHisha;
    int nStepKaku;
};

struct WEIGHT_DAIKOMAS
{
    int nWeight[32]; // value of holding n pieces of one kind, by n
};

namespace zelkor {

// ---- piece codes -----------------------------------------------------------
// A code is kind (1 pawn, 2 lance, 3 knight, 4 silver, 5 gold, 6 bishop,
// 7 rook, 8 king), plus kPromoted when promoted, plus kComFlag for Com's
// pieces. The mailbox frame holds kFrame, a square's empty value is 0.
constexpr int kPawn = 1, kLance = 2, kKnight = 3, kSilver = 4, kGold = 5, kBishop = 6,
              kRook = 7, kKing = 8;
constexpr int kPromoted = 8;
constexpr int kComFlag = 128;
constexpr int kFrame = 255;
static_assert(kKing == kPromoted && (kKing | kComFlag) == 136, "a king is kind 8, never promoted");
static_assert((kRook + kPromoted) == 15 && 15 < kComFlag, "codes & 15 index the kind tables");
static_assert(kFrame > (kComFlag | 15), "the frame is no piece of either side");

// Source square of a drop, in every move record.
constexpr int kDrop = 255;
static_assert(kDrop > 0x99, "no playing square is a drop");

// Attack-list entries are piece numbers 1..40; an entry that reaches the
// square only through another piece carries the x-ray flag.
constexpr int kXray = 128;
static_assert(kXray > 40, "the flag stays clear of every piece number");

// A won or lost position, and the bound of every search window.
constexpr int kMateScore = 30000;

// ---- steps ------------------------------------------------------------------
// The king's eight steps, as Com sees them: 0 forward, 1..2 forward
// diagonal, 3..4 sideways, 5 back, 6..7 back diagonal. Index i is also the
// row of kAroundCode, kNeckOnAround and kAttractDir.
constexpr int kKingSteps[8] = {16, 15, 17, 1, -1, -16, -15, -17};
// [i]: the step a piece on t - kKingSteps[i] (in its own side's view) takes
// to reach t: 0 forward, 1 forward diagonal, 2 sideways or back, 3 back diagonal.
constexpr int kAroundCode[8] = {0, 1, 1, 2, 2, 2, 3, 3};

// Indexed by direction 0..3 round the clock.
constexpr STEP_ON_DIR kStepOfHiKaku[4] = {{1, 17}, {16, 15}, {-1, -17}, {-16, -15}};

// ---- material ---------------------------------------------------------------
// Indexed by code & 15.
// clang-format off
constexpr int kBaseWeight[9] = {0, 200, 860, 900, 1280, 1380, 1780, 2080, 19998};
constexpr int kAddWeightOnNaru[16] = {
//  -  P    L    N    S   G  B    R    K  +P +L +N +S  -  +B +R
    0, 320, 200, 190, 30, 0, 260, 260, 0, 0, 0, 0, 0, 0, 0, 0};
// clang-format on

// Exchange value (weight2) and half of it (weight1), indexed by code & 15; a
// promoted piece is its kind plus its promotion bonus.
struct Weights
{
    int w1[16];
    int w2[16];
};
constexpr Weights MakeWeights()
{
    Weights t{};
    for (int v = 1; v <= 8; v++) {
        t.w2[v] = kBaseWeight[v];
        t.w1[v] = kBaseWeight[v] / 2;
    }
    for (int v = 9; v <= 15; v++) {
        if (v == 13)
            continue;
        t.w1[v] = t.w1[v - 8] + kAddWeightOnNaru[v - 8];
        t.w2[v] = t.w2[v - 8] + kAddWeightOnNaru[v - 8];
    }
    return t;
}
inline constexpr Weights kWeights = MakeWeights();
inline constexpr const int (&kWeight1)[16] = kWeights.w1;
inline constexpr const int (&kWeight2)[16] = kWeights.w2;

// Value of holding n pieces of a kind: [base kind 1..7].nWeight[n].
// clang-format off
constexpr WEIGHT_DAIKOMAS kWeightDaiKomas[8] = {
    {{0}},
    {{0, 115, 220, 320, 415, 505, 590, 670, 745, 815, 880, 940, 965, 978, 986, 992, 996, 998, 999}},
    {{0, 480, 940, 1380, 1810}},
    {{0, 510, 990, 1450, 1900}},
    {{0, 720, 1400, 2050, 2690}},
    {{0, 780, 1510, 2210, 2900}},
    {{0, 1110, 2215}},
    {{0, 1270, 2530}},
};
// clang-format on

// ---- mate search -------------------------------------------------------------
// [step class 0..3 of kAroundCode][code & 15]: 1 where a piece of that code
// makes a step of that class.
// clang-format off
constexpr int kMarkOnCode[4][16] = {
//   -  P  L  N  S  G  B  R  K +P +L +N +S  - +B +R
    {0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1},
    {0, 0, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1},
    {0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1},
    {0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1},
};
// [step class 0..3]: the count, then the base kinds that make such a step.
constexpr int kKomaOnCode[4][8] = {
    {5, 1, 2, 4, 5, 7},
    {3, 4, 5, 6},
    {2, 5, 7},
    {2, 4, 6},
};
// [king step i][base kind k]: for a kind-k drop on the king's step i, the
// king's steps (bit j for kKingSteps[j]) that must already be closed for the
// drop to mate; 0: that drop is not tried.
constexpr int kNeckOnAround[8][8] = {
    {0, 0, 251, 0, 231, 135, 0, 155},
    {0, 0, 0,   0, 247, 119, 253, 0},
    {0, 0, 0,   0, 239, 111, 254, 0},
    {0, 0, 0,   0, 0,   217, 0,   213},
    {0, 0, 0,   0, 0,   186, 0,   174},
    {0, 0, 0,   0, 0,   252, 0,   124},
    {0, 0, 0,   0, 255, 0,   191, 0},
    {0, 0, 0,   0, 255, 0,   223, 0},
};
// [king step i of a piece lured away]: the count, then the king steps j
// whose squares are tried for the check that follows.
constexpr int kAttractDir[8][8] = {
    {3, 5, 6, 7},
    {5, 6, 3, 2, 5, 7},
    {5, 7, 4, 1, 5, 6},
    {3, 4, 1, 7},
    {3, 3, 2, 6},
    {3, 0, 1, 2},
    {5, 1, 0, 2, 4, 7},
    {5, 2, 3, 6, 0, 1},
};
// [step class d]: the base kinds kUtsuFrom[d] <= k < kUtsuTo[d] tried as
// drops that make a step of class d (knights excepted).
constexpr int kUtsuFrom[4] = {1, 4, 5, 4};
constexpr int kUtsuTo[4]   = {6, 6, 6, 5};

// ---- attack rays -------------------------------------------------------------
// By code & 15, how far a piece reaches in one direction: 0 not at all,
// 1 one step, 2 any distance (forward, sideways or back, forward diagonal,
// back diagonal).
//                             -  P  L  N  S  G  B  R  K +P +L +N +S  - +B +R
constexpr int kForward[16]  = {0, 1, 2, 0, 1, 1, 0, 2, 0, 1, 1, 1, 1, 0, 1, 2};
constexpr int kHorzBack[16] = {0, 0, 0, 0, 0, 1, 0, 2, 0, 1, 1, 1, 1, 0, 1, 2};
constexpr int kForwDiag[16] = {0, 0, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 2, 1};
constexpr int kBackDiag[16] = {0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 1};
// clang-format on

// ---- squares -----------------------------------------------------------------
// [row - 1][col - 1] of the even game, Com at the top.
// clang-format off
constexpr int kIniRows[9][9] = {
    {130, 131, 132, 133, 136, 133, 132, 131, 130},
    {0,   135, 0,   0,   0,   0,   0,   134, 0},
    {129, 129, 129, 129, 129, 129, 129, 129, 129},
    {0,   0,   0,   0,   0,   0,   0,   0,   0},
    {0,   0,   0,   0,   0,   0,   0,   0,   0},
    {0,   0,   0,   0,   0,   0,   0,   0,   0},
    {1,   1,   1,   1,   1,   1,   1,   1,   1},
    {0,   6,   0,   0,   0,   0,   0,   7,   0},
    {2,   3,   4,   5,   8,   5,   4,   3,   2},
};
// [row - 4][col - 1]: the battle score of a king out of its camp, rows 4..9
// counted from its own side.
constexpr int kAddOnOutRows[6][9] = {
    {150,  120,  80,   50,   30,   50,   80,   120,  150},
    {450,  430,  400,  390,  370,  390,  400,  430,  450},
    {900,  880,  860,  840,  800,  840,  860,  880,  900},
    {1300, 1280, 1250, 1210, 1190, 1210, 1250, 1280, 1300},
    {1550, 1500, 1450, 1420, 1400, 1420, 1450, 1500, 1550},
    {1600, 1600, 1550, 1500, 1480, 1500, 1550, 1600, 1600},
};
// clang-format on

// Mailbox tables, indexed by square 16 * row + col.
struct SquareTables
{
    int iniBoard[256]; // the even game; kFrame round the board
    int iniOnPos[256]; // centrality: 3 at the centre, less outwards, 0 off the board
    int addOnOut[256]; // kAddOnOutRows spread over the mailbox
};
constexpr SquareTables MakeSquareTables()
{
    SquareTables t{};
    for (int i = 0; i <= 10; i++) {
        t.iniBoard[i] = kFrame;
        t.iniBoard[160 + i] = kFrame;
        t.iniBoard[16 * i] = kFrame;
        t.iniBoard[16 * i + 10] = kFrame;
    }
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int s = 16 * row + col;
            const int dr = row < 5 ? 5 - row : row - 5, dc = col < 5 ? 5 - col : col - 5;
            t.iniOnPos[s] = 3 - dr - dc;
            if (row >= 4)
                t.addOnOut[s] = kAddOnOutRows[row - 4][col - 1];
            t.iniBoard[s] = kIniRows[row - 1][col - 1];
        }
    }
    return t;
}
inline constexpr SquareTables kSquares = MakeSquareTables();
inline constexpr const int (&kIniBoard)[256] = kSquares.iniBoard;
inline constexpr const int (&kIniOnPos)[256] = kSquares.iniOnPos;
inline constexpr const int (&kAddOnOut)[256] = kSquares.addOnOut;

// ---- evaluation factors --------------------------------------------------------
// Position-score factors: [0] a pawn's share of the gold attack table, [1]
// Man's defence, [2..4] Com's defence by pawn, lance, knight.
constexpr double kRate[5] = {1.9, 0.819672131147541, 0.35, 0.15, 0.25};
// Scalings of the attack and defence terms: [0..3] a loss on rows 4..7 (Man's
// count; [0] also a lance's or knight's gain), [4] a loss of a promoted pawn,
// lance or knight, [5] a gain of a promoted pawn, lance, knight or silver,
// [6] a defence loss, [7] a defence gain.
constexpr double kAdjuster[8] = {0.5, 0.25, 0.125, 0.05, 0.6666666666666666, 1.3333333333333333,
                                 0.016666666666666666, 0.06666666666666667};

// ---- Com's hand in the position key --------------------------------------------
// [base kind]: the first bit and the width of its count (pawns 0..4, lances
// 5..7, knights 8..10, silvers 11..13, golds 14..16, bishops 17..18, rooks 19..20).
constexpr int kDaiShift[8] = {0, 0, 5, 8, 11, 14, 17, 19};
constexpr int kDaiWidth[8] = {0, 5, 3, 3, 3, 3, 2, 2};
struct DaiTables
{
    std::uint32_t code[8]; // one piece of the kind
    std::uint32_t bits[8]; // the kind's whole field
};
constexpr DaiTables MakeDaiTables()
{
    DaiTables t{};
    for (int k = 1; k <= 7; k++) {
        t.code[k] = 1u << kDaiShift[k];
        t.bits[k] = ((1u << kDaiWidth[k]) - 1) << kDaiShift[k];
    }
    return t;
}
inline constexpr DaiTables kDai = MakeDaiTables();
inline constexpr const std::uint32_t (&kDaiCode)[8] = kDai.code;
inline constexpr const std::uint32_t (&kDaiBits)[8] = kDai.bits;
static_assert(kDaiShift[7] + kDaiWidth[7] <= 32, "the hand fits one word");
static_assert(kDaiShift[2] == kDaiShift[1] + kDaiWidth[1] && kDaiShift[7] == kDaiShift[6] + kDaiWidth[6],
              "the fields follow each other");
static_assert((1 << kDaiWidth[1]) > 18 && (1 << kDaiWidth[6]) > 2, "every count fits its field");

// ---- random numbers and the result table ----------------------------------------
// Park-Miller minimal standard generator (Schrage): modulus, quotient,
// multiplier, remainder.
constexpr int kRandParam[4] = {2147483647, 127773, 16807, 2836};
static_assert(kRandParam[1] == kRandParam[0] / kRandParam[2] &&
                  kRandParam[3] == kRandParam[0] % kRandParam[2],
              "Schrage's decomposition of the modulus");
// [probe - 1]: the distance of the later probes of one key from its first slot.
// clang-format off
constexpr int kGoldenDist[16] = {-565, -137, -779, -257, -183, -111, -807, -774,
                                 -247, -369, -715, -401, -656, -544, -363, -217};
// clang-format on

// ---- king-relative percentages -----------------------------------------------------
// Flat [18 * 16] tables read through KingRelIndex: 16 * (d + 8) + |dc|, d the
// signed row distance (-8..9), dc the column distance (0..8; 9..15 unused).
constexpr int kKingRelRows = 18, kKingRelCols = 9, kKingRelStride = 16;
struct KingRelTable
{
    int v[kKingRelRows * kKingRelStride];
};
constexpr KingRelTable Widen(const int (&rows)[kKingRelRows][kKingRelCols])
{
    KingRelTable t{};
    for (int r = 0; r < kKingRelRows; r++)
        for (int c = 0; c < kKingRelCols; c++)
            t.v[kKingRelStride * r + c] = rows[r][c];
    return t;
}
// Percent of a rook's attack (kHiAtt), a gold's attack (kKinAtt) and a gold's
// defence (kKinDef) a square keeps, by its place relative to a king.
// clang-format off
constexpr int kHiAttRows[kKingRelRows][kKingRelCols] = {
    {  0,   0,   0,   0,   0,   0,   0,   0,   0},
    {  0,   0,   0,   0,   0,   0,   0,   0,   0},
    {  0,   0,   0,   0,   0,   0,   0,   0,   0},
    {  0,   0,   0,   0,   0,   0,   0,   0,   0},
    {  0,   0,   0,   0,   0,   0,   0,   0,  -2},
    {  4,   2,   1,   0,   0,  -2,  -5,  -9, -11},
    { 23,  17,   8,   1,  -4, -15, -20, -24, -27},
    { 17,  12,   9,  -2, -19, -25, -30, -33, -35},
    { 15,  12,   1, -17, -30, -41, -44, -46, -47},
    {  7,   5,   0, -24, -39, -48, -48, -49, -49},
    {-14, -16, -28, -42, -37, -50, -50, -50, -50},
    {-45, -48, -49, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
};
constexpr int kKinAttRows[kKingRelRows][kKingRelCols] = {
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-38, -40, -42, -48, -50, -50, -50, -50, -50},
    {-20, -32, -28, -33, -45, -49, -50, -50, -50},
    {  0,  -1,  -5, -13, -22, -31, -50, -50, -50},
    { 40,  30,  10,   0,  -5, -25, -46, -50, -50},
    { 70,  60,  42,  14,  -2, -20, -38, -45, -50},
    { 70,  65,  50,  21,  -6, -22, -42, -48, -50},
    { 70,  45,  37,  15,  -9, -25, -43, -50, -50},
    { 32,  32,  29,   2, -16, -29, -49, -50, -50},
    {  0,  -3,  -5, -15, -30, -38, -50, -50, -50},
    {-10, -15, -20, -32, -40, -47, -50, -50, -50},
    {-30, -34, -38, -45, -48, -50, -50, -50, -50},
    {-46, -47, -49, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
};
constexpr int kKinDefRows[kKingRelRows][kKingRelCols] = {
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-44, -47, -50, -50, -50, -50, -50, -50, -50},
    {-36, -39, -45, -50, -50, -50, -50, -50, -50},
    {-21, -23, -30, -35, -46, -49, -50, -50, -50},
    {  0,  -1,  -5, -13, -26, -42, -50, -50, -50},
    { 16,  17,   1,  -5, -12, -33, -46, -50, -50},
    { 31,  29,  24,  14, -10, -29, -41, -49, -50},
    { 37,  38,  32,  16,  -4, -24, -39, -47, -50},
    { 42,  42,  36,  18,  -2, -21, -36, -48, -50},
    { 32,  32,  29,   9,  -5, -25, -40, -49, -50},
    { 21,  20,   5,  -3, -16, -34, -46, -50, -50},
    { -5,  -7, -11, -25, -32, -42, -49, -50, -50},
    {-21, -24, -31, -40, -47, -50, -50, -50, -50},
    {-36, -39, -45, -49, -50, -50, -50, -50, -50},
    {-44, -48, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
    {-50, -50, -50, -50, -50, -50, -50, -50, -50},
};
// clang-format on
inline constexpr KingRelTable kHiAtt = Widen(kHiAttRows), kKinAtt = Widen(kKinAttRows),
                              kKinDef = Widen(kKinDefRows);
inline constexpr const int (&kHiAttPcnt)[288] = kHiAtt.v;
inline constexpr const int (&kKinAttPcnt)[288] = kKinAtt.v;
inline constexpr const int (&kKinDefPcnt)[288] = kKinDef.v;

// ---- shapes ---------------------------------------------------------------------
template <typename T, std::size_t R, std::size_t C = 0>
constexpr bool Shape = std::extent_v<T, 0> == R && std::extent_v<T, 1> == C;
static_assert(Shape<decltype(kKingSteps), 8> && Shape<decltype(kAroundCode), 8>);
static_assert(Shape<decltype(kStepOfHiKaku), 4> && Shape<decltype(kWeightDaiKomas), 8>);
static_assert(Shape<decltype(kBaseWeight), kKing + 1> && Shape<decltype(kAddWeightOnNaru), 16>);
static_assert(Shape<decltype(kMarkOnCode), 4, 16> && Shape<decltype(kKomaOnCode), 4, 8>);
static_assert(Shape<decltype(kNeckOnAround), 8, 8> && Shape<decltype(kAttractDir), 8, 8>);
static_assert(Shape<decltype(kUtsuFrom), 4> && Shape<decltype(kUtsuTo), 4>);
static_assert(Shape<decltype(kForward), 16> && Shape<decltype(kHorzBack), 16> &&
              Shape<decltype(kForwDiag), 16> && Shape<decltype(kBackDiag), 16>);
static_assert(Shape<decltype(kIniRows), 9, 9> && Shape<decltype(kAddOnOutRows), 6, 9>);
static_assert(Shape<decltype(kRate), 5> && Shape<decltype(kAdjuster), 8>);
static_assert(Shape<decltype(kDaiShift), 8> && Shape<decltype(kDaiWidth), 8>);
static_assert(Shape<decltype(kRandParam), 4> && Shape<decltype(kGoldenDist), 16>);
static_assert(kKingRelRows * kKingRelStride == 288 && kKingRelCols <= kKingRelStride);
static_assert(kWeight2[kRook + kPromoted] == kBaseWeight[kRook] + kAddWeightOnNaru[kRook]);
static_assert(kIniBoard[0x15] == (kKing | kComFlag) && kIniBoard[0x95] == kKing &&
              kIniBoard[0x0a] == kFrame);

} // namespace zelkor

#endif
