// libFuzzer target for the record reader (ShogiDoc::openDocumentData, the
// reader behind openDocument). Built with -DKORVANE_FUZZ=ON and clang:
//
//   CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DKORVANE_BUILD_UI=OFF
//   cmake --build build-fuzz --target fuzz_kvn_reader
//   build-fuzz/bin/fuzz_kvn_reader -max_total_time=60 build-fuzz/kvn-corpus
//
// The seed corpus is written into the first corpus directory given (when it is
// empty). Aborts when a refused file changed the document or told the main
// window, or an accepted one is impossible or does not save back the same.

#include "docfixture.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

void WriteSeeds(const char *dir)
{
    QDir d(QString::fromLocal8Bit(dir));
    if (!d.exists() || !d.entryList(QDir::Files).isEmpty())
        return;
    int n = 0;
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true}) {
            ShogiDoc doc;
            FakeHost host(&doc);
            doc.SetHost(&host);
            doc.SetTeai(teai);
            doc.SetFirstUp(up);
            doc.Init();
            std::mt19937 rng(teai * 2 + up);
            PlayRandomGame(doc, host, rng, 30, teai % 2);
            QFile f(d.filePath(QString("seed%1.kvn").arg(n++)));
            if (f.open(QIODevice::WriteOnly))
                f.write(doc.saveDocumentData());
        }
}

void Check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_kvn_reader: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    for (int i = 1; i < *argc; ++i)
        if ((*argv)[i][0] != '-') {
            WriteSeeds((*argv)[i]);
            break;
        }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray preload = [] {
        ShogiDoc doc;
        doc.Init();
        doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
        return doc.saveDocumentData();
    }();
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    ShogiDoc doc;
    FakeHost host(&doc);
    doc.SetHost(&host);
    Check(doc.openDocumentData(preload), "preload refused");
    const DocState before = Capture(doc);
    host.log.clear();
    if (!doc.openDocumentData(bytes)) {
        Check(Capture(doc) == before, "refused file changed the document");
        Check(host.log.isEmpty(), "refused file told the main window");
        return 0;
    }
    std::string why;
    Check(DocIsPossible(doc, &why), ("accepted an impossible file: " + why).c_str());
    Check(doc.saveDocumentData() == bytes, "accepted file does not save back the same");
    return 0;
}
