// korvane-match: a series of games between two engines, through the same
// engine client, clock and rules as the game.
#include "enginegame.h"
#include "recordformat.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <memory>

using namespace usic;

namespace {

constexpr qint64 kDefaultByoyomiMs = 1000; // when no time control is given

struct Player
{
    QString command;
    QStringList options; // NAME=VALUE
    std::unique_ptr<UsiEngine> engine;
    QString name;
};

void Print(const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Waits for the engine to identify itself (or fail), then sets its options.
// A failure leaves the engine dead, to lose its games.
void Launch(Player &p)
{
    QString why;
    auto link = MakeLink(p.command, why);
    if (!link) {
        Print(QStringLiteral("korvane-match: %1").arg(why));
        p.engine.reset();
        return;
    }
    p.engine = std::make_unique<UsiEngine>(std::move(link));
    QEventLoop loop;
    QObject::connect(p.engine.get(), &UsiEngine::identified, &loop, &QEventLoop::quit);
    QObject::connect(p.engine.get(), &UsiEngine::faulted, &loop, &QEventLoop::quit);
    p.engine->Start();
    loop.exec();
    if (p.engine->GetState() == UsiEngine::State::Dead) {
        Print(QStringLiteral("korvane-match: %1 %2").arg(p.command, UsiEngine::FaultText(p.engine->GetFault())));
        return;
    }
    if (p.name.isEmpty())
        p.name = p.engine->Name();
    const int level = ZelkorLevel(p.command);
    if (level >= 0)
        p.engine->SetOption(QStringLiteral("Level"), QString::number(level));
    for (const QString &o : p.options)
        p.engine->SetOption(o.section(QLatin1Char('='), 0, 0), o.section(QLatin1Char('='), 1));
}

bool ReadOpenings(const QString &path, QVector<Opening> &out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Print(QStringLiteral("korvane-match: %1: %2").arg(path, f.errorString()));
        return false;
    }
    int n = 0;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        n++;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Opening o;
        QString err;
        if (!ParseOpening(line, o, err)) {
            Print(QStringLiteral("korvane-match: %1:%2: %3").arg(path).arg(n).arg(err));
            return false;
        }
        out.append(o);
    }
    if (out.isEmpty()) {
        Print(QStringLiteral("korvane-match: %1: no openings").arg(path));
        return false;
    }
    return true;
}

bool Number(const QCommandLineParser &args, const QString &name, qint64 min, qint64 &out)
{
    if (!args.isSet(name))
        return true;
    bool ok = false;
    out = args.value(name).toLongLong(&ok);
    if (!ok || out < min) {
        Print(QStringLiteral("korvane-match: --%1 needs a number of at least %2").arg(name).arg(min));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("Plays a series of games between two USI engines; "
                                                  "CMD is a command line or zelkor:LEVEL (0-2)."));
    args.addHelpOption();
    const QStringList valued = {"engine1", "engine2", "option1", "option2", "games", "byoyomi",
                                "time", "inc", "openings", "max-plies", "kif-dir"};
    for (const QString &v : valued)
        args.addOption({v, v, v.startsWith(QLatin1String("engine")) ? QStringLiteral("CMD") : QStringLiteral("VALUE")});
    args.process(app);
    if (!args.isSet(QStringLiteral("engine1")) || !args.isSet(QStringLiteral("engine2"))) {
        Print(QStringLiteral("korvane-match: --engine1 and --engine2 are needed"));
        return 2;
    }
    qint64 games = 2, byoyomi = 0, mainTime = 0, inc = 0, maxPlies = kDefaultMaxPlies;
    if (!Number(args, QStringLiteral("games"), 1, games) || !Number(args, QStringLiteral("byoyomi"), 0, byoyomi) ||
        !Number(args, QStringLiteral("time"), 0, mainTime) || !Number(args, QStringLiteral("inc"), 0, inc) ||
        !Number(args, QStringLiteral("max-plies"), 1, maxPlies))
        return 2;
    GameSetup setup;
    TimeControl tc{mainTime, byoyomi, inc};
    if (!tc.Timed())
        tc.byoyomiMs = kDefaultByoyomiMs;
    setup.time[0] = setup.time[1] = tc;
    setup.maxPlies = int(maxPlies);
    QVector<Opening> openings{Opening()};
    if (args.isSet(QStringLiteral("openings"))) {
        openings.clear();
        if (!ReadOpenings(args.value(QStringLiteral("openings")), openings))
            return 2;
    }
    const QString kifDir = args.value(QStringLiteral("kif-dir"));
    if (!kifDir.isEmpty() && !QDir().mkpath(kifDir)) {
        Print(QStringLiteral("korvane-match: cannot make %1").arg(kifDir));
        return 2;
    }

    Player players[2];
    for (int i = 0; i < 2; i++) {
        players[i].command = args.value(QStringLiteral("engine%1").arg(i + 1));
        players[i].options = args.values(QStringLiteral("option%1").arg(i + 1));
    }
    int score[3] = {0, 0, 0}; // engine 1's wins, draws, losses
    for (int k = 1; k <= games; k++) {
        for (Player &p : players)
            if (!p.engine || p.engine->GetState() == UsiEngine::State::Dead)
                Launch(p);
        for (Player &p : players)
            if (p.name.isEmpty())
                p.name = p.command;
        // Each opening is played twice, engine 1 taking sente first.
        setup.opening = openings[((k - 1) / 2) % openings.size()];
        const int sente1 = (k - 1) % 2 == 0 ? 0 : 1; // engine 1's side
        UsiEngine *bySide[2] = {players[sente1].engine.get(), players[1 - sente1].engine.get()};
        GameResult result;
        if (!bySide[0] || !bySide[1]) {
            result.loser = bySide[0] ? 1 : 0;
            result.reason = QStringLiteral("no-response");
        } else {
            EngineGame game(bySide[0], bySide[1], setup);
            QEventLoop loop;
            QObject::connect(&game, &EngineGame::finished, &loop, &QEventLoop::quit);
            game.Start();
            if (!game.Over())
                loop.exec();
            result = game.Result();
            if (!kifDir.isEmpty()) {
                records::GameRecord rec;
                rec.start = setup.opening.start;
                rec.handicap = records::HandicapOf(rec.start);
                rec.moves = game.Judge().Moves();
                rec.names[usi::kSente] = players[sente1].name;
                rec.names[usi::kGote] = players[1 - sente1].name;
                rec.seconds = game.Seconds();
                // A game an engine's fault cut short is recorded as stopped.
                rec.ending = result.ending == GameEnding::None ? GameEnding::Interrupt : result.ending;
                std::string err;
                const QString path = QDir(kifDir).filePath(QStringLiteral("game%1.kif").arg(k, 3, 10, QLatin1Char('0')));
                if (!records::WriteRecordFile(path, rec, err))
                    Print(QStringLiteral("korvane-match: %1: %2").arg(path, QString::fromStdString(err)));
            }
        }
        const int e1Side = sente1 == 0 ? 0 : 1;
        const int outcome = result.loser < 0 ? 1 : result.loser == e1Side ? 2 : 0;
        score[outcome]++;
        const char *const text[3] = {"1-0", "1/2", "0-1"};
        QString line = QStringLiteral("game %1: %2 vs %3: %4 %5 %6")
                           .arg(k)
                           .arg(players[0].name, players[1].name, QLatin1String(text[outcome]), result.reason)
                           .arg(result.plies);
        if (!result.detail.isEmpty())
            line += QStringLiteral(" (%1)").arg(result.detail);
        Print(line);
    }
    Print(QStringLiteral("W-D-L: %1-%2-%3").arg(score[0]).arg(score[1]).arg(score[2]));

    QEventLoop loop;
    int running = 0;
    for (Player &p : players) {
        if (!p.engine || p.engine->GetState() == UsiEngine::State::Dead)
            continue;
        running++;
        QObject::connect(p.engine.get(), &UsiEngine::quit, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
        p.engine->Quit();
    }
    if (running > 0)
        loop.exec();
    return 0;
}
