// A short slice of the readers' fuzzing that runs with every test run:
// deterministic mutations of the test games in each format.
#include "readercontract.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray Mutate(QByteArray b, std::mt19937 &rng)
{
    const int edits = 1 + int(rng() % 4);
    for (int e = 0; e < edits && !b.isEmpty(); ++e) {
        const int at = int(rng() % unsigned(b.size()));
        switch (rng() % 5) {
        case 0: // a byte changed
            b[at] = char(rng());
            break;
        case 1: // cut short
            b.truncate(at);
            break;
        case 2: // a piece repeated
            b.insert(at, b.mid(int(rng() % unsigned(b.size())), int(rng() % 40)));
            break;
        case 3: // a piece taken out
            b.remove(at, int(rng() % 20));
            break;
        default: { // one character of the formats' own alphabets
            static const char alphabet[] = "+-0123456789PTFUKIOU%*|v \n\x82\xe6";
            b[at] = alphabet[rng() % (sizeof alphabet - 1)];
            break;
        }
        }
    }
    return b;
}

TEST(FuzzSlice, ReadersKeepTheirContractOnMutatedRecords)
{
#ifdef KORVANE_SANITIZE
    const int perSeed = 15;
#else
    const int perSeed = 60;
#endif
    for (records::Format f : FuzzedFormats()) {
        std::mt19937 rng(unsigned(f) * 7919u);
        for (const QByteArray &seed : FuzzSeeds(f))
            for (int i = 0; i < perSeed; ++i) {
                const QByteArray input = Mutate(seed, rng);
                const std::string broken = ReaderContract(input, f);
                ASSERT_TRUE(broken.empty())
                    << records::ExtensionOf(f).toStdString() << ": " << broken << "\n"
                    << input.toStdString();
            }
    }
}

} // namespace
