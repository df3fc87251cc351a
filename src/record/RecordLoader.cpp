#include "RecordLoader.h"

#include "RecordReader.h"

namespace Mgx {

std::string GameRecord::FullPath() const
{
#ifdef _WIN32
    return folder + "\\" + fileName;
#else
    return folder + "/" + fileName;
#endif
}

GameRecord LoadRecordFile(const std::string& path)
{
    RecordReader reader;
    return reader.Load(path);
}

} // namespace Mgx
