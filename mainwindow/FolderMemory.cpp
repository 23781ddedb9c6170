#include "mainwindow/FolderMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace mainwindow::folders {

namespace {

QString settingsFile(const QString& dataFile)
{
    return QFileInfo(dataFile).dir().filePath(QStringLiteral("tallywick.ini"));
}

} // namespace

QString lastUsed(const QString& dataFile, const QString& key)
{
    const QSettings settings(settingsFile(dataFile), QSettings::IniFormat);
    return settings.status() == QSettings::NoError ? settings.value(key).toString() : QString();
}

void remember(const QString& dataFile, const QString& key, const QString& file)
{
    QSettings settings(settingsFile(dataFile), QSettings::IniFormat);
    settings.setValue(key, QFileInfo(file).absolutePath());
}

} // namespace mainwindow::folders
