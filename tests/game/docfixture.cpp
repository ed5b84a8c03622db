#include "docfixture.h"

#include "gamerecord.h"
#include "moverules.h"

#include <QFile>

#include <cstring>
#include <stdexcept>

std::string SetSfen(ShogiDoc &doc, const std::string &sfen, bool firstUp)
{
    usi::Position p;
    if (const std::string err = ReadSfen(sfen, p); !err.empty())
        return err;
    doc.SetFirstUp(firstUp);
    doc.Init();
    const records::DocFrame f{true, !firstUp};
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            doc.SetBoardInfo(x, y, BYTE(records::FromUsiCode(f, p.At(records::ToUsiSquare(f, x, y)))));
    for (BYTE k = 1; k <= 7; ++k) {
        doc.GetFirstPlayer()->SetDaiNum(k, BYTE(p.hand[usi::kSente][k]));
        doc.GetSecondPlayer()->SetDaiNum(k, BYTE(p.hand[usi::kGote][k]));
    }
    doc.GetFirstPlayer()->SetDaiAsFirst();
    doc.GetSecondPlayer()->SetDaiAsFirst();
    doc.SetInitBoardInfo();
    doc.SetCurPlayer(p.side == usi::kSente ? 1 : 2);
    return {};
}

// ------------------------------------------------------------------ DocState

DocState Capture(const ShogiDoc &doc)
{
    DocState s;
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            s.board[x][y] = doc.GetBoardInfo(x, y);
            s.init[x][y] = doc.GetInitBoardInfo(x, y);
        }
    const CPlayer *p[2] = {doc.GetFirstPlayer(), doc.GetSecondPlayer()};
    for (int i = 0; i < 2; ++i) {
        for (BYTE k = 0; k < 8; ++k) {
            s.hand[i][k] = p[i]->GetDaiNum(k);
            s.handF[i][k] = p[i]->GetDaiNumF(k);
        }
        s.time[i] = p[i]->GetTotalTime();
        s.prop[i] = p[i]->GetProperty();
    }
    s.cur = doc.GetCurPlayer();
    s.teai = doc.GetTeai();
    s.level = doc.GetComputerLevel();
    s.firstUp = doc.GetFirstUp();
    s.standard = doc.GetStandardKoma();
    s.modified = doc.isModified();
    s.ote = doc.GetOte();
    s.kiboNum = doc.GetKiboNum();
    s.testPos = doc.GetKiboTestPos();
    s.kibo = *doc.GetKibo();
    s.title = doc.getTitle();
    s.path = doc.getAbsFilePath();
    return s;
}

bool DocState::SamePosition(const DocState &o) const
{
    return std::memcmp(board, o.board, sizeof board) == 0 &&
           std::memcmp(hand, o.hand, sizeof hand) == 0 && time[0] == o.time[0] &&
           time[1] == o.time[1];
}

bool DocState::operator==(const DocState &o) const
{
    return SamePosition(o) && std::memcmp(init, o.init, sizeof init) == 0 &&
           std::memcmp(handF, o.handF, sizeof handF) == 0 && prop[0] == o.prop[0] &&
           prop[1] == o.prop[1] && cur == o.cur && teai == o.teai && level == o.level &&
           firstUp == o.firstUp && standard == o.standard && modified == o.modified &&
           ote == o.ote && kiboNum == o.kiboNum && testPos == o.testPos && kibo == o.kibo &&
           title == o.title && path == o.path;
}

// ------------------------------------------------------------------ encoder

QByteArray EncodeKvn(const KvnLayout &s)
{
    QByteArray b;
    auto u32 = [&b](quint32 v) {
        b.append(char(v >> 24));
        b.append(char(v >> 16));
        b.append(char(v >> 8));
        b.append(char(v));
    };
    auto u8 = [&b](BYTE v) { b.append(char(v)); };
    u32(s.magic1);
    for (BYTE v : {s.first, s.second, s.level, s.teai, s.faces, s.orient})
        u8(v);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            u8(s.board[x][y]);
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < 7; ++k)
            u8(s.hand[p][k]);
    u32(s.countOverride >= 0 ? quint32(s.countOverride) : quint32(s.entries.size()));
    for (const KIBO &e : s.entries) {
        for (BYTE v : {e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma})
            u8(v);
        u32(e.time);
    }
    u32(s.magic2);
    return b;
}

KvnLayout Layout(const std::string &sfen, bool firstUp)
{
    ShogiDoc doc;
    const std::string err = SetSfen(doc, sfen, firstUp);
    if (!err.empty())
        throw std::invalid_argument(sfen + ": " + err);
    const DocState d = Capture(doc);
    KvnLayout s;
    s.orient = firstUp ? 1 : 2;
    std::memcpy(s.board, d.board, sizeof s.board);
    for (int p = 0; p < 2; ++p)
        std::memcpy(s.hand[p], d.hand[p] + 1, sizeof s.hand[p]); // kinds 1..7
    return s;
}

KvnLayout StartLayout(BYTE teai, bool firstUp)
{
    // Written apart from ShogiDoc::InitBoardInfo, by handicap: the first
    // player gives the pieces.
    static const char *const kSetUps[] = {
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b -", // even
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/1NSGKGSNL b -", // lance
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/7R1/LNSGKGSNL b -",   // bishop
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B7/LNSGKGSNL b -",   // rook
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B7/1NSGKGSNL b -",   // rook and lance
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/9/LNSGKGSNL b -",     // rook and bishop
    };
    KvnLayout s = Layout(kSetUps[teai], firstUp);
    s.teai = teai;
    return s;
}

KIBO Kibo(int sx, int sy, int skoma, int dx, int dy, int dkoma, int koma, quint32 time)
{
    return KIBO{BYTE(sx), BYTE(sy), BYTE(skoma), BYTE(dx), BYTE(dy), BYTE(dkoma), BYTE(koma), time};
}

KIBO ResignKibo(quint32 time)
{
    return Kibo(50, 50, 50, 50, 50, 50, 50, time);
}

std::vector<KIBO> SixEntries()
{
    return {Kibo(2, 6, 111, 2, 5, 0, 111, 5),    Kibo(6, 2, 121, 6, 3, 0, 121, 3),
            Kibo(1, 7, 116, 7, 1, 126, 216, 12), Kibo(6, 0, 124, 7, 1, 216, 124, 1),
            Kibo(10, 10, 116, 4, 4, 0, 116, 300), ResignKibo(70000)};
}

KvnLayout SixEntriesLayout()
{
    KvnLayout s = StartLayout();
    s.entries = SixEntries();
    return s;
}

// ------------------------------------------------------------------ judge helpers

namespace {

bool RealCode(BYTE c)
{
    const int p = c / 100, o = c / 10 % 10, k = c % 10;
    return c == 0 ||
           (p >= 1 && p <= 2 && o >= 1 && o <= 2 && k >= 1 && k <= 8 && !(p == 2 && (k == 5 || k == 8)));
}

// A board and hands of the document as the protocol's rules see them, sente
// being the first player.
usi::Position AsUsi(const ShogiDoc &doc, const BYTE (&board)[9][9], const BYTE (&hand)[2][8])
{
    const records::DocFrame f{true, !doc.GetFirstUp()};
    usi::Position p = usi::EmptyPosition();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            p.Set(records::ToUsiSquare(f, x, y), records::ToUsiCode(f, board[x][y]));
    for (int k = 1; k <= 7; ++k) {
        p.hand[usi::kSente][k] = hand[0][k];
        p.hand[usi::kGote][k] = hand[1][k];
    }
    return p;
}

} // namespace

usi::Position UsiPositionOf(const ShogiDoc &doc)
{
    const DocState s = Capture(doc);
    usi::Position p = AsUsi(doc, s.board, s.hand);
    p.side = doc.GetCurPlayer() == 1 ? usi::kSente : usi::kGote;
    return p;
}

int UsiSquare(const ShogiDoc &doc, int x, int y)
{
    return records::ToUsiSquare(records::DocFrame{true, !doc.GetFirstUp()}, x, y);
}

HostedDoc::HostedDoc(BYTE teai, bool firstUp)
{
    doc.SetHost(&host);
    doc.SetTeai(teai);
    doc.SetFirstUp(firstUp);
    doc.Init();
}

int HostedDoc::PlayRandom(unsigned seed, int maxMoves, bool resign)
{
    std::mt19937 rng(seed);
    return PlayRandomGame(doc, host, rng, maxMoves, resign);
}

int PlayRandomGame(ShogiDoc &doc, FakeHost &host, std::mt19937 &rng, int maxMoves, bool resign)
{
    int played = 0;
    for (; played < maxMoves; ++played) {
        std::vector<MoveRules::Move> all, lively;
        MoveRules::GenerateMoves(doc, doc.GetCurPlayer(), all);
        if (all.empty())
            break;
        for (const MoveRules::Move &m : all)
            if (m.dkoma || m.koma != m.skoma || m.sx == 10)
                lively.push_back(m);
        const auto &pick = (!lively.empty() && rng() % 3 != 0) ? lively : all;
        const MoveRules::Move m = pick[rng() % pick.size()];
        host.elapsedMs = qint64(rng() % 200000);
        doc.AddKibo(m.sx, m.sy, m.skoma, m.dx, m.dy, m.dkoma, m.koma);
    }
    if (resign) {
        host.elapsedMs = qint64(rng() % 100000);
        doc.AddKibo(50, 50, 50, 50, 50, 50, 50);
    }
    return played;
}

// ------------------------------------------------------------------ judge

// A document holds a possible game when:
//  * settings are in range (players 1..2, level 0..2, handicap 0..5);
//  * both the start position and the current one hold only real piece codes
//    and pass the protocol's position rules (kings, piece counts, pieces that
//    could never move, two pawns on a file), and the side that moved last is
//    not in check in the current one;
//  * the record holds kiboNum entries, a resignation only last, and stepping
//    back to the start reaches exactly the start position, starting hands and
//    zero clocks, and stepping forward again the same final position.
bool DocIsPossible(ShogiDoc &doc, std::string *why)
{
    auto fail = [why](const std::string &w) {
        if (why)
            *why = w;
        return false;
    };
    const DocState s = Capture(doc);
    if (s.prop[0] < 1 || s.prop[0] > 2 || s.prop[1] < 1 || s.prop[1] > 2 || s.level > 2 ||
        s.teai > 5)
        return fail("settings");
    // Before a final resignation the side now to move moved last.
    const bool resigned = !s.kibo.isEmpty() && IsResignKibo(s.kibo.back());
    const BYTE toMove = resigned ? BYTE(3 - s.cur) : s.cur;
    for (int pass = 0; pass < 2; ++pass) {
        const BYTE(&b)[9][9] = pass ? s.board : s.init;
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y)
                if (!RealCode(b[x][y]))
                    return fail("piece code");
        usi::Position p = AsUsi(doc, b, pass ? s.hand : s.handF);
        // At the start either side may stand in check, as long as it moves.
        p.side = pass ? (toMove == 1 ? usi::kSente : usi::kGote)
                      : (usi::InCheck(p, usi::kSente) ? usi::kSente : usi::kGote);
        std::string err;
        if (!usi::ValidatePosition(p, err))
            return fail((pass ? "position: " : "start: ") + err);
    }
    if (s.kiboNum != s.kibo.size())
        return fail("record size");
    for (int i = 0; i < s.kibo.size(); ++i) {
        const KIBO &e = s.kibo[i];
        if (IsResignKibo(e)) {
            if (i != s.kibo.size() - 1)
                return fail("resignation not last");
            continue;
        }
        const bool drop = e.sx == 10 && e.sy == 10;
        if ((!drop && (e.sx > 8 || e.sy > 8)) || e.dx > 8 || e.dy > 8)
            return fail("coordinates");
    }
    const int saved = doc.GetKiboTestPos();
    doc.SetKiboTestPos(s.kiboNum - 1);
    for (int i = 0; i < s.kiboNum; ++i)
        doc.KiboBackOne();
    const DocState start = Capture(doc);
    bool ok = std::memcmp(start.board, s.init, sizeof s.init) == 0 &&
              std::memcmp(start.hand, s.handF, sizeof s.handF) == 0 && start.time[0] == 0 &&
              start.time[1] == 0;
    for (int i = 0; i < s.kiboNum; ++i)
        doc.KiboForwardOne();
    const DocState end = Capture(doc);
    doc.SetKiboTestPos(saved);
    if (!ok)
        return fail("stepping back does not reach the start");
    if (!end.SamePosition(s))
        return fail("stepping forward does not reach the end");
    return true;
}

std::vector<QByteArray> SampleRecords()
{
    std::vector<QByteArray> out;
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true})
            for (int round = 0; round < 2; ++round) {
                HostedDoc g(teai, up);
                g.PlayRandom(7 + teai * 31 + up * 5 + round, 20 + 60 * round, round == 1);
                out.push_back(g.doc.saveDocumentData());
            }
    KvnLayout k = Layout("4k4/9/9/9/9/9/9/9/4K4 b 3P2r"); // bare kings, drops from the hands
    k.entries = {Kibo(10, 10, 111, 4, 5, 0, 111, 4), Kibo(10, 10, 127, 4, 3, 0, 127, 9)};
    out.push_back(EncodeKvn(k));
    return out;
}

std::string ReadContract(const QByteArray &preload, const QByteArray &bytes, bool *accepted,
                         const QString &path)
{
    ShogiDoc doc;
    FakeHost host(&doc);
    doc.SetHost(&host);
    if (!doc.openDocumentData(preload))
        return "preload refused";
    doc.setTitle("preloaded.kvn");
    doc.SetKiboTestPos(0);
    const DocState before = Capture(doc);
    host.log.clear();
    bool ok;
    if (path.isEmpty()) {
        ok = doc.openDocumentData(bytes);
    } else {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return "cannot write " + path.toStdString();
        f.close();
        ok = doc.openDocument(path);
    }
    if (accepted)
        *accepted = ok;
    std::string why;
    if (!ok)
        return Capture(doc) != before ? "refused file changed the document"
               : !host.log.isEmpty()  ? "refused file told the main window"
                                      : "";
    if (!DocIsPossible(doc, &why))
        return "accepted an impossible file: " + why;
    if (doc.saveDocumentData() != bytes)
        return "accepted file does not save back the same";
    return {};
}
