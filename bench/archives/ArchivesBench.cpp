// Packing 200 record-sized files into a Zip archive at level 9 and unpacking it, each against
// its floor: zlib deflating (or inflating) the same bytes in memory, without files or archive.
// Unpacking also has the floor of the inflater it uses, libdeflate (BM_UnpackFloorLibdeflate).
#include "RecordsFolder.h"
#include "CreateZipArchive.h"
#include "ExtractZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <unzip.h>
#include <zlib.h>

#include <memory>
#include <vector>

namespace {

constexpr qsizetype RecordSize = 1 << 20;

QByteArray RecordPool()
{
    QByteArray pool;
    const QDir recs(QString::fromStdString(korvale::test::RealRecordsDir().string()));
    for (const QString& name : recs.entryList({QStringLiteral("*.mgx")}, QDir::Files, QDir::Name)) {
        QFile file(recs.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            pool += file.readAll();
    }
    return pool;
}

// count files of real record bytes in a temporary folder, and the archive packed from them.
struct Corpus {
    QTemporaryDir root;
    QStringList names;
    std::vector<QByteArray> files;
    std::vector<QByteArray> streams; // the archive's deflate streams, in entry order

    explicit Corpus(int count)
    {
        const QByteArray pool = RecordPool();
        if (pool.size() <= RecordSize)
            return;
        QDir(root.path()).mkdir(QStringLiteral("src"));
        for (int i = 0; i < count; ++i) {
            const qsizetype offset = (qsizetype(i) * 524309) % (pool.size() - RecordSize);
            files.push_back(pool.mid(offset, RecordSize));
            names.append(QStringLiteral("rec%1.mgx").arg(i, 3, 10, QLatin1Char('0')));
            QFile file(root.filePath(QStringLiteral("src/") + names.back()));
            if (file.open(QIODevice::WriteOnly))
                file.write(files.back());
        }
        CreateZipArchive(root.path(), QStringLiteral("corpus.zip"), root.filePath(QStringLiteral("src")), names, 9);
        ReadStreams();
    }

    void ReadStreams()
    {
        unzFile archive = unzOpen(QFile::encodeName(root.filePath(QStringLiteral("corpus.zip"))).constData());
        for (int status = unzGoToFirstFile(archive); archive && status == UNZ_OK; status = unzGoToNextFile(archive)) {
            int method = 0;
            int level = 0;
            unzOpenCurrentFile2(archive, &method, &level, 1);
            QByteArray stream;
            char buffer[65536];
            for (int got; (got = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0;)
                stream.append(buffer, got);
            unzCloseCurrentFile(archive);
            streams.push_back(stream);
        }
        if (archive)
            unzClose(archive);
    }
};

Corpus& SharedCorpus(int count)
{
    static std::unique_ptr<Corpus> corpus;
    if (!corpus || int(corpus->files.size()) != count)
        corpus = std::make_unique<Corpus>(count);
    return *corpus;
}

void BM_PackRecords(benchmark::State& state)
{
    Corpus& corpus = SharedCorpus(int(state.range(0)));
    if (corpus.files.empty()) {
        state.SkipWithError("no records");
        return;
    }
    for (auto _ : state) {
        const int result = CreateZipArchive(corpus.root.path(), QStringLiteral("packed.zip"),
                                            corpus.root.filePath(QStringLiteral("src")), corpus.names, 9);
        if (result != ZipPackResult::Done)
            state.SkipWithError("packing failed");
    }
    state.SetBytesProcessed(state.iterations() * qint64(corpus.files.size()) * RecordSize);
}

void BM_PackFloor(benchmark::State& state)
{
    Corpus& corpus = SharedCorpus(int(state.range(0)));
    std::vector<Bytef> out(size_t(compressBound(RecordSize)));
    for (auto _ : state) {
        for (const QByteArray& file : corpus.files) {
            z_stream stream {};
            deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.constData()));
            stream.avail_in = uInt(file.size());
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            deflate(&stream, Z_FINISH);
            benchmark::DoNotOptimize(stream.total_out);
            deflateEnd(&stream);
        }
    }
    state.SetBytesProcessed(state.iterations() * qint64(corpus.files.size()) * RecordSize);
}

void BM_UnpackRecords(benchmark::State& state)
{
    Corpus& corpus = SharedCorpus(int(state.range(0)));
    const QString target = corpus.root.filePath(QStringLiteral("unpacked"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        state.ResumeTiming();
        if (ExtractZipArchive(corpus.root.filePath(QStringLiteral("corpus.zip")), target, ZipOverwrite::Always) != 0)
            state.SkipWithError("unpacking failed");
    }
    state.SetBytesProcessed(state.iterations() * qint64(corpus.files.size()) * RecordSize);
}

void BM_UnpackFloor(benchmark::State& state)
{
    Corpus& corpus = SharedCorpus(int(state.range(0)));
    std::vector<Bytef> out(RecordSize);
    for (auto _ : state) {
        for (const QByteArray& packed : corpus.streams) {
            z_stream stream {};
            inflateInit2(&stream, -MAX_WBITS);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
            stream.avail_in = uInt(packed.size());
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            inflate(&stream, Z_FINISH);
            benchmark::DoNotOptimize(stream.total_out);
            inflateEnd(&stream);
        }
    }
    state.SetBytesProcessed(state.iterations() * qint64(corpus.files.size()) * RecordSize);
}

void BM_UnpackFloorLibdeflate(benchmark::State& state)
{
    Corpus& corpus = SharedCorpus(int(state.range(0)));
    std::vector<std::uint8_t> out(RecordSize);
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    for (auto _ : state) {
        for (const QByteArray& packed : corpus.streams) {
            std::size_t inflated = 0;
            libdeflate_deflate_decompress(decompressor, packed.constData(), std::size_t(packed.size()), out.data(), out.size(), &inflated);
            benchmark::DoNotOptimize(inflated);
        }
    }
    libdeflate_free_decompressor(decompressor);
    state.SetBytesProcessed(state.iterations() * qint64(corpus.files.size()) * RecordSize);
}

} // namespace

BENCHMARK(BM_PackRecords)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackFloor)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnpackRecords)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnpackFloor)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnpackFloorLibdeflate)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
