// Builds the sample suite under the folder given on the command line.
#include "samplesuite/SampleSuite.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-suite FOLDER\n");
        return 2;
    }
    try {
        samplesuite::Layout layout = samplesuite::build(argv[1]);
        std::printf("DOSDEVICES=%s\nsuite folder: %s\n", layout.dosdevices.c_str(),
                    layout.suiteFolder.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-suite: %s\n", e.what());
        return 1;
    }
    return 0;
}
