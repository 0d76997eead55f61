// Writes a synthetic subtitle file: make_corpus CUES OUTPUT.srt
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/CorpusGenerator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_corpus CUES OUTPUT.srt\n");
        return 2;
    }
    std::string content = tarvex::bench::GenerateSrt(std::atoi(argv[1]));
    std::ofstream file(argv[2], std::ios::binary);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    return file ? 0 : 1;
}
