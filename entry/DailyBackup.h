#pragma once

#include "store/Backup.h"

#include <optional>

class QWidget;

namespace store {
class OrderStore;
}

namespace entry {

// The day's backup of the store the windows use, at start-up and after each save: made when none was
// tried today for this store (a store that never held an order is tried again at the next save, so its
// first orders are copied that day), with a warning over parent once a day when it fails. The seller's
// work goes on whatever happens; nothing is thrown. A store that cannot be written is not warned about:
// the seller has just been told so, and nothing in it can change.
// Returns what became of the copy when one was tried now.
std::optional<store::BackupOutcome> backupIfDue(QWidget* parent, const store::OrderStore& store);

// Test seam: forgets the days tried and the warning given.
namespace backup_seam {
void reset();
} // namespace backup_seam

} // namespace entry
