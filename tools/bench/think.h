// The think benchmark of korvane-bench (think.cpp).
#ifndef KORVANE_BENCH_THINK_H
#define KORVANE_BENCH_THINK_H

// argv holds the arguments after "think"; returns the exit code.
int RunThinkBench(int argc, char **argv);

#endif
