#pragma once

#include <QString>

class QWidget;

namespace jetimport {

// At start-up, before the first listing: a data.mdb in Access's Jet format is offered for conversion
// (the question says how many orders and where the original stays), converted on Yes with a progress
// dialog, and the outcome told; an ACE (.accdb) or unknown Jet file gets a message. Returns whether the
// window goes on to list the orders (true also for the program's own store and for files the store
// itself will report on). Never throws; nothing is changed unless the user says Yes and every order was
// written and read back.
bool offerConversion(QWidget* parent, const QString& dataFile);

} // namespace jetimport
