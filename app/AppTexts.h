#pragma once

#include <QString>

// The messages of the program's start, before the main window exists.
namespace app::texts {

// Another running Tallywick holds this folder's data.mdb but did not answer the request to come forward.
inline QString storeInUse(const QString& dataFile)
{
    return QStringLiteral("另一个正在运行的 Tallywick 已经打开了数据文件：\r\n%1\r\n\r\n"
                          "请在任务栏中找到它的窗口；如果它没有响应，请结束它后再启动。")
        .arg(dataFile);
}

// The lock file beside data.mdb was written by the Tallywick of another computer.
inline QString lockOfAnotherComputer(const QString& computer, const QString& lockFile)
{
    return QStringLiteral("数据文件正被另一台电脑“%1”上的 Tallywick 使用，锁文件是：\r\n%2\r\n\r\n"
                          "两台电脑同时记账会弄乱定单。那台电脑上的 Tallywick 已经关闭了吗？\r\n\r\n"
                          "选“是”在这台电脑上打开；选“否”不启动。")
        .arg(computer, lockFile);
}

} // namespace app::texts
