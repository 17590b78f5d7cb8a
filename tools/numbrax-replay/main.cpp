// SPDX-License-Identifier: MIT
// numbrax-replay [SCRIPT]: replays a scripted game, reading SCRIPT or standard input.
#include "Replay.h"

#include <fstream>
#include <iostream>

int main(int argc, char *argv[])
{
    if (argc > 2) {
        std::cerr << "usage: numbrax-replay [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "numbrax-replay: cannot read " << argv[1] << '\n';
            return 2;
        }
        return numbrax::RunReplay(script, std::cout, std::cerr);
    }
    return numbrax::RunReplay(std::cin, std::cout, std::cerr);
}
