#pragma once

#include <string>
#include <vector>

// What the command line asks korvale-info to do.
struct InfoOptions {
    bool json = false;
    bool help = false;
    std::string mapPng;   // a file, or a folder when several records are named
    std::string panelPng; // likewise
    std::vector<std::string> files;
};

// False on a usage error (unknown option, missing value, no file).
bool ParseInfoOptions(const std::vector<std::string>& arguments, InfoOptions& options);

// Where the picture of one record goes: the path itself for one record, else a PNG named after the
// record inside the folder the path names.
std::string PicturePath(const std::string& target, const std::string& record, bool severalRecords);

extern const char* const InfoUsage;
