// One study engine and what it is asked: think on a position until told
// otherwise, think for a time, or search for a mate. A new request stops the
// think running; its answer is dropped. Never blocks.
#ifndef KORVANE_ANALYSER_H
#define KORVANE_ANALYSER_H

#include "studycore.h"
#include "usiengine.h"

#include <QObject>
#include <QVector>

namespace study {

class Analyser : public QObject
{
    Q_OBJECT
public:
    // command as usic::MakeLink takes it; lines wanted where the engine offers MultiPV.
    Analyser(const QString &command, int multiPv, QObject *parent = nullptr);
    ~Analyser() override;

    void SetLimits(const usic::UsiEngine::Limits &l) { m_limits = l; }
    void Analyse(const usi::Position &p);      // go infinite; lines() as they come
    void Think(const usi::Position &p, int ms); // finished() after ms
    void Mate(const usi::Position &p, int ms);  // mateResult() within ms
    void Halt();                                // nothing wanted any more
    QString EngineName() const;

signals:
    void lines(const QVector<study::Line> &lines); // by multipv, sente's view
    void finished(const QVector<study::Line> &lines);
    void mateResult(bool found, const QStringList &pv);
    void failed(const QString &why); // the engine is gone; nothing more follows

private:
    enum class Kind
    {
        None,
        Infinite,
        Timed,
        Mate,
        MateByThink // an engine without go mate: a think that may find one
    };
    struct Request
    {
        Kind kind = Kind::None;
        usi::Position pos;
        int ms = 0;
    };

    void Open();
    void Want(Kind kind, const usi::Position &p, int ms);
    void Kick();
    void Drop(); // the running think is not wanted
    void OnTap(const QByteArray &bytes);
    void OnLine(const QString &line);
    void OnBestMove();
    void OnCheckmate(const QStringList &words);

    QString m_command;
    int m_multiPv;
    usic::UsiEngine::Limits m_limits;
    usic::UsiEngine *m_engine = nullptr;
    usic::EngineLink *m_link = nullptr; // owned by m_engine
    bool m_ready = false;
    bool m_dead = false;
    Request m_want, m_running;
    QVector<Line> m_lines;
    QByteArray m_pending;
};

} // namespace study

Q_DECLARE_METATYPE(study::Line)
Q_DECLARE_METATYPE(QVector<study::Line>)

#endif
