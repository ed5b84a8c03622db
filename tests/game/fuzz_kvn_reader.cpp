// libFuzzer target for the .kvn reader; aborts when it breaks ReadContract.
// Built with clang:
//
//   CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DKORVANE_BUILD_UI=OFF
//   cmake --build build-fuzz --target fuzz_kvn_reader
//   build-fuzz/bin/fuzz_kvn_reader -max_total_time=60 build-fuzz/kvn-corpus
#include "docfixture.h"
#include "fuzzentry.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    SeedEmptyCorpus(*argc, *argv, SampleRecords);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray preload = SampleRecords().front();
    AbortIfBroken(ReadContract(preload, QByteArray(reinterpret_cast<const char *>(data), int(size))));
    return 0;
}
