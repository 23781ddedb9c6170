#include "importdialog/ImportFile.h"

#include "entry/DailyBackup.h"
#include "importdialog/FailureWords.h"
#include "importdialog/ImportDialog.h"
#include "importdialog/ImportTexts.h"
#include "store/Backup.h"
#include "store/OrderStore.h"
#include "ui/MessageBox.h"
#include "ui/ShownHook.h"
#include "ui/UiTexts.h"
#include "ui/WaitCursor.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <algorithm>

namespace importdialog {

namespace {

struct FileSeam
{
    bool armed = false;
    QQueue<QString> answers;
    QString startFolder;
};

FileSeam& fileSeam()
{
    static FileSeam s;
    return s;
}

ui::ShownHook<ImportDialog>& shownHook()
{
    static ui::ShownHook<ImportDialog> hook;
    return hook;
}

void tell(const QString& text, QWidget* parent)
{
    ui::MsgBox(text, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
}

// The copy as the message names it: beside the data file, in its backup folder.
QString shownCopy(const QString& dataFile, const QString& copy)
{
    return QDir::toNativeSeparators(QFileInfo(dataFile).absoluteDir().relativeFilePath(copy));
}

std::optional<ImportDone> runImport(QWidget* parent,
                                    const store::OrderStore& store,
                                    const QString& path,
                                    const std::function<void(const store::BackupOutcome&)>& tellBackup)
{
    ImportDialog dialog(path, store, parent);
    if (const QString failure = failureWords([&] { dialog.load(); }); !failure.isEmpty()) {
        tell(failure, parent);
        return std::nullopt;
    }
    shownHook().armFor(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const std::vector<store::Order> orders = dialog.chosenOrders();
    if (orders.empty()) {
        return std::nullopt;
    }

    if (const std::optional<store::BackupOutcome> outcome = entry::backupIfDue(parent, store);
        outcome && tellBackup) {
        tellBackup(*outcome);
    }
    const store::BackupOutcome copy = [&] {
        const ui::WaitCursor waiting;
        return store::copyBeforeImport(store.dataFile(), QDateTime::currentDateTime());
    }();
    if (copy.kind == store::BackupOutcome::Kind::Failed) {
        tell(texts::copyFailed(copy.reason), parent);
        return std::nullopt;
    }
    const QString failure = failureWords([&] {
        const ui::WaitCursor waiting;
        store.insertAll(orders);
    });
    if (!failure.isEmpty()) {
        // One transaction: nothing of the file is stored.
        tell(texts::notImportedNothingChanged + QLatin1Char('\n') + failure, parent);
        return std::nullopt;
    }

    ImportDone done;
    done.imported = qint64(orders.size());
    const auto [earliest, latest] = std::minmax_element(
        orders.begin(), orders.end(), [](const auto& a, const auto& b) { return a.saleDate < b.saleDate; });
    done.first = earliest->saleDate;
    done.last = latest->saleDate;
    done.copyPath = copy.path;
    tell(texts::imported(done.imported, shownCopy(store.dataFile(), copy.path)), parent);
    return done;
}

} // namespace

QString askImportFile(QWidget* parent, const QString& startFolder)
{
    FileSeam& s = fileSeam();
    const QString folder = QDir(startFolder).exists() ? startFolder : QString();
    if (s.armed) {
        s.startFolder = folder;
        return s.answers.isEmpty() ? QString() : s.answers.dequeue();
    }
    // Qt's own dialog, as the export's save question: it looks the same everywhere.
    return QFileDialog::getOpenFileName(parent, texts::caption, folder, texts::fileFilters, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

std::optional<ImportDone> importFile(QWidget* parent,
                                     const store::OrderStore& store,
                                     const QString& path,
                                     const std::function<void(const store::BackupOutcome&)>& tellBackup)
{
    std::optional<ImportDone> done;
    // runImport tells of every failure it foresees; this is the edge for the rest.
    if (const QString failure = failureWords([&] { done = runImport(parent, store, path, tellBackup); });
        !failure.isEmpty()) {
        tell(failure, parent);
        return std::nullopt;
    }
    return done;
}

namespace importfile_seam {

QString startFolder()
{
    return fileSeam().startFolder;
}

void setNextFileName(const QString& path)
{
    fileSeam().armed = true;
    fileSeam().answers.enqueue(path);
}

void reset()
{
    fileSeam() = FileSeam();
}

} // namespace importfile_seam

namespace importdialog_seam {

void setShownHook(std::function<void(ImportDialog&)> hook)
{
    shownHook().set(std::move(hook));
}

void reset()
{
    shownHook().reset();
}

} // namespace importdialog_seam

} // namespace importdialog
