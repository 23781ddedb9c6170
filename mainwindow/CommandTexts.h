#pragma once

#include <QString>

// The texts of the main window's commands on the selected order and of its two links, with the delete
// statement's builder.
namespace command_texts {

// The main window's Tag: "edit" opens the selected order, empty a new one.
inline const QString editMarker = QStringLiteral("edit");

inline const QString selectFirst = QStringLiteral("请选择记录后，再操作！！");
inline const QString confirmDelete = QStringLiteral("你确认要删除选中记录吗？") + QStringLiteral("\r\n\r\n") +
                                     QStringLiteral("注意：删除后不可恢复！");

// The web-shop page (Label1) and the home page (Label3).
inline const QString shopUrl = QStringLiteral("http://shop.tallywick.example/");
inline const QString homeUrl = QStringLiteral("http://www.tallywick.example/");

// "select * From ddlist where id=" directly followed by the id text.
inline QString deleteStatement(const QString& id)
{
    return QStringLiteral("select * From ddlist where id=") + id;
}

} // namespace command_texts
