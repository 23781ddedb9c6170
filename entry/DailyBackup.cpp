#include "entry/DailyBackup.h"

#include "store/Backup.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QCursor>
#include <QDate>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QString>

namespace entry {

namespace {

struct Tried
{
    QString dataFile;
    QDate day;
    bool warned = false; // once per run, whatever the store or the day
};

Tried& tried()
{
    static Tried t;
    return t;
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

void backupIfDue(QWidget* parent, const store::OrderStore& store)
{
    // A backup never stands in the way of the work: a failure is dropped, and the next day tries again.
    ui::guarded<store::StoreError>([&] {
        const QString& dataFile = store.dataFile();
        const QDate today = store::backup_clock::today();
        Tried& t = tried();
        if (dataFile.isEmpty() || (t.dataFile == dataFile && t.day == today)) {
            return;
        }
        t.dataFile = dataFile;
        t.day = today; // a failed copy is tried again the next day, not at every save
        // A store of a million orders takes a second or two once a day: show that the program works.
        const store::BackupOutcome outcome = [&] {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
            return store::makeDailyBackup(dataFile, today);
        }();
        if (outcome.kind != store::BackupOutcome::Kind::Failed || t.warned || !storeIsWritable(store)) {
            return;
        }
        t.warned = true;
        const QString warning = outcome.damaged ? store::texts::damagedStoreWarning(outcome.reason)
                                                : store::texts::backupWarning(outcome.reason);
        ui::MsgBox(warning, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
    });
}

namespace backup_seam {

void reset()
{
    tried() = Tried();
}

} // namespace backup_seam

} // namespace entry
