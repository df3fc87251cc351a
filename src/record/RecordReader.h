#pragma once

#include "GameRecord.h"
#include "HeaderInflater.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace Mgx {

class RecordFile;

// Loads record files one after another and keeps its working memory from one load to the next: the
// file's read buffer, the compressed and the inflated header block, the zlib stream, and the terrain
// and mark arrays of records handed back through Recycle. Handing out and zero-filling fresh pages
// for those blocks costs the system about as much as reading a record does, so a caller that loads
// many records holds one reader. Each load gives exactly what a fresh reader would give, also after
// a load that failed. Not for sharing between threads: one reader per thread.
class RecordReader {
public:
    RecordReader();
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Reads one record file (path in UTF-8). Throws OpenError when the file cannot be opened,
    // another RecordError when it cannot be read.
    GameRecord Load(const std::string& path);
    // Reads a record held in memory, such as an entry read out of an archive. `name` (UTF-8) is
    // where the record is said to be: its last '/'-separated part becomes the file name, the rest
    // the folder. Throws a RecordError when the bytes cannot be read as a record.
    GameRecord LoadBytes(std::span<const std::uint8_t> bytes, const std::string& name);

    // Takes back a record the caller is done with; the next load fills its arrays instead of new ones.
    void Recycle(GameRecord&& record);

    // The bytes of working memory the reader holds between loads.
    std::size_t KeptBytes() const;

    // A buffer grown past this for one unusual record is given back after that load, not kept for the run.
    static constexpr std::size_t KeptBufferLimit = 16u << 20;

private:
    ChapterInfo ParseChapter(RecordFile& file);
    // The inflated header block; `compressed` is left naming the bytes it was inflated from.
    std::span<const std::uint8_t> InflateHeaderBlock(RecordFile& file, std::int32_t headerEnd,
                                                     std::span<const std::uint8_t>& compressed);
    std::span<const std::uint8_t> ReadCompressedBlock(RecordFile& file, std::int32_t headerEnd);
    void ReleaseLargeBuffers();

    std::unique_ptr<std::uint8_t[]> m_fileBuffer;
    // Its size is the largest block read so far; only the front part belongs to the current block.
    std::vector<std::uint8_t> m_compressed;
    HeaderInflater m_inflater;
    // Empty, with the capacity of a recycled record's arrays.
    std::vector<std::uint8_t> m_terrain;
    std::vector<std::uint8_t> m_objectMarks;
};

} // namespace Mgx
