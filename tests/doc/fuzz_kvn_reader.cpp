// libFuzzer target for the record reader. Built with -DKORVANE_FUZZ=ON and clang:
//
//   CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DKORVANE_BUILD_UI=OFF
//   cmake --build build-fuzz --target fuzz_kvn_reader
//   build-fuzz/bin/fuzz_kvn_reader -max_total_time=60 build-fuzz/kvn-corpus
//
// An empty first corpus directory is seeded with sample records. Aborts when
// the reader breaks its contract (see ReadContract).

#include "docfixture.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i < *argc; ++i)
        if ((*argv)[i][0] != '-') {
            QDir d(QString::fromLocal8Bit((*argv)[i]));
            if (d.exists() && d.entryList(QDir::Files).isEmpty()) {
                int n = 0;
                for (const QByteArray &b : SampleRecords()) {
                    QFile f(d.filePath(QString("seed%1.kvn").arg(n++)));
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
    static const QByteArray preload = SampleRecords().front();
    const std::string broken =
        ReadContract(preload, QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!broken.empty()) {
        std::fprintf(stderr, "fuzz_kvn_reader: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
