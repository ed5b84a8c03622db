#include "usiengine.h"
#include "usiprotocol.h"
#include "usi_position.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace usic;
using Fault = UsiEngine::Fault;

namespace {

TEST(UsiProtocol, OptionLines)
{
    const struct
    {
        const char *line;
        bool ok;
        OptionDef::Type type;
        const char *name, *def;
        const char *sentFor; // the value offered to SetOptionCommand
        const char *command; // what it sends
    } cases[] = {
        {"option name USI_Ponder type check default false", true, OptionDef::Check, "USI_Ponder",
         "false", "maybe", "setoption name USI_Ponder value false"},
        {"option name Hash type spin default 16 min 1 max 1024", true, OptionDef::Spin, "Hash", "16",
         "5000", "setoption name Hash value 1024"},
        {"option name Style type combo default Normal var Solid var Normal var Risky", true,
         OptionDef::Combo, "Style", "Normal", "Risky", "setoption name Style value Risky"},
        {"option name Book File type filename default <empty>", true, OptionDef::Filename,
         "Book File", "", "/tmp/a b.db", "setoption name Book File value /tmp/a b.db"},
        {"option name Clear Hash type button", true, OptionDef::Button, "Clear Hash", "", "x",
         "setoption name Clear Hash"},
        {"option name Eval type string default nn bin", true, OptionDef::String, "Eval", "nn bin",
         "a", "setoption name Eval value a"},
        {"option name Hash type spin default 16", false, {}, "", "", "", ""},   // no bounds
        {"option name X type colour default red", false, {}, "", "", "", ""}, // unknown type
        {"option type check default true", false, {}, "", "", "", ""},        // no name
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        OptionDef d;
        ASSERT_EQ(ParseOption(QString::fromLatin1(c.line), d), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(d.type, c.type);
        EXPECT_EQ(d.name, QLatin1String(c.name));
        EXPECT_EQ(d.def, QLatin1String(c.def));
        EXPECT_EQ(SetOptionCommand(d, QString::fromLatin1(c.sentFor)), QLatin1String(c.command));
    }
}

TEST(UsiProtocol, InfoLines)
{
    const struct
    {
        const char *line;
        int depth;
        bool hasScore, mate;
        int score;
        qint64 nodes;
        const char *pv;
    } cases[] = {
        {"info depth 7 seldepth 9 score cp -35 nodes 12345 nps 1000 pv 7g7f 3c3d", 7, true, false,
         -35, 12345, "7g7f 3c3d"},
        {"info depth 3 score mate 5 pv 2b3c+ P*2c", 3, true, true, 5, -1, "2b3c+ P*2c"},
        {"info score mate - nodes 9", -1, true, true, -1, 9, ""},
        {"info score cp 120 lowerbound depth 4", 4, true, false, 120, -1, ""},
        {"info string depth 8 score cp 1", -1, false, false, 0, -1, ""},
        {"info score cp", -1, false, false, 0, -1, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        Info i;
        ASSERT_TRUE(ParseInfo(QString::fromLatin1(c.line), i));
        EXPECT_EQ(i.depth, c.depth);
        EXPECT_EQ(i.hasScore, c.hasScore);
        EXPECT_EQ(i.mate, c.mate);
        EXPECT_EQ(i.score, c.score);
        EXPECT_EQ(i.nodes, c.nodes);
        EXPECT_EQ(i.pv.join(QLatin1Char(' ')), QLatin1String(c.pv));
    }
}

// One engine started from a script, driven to one think.
class FakeEngine
{
public:
    explicit FakeEngine(const QString &script)
    {
        static int argc = 0; // the engine's process and signals need an application
        static QCoreApplication app(argc, nullptr);
        const QString path = m_dir.filePath(QStringLiteral("script"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QString(script).replace(QLatin1String("$LOG"), LogPath()).toUtf8());
        m_engine = std::make_unique<UsiEngine>(
            std::make_unique<ProcessLink>(QStringLiteral(FAKE_ENGINE), QStringList{path}));
        // Short limits (usiok, readyok, think margin, quit grace), for quick faults.
        m_engine->SetLimits(UsiEngine::Limits{1500, 1500, 300, 500});
    }
    QString LogPath() const { return m_dir.filePath(QStringLiteral("log")); }
    UsiEngine &operator*() { return *m_engine; }
    UsiEngine *operator->() { return m_engine.get(); }

    // Runs as far as the script lets it: the move, or the fault. configure
    // runs once the engine has named itself.
    QString Think(qint64 allowMs, const QString &go = QStringLiteral("byoyomi 1000"),
                  const std::function<void()> &configure = {})
    {
        QSignalSpy fault(m_engine.get(), &UsiEngine::faulted);
        QSignalSpy best(m_engine.get(), &UsiEngine::bestMove);
        QSignalSpy id(m_engine.get(), &UsiEngine::identified);
        QSignalSpy ready(m_engine.get(), &UsiEngine::ready);
        m_engine->Start();
        if (WaitFor(id, fault)) {
            if (configure)
                configure();
            m_engine->NewGame();
            if (WaitFor(ready, fault)) {
                m_engine->Go(QStringLiteral("position startpos moves 7g7f"), go, allowMs);
                if (WaitFor(best, fault))
                    return best.first().first().toString();
            }
        }
        return QString();
    }

private:
    static bool WaitFor(QSignalSpy &wanted, QSignalSpy &fault)
    {
        for (int i = 0; i < 100 && wanted.isEmpty() && fault.isEmpty(); i++)
            wanted.wait(100);
        return !wanted.isEmpty();
    }
    QTemporaryDir m_dir;
    std::unique_ptr<UsiEngine> m_engine;
};

TEST(UsiEngine, EveryScriptedBehaviourEndsInAMoveOrOneFault)
{
    const struct
    {
        const char *script;
        qint64 allowMs;
        Fault fault;
        const char *move; // when no fault: the answer
    } cases[] = {
        {"go * resign\n", 1000, Fault::None, "resign"},
        {"go * win\n", 1000, Fault::None, "win"},
        {"go * illegal\n", 1000, Fault::None, "1b1a"}, // legality is the game's to judge
        {"go * sleep 200\n", 1000, Fault::None, nullptr},
        {"go * sleep 3000\n", 200, Fault::NoResponse, nullptr},
        {"go * hang\n", 200, Fault::NoResponse, nullptr},
        {"go * crash\n", 1000, Fault::Crashed, nullptr},
        {"go * exit\n", 1000, Fault::Exited, nullptr},
        {"go * malformed\n", 1000, Fault::Malformed, nullptr},
        {"go * flood\n", 100000, Fault::Flood, nullptr},
        {"go * longline\n", 100000, Fault::Flood, nullptr},
        {"usiok no\n", 1000, Fault::NoUsiok, nullptr},
        {"readyok no\n", 1000, Fault::NoReadyok, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        FakeEngine e(QString::fromLatin1(c.script));
        QSignalSpy fault(&*e, &UsiEngine::faulted);
        const QString move = e.Think(c.allowMs);
        EXPECT_EQ(e->GetFault(), c.fault);
        EXPECT_EQ(fault.size(), c.fault == Fault::None ? 0 : 1);
        if (c.fault != Fault::None)
            continue;
        EXPECT_EQ(e->GetState(), UsiEngine::State::Idle);
        usi::Move m;
        EXPECT_TRUE(c.move ? move == QLatin1String(c.move) : usi::ParseMove(move.toStdString(), m))
            << move.toStdString();
    }
}

TEST(UsiEngine, SendsOptionsClockAndEndsTheProcess)
{
    FakeEngine e(QStringLiteral("log $LOG\nquit ignore\noption name Hash type spin default 16 min 1 max 64\n"));
    QSignalSpy info(&*e, &UsiEngine::info);
    const QString move = e.Think(5000, QStringLiteral("btime 1000 wtime 2000 binc 10 winc 20"), [&] {
        EXPECT_EQ(e->Name(), QLatin1String("Fake"));
        ASSERT_EQ(e->Options().size(), 1);
        e->SetOption(QStringLiteral("Hash"), QStringLiteral("999"));
    });
    ASSERT_FALSE(move.isEmpty());
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info.first().first().value<Info>().score, 42);
    e->GameOver(QStringLiteral("win"));
    QSignalSpy quit(&*e, &UsiEngine::quit);
    e->Quit();
    ASSERT_TRUE(quit.wait(3000)); // it ignores quit: killed after the grace
    EXPECT_EQ(e->GetFault(), Fault::None);

    QFile log(e.LogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()),
              QStringLiteral("usi\nsetoption name Hash value 64\nisready\nusinewgame\nposition startpos moves 7g7f\n"
                             "go btime 1000 wtime 2000 binc 10 winc 20\ngameover win\nquit\n"));
}

TEST(UsiEngine, RefusesWhatCannotRun)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString commands[] = {QStringLiteral("/nonexistent/engine"), plain, dir.path(), QString(),
                                QStringLiteral("zelkor:3"), QStringLiteral("no-such-engine-here")};
    for (const QString &c : commands) {
        QString why;
        EXPECT_EQ(MakeLink(c, why), nullptr) << c.toStdString();
        EXPECT_FALSE(why.isEmpty()) << c.toStdString();
    }
}

} // namespace
