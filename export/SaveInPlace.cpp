#include "export/SaveInPlace.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace xl {

namespace {

constexpr qint64 chunkSize = 1 << 20;

} // namespace

void saveInPlace(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        throw SheetError(exporttexts::cannotReadTemp.arg(in.errorString()));
    }
    const QString shown = QDir::toNativeSeparators(target);
    QSaveFile out(target);
    // Never write straight into the target: a failure would leave half a file under the chosen name.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        throw SheetError(exporttexts::cannotCreateFile.arg(shown, out.errorString()));
    }
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(chunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            throw SheetError(exporttexts::cannotReadTemp.arg(in.errorString()));
        }
        if (out.write(chunk) != chunk.size()) {
            const QString reason = out.errorString();
            out.cancelWriting();
            throw SheetError(exporttexts::cannotWriteFile.arg(shown, reason));
        }
    }
    if (!out.commit()) {
        throw SheetError(exporttexts::cannotWriteFile.arg(shown, out.errorString()));
    }
}

} // namespace xl
