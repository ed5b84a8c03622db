// The record file, byte for byte, and the save question.
#include "docfixture.h"

#include "language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

QByteArray Hex(const char *h)
{
    return QByteArray::fromHex(QByteArray(h).replace(' ', "").replace('\n', ""));
}

// The empty even game, first player at the bottom, default settings
// (human against computer, level 0, two-character faces): written out by hand.
const char *EmptyEvenGameHex = "01314620"          // magic
                               "01 02 00 00 01 02" // players, level, handicap, faces, orientation
                               "7A 00 79 00 00 00 6F 00 70"
                               "7B 7F 79 00 00 00 6F 74 71"
                               "7C 00 79 00 00 00 6F 00 72"
                               "7D 00 79 00 00 00 6F 00 73"
                               "80 00 79 00 00 00 6F 00 76"
                               "7D 00 79 00 00 00 6F 00 73"
                               "7C 00 79 00 00 00 6F 00 72"
                               "7B 7E 79 00 00 00 6F 75 71"
                               "7A 00 79 00 00 00 6F 00 70"
                               "00 00 00 00 00 00 00" // first player's hand
                               "00 00 00 00 00 00 00" // second player's hand
                               "00 00 00 00"          // no entries
                               "01314620";

// The same game with six entries: two pawn moves, a bishop exchange with a
// promotion, a drop and a resignation.
QByteArray SixEntriesBytes()
{
    return Hex(EmptyEvenGameHex).left(105) + Hex("00 00 00 06"
                                                 "02 06 6F 02 05 00 6F 00 00 00 05"
                                                 "06 02 79 06 03 00 79 00 00 00 03"
                                                 "01 07 74 07 01 7E D8 00 00 00 0C"
                                                 "06 00 7C 07 01 D8 7C 00 00 00 01"
                                                 "0A 0A 74 04 04 00 74 00 00 01 2C"
                                                 "32 32 32 32 32 32 32 00 01 11 70"
                                                 "01314620");
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool WriteAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

struct File : testing::Test
{
    File() : host(&doc)
    {
        doc.SetHost(&host);
        doc.newDocument();
        doc.Init();
    }
    QString Path(const char *name) const { return dir.filePath(name); }
    void PlaySix()
    {
        for (const KIBO &m : SixEntries()) {
            host.elapsedMs = qint64(m.time) * 1000 + 999;
            doc.AddKibo(m.sx, m.sy, m.skoma, m.dx, m.dy, m.dkoma, m.koma);
        }
    }
    QTemporaryDir dir;
    ShogiDoc doc;
    FakeHost host;
};

} // namespace

TEST_F(File, EmptyEvenGameIs113KnownBytes)
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(doc.saveDocument(Path("empty.kvn")));
    const QByteArray bytes = ReadAll(Path("empty.kvn"));
    EXPECT_EQ(bytes.size(), 113);
    EXPECT_EQ(bytes.toHex(' '), Hex(EmptyEvenGameHex).toHex(' '));
}

TEST_F(File, GameWithMovesIsKnownBytes)
{
    PlaySix();
    EXPECT_TRUE(doc.isModified());
    host.log.clear();
    ASSERT_TRUE(doc.saveDocument(Path("six.kvn")));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(host.log, QStringList{"SetDocModified(0)"});
    const QByteArray bytes = ReadAll(Path("six.kvn"));
    EXPECT_EQ(bytes.size(), 113 + 6 * 11);
    EXPECT_EQ(bytes.toHex(' '), SixEntriesBytes().toHex(' '));
}

TEST_F(File, SavesTheWholeRecordWhereverTheBoardIs)
{
    PlaySix();
    doc.SetKiboTestPos(5);
    for (int i = 0; i < 4; ++i)
        doc.KiboBackOne();
    const QByteArray bytes = doc.saveDocumentData();
    EXPECT_EQ(bytes.size(), 113 + 66);
    EXPECT_EQ(bytes.mid(10, 81), Hex(EmptyEvenGameHex).mid(10, 81)); // start position
}

TEST_F(File, ReadingKnownBytes)
{
    ASSERT_TRUE(WriteAll(Path("six.kvn"), SixEntriesBytes()));
    doc.setModified(true);
    host.log.clear();
    ASSERT_TRUE(doc.openDocument(Path("six.kvn")));
    EXPECT_EQ(doc.getTitle(), "six.kvn");
    EXPECT_EQ(doc.getAbsFilePath(), QDir(dir.path()).absoluteFilePath("six.kvn"));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.GetKiboNum(), 6);
    EXPECT_EQ(doc.GetKiboTestPos(), 5);
    EXPECT_EQ(doc.GetCurPlayer(), 1); // switched once more by the resignation
    EXPECT_EQ(doc.GetBoardInfo(4, 4), 116);
    EXPECT_EQ(doc.GetBoardInfo(7, 1), 124);
    EXPECT_EQ(doc.GetBoardInfo(6, 0), 0);
    EXPECT_EQ(doc.GetBoardInfo(1, 7), 0);
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(6), 0);
    EXPECT_EQ(doc.GetSecondPlayer()->GetDaiNum(6), 1);
    EXPECT_EQ(doc.GetFirstPlayer()->GetTotalTime(), 317);
    EXPECT_EQ(doc.GetSecondPlayer()->GetTotalTime(), 4); // resignation time not added
    EXPECT_EQ(doc.GetKibo()->at(5).time, 70000u);
    EXPECT_EQ(doc.GetFirstPlayer()->GetProperty(), 1);
    EXPECT_EQ(doc.GetSecondPlayer()->GetProperty(), 2);
    // The main window is told in the order the file is read, each entry while the
    // side to move is its mover.
    EXPECT_EQ(host.log,
              QStringList({"ResetKiboWindow", "enable(11020)", "disable(11030)", "disable(11040)",
                           "disable(11050)", "ResetView", "OpenAddKibo(2,6,111,2,5,0,111,5) cur=1",
                           "OpenAddKibo(6,2,121,6,3,0,121,3) cur=2",
                           "OpenAddKibo(1,7,116,7,1,126,216,12) cur=1",
                           "OpenAddKibo(6,0,124,7,1,216,124,1) cur=2",
                           "OpenAddKibo(10,10,116,4,4,0,116,300) cur=1",
                           "OpenAddKibo(50,50,50,50,50,50,50,70000) cur=2", "SetDocModified(0)"}));
}

TEST_F(File, SettingsBytes)
{
    doc.GetFirstPlayer()->SetProperty(2);
    doc.GetSecondPlayer()->SetProperty(1);
    doc.SetComputerLevel(2);
    doc.SetTeai(3);
    doc.SetStandardKoma(false);
    doc.SetFirstUp(true);
    doc.Init();
    const QByteArray b = doc.saveDocumentData();
    EXPECT_EQ(b.mid(4, 6), Hex("02 01 02 03 02 01"));
    // First player at the top: its lance at (8, 0) is gone (handicap 3 takes
    // the rook at (1, 1)); squares stored as shown.
    EXPECT_EQ(BYTE(b[10 + 9 * 1 + 1]), 0);
    EXPECT_EQ(BYTE(b[10 + 9 * 7 + 1]), 116);
    EXPECT_EQ(BYTE(b[10 + 9 * 8 + 0]), 112);
    ShogiDoc other;
    ASSERT_TRUE(other.openDocumentData(b));
    EXPECT_TRUE(other.GetFirstUp());
    EXPECT_FALSE(other.GetStandardKoma());
    EXPECT_EQ(other.GetTeai(), 3);
    EXPECT_EQ(other.GetComputerLevel(), 2);
    EXPECT_EQ(other.GetFirstPlayer()->GetProperty(), 2);
    EXPECT_EQ(other.GetSecondPlayer()->GetProperty(), 1);
    EXPECT_EQ(other.saveDocumentData(), b);
}

TEST_F(File, RefusedFileLeavesTheDocumentAlone)
{
    PlaySix();
    doc.setTitle("mine.kvn");
    const DocState before = Capture(doc);
    QByteArray zero = SixEntriesBytes();
    zero.replace(0, 4, Hex("00000000"));
    ASSERT_TRUE(WriteAll(Path("zero.kvn"), zero));
    host.log.clear();
    EXPECT_FALSE(doc.openDocument(Path("zero.kvn")));
    EXPECT_FALSE(doc.openDocument(Path("missing.kvn")));
    EXPECT_FALSE(doc.openDocument(dir.path())); // a directory
    EXPECT_EQ(Capture(doc), before);
    EXPECT_TRUE(host.log.isEmpty()) << host.log.join('\n').toStdString();
}

TEST_F(File, SaveFailsWhenTheDiskIsFullAndKeepsTheEarlierFile)
{
    // A file-size limit makes every write past 60 bytes fail, as a full disk would.
    const QString path = Path("full.kvn");
    PlaySix();
    ASSERT_TRUE(doc.saveDocument(path));
    const QByteArray good = ReadAll(path);
    ASSERT_EQ(good.size(), 179);
    doc.AddKibo(4, 8, 118, 4, 7, 0, 118);
    doc.setModified(true);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 60;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = doc.saveDocument(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(ReadAll(path), good);
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"full.kvn"});
}

// ---------------------------------------------------------------- saveModified

TEST_F(File, SaveModifiedAnswers)
{
    // path: where the document was saved ("" untitled, "-" save as succeeds).
    struct Case
    {
        CDocHost::Answer answer;
        const char *path;
        bool modified, result, asked, savedAs, stillModified;
    };
    const Case cases[] = {
        {CDocHost::Cancel, "", false, true, false, false, false},
        {CDocHost::Cancel, "", true, false, true, false, true},
        {CDocHost::No, "", true, true, true, false, false},
        {CDocHost::Yes, "-", true, true, true, true, false},
        {CDocHost::Yes, "", true, false, true, true, true},
        {CDocHost::Yes, "titled.kvn", true, true, true, false, false},
        {CDocHost::Yes, "no/such/dir/lost.kvn", true, false, true, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.answer << c.path << c.modified);
        doc.newDocument();
        const QString path = Path(*c.path == '-' ? "asked.kvn" : c.path);
        if (*c.path && *c.path != '-') {
            doc.setTitle("titled.kvn");
            doc.setAbsFilePath(path);
        }
        host.saveAs = [&] {
            if (*c.path == '-')
                doc.saveDocument(path);
        };
        doc.setModified(c.modified);
        host.answer = c.answer;
        host.log.clear();
        EXPECT_EQ(doc.saveModified(), c.result);
        EXPECT_EQ(host.log.contains(QString::fromUtf8("Ask(棋譜ファイルへの変更を保存しますか？)")),
                  c.asked);
        EXPECT_EQ(host.log.contains("slotFileSaveAs"), c.savedAs);
        EXPECT_EQ(doc.isModified(), c.stillModified);
        if (c.result && c.answer == CDocHost::Yes) {
            EXPECT_EQ(ReadAll(path).size(), 113);
        }
    }
}

TEST_F(File, SaveModifiedWithoutHostKeepsChanges)
{
    doc.SetHost(nullptr);
    EXPECT_TRUE(doc.saveModified());
    doc.setModified(true);
    EXPECT_FALSE(doc.saveModified());
    EXPECT_TRUE(doc.isModified());
}
