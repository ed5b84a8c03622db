// The reader fed thousands of random and mutated files
// (deterministic seeds). It must never crash, never accept a file whose
// content is impossible, and leave the document untouched on refusal.
#include "docfixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

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

// Feeds one file; returns whether it was accepted. Fails on a broken contract.
bool Feed(const QByteArray &bytes, const QByteArray &preload, const QString &path = {})
{
    bool ok = false;
    const std::string broken = ReadContract(preload, bytes, &ok, path);
    EXPECT_EQ(broken, "") << bytes.toHex().toStdString();
    return ok;
}

} // namespace

TEST(Robust, MutatedFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<QByteArray> corpus = SampleRecords();
    std::mt19937 rng(20006432);
    int accepted = 0, refused = 0;
    for (int i = 0; i < 4000; ++i) {
        const QByteArray &base = corpus[rng() % corpus.size()];
        const QByteArray &preload = corpus[rng() % corpus.size()];
        const QByteArray bytes = Mutate(base, rng);
        const bool ok = Feed(bytes, preload, i % 25 ? QString() : dir.filePath("fuzz.kvn"));
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

TEST(Robust, EveryCorpusFileIsAccepted)
{
    const std::vector<QByteArray> corpus = SampleRecords();
    for (const QByteArray &b : corpus)
        EXPECT_TRUE(Feed(b, corpus.front()));
}
