// A board's side of one engine: the protocol's order of commands, the
// engine's answers, and every way an engine can fail, reported once as a
// fault. Never blocks: all waiting is on timers and signals.
#ifndef KORVANE_USIENGINE_H
#define KORVANE_USIENGINE_H

#include "enginelink.h"
#include "usiprotocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <memory>

namespace usic {

class UsiEngine : public QObject
{
    Q_OBJECT
public:
    enum class Fault
    {
        None,
        NoStart,    // the program could not be started
        NoUsiok,    // no usiok in time
        NoReadyok,  // no readyok in time
        Crashed,    // died of a signal
        Exited,     // ended by itself
        NoResponse, // no bestmove by its time plus the margin
        Malformed,  // a bestmove that is no move
        Flood       // too long a line or too many lines
    };
    enum class State
    {
        Off,
        Handshake, // usi sent
        Idle,
        Preparing, // isready sent
        Thinking,  // go sent
        Stopping,  // stop sent during a think nobody wants any more
        Quitting,
        Dead // faulted or quit
    };

    // Waits and caps; tests shorten them.
    struct Limits
    {
        int usiokMs = 10000;
        int readyokMs = 30000;  // engines may load large files here
        int thinkMarginMs = 3000;
        int quitGraceMs = 3000; // after quit, before the process is killed
        int maxLineBytes = 64 * 1024;
        int maxLinesPerSecond = 1000;
    };

    explicit UsiEngine(std::unique_ptr<EngineLink> link, QObject *parent = nullptr);
    ~UsiEngine() override;

    void SetLimits(const Limits &l) { m_limits = l; }
    void Start();
    // Known options are sent in their type's terms; others as given.
    void SetOption(const QString &name, const QString &value);
    // isready, readyok, then usinewgame: ready(). After a stop, once the
    // stopped think has answered.
    void NewGame();
    // position, then go; allowMs is what the clock grants (<= 0: no watch).
    void Go(const QString &positionCommand, const QString &goArguments, qint64 allowMs);
    void Stop(); // the think's answer is not wanted
    void GameOver(const QString &result); // win, lose or draw
    void Quit();

    State GetState() const { return m_state; }
    Fault GetFault() const { return m_fault; }
    QString Name() const { return m_name.isEmpty() ? m_link->Describe() : m_name; }
    QString Author() const { return m_author; }
    const QVector<OptionDef> &Options() const { return m_options; }
    static QString FaultText(Fault f);

signals:
    void identified();
    void ready();
    void bestMove(const QString &move); // USI move text, "resign" or "win"
    void info(const usic::Info &info);
    void faulted(usic::UsiEngine::Fault fault, const QString &detail);
    void quit();

private:
    void Send(const QString &line);
    void OnOutput(const QByteArray &bytes);
    void OnLine(const QString &line);
    void OnBestMove(const QString &line);
    void OnExited(bool crashed, int code);
    void OnTimeout();
    void Fail(Fault f, const QString &detail);
    void Wait(int ms);

    std::unique_ptr<EngineLink> m_link;
    Limits m_limits;
    State m_state = State::Off;
    Fault m_fault = Fault::None;
    QString m_name, m_author;
    QVector<OptionDef> m_options;
    QByteArray m_pending; // bytes after the last newline
    QTimer m_timer;
    QElapsedTimer m_window; // the second lines are counted in
    int m_linesInWindow = 0;
    bool m_newGameWaiting = false;
};

} // namespace usic

Q_DECLARE_METATYPE(usic::UsiEngine::Fault)

#endif
