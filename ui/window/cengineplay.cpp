#include "cengineplay.h"

#include "cplayer.h"
#include "displayprefs.h"
#include "enginegame.h"
#include "gameflow.h"
#include "gamerecord.h"
#include "language.h"
#include "messagebox.h"
#include "notation.h"
#include "shogidoc.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace {

// What an engine is told it may take per move in a game without a clock.
constexpr qint64 kUntimedEngineMs = 10000;
// An engine is not charged for the pipe's and the machine's delays.
constexpr qint64 kPipeLagMs = 100;
constexpr int kTickMs = 100;
constexpr int kPvMoves = 8; // shown of the principal variation
constexpr BYTE kResign = 50; // the record entry of a resignation

bool IsComputer(const CPlayer *p)
{
    return p && p->GetProperty() == 2;
}

const char *FaultText(usic::UsiEngine::Fault f)
{
    using F = usic::UsiEngine::Fault;
    switch (f) {
    case F::NoStart: return JC_FaultNoStart;
    case F::NoUsiok: return JC_FaultNoUsiok;
    case F::NoReadyok: return JC_FaultNoReadyok;
    case F::Crashed: return JC_FaultCrashed;
    case F::Exited: return JC_FaultExited;
    case F::NoResponse: return JC_FaultNoResponse;
    case F::Malformed: return JC_FaultMalformed;
    case F::Flood: return JC_FaultFlood;
    case F::None: break;
    }
    return "";
}

const char *EndingText(GameEnding e)
{
    switch (e) {
    case GameEnding::Mate: return JC_MsgEndMate;
    case GameEnding::Repetition: return JC_MsgEndRepetition;
    case GameEnding::PerpetualCheck: return JC_MsgEndPerpetual;
    case GameEnding::Impasse: return JC_MsgEndImpasse;
    case GameEnding::TimeUp: return JC_MsgEndTimeUp;
    case GameEnding::IllegalMove: return JC_MsgEndIllegal;
    case GameEnding::MaxPlies: return JC_MsgEndMaxPlies;
    case GameEnding::Resign: return JC_MsgEndResign;
    case GameEnding::None:
    case GameEnding::Interrupt: break;
    }
    return "";
}

} // namespace

const char *EndingRowText(GameEnding e)
{
    switch (e) {
    case GameEnding::Mate: return JC_RowMate;
    case GameEnding::Repetition: return JC_RowRepetition;
    case GameEnding::PerpetualCheck: return JC_RowPerpetual;
    case GameEnding::Impasse: return JC_RowImpasse;
    case GameEnding::TimeUp: return JC_RowTimeUp;
    case GameEnding::IllegalMove: return JC_RowIllegal;
    case GameEnding::MaxPlies: return JC_RowMaxPlies;
    default: break;
    }
    return nullptr; // a resignation has its own record entry
}

CEnginePlay::CEnginePlay(QMainWindow *window, ShogiDoc *doc) : QObject(window), m_window(window), m_doc(doc)
{
    m_time.start();
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &CEnginePlay::Tick);
    m_tick.start();
    m_infoLabel = new QLabel(window);
    window->statusBar()->addPermanentWidget(m_infoLabel);
    doc->GameFlow().takeTurn = [this](BYTE player) { return TakeTurn(player); };
}

CEnginePlay::~CEnginePlay()
{
    m_doc->GameFlow().takeTurn = nullptr;
}

void CEnginePlay::SetPlan(const GamePlan &plan, const QVector<usic::EngineEntry> &engines)
{
    m_plan = plan;
    m_engines = engines;
}

int CEnginePlay::SideOf(BYTE player) const
{
    const bool firstIsSente = records::FrameOf(*m_doc).firstIsSente;
    return (player == 1) == firstIsSente ? usi::kSente : usi::kGote;
}

BYTE CEnginePlay::PlayerOf(int side) const
{
    return SideOf(1) == side ? 1 : 2;
}

bool CEnginePlay::Timed(BYTE player) const
{
    return m_clock.Timed(SideOf(player));
}

int CEnginePlay::ClockSeconds(BYTE player) const
{
    const int side = SideOf(player);
    const qint64 main = m_clock.MainLeft(side, Now());
    return int((main > 0 ? main : m_clock.ByoyomiLeft(side, Now())) / 1000);
}

void CEnginePlay::NewGame()
{
    for (int seat = 0; seat < 2; seat++) {
        if (Seat &s = m_seat[seat]; s.engine) {
            usic::UsiEngine *old = s.engine.release();
            old->setParent(this); // goes when it has quit, or with this object
            connect(old, &usic::UsiEngine::quit, old, &QObject::deleteLater);
            old->Quit();
        }
        m_seat[seat] = Seat();
    }
    m_over = false;
    m_info.clear();
    m_infoLabel->clear();
    const records::GameRecord rec = records::RecordOf(*m_doc);
    m_judge = usic::GameJudge(rec.start);
    const bool noHuman = IsComputer(m_doc->GetPlayer(1)) && IsComputer(m_doc->GetPlayer(2));
    m_judge.SetMaxPlies(noHuman ? m_plan.maxPlies : 0);
    usic::TimeControl tc[2];
    tc[SideOf(1)] = m_plan.time[0];
    tc[SideOf(2)] = m_plan.time[1];
    m_clock = usic::GameClock(tc[0], tc[1]);
    m_clock.Start(rec.start.side, Now());
    for (BYTE player = 1; player <= 2; player++) {
        if (!IsComputer(m_doc->GetPlayer(player)))
            continue;
        const int e = m_plan.engine[player - 1];
        if (e >= 0 && e < m_engines.size())
            StartSeat(player - 1, &m_engines[e], -1);
        else if (Timed(player))
            StartSeat(player - 1, nullptr, m_doc->GetComputerLevel());
    }
}

void CEnginePlay::StartSeat(int seat, const usic::EngineEntry *entry, int zelkorLevel)
{
    Seat &s = m_seat[seat];
    const QString command = entry ? QLatin1Char('"') + entry->path + QLatin1Char('"')
                                  : QStringLiteral("zelkor:%1").arg(zelkorLevel);
    s.name = entry ? entry->name : JStr(JC_EngineZelkor);
    QString why;
    auto link = usic::MakeLink(command, why);
    if (!link) {
        ShowBox(m_window, BoxKind::Warning, s.name + JStr(JC_FaultNoStart) + QLatin1Char('\n') + why);
        return;
    }
    s.engine = std::make_unique<usic::UsiEngine>(std::move(link));
    usic::UsiEngine *e = s.engine.get();
    const usic::EngineEntry settings = entry ? *entry : usic::EngineEntry();
    connect(e, &usic::UsiEngine::identified, this, [e, settings, zelkorLevel] {
        settings.Apply(*e);
        if (zelkorLevel >= 0)
            e->SetOption(QStringLiteral("Level"), QString::number(zelkorLevel));
        e->NewGame();
    });
    connect(e, &usic::UsiEngine::ready, this, [this, seat] { m_seat[seat].ready = true; });
    connect(e, &usic::UsiEngine::bestMove, this, [this, seat](const QString &m) { OnBestMove(seat, m); });
    connect(e, &usic::UsiEngine::info, this, [this, seat](const usic::Info &i) { OnInfo(seat, i); });
    connect(e, &usic::UsiEngine::faulted, this,
            [this, seat](usic::UsiEngine::Fault f, const QString &d) { OnFault(seat, f, d); });
    e->Start();
}

usic::Verdict CEnginePlay::SyncJudge()
{
    const records::GameRecord rec = records::RecordOf(*m_doc);
    const std::vector<usi::Move> &have = m_judge.Moves();
    const bool samePrefix = usi::WriteSfen(m_judge.Start()) == usi::WriteSfen(rec.start) &&
                            have.size() <= rec.moves.size() &&
                            std::equal(have.begin(), have.end(), rec.moves.begin());
    if (!samePrefix) {
        const int maxPlies = m_judge.MaxPlies();
        m_judge = usic::GameJudge(rec.start);
        m_judge.SetMaxPlies(maxPlies);
    }
    usic::Verdict v;
    for (size_t i = m_judge.Moves().size(); i < rec.moves.size(); i++)
        v = m_judge.Play(rec.moves[i]);
    return v;
}

bool CEnginePlay::TakeTurn(BYTE player)
{
    Seat &s = m_seat[player - 1];
    if (!s.engine)
        return false;
    if (m_over || !s.ready || s.engine->GetState() != usic::UsiEngine::State::Idle)
        return true;
    SyncJudge();
    if (s.askedAt == m_judge.Plies())
        return true;
    s.askedAt = m_judge.Plies();
    m_doc->SetMustWait(true);
    emit EngineThinking();
    const int side = SideOf(player);
    const qint64 now = Now();
    m_clock.Start(side, now);
    const qint64 allow = m_clock.Timed(side) ? m_clock.Allowance(side, now) : kUntimedEngineMs;
    usic::Opening o;
    o.start = m_judge.Start();
    o.fromStartpos = usi::WriteSfen(o.start) == usi::WriteSfen(usi::StartPosition());
    s.engine->Go(usic::PositionCommand(o, m_judge.Moves()), m_clock.GoArguments(now, kUntimedEngineMs),
                 allow);
    return true;
}

void CEnginePlay::OnBestMove(int seat, const QString &text)
{
    const BYTE player = BYTE(seat + 1);
    const int side = SideOf(player);
    if (m_over || m_judge.Current().side != side || m_doc->GetCurPlayer() != player)
        return;
    if (!m_clock.Stop(qMax<qint64>(0, Now() - kPipeLagMs)))
        return End(GameEnding::TimeUp, side, QString());
    Seat &s = m_seat[seat];
    if (text == QLatin1String("resign")) {
        // As a player's resignation: the record's entry, then the game stops.
        m_doc->SetMustWait(false);
        m_doc->SetEnding(GameEnding::Resign);
        m_doc->AddKibo(kResign, kResign, kResign, kResign, kResign, kResign, kResign);
        const QString message = s.name + JStr(JC_MsgEndResign) +
                                JStr(PlayerOf(1 - side) == 1 ? JC_FirstWins : JC_SecondWins);
        QTimer::singleShot(0, this, [this, message] {
            ShowBox(m_window, BoxKind::Information, message);
            emit GameOver(false);
        });
        return;
    }
    if (text == QLatin1String("win")) {
        const usic::Verdict v = m_judge.Declare();
        return End(v.ending, v.loser, s.name + QLatin1String(": ") + JStr(JC_Declare));
    }
    usi::Move m;
    MoveRules::Move dm{};
    if (!usi::ParseMove(text.toStdString(), m) || !usi::IsLegal(m_judge.Current(), m) ||
        !records::FromUsiMove(*m_doc, records::FrameOf(*m_doc), m, dm))
        return End(GameEnding::IllegalMove, side, s.name + JStr(JC_FaultMalformed) + QLatin1Char(' ') + text);
    const bool promote = dm.koma != dm.skoma;
    m_doc->SetMustWait(false);
    emit EngineMoving();
    m_doc->ProComputerMove(PackEngineMove(dm.sx, dm.sy, dm.dx, dm.dy, dm.skoma, promote, m_doc->IsAddXY(player)),
                           EngineResult::Move);
}

void CEnginePlay::OnFault(int seat, usic::UsiEngine::Fault f, const QString &detail)
{
    const BYTE player = BYTE(seat + 1);
    const int side = SideOf(player);
    const QString text = m_seat[seat].name + JStr(FaultText(f)) +
                         (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    m_seat[seat].ready = false;
    if (m_over)
        return;
    if (f == usic::UsiEngine::Fault::Malformed)
        return End(GameEnding::IllegalMove, side, text);
    if (f == usic::UsiEngine::Fault::NoResponse && m_clock.Timed(side))
        return End(GameEnding::TimeUp, side, text);
    // Nothing in the rules decides it: the game waits, its record whole.
    m_clock.Pause(Now());
    m_doc->SetMustWait(false);
    QTimer::singleShot(0, this, [this, text] {
        ShowBox(m_window, BoxKind::Warning, text + QLatin1Char('\n') + JStr(JC_GamePaused));
        emit GamePaused();
    });
}

void CEnginePlay::OnInfo(int seat, const usic::Info &info)
{
    const int side = SideOf(BYTE(seat + 1));
    // The score as the human sees it (sente's when no one or both are human).
    const bool firstHuman = !IsComputer(m_doc->GetPlayer(1));
    const bool secondHuman = !IsComputer(m_doc->GetPlayer(2));
    const int viewer = firstHuman != secondHuman ? SideOf(firstHuman ? 1 : 2) : usi::kSente;
    QStringList parts{m_seat[seat].name};
    if (info.depth >= 0)
        parts << JStr(JC_InfoDepth) + QString::number(info.depth);
    if (info.hasScore) {
        const int score = side == viewer ? info.score : -info.score;
        parts << JStr(JC_InfoScore) + (info.mate ? QStringLiteral("mate %1").arg(score) : QString::number(score));
    }
    if (info.nodes >= 0)
        parts << JStr(JC_InfoNodes) + QString::number(info.nodes);
    usi::Position p = m_judge.Current();
    int prev = m_judge.Moves().empty() ? 0 : m_judge.Moves().back().dst;
    QString pv;
    for (int i = 0; i < info.pv.size() && i < kPvMoves; i++) {
        usi::Move m;
        if (!usi::ParseMove(info.pv[i].toStdString(), m) || !usi::IsLegal(p, m))
            break;
        pv += records::MoveName(p, m, prev, ShownNotationStyle());
        prev = m.dst;
        p = usi::Apply(p, m);
    }
    if (!pv.isEmpty())
        parts << pv;
    if (info.text.isEmpty() || parts.size() > 1) {
        m_info = parts.join(QLatin1Char(' '));
        m_infoLabel->setText(m_info);
    }
}

void CEnginePlay::MoveMade()
{
    if (m_over || (g_byGameStatus != GameStatus::Playing && g_byGameStatus != GameStatus::ShowingComputerMove))
        return;
    const int mover = m_judge.Current().side;
    const usic::Verdict v = SyncJudge();
    if (records::RecordOf(*m_doc).ending == GameEnding::Resign) {
        m_over = true;
        m_clock.Stop(Now());
        StopSeats(mover);
        return;
    }
    if (m_clock.Running() == mover && !m_clock.Stop(Now()))
        return End(GameEnding::TimeUp, mover, QString());
    if (v.Over())
        return End(v.ending, v.loser, QString());
    m_clock.Start(m_judge.Current().side, Now());
}

void CEnginePlay::Declare()
{
    if (m_over || g_byGameStatus != GameStatus::Playing || IsComputer(m_doc->GetPlayer(m_doc->GetCurPlayer())))
        return;
    SyncJudge();
    const usic::Verdict v = m_judge.Declare();
    End(v.ending, v.loser, v.ending == GameEnding::Impasse ? QString() : JStr(JC_MsgEndDeclareFailed));
}

void CEnginePlay::Break()
{
    m_clock.Pause(Now());
    for (Seat &s : m_seat)
        if (s.engine && s.engine->GetState() == usic::UsiEngine::State::Thinking) {
            s.engine->Stop();
            s.askedAt = -1;
        }
}

void CEnginePlay::Resume()
{
    m_over = false;
    m_doc->SetEnding(GameEnding::None);
    SyncJudge();
    const int side = m_judge.Current().side;
    if (m_clock.Running() == side) {
        m_clock.Resume(Now());
    } else {
        m_clock.Pause(Now());
        m_clock.Start(side, Now());
    }
    for (int seat = 0; seat < 2; seat++) {
        Seat &s = m_seat[seat];
        s.askedAt = -1;
        if (s.engine && s.engine->GetState() == usic::UsiEngine::State::Dead) {
            const int e = m_plan.engine[seat];
            s.engine.reset();
            s.ready = false;
            StartSeat(seat, e >= 0 && e < m_engines.size() ? &m_engines[e] : nullptr, m_doc->GetComputerLevel());
        }
    }
}

void CEnginePlay::StopSeats(int loserSide)
{
    for (int seat = 0; seat < 2; seat++) {
        Seat &s = m_seat[seat];
        if (!s.engine)
            continue;
        s.engine->Stop();
        const int side = SideOf(BYTE(seat + 1));
        s.engine->GameOver(loserSide < 0 ? QStringLiteral("draw")
                                         : loserSide == side ? QStringLiteral("lose") : QStringLiteral("win"));
    }
}

void CEnginePlay::Tick()
{
    if (m_over || g_byGameStatus != GameStatus::Playing)
        return;
    const int side = m_clock.Running();
    if (side >= 0 && m_clock.OutOfTime(Now()))
        End(GameEnding::TimeUp, side, QString());
}

void CEnginePlay::End(GameEnding e, int loserSide, const QString &text)
{
    m_over = true;
    m_clock.Stop(Now());
    m_doc->SetEnding(e);
    StopSeats(loserSide);
    g_byGameStatus = GameStatus::Stopped; // no further turn starts
    QString message = text.isEmpty() ? QString() : text + QLatin1Char('\n');
    message += JStr(EndingText(e));
    if (loserSide >= 0)
        message += JStr(PlayerOf(1 - loserSide) == 1 ? JC_FirstWins : JC_SecondWins);
    QTimer::singleShot(0, this, [this, message] {
        ShowBox(m_window, BoxKind::Information, message);
        emit GameOver(true);
    });
}
