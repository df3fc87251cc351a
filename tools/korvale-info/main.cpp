// korvale-info: prints what Korvale reads from record files, for players' scripts.
#include "RecordJson.h"
#include "RecordError.h"
#include "RecordLoader.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitLoadFailed = 1;
constexpr int ExitUsage = 2;

struct Options {
    bool json = false;
    std::vector<std::string> files;
};

void PrintUsage(std::FILE* out)
{
    std::fputs("usage: korvale-info [--json] FILE...\n"
               "  Prints what each record file holds (UTF-8).\n"
               "  --json  one JSON object per file (JSON Lines)\n",
               out);
}

bool ParseArguments(int argc, char** argv, Options& options)
{
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (filesOnly || argument.empty() || argument[0] != '-' || argument == "-")
            options.files.push_back(argument);
        else if (argument == "--")
            filesOnly = true;
        else if (argument == "--json")
            options.json = true;
        else
            return false;
    }
    return !options.files.empty();
}

void PrintText(const std::string& file, const Mgx::GameRecord& record)
{
    // Plain mode shows the same fields as JSON, one per line, for a quick look.
    std::printf("%s\n", RecordJsonLine(file, record).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return ExitOk;
    }
    if (!ParseArguments(argc, argv, options)) {
        PrintUsage(stderr);
        return ExitUsage;
    }
    int status = ExitOk;
    for (const std::string& file : options.files) {
        try {
            const Mgx::GameRecord record = Mgx::LoadRecordFile(file);
            if (options.json)
                std::printf("%s\n", RecordJsonLine(file, record).c_str());
            else
                PrintText(file, record);
        } catch (const Mgx::RecordError& error) {
            status = ExitLoadFailed;
            std::printf("%s\n", ErrorJsonLine(file, error.what()).c_str());
        } catch (const std::bad_alloc&) {
            status = ExitLoadFailed;
            std::printf("%s\n", ErrorJsonLine(file, "out of memory").c_str());
        }
        std::fflush(stdout);
    }
    return status;
}
