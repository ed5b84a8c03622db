#include "westernnotation.h"

#include "shogidoc.h"

#include <QRegularExpression>

namespace {
constexpr BYTE DropPos = 10;
constexpr BYTE Gold = 5, King = 8;
// Piece letters by kind 1..8.
constexpr char Letters[] = " PLNSGBRK";

struct Step
{
    int dx, dy; // dy in units of the owner's forward direction
};
// Single steps by kind (unpromoted) and for the gold-movers.
const Step GoldSteps[] = {{0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}};
const Step SilverSteps[] = {{0, 1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
const Step KingSteps[] = {{0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}, {-1, -1}, {1, -1}};
const Step KnightSteps[] = {{-1, 2}, {1, 2}};
const Step PawnSteps[] = {{0, 1}};
const Step Orthogonal[] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
const Step Diagonal[] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
const Step Forward[] = {{0, 1}};

template <size_t N> bool StepsReach(const Step (&steps)[N], int sx, int sy, int fy, int dx, int dy)
{
    for (const Step &s : steps)
        if (sx + s.dx == dx && sy + s.dy * fy == dy)
            return true;
    return false;
}

template <size_t N>
bool SlidesReach(const RecordBoard &b, const Step (&dirs)[N], int sx, int sy, int fy, int dx,
                 int dy)
{
    for (const Step &s : dirs) {
        int x = sx + s.dx, y = sy + s.dy * fy;
        while (x >= 0 && x < 9 && y >= 0 && y < 9) {
            if (x == dx && y == dy)
                return true;
            if (b.cell[x][y] != 0)
                break;
            x += s.dx;
            y += s.dy * fy;
        }
    }
    return false;
}

bool InZone(BYTE owner, int rank)
{
    return owner == 1 ? rank <= 3 : rank >= 7;
}

bool CanPromote(BYTE code)
{
    const BYTE kind = GetKomaSort(code);
    return GetKomaProperty(code) == 1 && kind != Gold && kind != King && kind >= 1 && kind <= 7;
}
} // namespace

void RecordSquare(bool firstUp, int x, int y, int &file, int &rank)
{
    file = firstUp ? x + 1 : 9 - x;
    rank = firstUp ? 9 - y : y + 1;
}

void DocumentSquare(bool firstUp, int file, int rank, int &x, int &y)
{
    x = firstUp ? file - 1 : 9 - file;
    y = firstUp ? 9 - rank : rank - 1;
}

QString WesternSquare(int file, int rank)
{
    return QString::number(file) + QChar('a' + rank - 1);
}

QString WesternPiece(BYTE code)
{
    const BYTE kind = GetKomaSort(code);
    if (kind < 1 || kind > 8)
        return QString();
    const QString letter = QString(QLatin1Char(Letters[kind]));
    return GetKomaProperty(code) == 2 ? QStringLiteral("+") + letter : letter;
}

bool Reaches(const RecordBoard &b, int sx, int sy, int dx, int dy)
{
    const BYTE code = b.cell[sx][sy];
    // The side at the bottom moves up the drawn board.
    const BYTE bottom = b.firstUp ? 2 : 1;
    const int fy = GetWhoseKoma(code) == bottom ? -1 : 1;
    const bool promoted = GetKomaProperty(code) == 2;
    switch (GetKomaSort(code)) {
    case 1:
        return promoted ? StepsReach(GoldSteps, sx, sy, fy, dx, dy)
                        : StepsReach(PawnSteps, sx, sy, fy, dx, dy);
    case 2:
        return promoted ? StepsReach(GoldSteps, sx, sy, fy, dx, dy)
                        : SlidesReach(b, Forward, sx, sy, fy, dx, dy);
    case 3:
        return promoted ? StepsReach(GoldSteps, sx, sy, fy, dx, dy)
                        : StepsReach(KnightSteps, sx, sy, fy, dx, dy);
    case 4:
        return promoted ? StepsReach(GoldSteps, sx, sy, fy, dx, dy)
                        : StepsReach(SilverSteps, sx, sy, fy, dx, dy);
    case 5:
        return StepsReach(GoldSteps, sx, sy, fy, dx, dy);
    case 6:
        return SlidesReach(b, Diagonal, sx, sy, fy, dx, dy) ||
               (promoted && StepsReach(Orthogonal, sx, sy, fy, dx, dy));
    case 7:
        return SlidesReach(b, Orthogonal, sx, sy, fy, dx, dy) ||
               (promoted && StepsReach(Diagonal, sx, sy, fy, dx, dy));
    case 8:
        return StepsReach(KingSteps, sx, sy, fy, dx, dy);
    default:
        return false;
    }
}

QString WesternMoveText(const RecordBoard &before, const KIBO &e)
{
    int toFile, toRank;
    RecordSquare(before.firstUp, e.dx, e.dy, toFile, toRank);
    const QString to = WesternSquare(toFile, toRank);
    if (e.sx == DropPos)
        return WesternPiece(e.skoma) + QLatin1Char('*') + to;
    QString text = WesternPiece(e.skoma);
    bool rival = false;
    for (int x = 0; x < 9 && !rival; ++x)
        for (int y = 0; y < 9 && !rival; ++y)
            rival = (x != e.sx || y != e.sy) && before.cell[x][y] == e.skoma &&
                    Reaches(before, x, y, e.dx, e.dy);
    int fromFile, fromRank;
    RecordSquare(before.firstUp, e.sx, e.sy, fromFile, fromRank);
    if (rival)
        text += WesternSquare(fromFile, fromRank);
    text += before.cell[e.dx][e.dy] != 0 ? QLatin1Char('x') : QLatin1Char('-');
    text += to;
    const BYTE owner = GetWhoseKoma(e.skoma);
    if (e.koma != e.skoma)
        text += QLatin1Char('+');
    else if (CanPromote(e.skoma) && (InZone(owner, fromRank) || InZone(owner, toRank)))
        text += QLatin1Char('=');
    return text;
}

void PlayOnRecordBoard(RecordBoard &b, const KIBO &e)
{
    if (IsResignKibo(e) || e.dx >= 9 || e.dy >= 9)
        return;
    if (e.sx < 9 && e.sy < 9)
        b.cell[e.sx][e.sy] = 0;
    b.cell[e.dx][e.dy] = e.koma;
}

QStringList WesternRecordTexts(const ShogiDoc &doc)
{
    RecordBoard b;
    b.firstUp = doc.GetFirstUp();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            b.cell[x][y] = doc.GetInitBoardInfo(BYTE(x), BYTE(y));
    QStringList texts;
    for (const KIBO &e : *doc.GetKibo()) {
        const bool onBoard = e.dx < 9 && e.dy < 9 && (e.sx == DropPos || (e.sx < 9 && e.sy < 9));
        texts << (!IsResignKibo(e) && onBoard ? WesternMoveText(b, e) : QString());
        PlayOnRecordBoard(b, e);
    }
    return texts;
}

QString WesternRecordMove(const ShogiDoc &doc, int i)
{
    static QVector<KIBO> s_record;
    static BYTE s_start[9][9];
    static bool s_firstUp = false;
    static QStringList s_texts;
    BYTE start[9][9];
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            start[x][y] = doc.GetInitBoardInfo(BYTE(x), BYTE(y));
    if (s_record != *doc.GetKibo() || s_firstUp != doc.GetFirstUp() ||
        memcmp(start, s_start, sizeof start) != 0) {
        s_record = *doc.GetKibo();
        s_firstUp = doc.GetFirstUp();
        memcpy(s_start, start, sizeof start);
        s_texts = WesternRecordTexts(doc);
    }
    return i >= 1 && i <= s_texts.size() ? s_texts[i - 1] : QString();
}

bool ParseTypedMove(const QString &text, TypedMove &m)
{
    static const QRegularExpression usiMove(QStringLiteral("^([1-9])([a-i])([1-9])([a-i])(\\+?)$"));
    // [+]piece [from] (- x *) to [+ =]; ranks as letters or digits.
    static const QRegularExpression western(
        QStringLiteral("^(\\+?)([PLNSGBRK])(?:([1-9])([a-i1-9]))?([-x*])([1-9])([a-i1-9])([+=]?)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString t = text.simplified().remove(QLatin1Char(' '));
    const auto rankOf = [](const QString &s) {
        const QChar c = s.at(0).toLower();
        return c.isDigit() ? c.digitValue() : c.unicode() - 'a' + 1;
    };
    m = TypedMove();
    QRegularExpressionMatch r = usiMove.match(t);
    if (r.hasMatch()) {
        m.usi = true;
        m.hasFrom = true;
        m.fromFile = r.captured(1).toInt();
        m.fromRank = rankOf(r.captured(2));
        m.toFile = r.captured(3).toInt();
        m.toRank = rankOf(r.captured(4));
        m.promotion = r.captured(5).isEmpty() ? TypedMove::Decline : TypedMove::Promote;
        return true;
    }
    r = western.match(t);
    if (!r.hasMatch())
        return false;
    m.promoted = !r.captured(1).isEmpty();
    m.kind = BYTE(QByteArray(Letters).indexOf(char(r.captured(2).at(0).toUpper().toLatin1())));
    m.drop = r.captured(5) == QLatin1String("*");
    m.hasFrom = !r.captured(3).isEmpty();
    if (m.hasFrom) {
        m.fromFile = r.captured(3).toInt();
        m.fromRank = rankOf(r.captured(4));
    }
    m.toFile = r.captured(6).toInt();
    m.toRank = rankOf(r.captured(7));
    const QString promotion = r.captured(8);
    m.promotion = promotion.isEmpty()               ? TypedMove::Unstated
                  : promotion == QLatin1String("+") ? TypedMove::Promote
                                                    : TypedMove::Decline;
    // A drop names no square left and never promotes; a king never promotes.
    if (m.drop && (m.hasFrom || m.promoted || m.kind == King || m.promotion != TypedMove::Unstated))
        return false;
    if (m.promoted && (m.kind == Gold || m.kind == King))
        return false;
    return true;
}
