#include "ArchiveMessages.h"

namespace ArchiveMessages {

QString Refused()
{
    return QStringLiteral("压缩包中的文件不能进行此操作，请先解压缩。");
}

QString Nested()
{
    return QStringLiteral("不能打开压缩包中的压缩包，请先将它解压缩。");
}

QString RepairRefused()
{
    return QStringLiteral("此录像文件可能内容残缺或非录像文件。\n压缩包中的文件不能修复，请先解压缩。");
}

QString ForResult(ArchiveResult result)
{
    switch (result) {
    case ArchiveResult::Ok: return {};
    case ArchiveResult::Damaged: return QStringLiteral("无法读取压缩包，文件可能已损坏。");
    case ArchiveResult::NoSuchFolder: return QStringLiteral("压缩包中没有这个文件夹。");
    case ArchiveResult::NoSuchEntry: return QStringLiteral("无法打开文件！");
    case ArchiveResult::TooLarge: return QStringLiteral("压缩包中的这个文件超过 64 MB，不能读取。");
    case ArchiveResult::TargetExists: return QStringLiteral("文件已存在。");
    case ArchiveResult::CannotWrite: return QStringLiteral("无法写入文件！");
    }
    return {};
}

} // namespace ArchiveMessages
