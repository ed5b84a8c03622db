// The soak command of korvane-bench (selfplay.cpp).
#ifndef KORVANE_BENCH_SELFPLAY_H
#define KORVANE_BENCH_SELFPLAY_H

// argv holds the arguments after "selfplay"; returns the exit code.
int RunSelfPlay(int argc, char **argv);

#endif
