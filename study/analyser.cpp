#include "analyser.h"

#include <QTimer>

namespace study {

namespace {

QString PositionCommand(const usi::Position &p)
{
    return QStringLiteral("position sfen ") + QString::fromStdString(usi::WriteSfen(p));
}

} // namespace

Analyser::Analyser(const QString &command, int multiPv, QObject *parent)
    : QObject(parent), m_command(command), m_multiPv(qMax(1, multiPv))
{
    qRegisterMetaType<QVector<study::Line>>();
}

Analyser::~Analyser()
{
    delete m_engine; // kills the engine now: nobody waits for its quit
}

QString Analyser::EngineName() const
{
    return m_engine ? m_engine->Name() : QString();
}

void Analyser::Open()
{
    QString why;
    std::unique_ptr<usic::EngineLink> link = usic::MakeLink(m_command, why);
    if (!link) {
        m_dead = true;
        // Callers connect after asking; they still hear of it.
        QTimer::singleShot(0, this, [this, why] { emit failed(why); });
        return;
    }
    if (m_engine) {
        // Open may run inside the old engine's own signal: it goes later,
        // unheard from now on.
        m_engine->disconnect(this);
        m_link->disconnect(this);
        m_engine->deleteLater();
    }
    m_link = link.get();
    m_engine = new usic::UsiEngine(std::move(link), this);
    m_engine->SetLimits(m_limits);
    // Connected after the engine object, which so reads each output first;
    // the raw lines are tapped here for what it does not pass on (the number
    // of a multipv line, checkmate).
    connect(m_link, &usic::EngineLink::output, this, &Analyser::OnTap);
    m_ready = false;
    m_pending.clear();
    connect(m_engine, &usic::UsiEngine::identified, this, [this] {
        for (const usic::OptionDef &d : m_engine->Options())
            if (d.name.compare(QLatin1String("MultiPV"), Qt::CaseInsensitive) == 0)
                m_engine->SetOption(d.name, QString::number(m_multiPv));
        const int level = usic::ZelkorLevel(m_command);
        if (level >= 0)
            m_engine->SetOption(QStringLiteral("Level"), QString::number(level));
        m_engine->NewGame();
    });
    connect(m_engine, &usic::UsiEngine::ready, this, [this] {
        m_ready = true;
        Kick();
    });
    connect(m_engine, &usic::UsiEngine::faulted, this,
            [this](usic::UsiEngine::Fault f, const QString &detail) {
                m_dead = true;
                m_want = m_running = Request();
                QString why = usic::UsiEngine::FaultText(f);
                if (!detail.isEmpty())
                    why += QStringLiteral(" (") + detail + QLatin1Char(')');
                emit failed(why);
            });
    m_engine->Start();
}

void Analyser::Analyse(const usi::Position &p)
{
    Want(Kind::Infinite, p, 0);
}

void Analyser::Think(const usi::Position &p, int ms)
{
    Want(Kind::Timed, p, ms);
}

void Analyser::Mate(const usi::Position &p, int ms)
{
    Want(Kind::Mate, p, ms);
}

void Analyser::Halt()
{
    m_want = Request();
    if (m_ready && m_engine->GetState() == usic::UsiEngine::State::Thinking)
        Drop();
}

void Analyser::Drop()
{
    if (m_running.kind == Kind::Mate) {
        // An engine answers go mate with checkmate, not bestmove, so a mate
        // search cannot be stopped and the engine reused: start afresh.
        m_running = Request();
        Open();
        return;
    }
    m_running = Request(); // its lines and answer are no longer wanted
    m_engine->Stop();
}

void Analyser::Want(Kind kind, const usi::Position &p, int ms)
{
    if (m_dead)
        return;
    m_want = {kind, p, ms};
    if (!m_engine)
        Open();
    Kick();
}

void Analyser::Kick()
{
    if (!m_ready || m_dead)
        return;
    const usic::UsiEngine::State s = m_engine->GetState();
    if (s == usic::UsiEngine::State::Thinking) {
        if (m_want.kind != Kind::None)
            Drop();
        return;
    }
    if (s != usic::UsiEngine::State::Idle || m_want.kind == Kind::None)
        return;
    m_running = m_want;
    m_want = Request();
    m_lines.clear();
    const QString pos = PositionCommand(m_running.pos);
    switch (m_running.kind) {
    case Kind::Infinite:
        m_engine->Go(pos, QStringLiteral("infinite"), 0);
        break;
    case Kind::Mate:
        m_engine->Go(pos, QStringLiteral("mate %1").arg(m_running.ms), m_running.ms);
        break;
    default:
        m_engine->Go(pos, QStringLiteral("btime 0 wtime 0 byoyomi %1").arg(m_running.ms),
                     m_running.ms);
        break;
    }
}

void Analyser::OnTap(const QByteArray &bytes)
{
    m_pending += bytes;
    int nl;
    // The engine object has read these bytes already and refused any flood.
    while (!m_dead && (nl = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_pending.left(nl)).trimmed();
        m_pending.remove(0, nl + 1);
        OnLine(line);
    }
}

void Analyser::OnLine(const QString &line)
{
    const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return;
    // A stopped think's bestmove frees the engine for what is wanted next.
    if (w[0] == QLatin1String("bestmove")) {
        OnBestMove();
        return;
    }
    if (m_running.kind == Kind::None)
        return;
    if (w[0] == QLatin1String("checkmate")) {
        OnCheckmate(w.mid(1));
        return;
    }
    usic::Info info;
    if (w[0] != QLatin1String("info") || !usic::ParseInfo(line, info) || !info.hasScore ||
        info.pv.isEmpty())
        return;
    const int k = w.indexOf(QStringLiteral("multipv"));
    const int n = k > 0 && k + 1 < w.size() ? w[k + 1].toInt() : 1;
    if (n < 1 || n > m_multiPv)
        return;
    Line l;
    l.multipv = n;
    l.depth = info.depth;
    l.nodes = info.nodes;
    l.eval = FromInfo(info, m_running.pos.side);
    l.pv = info.pv;
    if (m_lines.size() < n)
        m_lines.resize(n);
    m_lines[n - 1] = l;
    // A deeper first line makes the others stale until they come again.
    if (n == 1)
        m_lines.resize(1);
    if (m_running.kind == Kind::Infinite)
        emit lines(m_lines);
}

void Analyser::OnBestMove()
{
    const Request done = m_running;
    m_running = Request();
    const QVector<Line> got = m_lines;
    if (done.kind == Kind::Timed) {
        emit finished(got);
    } else if (done.kind == Kind::MateByThink) {
        const bool found = !got.isEmpty() && got[0].eval.mate &&
                           got[0].eval.ForSide(done.pos.side).value > 0;
        emit mateResult(found, found ? got[0].pv : QStringList());
    }
    Kick();
}

void Analyser::OnCheckmate(const QStringList &words)
{
    const Request done = m_running;
    m_running = Request();
    // The engine object still waits for a bestmove that will not come.
    Open();
    if (done.kind != Kind::Mate)
        return;
    if (words.value(0) == QLatin1String("notimplemented")) {
        // An engine without a mate search still finds mates in its think.
        if (m_want.kind == Kind::None)
            m_want = {Kind::MateByThink, done.pos, done.ms};
        return;
    }
    const bool found = !words.isEmpty() && words[0] != QLatin1String("nomate") &&
                       words[0] != QLatin1String("timeout");
    emit mateResult(found, found ? words : QStringList());
}

} // namespace study
