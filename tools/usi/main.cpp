// korvane-usi: the computer opponent for shogi GUIs, speaking the engine
// protocol on standard input and output.
//
//   korvane-usi                 the protocol session
//   korvane-usi bench [...]     the think benchmark (korvane-bench think)
#include "think.h"
#include "usi_session.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "bench") == 0)
        return RunThinkBench(argc - 2, argv + 2);
    if (argc > 1) {
        std::fprintf(stderr, "usage: korvane-usi [bench [--depth-only] [--level N]]\n");
        return 2;
    }
    usi::Session session(*g_pZelkor, [](const std::string &line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!session.Handle(line))
            break;
    }
    session.Finish();
    return session.ExitCode();
}
