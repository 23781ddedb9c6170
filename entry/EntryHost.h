#pragma once

class QWidget;

namespace store {
class OrderStore;
struct BackupOutcome;
} // namespace store

namespace entry {

// What the entry window uses of the main window that opened it.
class EntryHost
{
public:
    virtual ~EntryHost() = default;

    // The store the orders are saved in.
    virtual const store::OrderStore& orderStore() const = 0;
    // Lists again the way the list on screen was made: every order, or by the filter controls.
    virtual void refreshList() = 0;
    // The window the entry window is centred on.
    virtual QWidget* hostWindow() = 0;
    // Tells the seller what became of the day's backup a save made (the first save of a day).
    virtual void tellBackup(const store::BackupOutcome& outcome) = 0;
};

} // namespace entry
