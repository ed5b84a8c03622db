// The libFuzzer entry points the record readers' fuzzers share: an empty
// first corpus directory is seeded, and a broken contract aborts with its
// reason.
#ifndef KORVANE_TESTS_FUZZENTRY_H
#define KORVANE_TESTS_FUZZENTRY_H

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <string>

// seeds() returns the byte strings to seed with; it runs only when needed.
template <class Seeds> void SeedEmptyCorpus(int argc, char **argv, Seeds seeds)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') {
            const QDir d(QString::fromLocal8Bit(argv[i]));
            if (d.exists() && d.entryList(QDir::Files).isEmpty()) {
                int n = 0;
                for (const QByteArray &b : seeds()) {
                    QFile f(d.filePath(QString("seed%1").arg(n++)));
                    if (f.open(QIODevice::WriteOnly))
                        f.write(b);
                }
            }
            return;
        }
}

inline void AbortIfBroken(const std::string &broken)
{
    if (!broken.empty()) {
        std::fprintf(stderr, "reader contract broken: %s\n", broken.c_str());
        std::abort();
    }
}

#endif
