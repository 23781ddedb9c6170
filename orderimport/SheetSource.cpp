#include "orderimport/SheetSource.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"
#include "orderimport/TextSheet.h"
#include "orderimport/XlsSheet.h"
#include "orderimport/XlsxSheet.h"

#include <QFile>
#include <QFileInfo>

namespace orderimport {

std::unique_ptr<SheetSource> openSheet(const QString& path, const ReadOptions& options)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        throw ImportError(ImportError::Kind::CannotOpen, texts::cannotOpen().arg(shownName(path)));
    }
    const QByteArray head = file->peek(1024);
    if (head.isEmpty()) {
        throw ImportError(ImportError::Kind::Empty, texts::emptyFile().arg(shownName(path)));
    }
    switch (containerOf(head)) {
    case Container::Zip:
        return std::make_unique<XlsxSheetSource>(path);
    case Container::Ole:
        try {
            return std::make_unique<XlsSheetSource>(path);
        } catch (const ImportError& e) {
            // A workbook with an opening password is no .xls to the reader: only then is the whole file
            // looked through for its encrypted package.
            if (e.kind() == ImportError::Kind::Damaged && hasEncryptedPackage(*file)) {
                throw ImportError(ImportError::Kind::Encrypted, texts::encrypted().arg(shownName(path)));
            }
            throw;
        }
    case Container::Other:
        break;
    }
    // A tab-separated export named .xls reads as text; a web page named so is refused with its reason.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if ((suffix == u"xls" || suffix == u"xlsx") && looksLikeMarkup(head)) {
        throw ImportError(ImportError::Kind::NotATable, texts::webPage().arg(shownName(path)));
    }
    return std::make_unique<TextSheetSource>(std::move(file), path, options);
}

void readRows(const QString& path,
              const ReadOptions& options,
              const std::function<bool(const SheetRow&)>& onRow)
{
    const std::unique_ptr<SheetSource> source = openSheet(path, options);
    while (const std::optional<SheetRow> row = source->next()) {
        if (!onRow(*row)) {
            return;
        }
    }
}

} // namespace orderimport
