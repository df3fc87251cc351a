// Writes the sample records that ship with the program into the folder named on the command line.

#include "RecordWriter.h"
#include "SampleRecords.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: korvale-make-samples OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        for (const Mgx::SampleRecord& sample : Mgx::SampleRecords())
            Mgx::RecordWriter(sample.blueprint).WriteFile(folder / sample.fileName);
    } catch (const std::exception& error) {
        std::cerr << "korvale-make-samples: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
