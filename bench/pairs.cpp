// pairs: times an orvel program against its peers on one input, in turn.
//
// Usage: pairs [--per-byte SAMPLE] RUNS INPUT ORVEL_PROGRAM PEER_PROGRAM...
// For each peer, runs ORVEL_PROGRAM INPUT and PEER_PROGRAM INPUT alternately
// (A B A B ...) RUNS times each, after one unmeasured run of each whose output
// lines must agree. Prints one Markdown table: per program the median CPU time
// (user + system) and wall time, throughput in MB/s of CPU time, peak resident
// memory, and for each peer the medians of the paired CPU-time and wall-time
// ratios orvel/peer. With --per-byte, a last column gives each program's
// instructions per byte of SAMPLE, counted by valgrind's callgrind (whole
// process): the figure that does not move with the machine's load. Exits 1
// when the outputs disagree or a run fails.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run {
    double cpu;
    double wall;
    long peakKiB;
};

struct Figures {
    std::vector<double> cpu;
    std::vector<double> wall;
    long peakKiB = 0;

    void add(const Run& run)
    {
        cpu.push_back(run.cpu);
        wall.push_back(run.wall);
        peakKiB = std::max(peakKiB, run.peakKiB);
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "pairs: %s\n", message.c_str());
    std::exit(1);
}

// Runs `program input` with its output going to `outputFile` (or /dev/null).
Run runOnce(const std::string& program, const std::string& input, const char* outputFile)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        const int out = open(outputFile ? outputFile : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0)
            _exit(127);
        execl(program.c_str(), program.c_str(), input.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("wait failed");
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program + " failed");
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime),
            std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

std::string outputOf(const std::string& program, const std::string& input)
{
    const char* path = "pairs-output.txt";
    runOnce(program, input, path);
    std::string text;
    if (FILE* file = std::fopen(path, "r")) {
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
            text += static_cast<char>(c);
        std::fclose(file);
    }
    std::remove(path);
    return text;
}

std::string baseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// Returns "N (P per byte)" for `program` run on `sample`, counted by callgrind,
// or "" without a sample; "n/a" when valgrind does not report a count.
std::string instructionsPerByte(const std::string& program, const std::string& sample)
{
    if (sample.empty())
        return "";
    struct stat info{};
    if (stat(sample.c_str(), &info) != 0 || info.st_size == 0)
        fail("cannot read " + sample);
    const std::string command = "valgrind --tool=callgrind --callgrind-out-file=/dev/null '" + program + "' '"
                                + sample + "' 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        fail("cannot run valgrind");
    char line[512];
    std::string count;
    while (std::fgets(line, sizeof line, pipe))
        if (const char* at = std::strstr(line, "Collected : "))
            count = at + std::strlen("Collected : ");
    pclose(pipe);
    if (count.empty())
        return "n/a";
    const double instructions = std::atof(count.c_str());
    char figure[64];
    std::snprintf(figure, sizeof figure, "%.1f M (%.0f per byte)", instructions / 1e6,
                  instructions / static_cast<double>(info.st_size));
    return figure;
}

void printRow(const std::string& name, const Figures& f, double megabytes, const std::string& ratios,
              const std::string& perByte)
{
    const double cpu = median(f.cpu);
    std::printf("| %s | %.3f | %.3f | %.1f | %.1f | %s |%s\n", name.c_str(), cpu, median(f.wall),
                megabytes / cpu, f.peakKiB / 1024.0, ratios.c_str(),
                perByte.empty() ? "" : (" " + perByte + " |").c_str());
}

}

int main(int argc, char** argv)
{
    std::string sample;
    if (argc > 2 && std::strcmp(argv[1], "--per-byte") == 0) {
        sample = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc < 5)
        fail("usage: pairs [--per-byte SAMPLE] RUNS INPUT ORVEL_PROGRAM PEER_PROGRAM...");
    const int runs = std::atoi(argv[1]);
    const std::string input = argv[2];
    const std::string orvel = argv[3];
    struct stat info{};
    if (runs < 1 || stat(input.c_str(), &info) != 0)
        fail("need a positive run count and a readable input");
    const double megabytes = info.st_size / 1e6;

    const std::string expected = outputOf(orvel, input);
    std::printf("orvel output: %s", expected.c_str());
    Figures orvelFigures;
    struct Peer {
        std::string program;
        Figures figures;
        std::vector<double> ratios;
        std::vector<double> wallRatios;
    };
    std::vector<Peer> peers;
    for (int p = 4; p < argc; ++p) {
        const std::string peer = argv[p];
        if (outputOf(peer, input) != expected)
            fail(peer + " disagrees with " + orvel);
        Peer entry{peer, {}, {}, {}};
        for (int i = 0; i < runs; ++i) {
            const Run a = runOnce(orvel, input, nullptr);
            const Run b = runOnce(peer, input, nullptr);
            orvelFigures.add(a);
            entry.figures.add(b);
            entry.ratios.push_back(a.cpu / b.cpu);
            entry.wallRatios.push_back(a.wall / b.wall);
        }
        peers.push_back(entry);
    }
    const char* const perByteHead = sample.empty() ? "" : " instructions (callgrind) |";
    std::printf("\n| program | CPU s (median) | wall s (median) | MB/s (CPU) | peak MiB | orvel / program (CPU) "
                "| orvel / program (wall) |%s\n", perByteHead);
    std::printf("|---|---|---|---|---|---|---|%s\n", sample.empty() ? "" : "---|");
    printRow(baseName(orvel), orvelFigures, megabytes, " |", instructionsPerByte(orvel, sample));
    for (const Peer& peer : peers) {
        char ratios[64];
        std::snprintf(ratios, sizeof ratios, "%.2f | %.2f", median(peer.ratios), median(peer.wallRatios));
        printRow(baseName(peer.program), peer.figures, megabytes, ratios, instructionsPerByte(peer.program, sample));
    }
    std::printf("\n%d paired runs per peer on %s (%.1f MB)", runs, input.c_str(), megabytes);
    if (!sample.empty())
        std::printf("; instructions on %s", sample.c_str());
    std::printf(".\n");
    return 0;
}
