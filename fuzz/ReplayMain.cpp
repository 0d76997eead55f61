// Feeds every file of the folders (or the files) named on the command line to
// a fuzz target once, as `fuzzer -runs=0 CORPUS` does, without libFuzzer: the
// ordinary build and test run replay the committed seeds with no clang tree.
// A target that aborts or crashes ends the program, which ctest reports; a
// folder with no inputs fails too, so a moved corpus cannot pass unseen.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& path) {
    std::vector<fs::path> inputs;
    if (fs::is_directory(path)) {
        for (const auto& entry : fs::directory_iterator(path))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        // The same order every time, so a failure is found again by its place.
        std::sort(inputs.begin(), inputs.end());
    } else if (fs::is_regular_file(path)) {
        inputs.push_back(path);
    }
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER|INPUT...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> inputs = InputsOf(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "%s: no inputs in %s\n", argv[0], argv[i]);
            return 1;
        }
        for (const fs::path& input : inputs) {
            std::ifstream file(input, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            if (!file && !file.eof()) {
                std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.string().c_str());
                return 1;
            }
            // Printed first, so the input that crashes is the last one named.
            std::fprintf(stderr, "replaying %s\n", input.string().c_str());
            std::fflush(stderr);
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        std::printf("%s: %zu inputs replayed\n", argv[i], inputs.size());
    }
    return 0;
}
