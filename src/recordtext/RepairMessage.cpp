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
