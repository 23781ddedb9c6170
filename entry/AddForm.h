#pragma once

#include "entry/EntryLayout.h"
#include "entry/OrderCheck.h"
#include "entry/OrderTexts.h"

#include <QDialog>

class QKeyEvent;
class QLineEdit;

namespace entry {

class EntryHost;

// The entry window `add`: types in a new order (add mode) or changes the selected one (edit mode).
// Created anew for each opening; load() decides the mode once.
class add final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(add)
public:
    explicit add(EntryHost& host, QWidget* parent = nullptr);
    ~add() override;

    // Today's date into xsdate, the calendar into place, the mode from the host's Tag and ddid and, in
    // edit mode, the order's stored values. An id that names no stored order gives add mode.
    // Throws store::StoreError when the order cannot be read.
    void load();
    bool editMode() const { return m_edit; }

    // Empties the boxes and puts today's date into xsdate.
    void qk();
    // Writes the boxes as one insert (add mode) or update (edit mode) and confirms. Returns false, after
    // telling the user, when nothing was written.
    bool savedd();

protected:
    void showEvent(QShowEvent* event) override;
    // Enter in a box and Escape do nothing special here (Enter on a focused button presses it); the title
    // bar's close box still closes.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a handler; any failure it lets through becomes a message box.
    void guarded(void (add::*handler)());
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void xsdate_Click();
    void MonthView1_DateClick();

    // The ten-step field check; on a failure tells the user and moves the focus.
    bool fieldsPass();
    // Lists the main window's orders again by listmode; a failure is told, the order being saved.
    void refreshList();
    OrderTexts boxTexts() const;
    void showOrder(const OrderTexts& order);
    QLineEdit* box(Box which) const;

    EntryHost& m_host;
    layout::EntryControls m_ui;
    bool m_edit;  // fixed at load
    QString m_id; // the id of the order being changed (edit mode)
};

} // namespace entry
