// libFuzzer targets for the record readers, one per format (KORVANE_FUZZ_FORMAT
// is the index into FuzzedFormats). Built with -DKORVANE_FUZZ=ON and clang:
//
//   cmake --build build-fuzz --target fuzz_kif_reader
//   build-fuzz/bin/fuzz_kif_reader -max_total_time=60 build-fuzz/kif-corpus
//
// An empty first corpus directory is seeded with the test games. Aborts when
// a reader breaks its contract (see ReaderContract).

#include "readercontract.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {
records::Format Fuzzed()
{
    return FuzzedFormats()[KORVANE_FUZZ_FORMAT];
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i < *argc; ++i)
        if ((*argv)[i][0] != '-') {
            QDir d(QString::fromLocal8Bit((*argv)[i]));
            if (d.exists() && d.entryList(QDir::Files).isEmpty()) {
                int n = 0;
                for (const QByteArray &b : FuzzSeeds(Fuzzed())) {
                    QFile f(d.filePath(QString("seed%1").arg(n++)));
                    if (f.open(QIODevice::WriteOnly))
                        f.write(b);
                }
            }
            break;
        }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string broken =
        ReaderContract(QByteArray(reinterpret_cast<const char *>(data), int(size)), Fuzzed());
    if (!broken.empty()) {
        std::fprintf(stderr, "reader contract broken: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
