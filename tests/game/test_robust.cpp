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
    auto setCount = [&b](quint32 n) {
        for (int i = 0; i < 4; ++i)
            b[105 + i] = char(n >> (24 - 8 * i));
    };
    auto plausible = [&rnd] { return char(Plausible[rnd(sizeof Plausible)]); };
    for (int ops = 1 + rnd(3); ops > 0; --ops) {
        const int entries = b.size() > 113 ? (b.size() - 113) / 11 : 0;
        const int at = rnd(b.size()), entry = 109 + 11 * rnd(entries); // a byte, an entry
        switch (rnd(11)) {
        case 0: // cut short
            b.truncate(rnd(b.size() + 1));
            break;
        case 1: // a bit flipped
            if (!b.isEmpty())
                b[at] = char(b[at] ^ (1 << rnd(8)));
            break;
        case 2: // a byte to any value
            if (!b.isEmpty())
                b[at] = char(rng());
            break;
        case 3: // the entry count
            if (b.size() >= 109) {
                const quint32 choices[] = {quint32(rng()), 0xffffffffu, 0x80000000u, 10001u,
                                           quint32(entries + 1), quint32(entries - 1),
                                           quint32(entries + 1 + rnd(50))};
                setCount(choices[rnd(7)]);
            }
            break;
        case 4: // bytes appended
            for (int i = rnd(30); i > 0; --i)
                b.append(char(rng()));
            break;
        case 5: // an entry removed, the count kept or fixed
            if (entries > 0) {
                b.remove(entry, 11);
                if (rnd(2))
                    setCount(quint32(entries - 1));
            }
            break;
        case 6: // an entry duplicated, the count fixed
            if (entries > 0) {
                b.insert(entry, b.mid(entry, 11));
                setCount(quint32(entries + 1));
            }
            break;
        case 7: // two entries swapped
            if (entries > 1) {
                const int other = 109 + 11 * rnd(entries);
                const QByteArray moved = b.mid(entry, 11);
                b.replace(entry, 11, b.mid(other, 11));
                b.replace(other, 11, moved);
            }
            break;
        case 8: // an entry field to a plausible value
            if (entries > 0)
                b[entry + rnd(7)] = plausible();
            break;
        case 9: // a square or hand to a plausible value
            if (b.size() > 105)
                b[10 + rnd(95)] = plausible();
            break;
        case 10: // an entry's time
            if (entries > 0)
                b[entry + 7 + rnd(4)] = char(rng());
            break;
        }
    }
    return b;
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
        bool ok = false;
        const QString path = i % 25 ? QString() : dir.filePath("fuzz.kvn");
        ASSERT_EQ(ReadContract(preload, bytes, &ok, path), "")
            << "iteration " << i << ": " << bytes.toHex().toStdString();
        (ok ? accepted : refused) += bytes != base;
    }
    // Both outcomes must occur: mutations of times or into other legal moves
    // are still records. Every corpus file is also a preload, which must be
    // accepted.
    EXPECT_GT(accepted, 50);
    EXPECT_GT(refused, 2000);
}
