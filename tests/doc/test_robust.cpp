// Part 1.4: the reader fed thousands of random and mutated files
// (deterministic seeds). It must never crash, never accept a file whose
// content is impossible, and leave the document untouched on refusal.
#include "docfixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<QByteArray> Corpus()
{
    std::vector<QByteArray> out;
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true})
            for (int round = 0; round < 2; ++round) {
                ShogiDoc doc;
                FakeHost host(&doc);
                doc.SetHost(&host);
                doc.SetTeai(teai);
                doc.SetFirstUp(up);
                doc.Init();
                std::mt19937 rng(7 + teai * 31 + up * 5 + round);
                PlayRandomGame(doc, host, rng, 20 + 60 * round, round == 1);
                out.push_back(doc.saveDocumentData());
            }
    KvnSpec k;
    k.board[4][8] = 118;
    k.board[4][0] = 128;
    k.hand[0][0] = 3;
    k.hand[1][6] = 2;
    k.entries = {Kibo(10, 10, 111, 4, 5, 0, 111, 4), Kibo(10, 10, 127, 4, 3, 0, 127, 9)};
    out.push_back(EncodeKvn(k));
    return out;
}

const BYTE Plausible[] = {0,   1,   2,   6,   7,   8,   9,   10,  11,  50,  111, 112, 113,
                          114, 115, 116, 117, 118, 121, 122, 123, 124, 125, 126, 127, 128,
                          211, 212, 213, 214, 216, 217, 221, 222, 223, 224, 226, 227, 255};

QByteArray Mutate(QByteArray b, std::mt19937 &rng)
{
    auto rnd = [&rng](int n) { return n <= 0 ? 0 : int(rng() % unsigned(n)); };
    const int ops = 1 + rnd(3);
    for (int op = 0; op < ops; ++op) {
        const int entries = b.size() > 113 ? (b.size() - 113) / 11 : 0;
        switch (rnd(11)) {
        case 0: // truncate
            b.truncate(rnd(b.size() + 1));
            break;
        case 1: // flip a bit
            if (!b.isEmpty())
                b[rnd(b.size())] = char(b[rnd(b.size())] ^ (1 << rnd(8)));
            break;
        case 2: // any byte to any value
            if (!b.isEmpty())
                b[rnd(b.size())] = char(rng());
            break;
        case 3: { // the entry count
            if (b.size() < 109)
                break;
            const quint32 choices[] = {quint32(rng()),
                                       0xffffffffu,
                                       0x80000000u,
                                       quint32(entries + 1),
                                       quint32(entries - 1),
                                       10001u,
                                       quint32(entries + 1 + rnd(50))};
            const quint32 n = choices[rnd(7)];
            b[105] = char(n >> 24);
            b[106] = char(n >> 16);
            b[107] = char(n >> 8);
            b[108] = char(n);
            break;
        }
        case 4: // bytes appended
            for (int i = rnd(30); i > 0; --i)
                b.append(char(rng()));
            break;
        case 5: // an entry removed (count kept or fixed)
            if (entries > 0) {
                b.remove(109 + 11 * rnd(entries), 11);
                if (rnd(2)) {
                    const quint32 n = quint32(entries - 1);
                    b[107] = char(n >> 8);
                    b[108] = char(n);
                }
            }
            break;
        case 6: // an entry duplicated, count fixed
            if (entries > 0) {
                const int i = rnd(entries);
                b.insert(109 + 11 * i, b.mid(109 + 11 * i, 11));
                const quint32 n = quint32(entries + 1);
                b[107] = char(n >> 8);
                b[108] = char(n);
            }
            break;
        case 7: // two entries swapped
            if (entries > 1) {
                const int i = rnd(entries), j = rnd(entries);
                const QByteArray a = b.mid(109 + 11 * i, 11), c = b.mid(109 + 11 * j, 11);
                b.replace(109 + 11 * i, 11, c);
                b.replace(109 + 11 * j, 11, a);
            }
            break;
        case 8: // an entry field to a plausible value
            if (entries > 0)
                b[109 + 11 * rnd(entries) + rnd(7)] = char(Plausible[rnd(sizeof Plausible)]);
            break;
        case 9: // a square or hand to a plausible value
            if (b.size() > 105)
                b[10 + rnd(95)] = char(Plausible[rnd(sizeof Plausible)]);
            break;
        case 10: // an entry's time
            if (entries > 0)
                b[109 + 11 * rnd(entries) + 7 + rnd(4)] = char(rng());
            break;
        }
    }
    return b;
}

// A document holding a known game, fed one file; checks the contract.
// Returns whether the file was accepted.
bool Feed(const QByteArray &bytes, const QByteArray &preload, QTemporaryDir *dir, bool viaFile)
{
    ShogiDoc doc;
    FakeHost host(&doc);
    doc.SetHost(&host);
    EXPECT_TRUE(doc.openDocumentData(preload));
    doc.setTitle("preloaded.kvn");
    doc.SetKiboTestPos(0);
    const DocState before = Capture(doc);
    host.log.clear();
    bool ok;
    if (viaFile) {
        const QString path = dir->filePath("fuzz.kvn");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ok = doc.openDocument(path);
    } else {
        ok = doc.openDocumentData(bytes);
    }
    if (!ok) {
        EXPECT_TRUE(Capture(doc) == before) << "refused file changed the document";
        EXPECT_TRUE(host.log.isEmpty()) << "refused file told the main window";
        return false;
    }
    std::string why;
    EXPECT_TRUE(DocIsPossible(doc, &why)) << "accepted an impossible file: " << why << "\n"
                                          << bytes.toHex().toStdString();
    EXPECT_EQ(doc.saveDocumentData(), bytes) << "accepted file does not save back the same";
    EXPECT_EQ(bytes.size(), 113 + 11 * doc.GetKiboNum());
    return true;
}

} // namespace

TEST(Robust, MutatedFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<QByteArray> corpus = Corpus();
    std::mt19937 rng(20006432);
    int accepted = 0, refused = 0;
    for (int i = 0; i < 4000; ++i) {
        const QByteArray &base = corpus[rng() % corpus.size()];
        const QByteArray &preload = corpus[rng() % corpus.size()];
        const QByteArray bytes = Mutate(base, rng);
        const bool ok = Feed(bytes, preload, &dir, i % 25 == 0);
        (ok ? accepted : refused) += bytes != base;
        if (testing::Test::HasFailure()) {
            ADD_FAILURE() << "iteration " << i;
            break;
        }
    }
    // Both outcomes must occur: mutations of times or into other legal moves
    // are still records.
    EXPECT_GT(accepted, 50);
    EXPECT_GT(refused, 2000);
}

TEST(Robust, RandomBytes)
{
    const std::vector<QByteArray> corpus = Corpus();
    std::mt19937 rng(4242);
    for (int i = 0; i < 2000; ++i) {
        QByteArray b;
        if (rng() % 2)
            b = QByteArray::fromHex("01314620");
        const int len = int(rng() % 400);
        for (int j = 0; j < len; ++j)
            b.append(char(rng()));
        Feed(b, corpus[i % corpus.size()], nullptr, false);
        if (testing::Test::HasFailure()) {
            ADD_FAILURE() << "iteration " << i;
            break;
        }
    }
}

TEST(Robust, EveryCorpusFileIsAccepted)
{
    const std::vector<QByteArray> corpus = Corpus();
    for (const QByteArray &b : corpus)
        EXPECT_TRUE(Feed(b, corpus.front(), nullptr, false));
}
