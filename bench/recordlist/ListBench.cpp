// Listing a folder of many entries into the record list's model, against the floor of asking the
// file system for the same entries with their sizes and times; and re-sorting the listed entries.
#include "FolderListing.h"
#include "RecordListModel.h"
#include "RecordListSort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

QGuiApplication& Application()
{
    static int argc = 1;
    static char name[] = "korvale_list_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    return application;
}

// A SaveGame folder as a long-time player has it: mostly records of varied sizes, some archives,
// a few subfolders and files that are not listed. Made once per entry count.
QString PreparedFolder(int entries)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    std::unique_ptr<QTemporaryDir>& folder = folders[entries];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        const QDir dir(folder->path());
        for (int i = 0; i < entries; ++i) {
            const QString stem = QStringLiteral("rec-%1-%2").arg((i * 7919) % entries, 5, 10, QChar(u'0')).arg(i % 13);
            if (i % 100 == 0) {
                dir.mkdir(stem);
                continue;
            }
            static const char* const extensions[] = {".mgx", ".mgx", ".mgx", ".mgx", ".mgx", ".mgx", ".zip", ".rar", ".txt"};
            QFile file(dir.filePath(stem + extensions[i % 9]));
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray(i % 4096, 'x'));
        }
    }
    return folder->path();
}

void BM_ListFolder(benchmark::State& state)
{
    Application();
    const QString folder = PreparedFolder(static_cast<int>(state.range(0)));
    RecordListModel model;
    const QLocale locale = QLocale::system();
    for (auto _ : state) {
        std::optional<QList<MgxListItem>> items = ListFolderEntries(folder, locale);
        model.SetItems(std::move(*items), SortState{1});
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_ListFolder)->Arg(10000)->Unit(benchmark::kMillisecond);

// The floor: the file system's entries with their sizes and times, nothing composed.
void BM_ListFloor(benchmark::State& state)
{
    const QString folder = PreparedFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QFileInfoList entries =
            QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        qint64 total = 0;
        for (const QFileInfo& entry : entries)
            total += entry.size() + entry.lastModified().toMSecsSinceEpoch();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ListFloor)->Arg(10000)->Unit(benchmark::kMillisecond);

// A click on another column: every entry sorted again in the model.
void BM_SortEntries(benchmark::State& state)
{
    Application();
    const QString folder = PreparedFolder(static_cast<int>(state.range(0)));
    RecordListModel model;
    model.SetItems(*ListFolderEntries(folder, QLocale::system()), SortState{1});
    SortState sort{1};
    for (auto _ : state) {
        sort = ClickColumn(sort, (sort.Column() + 1) % RecordListModel::BaseColumnCount);
        model.Sort(sort);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_SortEntries)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
