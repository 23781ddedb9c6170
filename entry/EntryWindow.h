#pragma once

#include "entry/EntryLayout.h"
#include "entry/OrderCheck.h"
#include "entry/OrderTexts.h"

#include <QDialog>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace entry {

class EntryHost;

// The entry window: types in a new order (add mode) or changes a stored one (edit mode). Created anew for
// each opening; load() decides the mode once.
class EntryWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryWindow)
public:
    // orderId: the order to change; none for a new one.
    EntryWindow(EntryHost& host, std::optional<qint64> orderId, QWidget* parent = nullptr);
    ~EntryWindow() override;

    // Today's date into the date box, the calendar into place, and in edit mode the order's stored values.
    // An id that names no stored order gives add mode. Throws store::StoreError when the order cannot be
    // read.
    void load();
    bool editMode() const { return m_editedId.has_value(); }

    // Empties the boxes and puts today's date into the date box.
    void clearForm();
    // Stores the order (a new one in add mode, the changed one in edit mode) and confirms. Returns false,
    // after telling the user, when nothing was written.
    bool saveOrder(const store::Order& order);
    // Whether an order was stored since the window opened.
    bool savedAny() const { return m_savedAny; }

protected:
    void showEvent(QShowEvent* event) override;
    // Enter in a box and Escape do nothing special here (Enter on a focused button presses it); the title
    // bar's close box still closes.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a handler; any failure it lets through becomes a message box.
    void guarded(void (EntryWindow::*handler)());
    void saveAndClose();
    void saveAndStartNew();
    void showCalendar();
    void takePickedDate();

    // The ten-step field check; on a failure tells the user and moves the focus.
    std::optional<store::Order> checkedOrder();
    // Lists the main window's orders again; a failure is told, the order being saved.
    void refreshList();
    OrderTexts boxTexts() const;
    void showOrder(const store::Order& order);
    QLineEdit* box(OrderBox which) const;

    EntryHost& m_host;
    layout::EntryControls m_ui;
    std::optional<qint64> m_requestedId;
    std::optional<qint64> m_editedId; // fixed at load
    bool m_calendarByKey = false;     // the calendar was opened from the keyboard
    bool m_savedAny = false;
};

} // namespace entry
