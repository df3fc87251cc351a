// korvale-info: prints what Korvale shows for record files, for players' scripts, draws the map or
// the whole information panel as pictures to share, and repairs unfinished records.
#include "CommandLineRepair.h"
#include "InfoOptions.h"
#include "PictureTargets.h"
#include "PanelImage.h"
#include "RecordError.h"
#include "RecordJson.h"
#include "RecordReader.h"
#include "RecordText.h"
#include "TerrainPic.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Pictures are painted off screen; without a display there is nothing else to paint on.
std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

bool SavePicture(const QImage& image, const std::string& path)
{
    const std::filesystem::path target(path);
    if (target.has_parent_path())
        QDir().mkpath(QString::fromStdString(target.parent_path().string()));
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

bool WritePictures(const InfoOptions& options, const std::string& file, const Mgx::GameRecord& record)
{
    const bool several = options.files.size() > 1;
    bool ok = true;
    if (!options.mapPng.empty()) {
        const bool hasMap = !record.chapters.empty() && !record.chapters.back().terrain.empty();
        const std::string path = PicturePath(options.mapPng, file, several);
        if (!hasMap || !SavePicture(RenderMapImage(record.chapters.back()), path)) {
            std::fprintf(stderr, "korvale-info: %s: %s\n", file.c_str(), hasMap ? ("cannot write " + path).c_str() : "no map to draw");
            ok = false;
        }
    }
    if (!options.panelPng.empty()) {
        const std::string path = PicturePath(options.panelPng, file, several);
        if (!SavePicture(RenderPanelImage(record), path)) {
            std::fprintf(stderr, "korvale-info: %s: cannot write %s\n", file.c_str(), path.c_str());
            ok = false;
        }
    }
    return ok;
}

// Every record file the program reads comes in here.

int ShowRecords(const InfoOptions& options, int& argc, char** argv)
{
    // Only the panel picture needs widgets; text, JSON and the map picture do without an application.
    const auto application = options.panelPng.empty() ? nullptr : MakeApplication(argc, argv);
    int status = ExitOk;
    Mgx::RecordReader reader; // one for all files: its memory is reused from record to record
    for (const std::string& file : options.files) {
        try {
            Mgx::GameRecord record = reader.Load(file);
            if (options.json)
                std::printf("%s\n", RecordJsonLine(file, record).c_str());
            else
                std::fputs(RecordText(file, record).c_str(), stdout);
            if (!WritePictures(options, file, record))
                status = ExitFailed;
            reader.Recycle(std::move(record));
        } catch (const Mgx::UnsupportedFormatError& error) {
            status = ExitFailed;
            std::printf("%s\n", UnsupportedFormatJsonLine(file, error).c_str());
        } catch (const Mgx::RecordError& error) {
            status = ExitFailed;
            std::printf("%s\n", ErrorJsonLine(file, error.what()).c_str());
        } catch (const std::bad_alloc&) {
            status = ExitFailed;
            std::printf("%s\n", ErrorJsonLine(file, "out of memory").c_str());
        }
        std::fflush(stdout);
    }
    return status;
}

int RepairRecords(const InfoOptions& options)
{
    int status = ExitOk;
    for (const std::string& file : options.files) {
        std::string backup;
        const Mgx::RepairCode code = RepairIfUnfinished(file, &backup);
        if (RepairFailed(code))
            status = ExitFailed;
        std::printf("%s\n", RepairReportLine(file, code, options.json, backup).c_str());
        std::fflush(stdout);
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const InfoCommandLine command = ParseInfoOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.request) {
    case InfoRequest::Help:
        std::fputs(InfoSynopsis, stdout);
        std::fputs(InfoDetails, stdout);
        return ExitOk;
    case InfoRequest::Version:
        std::printf("korvale-info %s\n", KORVALE_VERSION);
        return ExitOk;
    case InfoRequest::UsageError:
        std::fprintf(stderr, "korvale-info: %s\n%s", command.error.c_str(), InfoSynopsis);
        return ExitUsage;
    case InfoRequest::Run:
        break;
    }
    if (command.options.repair)
        return RepairRecords(command.options);
    if (const std::optional<std::string> refused = RefusedPictureTarget(command.options)) {
        std::fprintf(stderr, "korvale-info: %s\n", refused->c_str());
        return ExitUsage;
    }
    return ShowRecords(command.options, argc, argv);
}
