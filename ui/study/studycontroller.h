// Study with an engine from the main window: analysis mode, hint, mate
// search and the analysis of the whole record with its graph and marks.
// Engines run in their own processes (or threads); nothing here waits.
#ifndef KORVANE_STUDYCONTROLLER_H
#define KORVANE_STUDYCONTROLLER_H

#include "gameanalysis.h"
#include "studyparts.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <vector>

class EvalGraph;
class LinePreview;
class QAction;
class QDockWidget;
class QProgressDialog;
class StudyPanel;

class StudyController : public QObject
{
    Q_OBJECT
public:
    // Command ids of the study commands.
    enum
    {
        kAnalysisId = 16300,
        kHintId = 16310,
        kMateId = 16320,
        kGameAnalysisId = 16330,
        kGraphId = 16340,
        kSettingsId = 16350
    };

    struct Settings
    {
        QString engine; // as usic::MakeLink takes it
        int multiPv = 3;
        int msPerMove = study::GameAnalysis::kDefaultMsPerMove;
        int mateMs = 10000;
        int hintMs = 3000;
        study::Thresholds thresholds;
    };

    StudyController(const StudyParts &parts, QObject *parent);
    ~StudyController() override;

    const Settings &GetSettings() const { return m_settings; }
    // The kept analysis of the record on screen, empty when there is none.
    const std::vector<study::PlyResult> &Results() const { return m_results; }
    // Comment lines for move n of the record (1-based), for record writers:
    // the analysis of the move and whether a hint was used for it.
    QStringList CommentLines(int n) const;
    LinePreview *Preview() const { return m_preview; }

signals:
    void StatusText(const QString &text);
    // Show the record after entry pos (-1: the start), as stepping does.
    void StepRequested(int pos);

private:
    QAction *AddCommand(int id, const char *text, bool checkable, void (StudyController::*slot)());
    void ToggleAnalysis();
    bool HumanToMove() const; // in a game against the computer
    void Hint();
    // The engine's answer to a hint asked on p for move ply (1-based).
    void ShowHint(const usi::Position &p, int lastDst, int ply, const QVector<study::Line> &lines);
    void MarkHint(const usi::Move &m);
    void MateSearch();
    void AnalyseGame();
    void ToggleGraph();
    void EditSettings();
    void LoadSettings();
    void SaveSettings() const;

    void Watch(); // the position on screen and the record, every tick
    usi::Position ShownPosition(int *lastDst = nullptr) const;
    std::vector<usi::Position> RecordPositions() const;
    void EndGameAnalysis();
    void ShowResults();
    // How move n (1-based) of the analysed record is judged.
    study::Mark MarkAt(size_t n) const;
    void JumpTo(int ply);
    void Fault(study::Analyser *who, const QString &why);
    int FirstSide() const;
    void ShowPanel();

    StudyParts m_parts;
    Settings m_settings;
    QTimer m_watch;
    QHash<int, QAction *> m_actions;

    QDockWidget *m_panelDock = nullptr;
    StudyPanel *m_panel = nullptr;
    LinePreview *m_preview = nullptr;  // a clicked line on the main board
    study::Analyser *m_live = nullptr; // analysis mode
    QString m_liveSfen;
    usi::Position m_livePos; // what m_live is asked about
    int m_liveLastDst = 0;
    study::Analyser *m_oneShot = nullptr; // hint or mate search

    QDockWidget *m_graphDock = nullptr;
    EvalGraph *m_graph = nullptr;
    study::GameAnalysis *m_game = nullptr;
    QPointer<QProgressDialog> m_progress; // the window may delete it first
    // Results of the record they were made for: positions 0..moves.
    std::vector<usi::Position> m_positions;
    std::vector<study::PlyResult> m_results;
    // Moves made after a hint (1-based), with the position (SFEN) it was for.
    QMap<int, std::string> m_hints;
};

#endif
