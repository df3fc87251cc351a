#pragma once

#include "ProcessRunner.h"

struct UnpackReport;

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// RAR archives are unpacked by an external tool; the program holds no RAR code.
struct RarTool {
    enum class Kind { Unrar, Bsdtar };
    Kind kind = Kind::Unrar;
    QString program; // full path

    bool operator==(const RarTool&) const = default;
};

namespace RarExtraction {

// The tool's command that extracts archive, with its folders, into target, overwriting existing
// files without asking and without any message.
ProcessCommand ExtractCommand(const RarTool& tool, const QString& archive, const QString& target);

// Whether a program's banner is that of the original unrar (other programs of that name take
// other arguments).
bool IsRarlabBanner(const QByteArray& output);

// The tool to use: unrar beside the program, else the original unrar on searchPath (a PATH value),
// else bsdtar on searchPath.
std::optional<RarTool> FindTool(const QString& programFolder, const QString& searchPath, ProcessRunner& runner);

} // namespace RarExtraction

// Extracts archive into targetFolder: 0 when every entry was written (or kept at the user's
// word), else 1. An archive libarchive reads is unpacked entry by entry as UnpackArchive does,
// each entry checked on its own, so one bad entry costs only itself. Only an archive libarchive
// cannot read goes to the RAR tool: it writes into a fresh folder inside targetFolder; only after
// it succeeded are its files moved in, by the bytes of their names, and anything that would lead
// outside targetFolder (symbolic links included) is dropped. A file that already exists is
// replaced only when confirmOverwrite, asked with its path, returns true; without one it is kept.
// The report, when given, receives the files written and each failed entry.
int ExtractRarArchive(const QString& archive, const QString& targetFolder, ProcessRunner& runner,
                      const QString& programFolder, const QString& searchPath,
                      const std::function<bool(const QString&)>& confirmOverwrite = {},
                      UnpackReport* report = nullptr);
