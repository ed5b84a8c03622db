// libFuzzer targets for the record readers, one per format (KORVANE_FUZZ_FORMAT
// indexes FuzzedFormats); each aborts when its reader breaks ReaderContract.
// Built like fuzz_kvn_reader:
//
//   cmake --build build-fuzz --target fuzz_kif_reader
//   build-fuzz/bin/fuzz_kif_reader -max_total_time=60 build-fuzz/kif-corpus
#include "fuzzentry.h"
#include "readercontract.h"

namespace {
records::Format Fuzzed()
{
    return FuzzedFormats()[KORVANE_FUZZ_FORMAT];
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    SeedEmptyCorpus(*argc, *argv, [] { return FuzzSeeds(Fuzzed()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AbortIfBroken(ReaderContract(QByteArray(reinterpret_cast<const char *>(data), int(size)), Fuzzed()));
    return 0;
}
