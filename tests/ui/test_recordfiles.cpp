#include "appfixture.h"
#include "language.h"
#include "recordformat.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

namespace {

class RecordFiles : public App
{
protected:
    QString Path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void Write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    std::string FileAsUsi(const QString &path)
    {
        records::GameRecord rec;
        records::ReadReport report;
        if (!records::ReadRecordFile(path, rec, report))
            return "refused: " + report.Message();
        return records::WriteRecord(rec, records::Format::Usi).trimmed().toStdString();
    }
    QTemporaryDir dir;
};

const char kNamedCsa[] = "V2.2\nN+Aoi\nN-Ren\nPI\n+\n+7776FU\n-3334FU\n";

// A game opened from a record is saved back in its own format, and the loss
// of what another format cannot hold is asked about once.
TEST_F(RecordFiles, SavesKeepTheFormatAndAskOnceBeforeDropping)
{
    Write(Path("named.csa"), kNamedCsa);
    app->openDocumentFile(Path("named.csa"));
    ASSERT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: named.csa"));
    NewHumanGame(); // a new game keeps no names
    Drag(2, 6, 2, 5);
    TestDesktop::fileNames.push_back(Path("game.kif"));
    Trigger(10030);
    EXPECT_EQ(FileAsUsi(Path("game.kif")), "position startpos moves 7g7f");
    Drag(6, 2, 6, 3);
    Trigger(10020); // plain save: still KIF, nothing dropped, no question
    EXPECT_EQ(FileAsUsi(Path("game.kif")), "position startpos moves 7g7f 3c3d");
    EXPECT_TRUE(TestBoxes::texts.empty());

    app->openDocumentFile(Path("named.csa"));
    TestDesktop::fileNames = {Path("named.usi"), Path("named.usi")};
    TestBoxes::answers = {BoxAnswer::No, BoxAnswer::Yes};
    Trigger(10030); // names would be lost: refused
    EXPECT_FALSE(QFile::exists(Path("named.usi")));
    Trigger(10030);
    EXPECT_EQ(FileAsUsi(Path("named.usi")), "position startpos moves 7g7f 3c3d");
    EXPECT_EQ(TestBoxes::Count(JC_WillDrop), 0) << "texts carry the list after the question";
    EXPECT_EQ(TestBoxes::texts.size(), 2u);
    Trigger(10020);
    EXPECT_EQ(TestBoxes::texts.size(), 2u) << "asked once";
}

// The closing question's Yes writes a KIF game as KIF, never .kvn bytes.
TEST_F(RecordFiles, ClosingSaveWritesTheOpenedFormat)
{
    Write(Path("g.kif"), records::WriteRecord(records::GameRecord(), records::Format::Kif));
    app->openDocumentFile(Path("g.kif"));
    NewHumanGame();
    TestBoxes::answers = {BoxAnswer::No};
    ASSERT_EQ(doc->getTitle(), JStr(JC_Untitled));
    app->openDocumentFile(Path("g.kif"));
    doc->AddKibo(2, 6, 111, 2, 5, 0, 111);
    TestBoxes::answers = {BoxAnswer::Yes};
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(FileAsUsi(Path("g.kif")), "position startpos moves 7g7f");
}

TEST_F(RecordFiles, RefusalNamesTheLineAndLeavesTheGame)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Write(Path("bad.ki2"), "\x81\x20\n"); // neither CP932 nor UTF-8 text
    Write(Path("bad.csa"), "PI\n+\n+7776FU\n+2726FU\n");
    for (const char *bad : {"bad.csa", "bad.ki2", "missing.kif"}) {
        TestBoxes::Reset();
        app->openDocumentFile(Path(bad));
        ASSERT_EQ(TestBoxes::texts.size(), 1u) << bad;
        EXPECT_TRUE(TestBoxes::texts[0].startsWith(JStr(JC_RecordRefused))) << bad;
        EXPECT_EQ(doc->GetKiboNum(), 1) << bad;
        EXPECT_EQ(doc->GetBoardInfo(2, 5), 111) << bad;
    }
    app->openDocumentFile(Path("bad.csa"));
    EXPECT_TRUE(TestBoxes::texts.back().contains(QStringLiteral("line 4"))) << "the sente move out of turn";
}

TEST_F(RecordFiles, ClipboardAndDroppedFiles)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Drag(6, 2, 6, 3);
    Trigger(16101);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 3"));
    Trigger(16100);
    const QString kif = QApplication::clipboard()->text();
    EXPECT_TRUE(kif.contains(QStringLiteral("３四歩(33)"))) << kif.toStdString();

    QApplication::clipboard()->setText(QStringLiteral("hello"));
    Trigger(16102);
    EXPECT_TRUE(app->StatusMessage().startsWith(JStr(JC_PasteNotRecord)));
    EXPECT_EQ(doc->GetKiboNum(), 2);

    QApplication::clipboard()->setText(kif);
    TestBoxes::answers = {BoxAnswer::No}; // do not save the game on screen
    Trigger(16102);
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    EXPECT_TRUE(doc->isModified()) << "a pasted game is not saved anywhere yet";

    Write(Path("drop.csa"), kNamedCsa);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("drop.csa"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    TestBoxes::answers = {BoxAnswer::No};
    QApplication::sendEvent(app, &drop);
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: drop.csa"));
}

} // namespace
