#include "InfoOptions.h"

#include <filesystem>

const char* const InfoUsage = "usage: korvale-info [--json] [--map-png PATH] [--panel-png PATH] FILE...\n"
                              "  Prints what the information panel shows for each record file (UTF-8).\n"
                              "  --json            one JSON object per file (JSON Lines) with every field read\n"
                              "  --map-png PATH    writes the map picture as PNG\n"
                              "  --panel-png PATH  writes a picture of the whole information panel as PNG\n"
                              "  With several files, each PATH is a folder that receives NAME.png per record.\n";

bool ParseInfoOptions(const std::vector<std::string>& arguments, InfoOptions& options)
{
    bool filesOnly = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !filesOnly && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            options.files.push_back(argument);
        } else if (argument == "--") {
            filesOnly = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--map-png" || argument == "--panel-png") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                return false;
            (argument == "--map-png" ? options.mapPng : options.panelPng) = arguments[++i];
        } else {
            return false;
        }
    }
    return options.help || !options.files.empty();
}

std::string PicturePath(const std::string& target, const std::string& record, bool severalRecords)
{
    if (!severalRecords)
        return target;
    const std::filesystem::path name = std::filesystem::path(record).stem().concat(".png");
    return (std::filesystem::path(target) / name).string();
}
