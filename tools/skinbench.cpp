// skinbench: how fast the LZH decompressor unpacks.
//
//   skinbench [--runs N] INPUT...
//
// An INPUT is a skin package (a SkinStream value or a skin file), or
// `--pack FILE`: any file, packed first by the skin packer's encoder. For each
// input it prints the compressed and unpacked sizes and the decoding speed in
// MB of unpacked output per second of processor time (the machine may be
// shared), the slowest and the median of N runs (default 7), each run
// decoding repeatedly for at least a tenth of a second.
// Where valgrind is installed it also runs one decode of each input under
// callgrind and prints the instructions that decode costs per unpacked byte.
//
// `cmake --build build/host --target bench` runs it on two generated corpora
// (tools/bench/gen_corpus.py) and the compiled-in skin.
#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

// The function whose instructions are counted: one whole package unpack.
constexpr const char* CountedFunction = "skin::UnpackLzhPackage*";

struct Input {
    std::string label;
    Bytes compressed;  // a compressed package: length word and code
};

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || !fs::is_regular_file(path))
        throw std::runtime_error("cannot read " + path.string());
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// A SkinStream value is recognised by a first word that counts exactly the
// bytes after it; anything else is taken as a skin file.
Bytes CompressedPackageOf(const Bytes& file)
{
    if (file.size() >= 4 && skin::ReadInt32LE(file, 0) == static_cast<int64_t>(file.size()) - 4) {
        const auto inner = skin::UnframeSkinStream(file);
        return Bytes(inner.begin(), inner.end());
    }
    return file;
}

// Processor time of this process, in seconds.
double ProcessorSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Megabytes of unpacked output per second over one run of repeated decodes.
double MeasureRun(const Bytes& compressed)
{
    size_t unpacked = 0;
    const double start = ProcessorSeconds();
    double elapsed = 0;
    do {
        unpacked += skin::UnpackLzhPackage(compressed).size();
        elapsed = ProcessorSeconds() - start;
    } while (elapsed < 0.1);
    return static_cast<double>(unpacked) / 1e6 / elapsed;
}

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool HaveValgrind()
{
    return std::system("valgrind --version >/dev/null 2>&1") == 0;
}

// Runs this program under callgrind to decode `compressed` once, counting
// only the instructions inside the unpack; nothing when that fails.
std::optional<uint64_t> CountInstructions(const Bytes& compressed)
{
    const fs::path temp = fs::temp_directory_path();
    const std::string stem = "skinbench-" + std::to_string(getpid());
    const fs::path package = temp / (stem + ".lzh");
    const fs::path profile = temp / (stem + ".callgrind");
    WriteFile(package, compressed);
    const std::string command = "valgrind --tool=callgrind --collect-atstart=no --toggle-collect=" +
                                ShellQuoted(CountedFunction) + " --callgrind-out-file=" +
                                ShellQuoted(profile.string()) + " " + ShellQuoted(fs::read_symlink("/proc/self/exe").string()) +
                                " --decode-once " + ShellQuoted(package.string()) + " >/dev/null 2>&1";
    std::optional<uint64_t> count;
    if (std::system(command.c_str()) == 0) {
        std::ifstream in(profile);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("totals: ", 0) == 0)
                count = std::stoull(line.substr(8));
    }
    fs::remove(package);
    fs::remove(profile);
    return count;
}

void Report(const Input& input, int runs, bool countInstructions)
{
    const size_t unpacked = skin::UnpackLzhPackage(input.compressed).size();
    std::vector<double> speeds;
    for (int run = 0; run < runs; ++run)
        speeds.push_back(MeasureRun(input.compressed));
    std::sort(speeds.begin(), speeds.end());
    std::printf("%-22s %10zu %10zu %10.1f %10.1f", input.label.c_str(), input.compressed.size(), unpacked,
                speeds.front(), speeds[speeds.size() / 2]);
    const std::optional<uint64_t> instructions = countInstructions ? CountInstructions(input.compressed) : std::nullopt;
    if (instructions)
        std::printf(" %11.2f", static_cast<double>(*instructions) / static_cast<double>(unpacked));
    std::printf("\n");
    std::fflush(stdout);
}

int Usage()
{
    std::fprintf(stderr, "usage: skinbench [--runs N] (PACKAGE | --pack FILE)...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 2 && args[0] == "--decode-once") {
            skin::UnpackLzhPackage(ReadFile(args[1]));
            return 0;
        }
        int runs = 7;
        std::vector<Input> inputs;
        for (size_t i = 0; i < args.size(); ++i) {
            const bool hasValue = i + 1 < args.size();
            if (args[i] == "--runs" && hasValue)
                runs = std::max(1, std::atoi(args[++i].c_str()));
            else if (args[i] == "--pack" && hasValue) {
                const fs::path file = args[++i];
                inputs.push_back({file.filename().string() + " (packed)", skin::PackLzhPackage(ReadFile(file))});
            } else if (args[i].rfind("--", 0) != 0) {
                inputs.push_back({fs::path(args[i]).filename().string(), CompressedPackageOf(ReadFile(args[i]))});
            } else {
                return Usage();
            }
        }
        if (inputs.empty())
            return Usage();

        const bool countInstructions = HaveValgrind();
        std::printf("%-22s %10s %10s %10s %10s%s\n", "input", "compressed", "unpacked", "MB/s min", "MB/s med",
                    countInstructions ? " instr/byte" : "");
        for (const Input& input : inputs)
            Report(input, runs, countInstructions);
        if (!countInstructions)
            std::printf("(valgrind is not installed: no instruction counts)\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinbench: %s\n", e.what());
        return 1;
    }
    return 0;
}
