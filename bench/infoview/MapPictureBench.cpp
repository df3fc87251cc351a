#include "BenchApplication.h"
#include "ChapterInfo.h"

#include "MapGeometry.h"
#include "TerrainPic.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr std::uint32_t MapSide = 220; // the game's "large" map

// A large map roughly as a real game starts: mixed terrain, eight player bases, resources around
// them and scattered across the map, some cliffs; about one tile in twenty carries a mark.
Mgx::ChapterInfo RealisticMap()
{
    Mgx::ChapterInfo chapter;
    chapter.mapWidth = MapSide;
    chapter.mapHeight = MapSide;
    chapter.terrain.assign(MapSide * MapSide * 2, 0);
    chapter.objectMarks.assign(MapSide * MapSide, 0);
    std::mt19937 random(2024);
    for (std::size_t i = 0; i < chapter.terrain.size(); i += 2)
        chapter.terrain[i] = std::uint8_t(random() % 41);

    auto mark = [&](int x, int y, std::uint8_t code) {
        if (x >= 0 && y >= 0 && x < int(MapSide) && y < int(MapSide))
            chapter.objectMarks[std::size_t(y) * MapSide + x] = code;
    };
    for (int player = 1; player <= 8; ++player) {
        const int cx = int(random() % MapSide);
        const int cy = int(random() % MapSide);
        for (int i = 0; i < 60; ++i)
            mark(cx + int(random() % 15) - 7, cy + int(random() % 15) - 7, std::uint8_t(player));
        for (int i = 0; i < 40; ++i)
            mark(cx + int(random() % 25) - 12, cy + int(random() % 25) - 12, std::uint8_t(9 + random() % 3));
    }
    for (int i = 0; i < 1200; ++i)
        mark(int(random() % MapSide), int(random() % MapSide), std::uint8_t(9 + random() % 5));
    return chapter;
}

const QSize LargeClient = MapGeometry::PaneLayoutFor(false).picture.size();

void BM_SetMapAndPaint(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    const Mgx::ChapterInfo map = RealisticMap();
    TerrainPic picture;
    picture.SetMarkSize(4);
    for (auto _ : state) {
        picture.SetMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
        benchmark::DoNotOptimize(picture.RenderPicture(LargeClient));
    }
}
BENCHMARK(BM_SetMapAndPaint)->Unit(benchmark::kMicrosecond);

void BM_Repaint(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    const Mgx::ChapterInfo map = RealisticMap();
    TerrainPic picture;
    picture.SetMarkSize(4);
    picture.SetMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
    for (auto _ : state)
        benchmark::DoNotOptimize(picture.RenderPicture(LargeClient));
}
BENCHMARK(BM_Repaint)->Unit(benchmark::kMicrosecond);

// Every tile marked: the most a repaint can ever have to fill.
void BM_RepaintEveryTileMarked(benchmark::State& state)
{
    EnsureBenchApplication<QApplication>("korvale_infoview_bench");
    Mgx::ChapterInfo map = RealisticMap();
    for (std::size_t i = 0; i < map.objectMarks.size(); ++i)
        map.objectMarks[i] = std::uint8_t(1 + i % 13);
    TerrainPic picture;
    picture.SetMarkSize(4);
    picture.SetMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
    for (auto _ : state)
        benchmark::DoNotOptimize(picture.RenderPicture(LargeClient));
}
BENCHMARK(BM_RepaintEveryTileMarked)->Unit(benchmark::kMicrosecond);

// The floor: allocating and filling an image of the picture's size, which any repaint does too.
void BM_PlainImageFill(benchmark::State& state)
{
    for (auto _ : state) {
        QImage image(LargeClient, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlainImageFill)->Unit(benchmark::kMicrosecond);

} // namespace
