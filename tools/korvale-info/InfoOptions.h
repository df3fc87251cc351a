#pragma once

#include <string>
#include <vector>

// What the command line asks korvale-info to do.
struct InfoOptions {
    bool json = false;
    bool repair = false;
    std::string mapPng;   // a file, or a folder when several records are named
    std::string panelPng; // likewise
    std::vector<std::string> files;
};

enum class InfoRequest { Run, Help, Version, UsageError };

struct InfoCommandLine {
    InfoRequest request = InfoRequest::UsageError;
    InfoOptions options;
    std::string error; // names what was wrong, for a usage error
};

// Reads the arguments after the program name. File names come back byte for byte, whatever their
// encoding: records unpacked from archives made on Chinese Windows often carry GBK names.
InfoCommandLine ParseInfoOptions(const std::vector<std::string>& arguments);

// Where the picture of one record goes: the path itself for one record, else a PNG named after the
// record inside the folder the path names.
std::string PicturePath(const std::string& target, const std::string& record, bool severalRecords);

// The usage: the synopsis alone follows a usage error, --help prints the details after it.
extern const char* const InfoSynopsis;
extern const char* const InfoDetails;
