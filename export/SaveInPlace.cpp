#include "export/SaveInPlace.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace xl {

namespace {

constexpr qint64 chunkSize = 1 << 20;

// Why a file cannot be made at target, in words the user can act on.
QString whyNot(const QString& target)
{
    const QFileInfo file(target);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        return texts::folderInTheWay;
    }
    if (!folder.exists()) {
        // A file in the path where a folder should be makes the folder "missing" as well.
        QFileInfo up = folder;
        while (!up.exists() && !up.isRoot() && up.absoluteFilePath() != up.absolutePath()) {
            up = QFileInfo(up.absolutePath());
        }
        return up.exists() && !up.isDir() ? texts::notAFolder : texts::folderMissing;
    }
    if (!folder.isDir()) {
        return texts::notAFolder;
    }
    return texts::folderNotWritable;
}

} // namespace

void abandonInPlace(QSaveFile& out)
{
    const QString shown = QDir::toNativeSeparators(out.fileName());
    out.cancelWriting();
    throw SheetError(texts::cannotWriteFile.arg(shown));
}

void openInPlace(QSaveFile& out)
{
    // Never write straight into the target: a failure would leave half a file under the chosen name.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        throw SheetError(
            texts::cannotCreateFile.arg(QDir::toNativeSeparators(out.fileName()), whyNot(out.fileName())));
    }
}

void commitInPlace(QSaveFile& out, qint64 written)
{
    // The size the disk reports is checked: a short write that slipped through leaves the target as it was.
    if (!out.flush() || out.error() != QFileDevice::NoError || out.size() != written) {
        abandonInPlace(out);
    }
    if (!out.commit()) {
        throw SheetError(texts::cannotWriteFile.arg(QDir::toNativeSeparators(out.fileName())));
    }
}

void saveInPlace(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        throw SheetError(texts::cannotReadTemp);
    }
    QSaveFile out(target);
    openInPlace(out);
    QByteArray chunk;
    qint64 written = 0;
    while (!in.atEnd()) {
        chunk = in.read(chunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            throw SheetError(texts::cannotReadTemp);
        }
        if (out.write(chunk) != chunk.size()) {
            abandonInPlace(out);
        }
        written += chunk.size();
    }
    commitInPlace(out, written);
}

} // namespace xl
