#pragma once

#include <QString>

// Every message the store gives, in one place. The guarded edge of each handler shows them as they stand.
namespace store::texts {

inline QString fileMissing(const QString& path)
{
    return QStringLiteral("找不到数据文件：%1").arg(path);
}
inline QString cannotOpen(const QString& path)
{
    return QStringLiteral("无法打开数据文件：%1").arg(path);
}
inline QString notADatabase(const QString& path)
{
    return QStringLiteral("%1 不是有效的数据文件，或者文件已损坏。").arg(path);
}
inline QString noOrderTable(const QString& path)
{
    return QStringLiteral("数据文件 %1 中没有订单表 ddlist。").arg(path);
}
inline QString missingColumns(const QString& path, const QString& columns)
{
    return QStringLiteral("数据文件 %1 的订单表 ddlist 缺少这些列：%2").arg(path, columns);
}
inline QString newerVersion(const QString& path)
{
    return QStringLiteral("数据文件 %1 是较新版本的 Tallywick 保存的，这个版本不能打开它。"
                          "文件没有被改动；请使用新版本的 Tallywick 打开它。")
        .arg(path);
}
inline QString locked(const QString& path)
{
    return QStringLiteral("数据文件 %1 正被其他程序使用，请稍后再试。").arg(path);
}
inline QString readOnlyFile(const QString& path)
{
    return QStringLiteral("数据文件 %1 是只读的，不能保存修改。").arg(path);
}
inline QString readOnlyFolder(const QString& folder)
{
    return QStringLiteral("数据文件所在的文件夹 %1 不能写入，不能保存修改。").arg(folder);
}
inline QString diskFull(const QString& path)
{
    return QStringLiteral("磁盘已满，数据文件 %1 未能写入。").arg(path);
}
inline QString ioError(const QString& path, const QString& detail)
{
    return QStringLiteral("读写数据文件 %1 时出错：%2").arg(path, detail);
}
inline QString constraint(const QString& detail)
{
    return QStringLiteral("订单数据不完整或不符合要求，未能保存：%1").arg(detail);
}
// A value pasted by mistake may be long: the message quotes its beginning only.
inline QString typeMismatch(const QString& value)
{
    constexpr qsizetype shown = 40;
    const QString quoted = value.size() > shown ? value.left(shown) + QStringLiteral("…") : value;
    return QStringLiteral("数据类型不匹配：“%1”").arg(quoted);
}
inline QString storeExists(const QString& path)
{
    return QStringLiteral("文件 %1 已经存在，不会覆盖。").arg(path);
}
inline QString cannotCreate(const QString& path, const QString& detail)
{
    return QStringLiteral("无法创建数据文件 %1：%2").arg(path, detail);
}

// The day's backup. The store only describes; the windows warn once.
inline QString backupFolderFailed(const QString& folder, const QString& detail)
{
    return QStringLiteral("无法创建备份文件夹 %1：%2").arg(folder, detail);
}
inline const QString fileInTheWay = QStringLiteral("同名的文件占了它的位置");
inline const QString folderUnwritable = QStringLiteral("所在的文件夹不能写入");
inline const QString fileBusy = QStringLiteral("文件正被其他程序使用");
inline const QString noSpaceLeft = QStringLiteral("磁盘已满");
inline const QString cannotOpenFile = QStringLiteral("文件打不开");
inline const QString fileDamaged = QStringLiteral("文件已损坏");
inline QString diskError(const QString& detail)
{
    return QStringLiteral("读写出错（%1）").arg(detail);
}
inline const QString cannotRename = QStringLiteral("不能改成正式的文件名");
inline QString backupReadFailed(const QString& path, const QString& detail)
{
    return QStringLiteral("无法读取数据文件 %1：%2").arg(path, detail);
}
inline QString backupWriteFailed(const QString& path, const QString& detail)
{
    return QStringLiteral("无法写入备份文件 %1：%2").arg(path, detail);
}
inline QString backupDiskFull(const QString& folder)
{
    return QStringLiteral("磁盘已满，备份文件夹 %1 中放不下今天的备份").arg(folder);
}
inline QString backupCheckFailed(const QString& path)
{
    return QStringLiteral("备份 %1 复制后没有通过检查，已经删除").arg(path);
}
inline QString backupSourceDamaged(const QString& dataFile)
{
    return QStringLiteral("数据文件 %1 没有通过完整性检查").arg(dataFile);
}
// A damaged store: the older copies are the way back, and they stay as they are.
inline QString damagedStoreWarning(const QString& reason)
{
    return QStringLiteral("今天的自动备份没有完成：%1，可能已经损坏。\n\n"
                          "backups 文件夹中较早的备份都保留着，没有删除。"
                          "请关闭程序，先把现在的数据文件另存一份，再用最近的备份恢复（见说明文件）。")
        .arg(reason);
}
inline QString backupWarning(const QString& reason)
{
    return QStringLiteral("今天的自动备份没有完成：%1。\n\n"
                          "定单照常保存，不受影响。"
                          "请按上面说的原因处理；明天第一次保存定单或者下次启动时会再备份。")
        .arg(reason);
}

// Restoring from a backup. Each failure leaves the data file as it was.
inline QString restoreCopyFailed(const QString& copy, const QString& detail)
{
    return QStringLiteral("无法复制备份 %1：%2。数据文件没有改动。").arg(copy, detail);
}
inline QString restoreCheckFailed(const QString& copy)
{
    return QStringLiteral("备份 %1 复制后没有通过检查，不能用来恢复。数据文件没有改动。").arg(copy);
}
inline QString restoreKeepFailed(const QString& kept, const QString& detail)
{
    return QStringLiteral("无法把现在的数据文件保留为 %1：%2。数据文件没有改动。").arg(kept, detail);
}
inline QString restoreReplaceFailed(const QString& dataFile, const QString& detail)
{
    return QStringLiteral("无法用备份替换数据文件 %1：%2。数据文件没有改动。").arg(dataFile, detail);
}

} // namespace store::texts
