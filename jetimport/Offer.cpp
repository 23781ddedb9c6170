#include "jetimport/Offer.h"

#include "jetimport/Converter.h"
#include "jetimport/FileKind.h"
#include "jetimport/JetTexts.h"
#include "jetimport/KeptCopy.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <memory>

namespace jetimport {

namespace {

// A modal progress dialog, shown after half a second: the conversion runs in the helper while the event
// loop keeps the windows painted.
std::unique_ptr<QProgressDialog> progressDialog(QWidget* parent, const QString& label, qint64 total)
{
    auto dialog = std::make_unique<QProgressDialog>(label, texts::cancel, 0, 0, parent);
    dialog->setWindowTitle(ui::texts::noticeTitle);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(500);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMaximum(total > 0 ? 1000 : 0);
    dialog->setValue(0);
    return dialog;
}

// Failures and refusals carry the exclamation mark; the outcome of a choice is plain news.
void tell(QWidget* parent, const QString& text)
{
    ui::MsgBox(text, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
}

void inform(QWidget* parent, const QString& text)
{
    ui::MsgBox(text, ui::MB_OK, ui::texts::noticeTitle, parent);
}

bool offer(QWidget* parent, const QString& dataFile)
{
    const QString shownFile = QFileInfo(dataFile).absoluteFilePath();
    Probe found;
    {
        const auto dialog = progressDialog(parent, texts::reading, 0);
        found = probe(dataFile, [&] { return !dialog->wasCanceled(); });
    }
    // The new store and the kept original go beside data.mdb: say so now rather than after the question.
    const QString folder = QFileInfo(dataFile).absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        throw ConversionError(texts::folderReadOnly(folder));
    }
    const QString kept = QFileInfo(keptName(dataFile)).fileName();
    if (ui::MsgBox(texts::question(shownFile, found.version, found.orders, kept), ui::MB_YESNO_QUESTION,
                   ui::texts::noticeTitle, parent) != ui::IDYES) {
        inform(parent, texts::declined);
        return false;
    }
    Converted converted;
    {
        const auto dialog = progressDialog(parent, texts::converting.arg(0).arg(found.orders), found.orders);
        converted = convert(dataFile, found, [&](qint64 done) {
            if (found.orders > 0) {
                dialog->setValue(int(std::min<qint64>(1000, done * 1000 / found.orders)));
                dialog->setLabelText(texts::converting.arg(done).arg(found.orders));
            }
            return !dialog->wasCanceled();
        });
    }
    inform(parent, texts::done(converted.orders, converted.keptPath, converted.withTime, converted.blanks));
    return true;
}

} // namespace

bool offerConversion(QWidget* parent, const QString& dataFile)
{
    const FileKind kind = sniffFile(dataFile);
    const QString shownFile = QFileInfo(dataFile).absoluteFilePath();
    bool goOn = false;
    const auto failure = ui::guarded<ConversionError>([&] {
        switch (kind) {
        case FileKind::Jet3:
        case FileKind::Jet4:
            goOn = offer(parent, dataFile);
            return;
        case FileKind::Ace:
            tell(parent, texts::aceFile(shownFile));
            return;
        case FileKind::JetOther:
            tell(parent, texts::unknownJetVersion(shownFile, jetVersionByte(dataFile)));
            return;
        case FileKind::Missing:
        case FileKind::Sqlite:
        case FileKind::Other:
            goOn = true; // the store opens it, or says what is wrong with it
            return;
        }
    });
    if (failure) {
        tell(parent, texts::failed(shownFile, failure->described() ? failure->words
                                                                   : texts::unexpected(failure->words)));
    }
    return goOn && !failure;
}

} // namespace jetimport
