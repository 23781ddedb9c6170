#pragma once

#include <QString>

// The folders the export and the import last used, kept in tallywick.ini beside the data file: the
// program's one settings file. A missing or broken file means no folder is remembered.
namespace mainwindow::folders {

inline const QString exportKey = QStringLiteral("folders/export");
inline const QString importKey = QStringLiteral("folders/import");

QString lastUsed(const QString& dataFile, const QString& key);
// The folder of file, for next time. A file that cannot be written is let be.
void remember(const QString& dataFile, const QString& key, const QString& file);

} // namespace mainwindow::folders
