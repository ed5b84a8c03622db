#include "usiengine.h"

#include "usi_position.h"

namespace usic {

UsiEngine::UsiEngine(std::unique_ptr<EngineLink> link, QObject *parent)
    : QObject(parent), m_link(std::move(link))
{
    qRegisterMetaType<usic::Info>();
    qRegisterMetaType<usic::UsiEngine::Fault>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &UsiEngine::OnTimeout);
    connect(m_link.get(), &EngineLink::started, this, [this] { Send(QStringLiteral("usi")); });
    connect(m_link.get(), &EngineLink::failed, this,
            [this](const QString &why) { Fail(Fault::NoStart, why); });
    connect(m_link.get(), &EngineLink::output, this, &UsiEngine::OnOutput);
    connect(m_link.get(), &EngineLink::exited, this, &UsiEngine::OnExited);
}

UsiEngine::~UsiEngine()
{
    m_link->Kill();
}

QString UsiEngine::FaultText(Fault f)
{
    switch (f) {
    case Fault::None: return QString();
    case Fault::NoStart: return QStringLiteral("could not be started");
    case Fault::NoUsiok: return QStringLiteral("did not answer usi with usiok");
    case Fault::NoReadyok: return QStringLiteral("did not answer isready with readyok");
    case Fault::Crashed: return QStringLiteral("crashed");
    case Fault::Exited: return QStringLiteral("exited");
    case Fault::NoResponse: return QStringLiteral("gave no move in its time");
    case Fault::Malformed: return QStringLiteral("sent a malformed move");
    case Fault::Flood: return QStringLiteral("flooded its output");
    }
    return QString();
}

void UsiEngine::Start()
{
    if (m_state != State::Off)
        return;
    m_state = State::Handshake;
    Wait(m_limits.usiokMs);
    m_window.start();
    m_link->Start();
}

void UsiEngine::Send(const QString &line)
{
    if (m_state != State::Dead)
        m_link->Write(line.toUtf8());
}

void UsiEngine::Wait(int ms)
{
    if (ms > 0)
        m_timer.start(ms);
    else
        m_timer.stop();
}

void UsiEngine::SetOption(const QString &name, const QString &value)
{
    for (const OptionDef &d : m_options)
        if (d.name == name) {
            Send(SetOptionCommand(d, value));
            return;
        }
    Send(QStringLiteral("setoption name %1 value %2").arg(name, value));
}

void UsiEngine::NewGame()
{
    m_newGameWaiting = m_state == State::Stopping;
    if (m_state != State::Idle)
        return;
    m_state = State::Preparing;
    Wait(m_limits.readyokMs);
    Send(QStringLiteral("isready"));
}

void UsiEngine::Go(const QString &positionCommand, const QString &goArguments, qint64 allowMs)
{
    if (m_state != State::Idle)
        return;
    m_state = State::Thinking;
    Wait(allowMs > 0 ? int(qMin<qint64>(allowMs + m_limits.thinkMarginMs, INT_MAX)) : 0);
    Send(positionCommand);
    Send(QStringLiteral("go ") + goArguments);
}

void UsiEngine::Stop()
{
    if (m_state != State::Thinking)
        return;
    m_state = State::Stopping;
    Wait(m_limits.thinkMarginMs);
    Send(QStringLiteral("stop"));
}

void UsiEngine::GameOver(const QString &result)
{
    if (m_state == State::Idle || m_state == State::Stopping)
        Send(QStringLiteral("gameover ") + result);
}

void UsiEngine::Quit()
{
    if (m_state == State::Dead || m_state == State::Quitting)
        return;
    if (m_state == State::Off) {
        m_state = State::Dead;
        return;
    }
    if (m_state == State::Thinking)
        Send(QStringLiteral("stop"));
    m_state = State::Quitting;
    Send(QStringLiteral("quit"));
    Wait(m_limits.quitGraceMs);
}

void UsiEngine::Fail(Fault f, const QString &detail)
{
    if (m_state == State::Dead)
        return;
    m_state = State::Dead;
    m_fault = f;
    m_timer.stop();
    m_link->Kill();
    m_pending.clear();
    emit faulted(f, detail);
}

void UsiEngine::OnTimeout()
{
    switch (m_state) {
    case State::Handshake:
        Fail(Fault::NoUsiok, QString());
        break;
    case State::Preparing:
        Fail(Fault::NoReadyok, QString());
        break;
    case State::Thinking:
    case State::Stopping:
        Fail(Fault::NoResponse, QString());
        break;
    case State::Quitting:
        m_link->Kill();
        m_state = State::Dead;
        emit quit();
        break;
    default:
        break;
    }
}

void UsiEngine::OnExited(bool crashed, int code)
{
    if (m_state == State::Quitting) {
        m_timer.stop();
        m_state = State::Dead;
        emit quit();
        return;
    }
    if (crashed)
        Fail(Fault::Crashed, QString());
    else
        Fail(Fault::Exited, QStringLiteral("code %1").arg(code));
}

void UsiEngine::OnOutput(const QByteArray &bytes)
{
    m_pending += bytes;
    int from = 0;
    for (;;) {
        if (m_state == State::Dead)
            return;
        const int nl = m_pending.indexOf('\n', from);
        if (nl < 0)
            break;
        if (nl - from > m_limits.maxLineBytes) {
            Fail(Fault::Flood, QStringLiteral("a line of %1 bytes").arg(nl - from));
            return;
        }
        if (m_window.elapsed() >= 1000) {
            m_window.restart();
            m_linesInWindow = 0;
        }
        if (++m_linesInWindow > m_limits.maxLinesPerSecond) {
            Fail(Fault::Flood, QStringLiteral("more than %1 lines a second").arg(m_limits.maxLinesPerSecond));
            return;
        }
        QByteArray raw = m_pending.mid(from, nl - from);
        if (raw.endsWith('\r'))
            raw.chop(1);
        from = nl + 1;
        OnLine(QString::fromUtf8(raw));
    }
    m_pending.remove(0, from);
    if (m_pending.size() > m_limits.maxLineBytes)
        Fail(Fault::Flood, QStringLiteral("a line of more than %1 bytes").arg(m_limits.maxLineBytes));
}

void UsiEngine::OnLine(const QString &line)
{
    const QString t = line.trimmed();
    const QString word = t.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    switch (m_state) {
    case State::Handshake:
        if (word == QLatin1String("id")) {
            const QString key = t.section(QLatin1Char(' '), 1, 1, QString::SectionSkipEmpty);
            const QString rest = t.section(QLatin1Char(' '), 2, -1, QString::SectionSkipEmpty);
            if (key == QLatin1String("name"))
                m_name = rest;
            else if (key == QLatin1String("author"))
                m_author = rest;
        } else if (word == QLatin1String("option")) {
            OptionDef d;
            if (ParseOption(t, d))
                m_options.append(d);
        } else if (word == QLatin1String("usiok")) {
            m_timer.stop();
            m_state = State::Idle;
            emit identified();
        }
        break;
    case State::Preparing:
        if (word == QLatin1String("readyok")) {
            m_timer.stop();
            m_state = State::Idle;
            Send(QStringLiteral("usinewgame"));
            emit ready();
        }
        break;
    case State::Thinking:
        if (word == QLatin1String("info")) {
            Info i;
            if (ParseInfo(t, i))
                emit info(i);
        } else if (word == QLatin1String("bestmove")) {
            OnBestMove(t);
        }
        break;
    case State::Stopping:
        if (word == QLatin1String("bestmove")) {
            m_timer.stop();
            m_state = State::Idle;
            if (m_newGameWaiting)
                NewGame();
        }
        break;
    default:
        break;
    }
}

void UsiEngine::OnBestMove(const QString &line)
{
    const QString move = line.section(QLatin1Char(' '), 1, 1, QString::SectionSkipEmpty);
    usi::Move m;
    if (move != QLatin1String("resign") && move != QLatin1String("win") &&
        !usi::ParseMove(move.toStdString(), m)) {
        Fail(Fault::Malformed, line.left(80));
        return;
    }
    m_timer.stop();
    m_state = State::Idle;
    emit bestMove(move);
}

} // namespace usic
