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
    case ArchiveResult::NoSpace: return QStringLiteral("磁盘空间不足，文件未写入。");
    }
    return {};
}

QString ForFailure(EntryFailure why)
{
    switch (why) {
    case EntryFailure::HostileName: return QStringLiteral("名称不安全，可能写到所选文件夹之外，已拒绝");
    case EntryFailure::TooLarge: return QStringLiteral("超过 64 MB，不是录像文件，已拒绝");
    case EntryFailure::NoSpace: return QStringLiteral("磁盘空间不足");
    case EntryFailure::Damaged: return QStringLiteral("数据已损坏（大小或校验和不符）");
    case EntryFailure::NameTooLong: return QStringLiteral("文件名过长");
    case EntryFailure::Clash: return QStringLiteral("与同名的文件或文件夹冲突");
    case EntryFailure::CannotWrite: return QStringLiteral("无法写入");
    }
    return {};
}

QString UnpackSummary(const UnpackReport& report, const QStringList& unreadableArchives)
{
    // A hostile archive can fail on every one of many entries; the box shows the first ones.
    constexpr qsizetype ShownFailures = 15;
    QString text = QStringLiteral("解压缩完成：%1 个文件").arg(report.written);
    if (!report.failures.isEmpty())
        text += QStringLiteral("\n%1 个文件未能解压缩：").arg(report.failures.size());
    for (qsizetype i = 0; i < qMin(report.failures.size(), ShownFailures); ++i)
        text += QLatin1Char('\n') + report.failures[i].name + QStringLiteral("：") + ForFailure(report.failures[i].why);
    if (report.failures.size() > ShownFailures)
        text += QStringLiteral("\n……另有 %1 个").arg(report.failures.size() - ShownFailures);
    for (const QString& archive : unreadableArchives)
        text += QStringLiteral("\n无法解压缩压缩包，文件可能已损坏：") + archive;
    return text;
}

} // namespace ArchiveMessages
