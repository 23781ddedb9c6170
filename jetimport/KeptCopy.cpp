#include "jetimport/KeptCopy.h"

#include "jetimport/ConversionError.h"
#include "jetimport/JetTexts.h"
#include "store/SyncToDisk.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace jetimport {

QString keptName(const QString& dataFile)
{
    const QFileInfo info(dataFile);
    const QString stem =
        QStringLiteral("%1-jet-%2")
            .arg(info.completeBaseName(), QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString path = info.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = info.dir().filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
    }
    return path;
}

bool sameBytes(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size()) {
        return false;
    }
    constexpr qint64 chunk = 1 << 20;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(chunk);
        if (x.isEmpty() || x != fb.read(chunk)) {
            return false;
        }
    }
    return fb.atEnd();
}

QString keepCopy(const QString& dataFile)
{
    QFile in(dataFile);
    if (!in.open(QIODevice::ReadOnly)) {
        throw ConversionError(texts::cannotKeep(dataFile, in.errorString()));
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = keptName(dataFile);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path)) {
                continue;
            }
            throw ConversionError(texts::cannotKeep(path, out.errorString()));
        }
        bool ok = true;
        while (ok && !in.atEnd()) {
            const QByteArray bytes = in.read(1 << 20);
            ok = !bytes.isEmpty() && out.write(bytes) == bytes.size();
        }
        ok = ok && out.flush();
        const QString detail = out.errorString();
        out.close();
        if (ok) {
            store::syncToDisk(path);
        }
        if (!ok || !sameBytes(dataFile, path)) {
            QFile::remove(path);
            throw ConversionError(ok ? texts::keptCopyDiffers(path) : texts::cannotKeep(path, detail));
        }
        return path;
    }
    throw ConversionError(texts::cannotKeep(keptName(dataFile), QString()));
}

} // namespace jetimport
