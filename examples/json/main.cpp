// orvel-json: reads a JSON document (RFC 8259) with the lexer and the
// tree-building parser of json.g; --check says whether it is valid, --pretty
// writes it back from its tree through the tree parser of json.g.
#include "json.hpp"

#include <orvel/RecognitionException.hpp>

#include <pthread.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <new>
#include <string>

namespace {

const char* const usage =
    "usage: orvel-json [--check | --pretty] [--max-depth N] FILE\n"
    "       orvel-json --help\n"
    "Reads the JSON document in FILE (- for standard input).\n"
    "  --check        exit 0 when it is valid, else report the first error and exit 1 (default)\n"
    "  --pretty       write the document back, indented\n"
    "  --max-depth N  nesting limit (default 10000, at most 1000000): the document counts one\n"
    "                 level and each value one more along its deepest path\n";

constexpr long maxDepthLimit = 1000000;
// Stack reserved per level of nesting, plus a fixed margin: the sanitizer
// build, whose frames are the largest, needs under 1 KiB a level to parse and
// under 2 KiB to print.
constexpr std::size_t stackPerLevel = 4096;
constexpr std::size_t stackMargin = std::size_t{16} << 20;

struct Options {
    bool pretty = false;
    int maxDepth = 10000;
    std::string path;
};

// Returns whether `argv` makes sense, filling `options`.
bool parseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check" || arg == "--pretty") {
            options.pretty = arg == "--pretty";
        } else if (arg == "--max-depth" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > maxDepthLimit)
                return false;
            options.maxDepth = static_cast<int>(n);
        } else if (options.path.empty() && (arg == "-" || arg.compare(0, 1, "-") != 0)) {
            options.path = arg;
        } else {
            return false;
        }
    }
    return !options.path.empty();
}

// One run: what it reads and how, and its exit status.
struct Job {
    const Options& options;
    std::istream& in;
    std::string name;
    int status = 1;
};

// Reads the job's document and, for --pretty, writes it to the standard
// output; sets the job's status to 0 when all went well, to 2 when the output
// could not be written. Throws what the recognizers throw.
void read(Job& job)
{
    json::JsonLexer lexer(job.in);
    lexer.setFilename(job.name);
    json::JsonParser parser(lexer);
    parser.setFilename(job.name);
    parser.setNestingLimit(job.options.maxDepth);
    parser.setBuildAST(job.options.pretty);
    parser.document();
    if (job.options.pretty) {
        json::JsonPrinter printer;
        printer.setNestingLimit(job.options.maxDepth);
        printer.document(parser.getAST(), std::cout);
        if (!std::cout.flush()) {
            std::cerr << "orvel-json: cannot write the output\n";
            job.status = 2;
            return;
        }
    }
    job.status = 0;
}

// Runs `read` and reports its first error; recursion happens here, on a
// thread whose stack fits the nesting limit.
void* runJob(void* arg)
{
    Job& job = *static_cast<Job*>(arg);
    try {
        read(job);
    } catch (const orvel::RecognitionException& ex) {
        std::cerr << ex.toString() << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << job.name << ": out of memory\n";
    } catch (const std::exception& ex) {
        std::cerr << job.name << ": " << ex.what() << '\n';
    }
    return nullptr;
}

// Runs `job` on a thread with a stack for its nesting limit; false when the
// thread cannot be had.
bool runOnLargeStack(Job& job)
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return false;
    pthread_t thread;
    const std::size_t size = stackMargin + stackPerLevel * static_cast<std::size_t>(job.options.maxDepth);
    const bool started = pthread_attr_setstacksize(&attributes, size) == 0 &&
                         pthread_create(&thread, &attributes, runJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    return started && pthread_join(thread, nullptr) == 0;
}

}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << usage;
        return 0;
    }
    Options options;
    if (!parseArguments(argc, argv, options)) {
        std::cerr << usage;
        return 2;
    }
    std::ifstream file;
    if (options.path != "-") {
        file.open(options.path, std::ios::binary);
        if (!file) {
            std::cerr << "orvel-json: cannot open " << options.path << ": " << std::strerror(errno) << '\n';
            return 2;
        }
    }
    Job job{options, options.path == "-" ? std::cin : file, options.path == "-" ? "stdin" : options.path};
    if (!runOnLargeStack(job)) {
        std::cerr << "orvel-json: cannot start a thread for a stack of this size\n";
        return 2;
    }
    return job.status;
}
