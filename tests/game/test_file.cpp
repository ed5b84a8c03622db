// The record file, byte for byte, and the save question.
#include "docfixture.h"
#include "refusedrename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct File : testing::Test, HostedDoc
{
    QString Path(const char *name) const { return dir.filePath(name); }
    void PlaySix()
    {
        for (const KIBO &m : SixEntries()) {
            host.elapsedMs = qint64(m.time) * 1000 + 999;
            doc.AddKibo(m.sx, m.sy, m.skoma, m.dx, m.dy, m.dkoma, m.koma);
        }
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(File, SavesWhatTheIndependentEncoderWrites)
{
    ASSERT_TRUE(doc.saveDocument(Path("empty.kvn")));
    EXPECT_EQ(ReadAll(Path("empty.kvn")).toHex(' '), EncodeKvn(StartLayout()).toHex(' '));
    PlaySix();
    EXPECT_TRUE(doc.isModified());
    host.log.clear();
    ASSERT_TRUE(doc.saveDocument(Path("six.kvn")));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(host.log, QStringList{"SetDocModified(0)"});
    EXPECT_EQ(ReadAll(Path("six.kvn")).toHex(' '), EncodeKvn(SixEntriesLayout()).toHex(' '));
    // The whole record, wherever the board stands.
    doc.SetKiboTestPos(5);
    for (int i = 0; i < 4; ++i)
        doc.KiboBackOne();
    EXPECT_EQ(doc.saveDocumentData(), EncodeKvn(SixEntriesLayout()));
    // Other settings.
    doc.GetFirstPlayer()->SetProperty(2);
    doc.GetSecondPlayer()->SetProperty(1);
    doc.SetComputerLevel(2);
    doc.SetTeai(3);
    doc.SetStandardKoma(false);
    doc.SetFirstUp(true);
    doc.Init();
    KvnLayout want = StartLayout(3, true);
    want.first = want.level = want.faces = 2;
    want.second = 1;
    EXPECT_EQ(doc.saveDocumentData().toHex(' '), EncodeKvn(want).toHex(' '));
}

TEST_F(File, ReadingKnownBytes)
{
    PlaySix();
    const DocState played = Capture(doc);
    QFile file(Path("six.kvn"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(EncodeKvn(SixEntriesLayout())) == 179);
    file.close();
    host.log.clear();
    ASSERT_TRUE(doc.openDocument(Path("six.kvn")));
    EXPECT_EQ(doc.getTitle(), "six.kvn");
    EXPECT_EQ(doc.getAbsFilePath(), QDir(dir.path()).absoluteFilePath("six.kvn"));
    EXPECT_FALSE(doc.isModified());
    // The game stands as played: the resignation switched the side once more
    // and added no time.
    const DocState read = Capture(doc);
    EXPECT_TRUE(read.SamePosition(played));
    EXPECT_EQ(read.kibo, played.kibo);
    EXPECT_EQ(read.cur, 1);
    EXPECT_EQ(read.testPos, 5);
    EXPECT_EQ(read.time[1], 4);
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

TEST_F(File, FailedSaveIsReportedAndKeepsTheEarlierFile)
{
    const QString path = Path("saved.kvn");
    PlaySix();
    ASSERT_TRUE(doc.saveDocument(path));
    const QByteArray good = ReadAll(path);
    doc.AddKibo(4, 8, 118, 4, 7, 0, 118);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    // A full disk (a file-size limit fails every write past 60 bytes), and a
    // file system that refuses the final rename.
    for (const bool diskFull : {true, false}) {
        SCOPED_TRACE(diskFull ? "disk full" : "rename refused");
        doc.setModified(true);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = diskFull ? 60 : old.rlim_cur;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        std::optional<RefusedRename> refused;
        if (!diskFull)
            refused.emplace();
        const bool saved = doc.saveDocument(path);
        refused.reset();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(saved);
        EXPECT_TRUE(doc.isModified());
        EXPECT_EQ(ReadAll(path), good);
        // Nothing half-written is left beside it.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"saved.kvn"});
    }
}

// ---------------------------------------------------------------- saveModified

TEST_F(File, SaveModifiedAnswers)
{
    // path: where the document was saved ("" untitled, "-" save as succeeds).
    const struct
    {
        CDocHost::Answer answer;
        const char *path;
        bool modified, result, asked, savedAs, stillModified;
    } cases[] = {
        {CDocHost::Cancel, "", false, true, false, false, false},
        {CDocHost::Cancel, "", true, false, true, false, true},
        {CDocHost::No, "", true, true, true, false, false},
        {CDocHost::Yes, "-", true, true, true, true, false},
        {CDocHost::Yes, "", true, false, true, true, true},
        {CDocHost::Yes, "titled.kvn", true, true, true, false, false},
        {CDocHost::Yes, "no/such/dir/lost.kvn", true, false, true, false, true},
    };
    // Without a main window to ask, changes are kept.
    doc.SetHost(nullptr);
    doc.setModified(true);
    EXPECT_FALSE(doc.saveModified());
    doc.SetHost(&host);
    for (const auto &c : cases) {
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
        EXPECT_TRUE(!c.result || c.answer != CDocHost::Yes || ReadAll(path).size() == 113);
    }
}
