// Replays the inputs of a fuzz target's corpus through the target, in the
// test run: every folder named on the command line, every file in it. A
// parser fault shows as a crash or an abort with the file's name printed
// before it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                             std::istreambuf_iterator<char>()};
            std::printf("%s\n", entry.path().filename().string().c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
        if (error) {
            std::printf("cannot read %s\n", argv[i]);
            return 2;
        }
    }
    std::printf("%d passed, 0 failed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
