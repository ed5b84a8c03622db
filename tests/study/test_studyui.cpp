#include "appfixture.h"
#include "displayprefs.h"
#include "gamerecord.h"
#include "language.h"
#include "studycontroller.h"
#include "studypanel.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QDockWidget>
#include <QMenu>
#include <QTreeWidget>

namespace {

using namespace cmd;

// A controller reading the study settings given (engine nullptr: our own);
// the window's own is replaced.
StudyController *Study(ShogiApp *app, const char *engine, int mateMs = 10000)
{
    KConfigGroup g = KSharedConfig::openConfig()->group("Study");
    g.writeEntry("Engine", engine ? QString(engine)
                                  : QCoreApplication::applicationDirPath() + "/korvane-usi");
    g.writeEntry("MateMs", mateMs);
    g.writeEntry("MsPerMove", 300);
    delete app->findChild<StudyController *>();
    return app->NewStudy();
}

void RunCommand(ShogiApp *app, int menu, int id)
{
    for (QAction *a : app->Menu(menu)->actions())
        if (a->data().toInt() == id)
            a->trigger();
}

// The record of these moves from the even start, opened and at rest.
records::GameRecord Open(ShogiApp *app, std::initializer_list<const char *> moves)
{
    records::GameRecord rec;
    for (const char *text : moves) {
        usi::Move u;
        EXPECT_TRUE(usi::ParseMove(text, u)) << text;
        rec.moves.push_back(u);
    }
    std::string err;
    EXPECT_TRUE(records::LoadIntoDoc(rec, *app->getDocument(), err)) << err;
    app->slotGameBreak();
    return rec;
}

QPoint DocSquare(const ShogiDoc &doc, int usiSquare)
{
    int x = 0, y = 0;
    records::FromUsiSquare(records::FrameOf(doc), usiSquare, x, y);
    return {x, y};
}

// What the board draws on a usi square, in the document's codes.
BYTE ShownAt(CBoardFrame *board, const ShogiDoc &doc, int usiSquare)
{
    const QPoint at = DocSquare(doc, usiSquare);
    return board->Shown(at.x(), at.y());
}

void ClickFirstLine(StudyPanel *panel)
{
    auto *list = panel->findChild<QTreeWidget *>();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() + 4, row.center().y()));
}

} // namespace

// The whole record analysed from the menus with our engine: the lost bishop
// is marked, the graph jumps, the live analysis follows stepping and at the
// mistake the panel offers the better line from before it. The record stays.
TEST_F(App, StudyWholeRecordFindsTheLostBishopAndJumps)
{
    StudyController *study = Study(app, nullptr);
    // 3. the bishop runs into gote's bishop and is taken for nothing.
    const records::GameRecord rec = Open(app, {"7g7f", "3c3d", "8h3c+", "2b3c"});
    const auto before = *doc->GetKibo();
    RunCommand(app, 2, StudyController::kGameAnalysisId);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !study->Results().empty(); }, 30000));
    ASSERT_EQ(study->Results().size(), 5u);
    EXPECT_EQ(*doc->GetKibo(), before);
    const QStringList comments = study->CommentLines(3);
    ASSERT_EQ(comments.size(), 2);
    EXPECT_TRUE(comments[1].startsWith(QLatin1Char('*') + JStr(JC_StudyBad)))
        << comments[1].toStdString();
    QDockWidget *graph = nullptr;
    for (QDockWidget *d : app->findChildren<QDockWidget *>())
        if (d->windowTitle() == JStr(JC_StudyGraph))
            graph = d;
    ASSERT_TRUE(graph);
    ASSERT_TRUE(QTest::qWaitFor([&] { return graph->isVisible(); }, 10000));
    // A click on the graph at ply 2 steps the record there.
    QWidget *w = graph->widget();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    EXPECT_EQ(doc->GetKiboTestPos() + 1, 2);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 1, w->height() / 2));
    EXPECT_EQ(doc->GetKiboTestPos() + 1, 4);

    // Analysis mode follows the record as it is stepped.
    RunCommand(app, 1, StudyController::kAnalysisId);
    auto *lines = app->findChild<QTreeWidget *>();
    ASSERT_TRUE(lines);
    const auto firstLine = [&](const char *sign) {
        return QTest::qWaitFor(
            [&] {
                return lines->topLevelItemCount() > 0 &&
                       lines->topLevelItem(0)->text(4).startsWith(JStr(sign));
            },
            10000);
    };
    EXPECT_TRUE(firstLine(JC_FirstSign)); // sente to move after 4
    app->slotKiboBackOne();
    EXPECT_TRUE(firstLine(JC_SecondSign));
    RunCommand(app, 1, StudyController::kAnalysisId);

    // After move 3 the panel offers the line from before it, shown by a click.
    app->JumpToKibo(2);
    auto *panel = app->findChild<StudyPanel *>();
    ASSERT_TRUE(panel);
    const usi::Position mistake = rec.PositionAfter(2);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return usi::WriteSfen(panel->Position()) == usi::WriteSfen(mistake); }, 10000));
    ClickFirstLine(panel);
    ASSERT_TRUE(board->IsShowingPicture());
    const usi::Move better = study::LegalPrefix(mistake, panel->Lines()[0].pv)[0];
    EXPECT_EQ(ShownAt(board, *doc, better.src), 0);
    EXPECT_EQ(
        ShownAt(board, *doc, better.dst),
        records::FromUsiCode(records::FrameOf(*doc), usi::Apply(mistake, better).At(better.dst)));
    EXPECT_EQ(*doc->GetKibo(), before);
}

// The hint is framed on the board until the human moves, and the record notes it.
TEST_F(App, StudyHintIsMarkedUntilTheMoveAndNoted)
{
    StudyController *study = Study(app, FAKE_STUDY_ENGINE);
    FixedEngine(PackEngineMove(6, 2, 6, 3, 121, false, true),
                EngineResult::Move); // a pawn from the top
    doc->GetFirstPlayer()->SetProperty(1);
    doc->GetSecondPlayer()->SetProperty(2);
    Trigger(GameNew);
    RunCommand(app, 1, StudyController::kHintId);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->HasHint(); }, 10000));
    // The fake engine's best move is the first legal one.
    const usi::Move best = usi::LegalMoves(usi::StartPosition())[0];
    QPoint from, to;
    for (int turn = 0; turn < 2; turn++) { // the mark follows the board turned and back
        Trigger(SettingFirstUp);
        from = DocSquare(*doc, best.src);
        to = DocSquare(*doc, best.dst);
        const QVector<QRect> marked = board->HintRects();
        ASSERT_EQ(marked.size(), 2);
        EXPECT_TRUE(marked[0].contains(board->CellCenter(from.x(), from.y())));
        EXPECT_TRUE(marked[1].contains(board->CellCenter(to.x(), to.y())));
    }
    Drag(from.x(), from.y(), to.x(), to.y());
    ASSERT_GE(doc->GetKiboNum(), 1);
    EXPECT_FALSE(board->HasHint());
    EXPECT_TRUE(study->CommentLines(1).contains(QLatin1Char('*') + JStr(JC_StudyHintUsed)));
    // The note goes with its game; a hint answered after the human moved is dropped.
    Trigger(GameNew);
    EXPECT_TRUE(QTest::qWaitFor([&] { return study->CommentLines(1).isEmpty(); }, 10000));
    RunCommand(app, 1, StudyController::kHintId);
    Drag(from.x(), from.y(), to.x(), to.y());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return study->findChildren<study::Analyser *>().isEmpty(); }, 10000));
    EXPECT_FALSE(board->HasHint());
    EXPECT_TRUE(study->CommentLines(1).isEmpty());
}

// Mate search with our engine: a mate in one is found, the start has none.
TEST_F(App, StudyMateSearchFindsMateOrSaysNone)
{
    Study(app, nullptr, 1000);
    const struct
    {
        const char *board, *hands;
        const char *answer; // a move of the mate shown, or nullptr: none found
    } cases[] = {
        {"4k4/9/4G4/9/9/9/9/9/4K4", "G", "G*5b"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL", "-", nullptr},
    };
    for (const auto &c : cases) {
        records::GameRecord rec;
        std::string err;
        ASSERT_TRUE(usi::ParseSfen(c.board, "b", c.hands, "1", rec.start, err)) << err;
        rec.handicap = records::HandicapOf(rec.start);
        ASSERT_TRUE(records::LoadIntoDoc(rec, *doc, err)) << err;
        app->slotGameBreak();
        const size_t boxes = TestBoxes::texts.size();
        RunCommand(app, 1, StudyController::kMateId);
        ASSERT_TRUE(QTest::qWaitFor([&] { return TestBoxes::texts.size() > boxes; }, 10000))
            << c.board;
        usi::Move m;
        const QString expected = c.answer && usi::ParseMove(c.answer, m)
                                     ? study::MoveText(rec.start, m, 0, ShownNotationStyle())
                                     : JStr(JC_StudyNoMate);
        EXPECT_TRUE(TestBoxes::texts.back().contains(expected))
            << TestBoxes::texts.back().toStdString();
    }
}

// A clicked line is looked through on the main board and left; the game is untouched.
TEST_F(App, StudyLinePreviewLeavesTheGameAsItWas)
{
    Study(app, FAKE_STUDY_ENGINE);
    Open(app, {"7g7f", "3c3d"});
    app->slotKiboBackOne(); // after move 1: gote to move
    const auto state = [&] {
        return usi::WriteSfen(records::PositionOnScreen(*doc, doc->GetKiboTestPos() + 1)) +
               std::to_string(doc->GetCurPlayer());
    };
    const std::string before = state();
    const auto kibo = *doc->GetKibo();
    RunCommand(app, 1, StudyController::kAnalysisId);
    auto *panel = app->findChild<StudyPanel *>();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->Lines().isEmpty(); }, 10000));
    const QImage screen = board->BoardPixmap().toImage(); // with the panel beside it
    const usi::Position from = panel->Position();
    const std::vector<usi::Move> line = study::LegalPrefix(from, panel->Lines()[0].pv);
    ASSERT_EQ(line.size(), 2u);
    ClickFirstLine(panel);
    ASSERT_TRUE(board->IsShowingPicture());
    EXPECT_NE(ShownAt(board, *doc, line[0].dst), 0); // the line's first move is made
    QTest::keyClick(app, Qt::Key_Right);
    EXPECT_NE(ShownAt(board, *doc, line[1].dst), 0);
    QTest::keyClick(app, Qt::Key_Left);
    QTest::keyClick(app, Qt::Key_Left);
    EXPECT_EQ(ShownAt(board, *doc, line[0].dst), from.At(line[0].dst)); // back at the line's start
    QTest::keyClick(app, Qt::Key_Escape);
    EXPECT_FALSE(board->IsShowingPicture());
    EXPECT_EQ(board->BoardPixmap().toImage(), screen);
    // A press on the board during a preview ends it and moves nothing.
    ClickFirstLine(panel);
    ASSERT_TRUE(board->IsShowingPicture());
    QTest::mouseClick(board, Qt::LeftButton, {}, board->CellCenter(4, 4));
    EXPECT_FALSE(board->IsShowingPicture());
    EXPECT_FALSE(board->m_bMP);
    ClickFirstLine(panel);
    app->slotKiboForwardOne(); // stepping the record ends it too
    EXPECT_FALSE(board->IsShowingPicture());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app->IsForwardStepPending(); }, 10000));
    app->slotKiboBackOne();
    RunCommand(app, 1, StudyController::kAnalysisId);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(*doc->GetKibo(), kibo);
    EXPECT_EQ(board->BoardPixmap().toImage(), screen);
}
