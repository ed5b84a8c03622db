#include "studycontroller.h"

#include "cboardframe.h"
#include "ckibowidget.h"
#include "cplayer.h"
#include "displayprefs.h"
#include "evalgraph.h"
#include "gameflow.h"
#include "gamerecord.h"
#include "language.h"
#include "linepreview.h"
#include "messagebox.h"
#include "shogidoc.h"
#include "studypanel.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QSpinBox>

namespace {

const char SettingsGroup[] = "Study";
constexpr int kWatchMs = 200;
constexpr BYTE kHuman = 1, kComputer = 2; // CPlayer::GetProperty

QString DefaultEngine()
{
    // Our engine beside the program, as installed and in the build tree.
    const QString usi = QCoreApplication::applicationDirPath() + QStringLiteral("/korvane-usi");
    return QFileInfo(usi).isExecutable() ? usi : QStringLiteral("zelkor:2");
}

} // namespace

StudyController::StudyController(const StudyParts &parts, QObject *parent)
    : QObject(parent), m_parts(parts)
{
    LoadSettings();
    QMenu *game = parts.gameMenu, *record = parts.recordMenu;
    game->addSeparator();
    game->addAction(AddCommand(kAnalysisId, JC_StudyAnalysis, true, &StudyController::ToggleAnalysis));
    game->addAction(AddCommand(kHintId, JC_StudyHint, false, &StudyController::Hint));
    game->addAction(AddCommand(kMateId, JC_StudyMate, false, &StudyController::MateSearch));
    record->addSeparator();
    record->addAction(AddCommand(kGameAnalysisId, JC_StudyGame, false, &StudyController::AnalyseGame));
    record->addAction(AddCommand(kGraphId, JC_StudyGraph, true, &StudyController::ToggleGraph));
    parts.settingMenu->addAction(
        AddCommand(kSettingsId, JC_StudySettings, false, &StudyController::EditSettings));
    connect(&m_watch, &QTimer::timeout, this, &StudyController::Watch);
    m_watch.start(kWatchMs);
    m_preview = new LinePreview(parts, this);
    // The board starts anew for a new game, an opened record and editing.
    connect(parts.board, &CBoardFrame::reset, this, [this] {
        if (!m_hints.isEmpty()) {
            m_hints.clear();
            ShowResults();
        }
    });
    connect(m_preview, &LinePreview::changed, this, [this] {
        if (m_panel)
            m_panel->ShowStepping(m_preview->IsOn(), m_preview->CurrentStep(),
                                  m_preview->StepCount());
    });
}

StudyController::~StudyController()
{
    // Engines die with their owners, now; no modal box may follow.
    delete m_progress;
}

QAction *StudyController::AddCommand(int id, const char *text, bool checkable,
                                     void (StudyController::*slot)())
{
    // Gone from the menus with the study.
    auto *a = new QAction(JStr(text), this);
    a->setData(id);
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, slot);
    m_actions.insert(id, a);
    return a;
}

int StudyController::FirstSide() const
{
    return records::FrameOf(*m_parts.doc).firstIsSente ? usi::kSente : usi::kGote;
}

usi::Position StudyController::ShownPosition(int *lastDst) const
{
    const ShogiDoc &doc = *m_parts.doc;
    const int shown = doc.GetKiboTestPos() + 1;
    if (lastDst) {
        const records::GameRecord rec = records::RecordOf(doc);
        *lastDst = shown > 0 && size_t(shown) <= rec.moves.size() ? rec.moves[size_t(shown) - 1].dst : 0;
    }
    return records::PositionOnScreen(doc, shown);
}

std::vector<usi::Position> StudyController::RecordPositions() const
{
    const records::GameRecord rec = records::RecordOf(*m_parts.doc);
    std::vector<usi::Position> out{rec.start};
    for (const usi::Move &m : rec.moves)
        out.push_back(usi::Apply(out.back(), m));
    return out;
}

void StudyController::Fault(study::Analyser *who, const QString &why)
{
    // Called from the engine's own signal: it goes once that returns.
    who->deleteLater();
    if (who == m_live) {
        m_live = nullptr;
        m_actions.value(kAnalysisId)->setChecked(false);
    }
    if (who == m_oneShot)
        m_oneShot = nullptr;
    const QString text = JStr(JC_StudyEngineFault) + QStringLiteral("\n") + why;
    QTimer::singleShot(0, this, [this, text] { ShowBox(m_parts.window, BoxKind::Warning, text); });
}

// ---------------------------------------------------------------- analysis mode

void StudyController::ToggleAnalysis()
{
    if (m_live) {
        delete m_live; // the engine is killed with it
        m_live = nullptr;
        return;
    }
    ShowPanel();
    m_live = new study::Analyser(m_settings.engine, m_settings.multiPv, this);
    study::Analyser *live = m_live;
    connect(live, &study::Analyser::failed, this, [this, live](const QString &why) { Fault(live, why); });
    connect(live, &study::Analyser::lines, this, [this](const QVector<study::Line> &lines) {
        // Read against the position asked about: the screen may have moved on.
        m_panel->ShowLines(m_livePos, lines, m_liveLastDst, FirstSide());
    });
    m_liveSfen.clear();
    Watch();
}

void StudyController::ShowPanel()
{
    if (!m_panelDock) {
        m_panelDock = new QDockWidget(JStr(JC_StudyAnalysis), m_parts.window);
        m_panel = new StudyPanel(m_panelDock);
        m_panelDock->setWidget(m_panel);
        m_parts.window->addDockWidget(Qt::RightDockWidgetArea, m_panelDock);
        connect(m_panel, &StudyPanel::lineClicked, this, [this](int row) {
            if (row >= 0 && row < m_panel->Lines().size())
                m_preview->Start(m_panel->Position(), m_panel->LastDst(), m_panel->Lines()[row].pv);
        });
        connect(m_panel, &StudyPanel::stepClicked, m_preview, &LinePreview::Step);
        connect(m_panel, &StudyPanel::leaveClicked, m_preview, &LinePreview::Leave);
    }
    m_panelDock->show();
}

void StudyController::Watch()
{
    const ShogiDoc &doc = *m_parts.doc;
    if (m_live) {
        int lastDst = 0;
        const usi::Position p = ShownPosition(&lastDst);
        const QString sfen = QString::fromStdString(usi::WriteSfen(p));
        if (sfen != m_liveSfen) {
            m_liveSfen = sfen;
            m_livePos = p;
            m_liveLastDst = lastDst;
            m_panel->ShowLines(p, {}, lastDst, FirstSide());
            m_panel->ShowText(JStr(JC_StudyAnalysing));
            m_live->Analyse(p);
        }
    }
    if (m_results.empty() && m_hints.isEmpty())
        return;
    const std::vector<usi::Position> now = RecordPositions();
    // A hint's note stays while the position it was given on is in the
    // record (a new game or record drops them all at once).
    bool dropped = false;
    for (auto it = m_hints.begin(); it != m_hints.end();) {
        const size_t before = size_t(it.key() - 1);
        const bool kept = before < now.size() && usi::WriteSfen(now[before]) == it.value();
        dropped |= !kept;
        it = kept ? std::next(it) : m_hints.erase(it);
    }
    // Results belong to the record they were made for.
    bool same = now.size() == m_positions.size();
    for (size_t i = 0; same && i < now.size(); i++)
        same = usi::WriteSfen(now[i]) == usi::WriteSfen(m_positions[i]);
    if (!same && !m_results.empty()) {
        m_results.clear();
        m_positions.clear();
        dropped = true;
    }
    if (dropped)
        ShowResults();
    if (m_results.empty())
        return;
    const int ply = doc.GetKiboTestPos() + 1;
    if (m_graph)
        m_graph->SetCurrent(ply);
    // Without a live engine the panel shows what the analysis found here; at
    // a move judged a mistake, the better line from where it was chosen.
    if (m_live || !m_panel || ply < 0 || size_t(ply) >= m_results.size())
        return;
    const study::Mark mark = MarkAt(size_t(ply));
    const size_t at = mark == study::Mark::None ? size_t(ply) : size_t(ply) - 1;
    const QString key =
        QString::fromStdString(usi::WriteSfen(m_positions[at])) + QString::number(int(mark));
    if (!m_results[at].done || key == m_liveSfen)
        return;
    m_liveSfen = key;
    const records::GameRecord rec = records::RecordOf(doc);
    const int lastDst = at > 0 && at <= rec.moves.size() ? rec.moves[at - 1].dst : 0;
    m_panel->ShowLines(m_positions[at], {m_results[at].best}, lastDst, FirstSide());
    m_panel->ShowText(mark == study::Mark::None
                          ? QString()
                          : JStr(mark == study::Mark::Bad ? JC_StudyBad : JC_StudyDubious) +
                                QStringLiteral(" / ") + JStr(JC_StudyBest));
}

study::Mark StudyController::MarkAt(size_t n) const
{
    if (n == 0 || n >= m_results.size() || !m_results[n - 1].done || !m_results[n].done)
        return study::Mark::None;
    return study::Judge(m_results[n - 1].best.eval, m_results[n].best.eval, m_positions[n - 1].side,
                        m_settings.thresholds);
}

// ---------------------------------------------------------------- hint and mate

bool StudyController::HumanToMove() const
{
    const ShogiDoc &doc = *m_parts.doc;
    const CPlayer *me = doc.GetPlayer(doc.GetCurPlayer());
    const CPlayer *other = doc.GetPlayer(BYTE(3 - doc.GetCurPlayer()));
    return g_byGameStatus == GameStatus::Playing && !doc.IsComputerMoveing() && me && other &&
           me->GetProperty() == kHuman && other->GetProperty() == kComputer;
}

void StudyController::Hint()
{
    if (m_oneShot || !HumanToMove())
        return;
    int lastDst = 0;
    const usi::Position p = ShownPosition(&lastDst);
    const int ply = m_parts.doc->GetKiboNum() + 1;
    m_oneShot = new study::Analyser(m_settings.engine, 1, this);
    study::Analyser *a = m_oneShot;
    connect(a, &study::Analyser::failed, this, [this, a](const QString &why) { Fault(a, why); });
    connect(a, &study::Analyser::finished, this,
            [this, a, p, lastDst, ply](const QVector<study::Line> &lines) {
                a->deleteLater();
                m_oneShot = nullptr;
                ShowHint(p, lastDst, ply, lines);
            });
    a->Think(p, m_settings.hintMs);
    emit StatusText(JStr(JC_StudyHint) + QStringLiteral("..."));
}

void StudyController::ShowHint(const usi::Position &p, int lastDst, int ply,
                               const QVector<study::Line> &lines)
{
    const std::vector<usi::Move> best =
        lines.isEmpty() ? std::vector<usi::Move>() : study::LegalPrefix(p, lines[0].pv);
    if (best.empty())
        return;
    // A hint for a position already left would mark and note the wrong move.
    const std::vector<usi::Position> record = RecordPositions();
    if (!HumanToMove() || record.size() != size_t(ply) ||
        usi::WriteSfen(ShownPosition()) != usi::WriteSfen(p)) {
        emit StatusText(JStr(JC_StudyHintStale));
        return;
    }
    emit StatusText(JStr(JC_StudyHint) + QStringLiteral(": ") +
                            study::MoveText(p, best[0], lastDst, ShownNotationStyle()));
    MarkHint(best[0]);
    m_hints.insert(ply, usi::WriteSfen(record.back()));
    ShowResults();
}

void StudyController::MarkHint(const usi::Move &m)
{
    const ShogiDoc &doc = *m_parts.doc;
    const records::DocFrame f = records::FrameOf(doc);
    CBoardFrame::HintMark mark;
    int x = 0, y = 0;
    records::FromUsiSquare(f, m.dst, x, y);
    mark.dx = BYTE(x);
    mark.dy = BYTE(y);
    if (m.src == usi::kDrop) {
        mark.dropOwner = doc.GetCurPlayer();
        mark.dropKind = BYTE(m.drop);
    } else {
        records::FromUsiSquare(f, m.src, x, y);
        mark.sx = BYTE(x);
        mark.sy = BYTE(y);
    }
    m_parts.board->SetHint(mark);
}

void StudyController::MateSearch()
{
    if (m_oneShot)
        return;
    int lastDst = 0;
    const usi::Position p = ShownPosition(&lastDst);
    m_oneShot = new study::Analyser(m_settings.engine, 1, this);
    study::Analyser *a = m_oneShot;
    connect(a, &study::Analyser::failed, this, [this, a](const QString &why) { Fault(a, why); });
    connect(a, &study::Analyser::mateResult, this, [this, a, p, lastDst](bool found, const QStringList &pv) {
        a->deleteLater();
        m_oneShot = nullptr;
        const QString text = found ? JStr(JC_StudyMate) + QStringLiteral(": ") +
                                         study::PvText(p, pv, pv.size(), lastDst, ShownNotationStyle())
                                   : JStr(JC_StudyNoMate);
        QTimer::singleShot(0, this, [this, text] { ShowBox(m_parts.window, BoxKind::Information, text); });
    });
    a->Mate(p, m_settings.mateMs);
    emit StatusText(JStr(JC_StudyMate) + QStringLiteral("..."));
}

// ---------------------------------------------------------------- the whole record

void StudyController::AnalyseGame()
{
    if (m_game || g_byGameStatus == GameStatus::Playing)
        return;
    std::vector<usi::Position> positions = RecordPositions();
    if (positions.size() < 2)
        return;
    m_game = new study::GameAnalysis(m_settings.engine, positions, this);
    m_progress = new QProgressDialog(JStr(JC_StudyAnalysing), JStr(JC_StudyCancel), 0,
                                     int(positions.size()), m_parts.window);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    connect(m_game, &study::GameAnalysis::progress, m_progress, &QProgressDialog::setValue);
    connect(m_progress, &QProgressDialog::canceled, this, &StudyController::EndGameAnalysis);
    connect(m_game, &study::GameAnalysis::finished, this, [this] {
        m_positions = m_game->Positions();
        m_results = m_game->Results();
        m_game->deleteLater();
        m_game = nullptr;
        EndGameAnalysis();
        ShowResults();
        if (!m_graphDock || !m_graphDock->isVisible())
            ToggleGraph();
        ShowPanel(); // with the better line of each position stepped to
        m_liveSfen.clear();
    });
    connect(m_game, &study::GameAnalysis::failed, this, [this](const QString &why) {
        m_game->deleteLater();
        m_game = nullptr;
        EndGameAnalysis();
        const QString text = JStr(JC_StudyEngineFault) + QStringLiteral("\n") + why;
        QTimer::singleShot(0, this, [this, text] { ShowBox(m_parts.window, BoxKind::Warning, text); });
    });
    m_game->Start(m_settings.msPerMove);
    m_progress->show();
}

void StudyController::EndGameAnalysis()
{
    delete m_game; // a cancelled analysis kills its engine now
    m_game = nullptr;
    if (m_progress) {
        m_progress->disconnect(this);
        m_progress->deleteLater();
        m_progress = nullptr;
    }
}

void StudyController::ShowResults()
{
    QMap<int, QString> marks;
    std::vector<study::Eval> values;
    std::vector<study::Mark> judged(m_results.size(), study::Mark::None);
    for (size_t n = 0; n < m_results.size(); n++) {
        values.push_back(m_results[n].done ? m_results[n].best.eval.ForSide(FirstSide()) : study::Eval());
        judged[n] = MarkAt(n);
        if (judged[n] != study::Mark::None)
            marks[int(n)] = JStr(judged[n] == study::Mark::Bad ? JC_StudyBad : JC_StudyDubious);
    }
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it)
        marks[it.key()] += JStr(JC_StudyHintUsed);
    m_parts.record->SetMarks(marks);
    if (m_graph)
        m_graph->SetValues(values, judged);
    if (m_actions.contains(kGraphId))
        m_actions.value(kGraphId)->setChecked(m_graphDock && m_graphDock->isVisible());
}

void StudyController::ToggleGraph()
{
    if (!m_graphDock) {
        m_graphDock = new QDockWidget(JStr(JC_StudyGraph), m_parts.window);
        m_graph = new EvalGraph(m_graphDock);
        m_graphDock->setWidget(m_graph);
        m_parts.window->addDockWidget(Qt::BottomDockWidgetArea, m_graphDock);
        connect(m_graph, &EvalGraph::plyClicked, this, &StudyController::JumpTo);
        ShowResults();
        return;
    }
    m_graphDock->setVisible(!m_graphDock->isVisible());
    m_actions.value(kGraphId)->setChecked(m_graphDock->isVisible());
}

void StudyController::JumpTo(int ply)
{
    // Stepping is for a record at rest, as its own commands are.
    const bool canStep = m_parts.backOne->isEnabled() || m_parts.forwardOne->isEnabled();
    if (canStep && ply >= 0 && ply <= m_parts.doc->GetKiboNum())
        emit StepRequested(ply - 1);
}

QStringList StudyController::CommentLines(int n) const
{
    QStringList out = study::CommentLines(m_positions, m_results, n, m_settings.thresholds);
    if (m_hints.contains(n))
        out << QLatin1Char('*') + JStr(JC_StudyHintUsed);
    return out;
}

// ---------------------------------------------------------------- settings

void StudyController::LoadSettings()
{
    const KConfigGroup g = KSharedConfig::openConfig()->group(SettingsGroup);
    m_settings.engine = g.readEntry("Engine", DefaultEngine());
    m_settings.multiPv = qBound(1, g.readEntry("MultiPV", m_settings.multiPv), 10);
    m_settings.msPerMove = qBound(100, g.readEntry("MsPerMove", m_settings.msPerMove), 600000);
    m_settings.mateMs = qBound(100, g.readEntry("MateMs", m_settings.mateMs), 600000);
    m_settings.hintMs = qBound(100, g.readEntry("HintMs", m_settings.hintMs), 600000);
    m_settings.thresholds.dubious = qBound(1.0, g.readEntry("Dubious", m_settings.thresholds.dubious), 100.0);
    m_settings.thresholds.bad = qBound(1.0, g.readEntry("Bad", m_settings.thresholds.bad), 100.0);
}

void StudyController::SaveSettings() const
{
    KConfigGroup g = KSharedConfig::openConfig()->group(SettingsGroup);
    g.writeEntry("Engine", m_settings.engine);
    g.writeEntry("MultiPV", m_settings.multiPv);
    g.writeEntry("MsPerMove", m_settings.msPerMove);
    g.writeEntry("MateMs", m_settings.mateMs);
    g.writeEntry("HintMs", m_settings.hintMs);
    g.writeEntry("Dubious", m_settings.thresholds.dubious);
    g.writeEntry("Bad", m_settings.thresholds.bad);
    g.sync();
}

void StudyController::EditSettings()
{
    QDialog dlg(m_parts.window);
    dlg.setWindowTitle(JStr(JC_StudySettings));
    auto *form = new QFormLayout(&dlg);
    auto *engine = new QLineEdit(m_settings.engine, &dlg);
    auto *multiPv = new QSpinBox(&dlg);
    multiPv->setRange(1, 10);
    multiPv->setValue(m_settings.multiPv);
    auto seconds = [&dlg](int ms) {
        auto *s = new QDoubleSpinBox(&dlg);
        s->setRange(0.1, 600);
        s->setValue(ms / 1000.0);
        return s;
    };
    QDoubleSpinBox *perMove = seconds(m_settings.msPerMove), *mate = seconds(m_settings.mateMs),
                   *hint = seconds(m_settings.hintMs);
    auto percent = [&dlg](double v) {
        auto *s = new QDoubleSpinBox(&dlg);
        s->setRange(1, 100);
        s->setValue(v);
        return s;
    };
    QDoubleSpinBox *dubious = percent(m_settings.thresholds.dubious),
                   *bad = percent(m_settings.thresholds.bad);
    form->addRow(QStringLiteral("USI"), engine);
    form->addRow(QStringLiteral("MultiPV"), multiPv);
    form->addRow(JStr(JC_StudyPerMove), perMove);
    form->addRow(JStr(JC_StudyMateTime), mate);
    form->addRow(JStr(JC_StudyHintTime), hint);
    form->addRow(JStr(JC_StudyDubiousAt), dubious);
    form->addRow(JStr(JC_StudyBadAt), bad);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_settings.engine = engine->text().trimmed().isEmpty() ? DefaultEngine() : engine->text().trimmed();
    m_settings.multiPv = multiPv->value();
    m_settings.msPerMove = qRound(perMove->value() * 1000);
    m_settings.mateMs = qRound(mate->value() * 1000);
    m_settings.hintMs = qRound(hint->value() * 1000);
    // A dubious move is never judged more harshly than a bad one.
    m_settings.thresholds.bad = bad->value();
    m_settings.thresholds.dubious = qMin(dubious->value(), bad->value());
    SaveSettings();
    ShowResults();
}
