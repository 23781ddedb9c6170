#pragma once

#include "entry/OrderTexts.h"

#include <QString>
#include <optional>

// The entry window's statements and its two trips to the data file. Both trips throw store::StoreError.
namespace entry {

// "Select * From ddlist where id=" + id.
QString loadStatement(const QString& id);
// "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('" ... "')", every text quoted.
QString insertStatement(const OrderTexts& order);
// "update  ddlist set spname='" ... "'  where id=" + id, every text quoted.
QString updateStatement(const OrderTexts& order, const QString& id);

// True for the decimal text of an id: only such a text may stand unquoted after "where id=".
bool isIdText(const QString& id);

// Reads the order whose id is the text id through the shared recordset (released again at the end).
// Returns nothing when id is not the decimal text of an id, or when no stored order has it.
// A NULL remark reads as a single blank.
std::optional<OrderTexts> loadOrder(const QString& id);

// Runs an insert or update on a recordset of its own; returns the number of rows it changed.
qint64 runSave(const QString& statement);

} // namespace entry
