#pragma once

#include <QString>

// Every message of bringing the orders of an Access (Jet) data.mdb into the program's store.
namespace jetimport::texts {

inline QString kindName(int jetVersion)
{
    return jetVersion == 3 ? QStringLiteral("Access 97 数据库（Jet 3 格式）")
                           : QStringLiteral("Access 2000-2003 数据库（Jet 4 格式）");
}

// The question before anything is changed.
inline QString question(const QString& dataFile, int jetVersion, qint64 orders, const QString& keptName)
{
    return QStringLiteral("数据文件 %1 是 %2，其中有 %3 条订单。\n\n"
                          "要把这些订单转换为本程序的数据格式吗？\n"
                          "原文件不做任何改动，改名保留为同一文件夹中的 %4。")
        .arg(dataFile, kindName(jetVersion), QString::number(orders), keptName);
}
inline const QString declined = QStringLiteral("没有转换，data.mdb 保持原样，订单列表暂时为空。\n"
                                               "以后要转换，请重新启动本程序，在提问时选择“是”。");

inline QString done(qint64 orders, const QString& keptPath, qint64 withTime, qint64 blanks)
{
    QString text = QStringLiteral("转换完成：%1 条订单已转入新的 data.mdb。\n原文件已原样保留为：%2")
                       .arg(QString::number(orders), keptPath);
    if (withTime > 0) {
        text += QStringLiteral("\n其中 %1 条订单的销售日期带有时刻，已只保留日期。").arg(withTime);
    }
    if (blanks > 0) {
        text += QStringLiteral("\n其中 %1 条订单有空白的商品名称、买家、快递单号或数字，已转为空文字或 0。")
                    .arg(blanks);
    }
    return text;
}

// Files that are not converted.
inline QString aceFile(const QString& dataFile)
{
    return QStringLiteral(
               "数据文件 %1 是 Access 2007 及以后版本的数据库（.accdb，ACE 格式），本程序无法读取。\n"
               "请在 Access 中把它另存为“Access 2002-2003 数据库 (*.mdb)”，再放到本程序旁边，"
               "命名为 data.mdb。\n文件没有任何改动。")
        .arg(dataFile);
}
inline QString unknownJetVersion(const QString& dataFile, int versionByte)
{
    return QStringLiteral("数据文件 %1 是本程序不认识的 Access 数据库版本（版本号 %2），无法读取。\n"
                          "文件没有任何改动。")
        .arg(dataFile, QString::number(versionByte));
}

// A conversion that did not happen: what, why, and that nothing changed.
inline QString failed(const QString& dataFile, const QString& why)
{
    return QStringLiteral("无法读取或转换 Access 数据文件 %1：\n%2\n\ndata.mdb 没有任何改动。")
        .arg(dataFile, why);
}
inline QString folderReadOnly(const QString& folder)
{
    return QStringLiteral("文件夹 %1 不能写入，转换后的订单无法保存在那里。请把本程序和 data.mdb "
                          "放到可以写入的文件夹中，"
                          "再启动本程序。")
        .arg(folder);
}
inline const QString cannotOpen = QStringLiteral("文件无法作为 Access 数据库打开，可能已损坏。");
inline const QString noTable = QStringLiteral("文件中没有订单表 ddlist。");
inline QString missingColumns(const QString& names)
{
    return QStringLiteral("订单表 ddlist 缺少这些列：%1。").arg(names);
}
inline const QString damaged = QStringLiteral(
    "文件已损坏，无法读出全部订单。可以先用 Access 的“压缩和修复数据库”修复它，再启动本程序。");
inline const QString helperCrashed = QStringLiteral(
    "读取文件的辅助程序意外终止，文件可能已损坏。可以先用 Access 的“压缩和修复数据库”修复它。");
inline QString helperMissing(const QString& path)
{
    return QStringLiteral("找不到读取 Access 文件的辅助程序 %1，请重新安装本程序。").arg(path);
}
inline const QString helperGarbled = QStringLiteral("读取文件的辅助程序给出了无法识别的结果。");
inline QString countMismatch(qint64 read, qint64 kept)
{
    return QStringLiteral("读到 %1 条订单，而文件记录的订单数是 %2 条，文件可能已损坏。"
                          "可以先用 Access 的“压缩和修复数据库”修复它，再启动本程序。")
        .arg(QString::number(read), QString::number(kept));
}
inline QString badValue(const QString& id, const QString& column, const QString& value)
{
    return QStringLiteral("订单 %1 的 %2 无法转换：“%3”。").arg(id, column, value);
}
inline QString unsupportedColumn(const QString& column)
{
    return QStringLiteral("订单表的列 %1 的类型不能存放订单的数据。").arg(column);
}
inline QString noDate(const QString& id)
{
    return QStringLiteral("订单 %1 没有销售日期。").arg(id);
}
inline QString duplicateId(const QString& detail)
{
    return QStringLiteral("订单编号重复或无效（%1）。").arg(detail);
}
inline QString unexpected(const QString& what)
{
    return QStringLiteral("发生了意外错误。%1").arg(what);
}
inline const QString canceled = QStringLiteral("转换已取消。");
inline QString cannotKeep(const QString& path, const QString& detail)
{
    return QStringLiteral("无法把原文件复制为 %1：%2").arg(path, detail);
}
inline QString keptCopyDiffers(const QString& path)
{
    return QStringLiteral("原文件的副本 %1 与原文件不一致。").arg(path);
}
inline QString cannotWrite(const QString& path, const QString& detail)
{
    return QStringLiteral("无法写入新的数据文件 %1：%2").arg(path, detail);
}
inline const QString readBackDiffers = QStringLiteral("写入后读回的订单与原文件中的订单不一致。");
inline const QString changedMeanwhile =
    QStringLiteral("转换期间 data.mdb 被其他程序改动了，请关闭其他程序后重新启动本程序。");
inline QString cannotReplace(const QString& detail)
{
    return QStringLiteral("无法用新的数据文件替换 data.mdb：%1").arg(detail);
}

// Progress.
inline const QString reading = QStringLiteral("正在读取 Access 数据文件……");
inline const QString converting = QStringLiteral("正在转换订单（%1 / %2）……");
inline const QString cancel = QStringLiteral("取消");

} // namespace jetimport::texts
