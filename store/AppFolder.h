#pragma once

#include <QString>

// Where the program keeps its files: data.mdb and skin.she lie beside the executable.
namespace store {

// The executable's folder. Tests point it at a temporary folder.
QString appFolder();
void setAppFolder(const QString& folder);

// The path of data.mdb in folder, with the system's separators.
QString dataFileIn(const QString& folder);

} // namespace store
