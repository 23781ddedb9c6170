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

} // namespace app::texts
