#include "RepairMessage.h"

QString RepairMessage(Mgx::RepairCode code, const std::string& backupPath)
{
    using Mgx::RepairCode;
    switch (code) {
    case RepairCode::Repaired: return QStringLiteral("修复成功!原文件备份保存为:\r\n") + QString::fromStdString(backupPath);
    case RepairCode::BackupFailed: return QStringLiteral("修复失败!备份文件无法创建。");
    case RepairCode::OpenFailed: return QStringLiteral("修复失败!源文件无法打开。");
    case RepairCode::ReadFailed: return QStringLiteral("修复失败!文件无法读取。");
    case RepairCode::BodyNotFound:
    case RepairCode::NothingToRepair: return QStringLiteral("修复失败!未找到可以修复的地方。");
    case RepairCode::WriteFailed: return QStringLiteral("修复失败!文件无法写入。");
    }
    return QStringLiteral("修复失败!");
}

QString RepairMessageFor(Mgx::RepairCode code, const std::string& path, const std::string& backupPath)
{
    const std::string usual = Mgx::RepairBackupPath(path);
    const QString message = RepairMessage(code, backupPath);
    if (backupPath == usual || code != Mgx::RepairCode::Repaired)
        return message;
    return QStringLiteral("备份文件名 ") + QString::fromStdString(usual) + QStringLiteral(" 已被占用，另选了一个。\r\n") + message;
}
