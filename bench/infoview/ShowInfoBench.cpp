// Showing a large real record in the information panel, paint included, against the floor of
// filling an image of the panel's size.
#include "RecordsFolder.h"
#include "BenchApplication.h"
#include "GameRecord.h"

#include "InfoContainer.h"
#include "MgxInfoDlgBar.h"
#include "RecordLoader.h"
#include "ScriptedPrompt.h"
#include "ShowInfo.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

namespace {

// A 4v4 on a 220 x 220 map with 109 in-game lines: the largest record at hand.
std::optional<Mgx::GameRecord> LargeRecord(benchmark::State& state)
{
    const std::filesystem::path path = korvale::test::RealRecordsDir() / "aoc10a_4v4_arabia_gbk.mgx";
    if (!std::filesystem::exists(path)) {
        state.SkipWithError(("missing " + path.string()).c_str());
        return std::nullopt;
    }
    return Mgx::LoadRecordFile(path.string());
}

// The panel as the window holds it, shown off screen so that it lays out and paints for real.
struct Panel {
    Panel()
    {
        bar.setAttribute(Qt::WA_DontShowOnScreen);
        bar.show();
    }

    QImage Paint()
    {
        InfoContainer& pane = bar.Container();
        QImage image(pane.size(), QImage::Format_ARGB32_Premultiplied);
        pane.render(&image);
        return image;
    }

    MgxInfoDlgBar bar;
    ScriptedPrompt prompt;
};

void BM_ShowInfoAndPaint(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    const std::optional<Mgx::GameRecord> record = LargeRecord(state);
    if (!record)
        return;
    Panel panel;
    for (auto _ : state) {
        Mgx::ShowInfo(&*record, panel.bar.Container(), panel.prompt);
        benchmark::DoNotOptimize(panel.Paint().constBits());
    }
}
BENCHMARK(BM_ShowInfoAndPaint)->Unit(benchmark::kMillisecond);

void BM_PanelRepaint(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    const std::optional<Mgx::GameRecord> record = LargeRecord(state);
    if (!record)
        return;
    Panel panel;
    Mgx::ShowInfo(&*record, panel.bar.Container(), panel.prompt);
    for (auto _ : state)
        benchmark::DoNotOptimize(panel.Paint().constBits());
}
BENCHMARK(BM_PanelRepaint)->Unit(benchmark::kMillisecond);

// The floor: an image of the pane's size, allocated and filled, as every paint above does first.
void BM_PanelSizedImageFill(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    Panel panel;
    const QSize size = panel.bar.Container().size();
    for (auto _ : state) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PanelSizedImageFill)->Unit(benchmark::kMillisecond);

} // namespace
