#include "entry/DailyBackup.h"

#include "store/Backup.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"
#include "ui/WaitCursor.h"

#include <QDate>
#include <QHash>
#include <QString>

namespace entry {

namespace {

// What became of one store's backup, by day.
struct StoreDays
{
    QDate settled; // the day's copy was made, was there, or failed: not tried again that day
    QDate warned;  // a failure is told once a day
};

QHash<QString, StoreDays>& storeDays()
{
    static QHash<QString, StoreDays> days;
    return days;
}

bool storeIsWritable(const store::OrderStore& store)
{
    try {
        store.requireWritable();
        return true;
    } catch (const store::StoreError&) {
        return false;
    }
}

} // namespace

std::optional<store::BackupOutcome> backupIfDue(QWidget* parent, const store::OrderStore& store)
{
    std::optional<store::BackupOutcome> tried;
    // A backup never stands in the way of the work: a failure is dropped, and the next day tries again.
    ui::guarded<store::StoreError>([&] {
        const QString& dataFile = store.dataFile();
        const QDate today = store::backup_clock::today();
        if (dataFile.isEmpty() || storeDays().value(dataFile).settled == today) {
            return;
        }
        StoreDays& days = storeDays()[dataFile];
        // A store of a million orders takes a second or two once a day: show that the program works.
        const store::BackupOutcome outcome = [&] {
            const ui::WaitCursor waiting;
            return store::makeDailyBackup(dataFile, today);
        }();
        // A store that never held an order has nothing to keep yet: the day's first save makes the copy.
        // A failed copy is tried again the next day, not at every save.
        if (outcome.kind != store::BackupOutcome::Kind::NothingToSave) {
            days.settled = today;
        }
        tried = outcome;
        if (outcome.kind != store::BackupOutcome::Kind::Failed || days.warned == today ||
            !storeIsWritable(store)) {
            return;
        }
        days.warned = today;
        const QString warning = outcome.damaged ? store::texts::damagedStoreWarning(outcome.reason)
                                                : store::texts::backupWarning(outcome.reason);
        ui::MsgBox(warning, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
    });
    return tried;
}

namespace backup_seam {

void reset()
{
    storeDays().clear();
}

} // namespace backup_seam

} // namespace entry
