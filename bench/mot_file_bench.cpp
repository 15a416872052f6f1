// Reading the S-records of a 1 MiB image (about 2.9 MB of S2 text, 16 data
// bytes a line), as the firmware download reads its image on every connect:
// CMotFile's blocks gathered into the image, against GNU objcopy converting
// the same file to a binary image (objcopy -I srec -O binary), started as a
// process the way a person would run it. Both run in this one program, so
// they are measured on the same machine at the same time; the goal is for
// the reader to be at least as fast as objcopy.
#include "link/mot_file.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::size_t kImageSize = 1 << 20;
constexpr std::size_t kBytesPerLine = 16;
constexpr char kFileName[] = "mot_file_bench_image.mot";

std::filesystem::path ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// The image (fixed random bytes) and its S2 text beside the program, made once.
struct ImageFile {
    std::vector<unsigned char> image;
    std::filesystem::path path;
    std::size_t textSize = 0;
};

const ImageFile& Image() {
    static const ImageFile file = [] {
        ImageFile f;
        f.image.resize(kImageSize);
        std::mt19937 random(14);
        for (unsigned char& b : f.image) {
            b = static_cast<unsigned char>(random());
        }
        std::string text;
        char line[64];
        for (std::size_t address = 0; address < kImageSize; address += kBytesPerLine) {
            const unsigned count = 3 + kBytesPerLine + 1;
            unsigned sum = count + (address >> 16 & 0xFF) + (address >> 8 & 0xFF) + (address & 0xFF);
            int at = std::snprintf(line, sizeof(line), "S2%02X%06X", count, static_cast<unsigned>(address));
            for (std::size_t i = 0; i < kBytesPerLine; ++i) {
                at += std::snprintf(line + at, sizeof(line) - static_cast<std::size_t>(at), "%02X",
                                    f.image[address + i]);
                sum += f.image[address + i];
            }
            std::snprintf(line + at, sizeof(line) - static_cast<std::size_t>(at), "%02X\n", ~sum & 0xFF);
            text += line;
        }
        text += "S804000000FB\n";
        f.path = ProgramFolder() / kFileName;
        std::ofstream(f.path, std::ios::binary) << text;
        f.textSize = text.size();
        return f;
    }();
    return file;
}

void BM_CMotFileReadsTheImage(benchmark::State& state) {
    const ImageFile& file = Image();
    std::vector<unsigned char> image(kImageSize, 0xFF);
    for (auto _ : state) {
        CMotFile reader;
        if (reader.Open(kFileName) != 0) {
            state.SkipWithError("the image file does not open");
            return;
        }
        while (true) {
            WORD length = 0;
            const BYTE* data = nullptr;
            DWORD address = 0;
            if (reader.ReadBlock(&length, &data, &address) != 0) {
                state.SkipWithError("the image file does not read");
                return;
            }
            if (length == 0) {
                break;
            }
            std::copy(data, data + length, image.begin() + address);
        }
        benchmark::DoNotOptimize(image.data());
    }
    if (image != file.image) {
        state.SkipWithError("the image read differs from the one written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.textSize));
}
BENCHMARK(BM_CMotFileReadsTheImage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ObjcopyConvertsTheImage(benchmark::State& state) {
    const ImageFile& file = Image();
    const std::string input = file.path.string();
    const std::string output = (ProgramFolder() / "mot_file_bench_image.bin").string();
    std::vector<std::string> arguments = {"objcopy", "-I", "srec", "-O", "binary", input, output};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawnp(&child, "objcopy", nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("objcopy does not start");
            return;
        }
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("objcopy failed");
            return;
        }
    }
    std::ifstream converted(output, std::ios::binary);
    const std::vector<unsigned char> image((std::istreambuf_iterator<char>(converted)), std::istreambuf_iterator<char>());
    if (image != file.image) {
        state.SkipWithError("objcopy's image differs from the one written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.textSize));
}
BENCHMARK(BM_ObjcopyConvertsTheImage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
