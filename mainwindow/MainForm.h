#pragma once

#include "entry/EntryHost.h"
#include "mainwindow/MainLayout.h"

#include <QString>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace mainwindow {

// The main window mainfrm: the order list with its totals, the filter and the commands.
// Each handler runs behind guarded(), so a failure shows a message and leaves the window as it was.
// The controls are reached by their names (b1, MSFlexGrid1, ...), as members of MainControls.
class MainForm final : public QWidget, public entry::EntryHost, public MainControls
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainForm)
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // The start-up sequence; runs once. The first show() runs it as soon as the window is on the screen,
    // unless somebody ran it before.
    void Form_Load();

    // Lists the orders that match condition in the grid and the five totals.
    void ddlist(const QString& condition) override;
    // Builds the condition from the filter controls and lists with it.
    void cxtj() override;

    // entry::editMarker asks the entry window to open the selected order, empty for a new one.
    QString Tag() const override { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    QString ddidText() const override;
    QWidget* hostWindow() override { return this; }

    // Runs a handler body; a store failure or any other exception becomes a message box titled
    // ui::texts::noticeTitle. Returns false when the body failed.
    bool guarded(const std::function<void()>& body);

    // Handlers, connected to their controls' signals. Commands of the selected order and the links are
    // in MainCommands.cpp.
    void b1_Click();
    void b2_Click();
    void b3_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_DblClick();
    void Label1_Click();
    void Label3_Click();
    void b4_Click();
    void b5_Click();
    void b6_Click();
    void c2_Click();
    void startdate_Click();
    void enddate_Click();
    void MonthView1_DateClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens address in the browser; a failure is not reported.
    void OpenUrl(const QString& address);
    void connectHandlers();
    void openCalendarFor(const QString& target);
    // Keys on the date boxes and the calendar: open it as a click does, Escape closes it unchanged.
    // True when the key was used.
    bool dateKey(QObject* watched, const QKeyEvent& key);
    // The grid's layout after a listing, with orders empty data rows.
    void setUpGrid(int orders);
    // What start-up shows when the first listing failed.
    void showEmptyList();

    QString m_tag; // entry mode marker for the entry window
    bool m_loaded = false;
    bool m_shown = false; // placed on the screen and start-up queued
};

} // namespace mainwindow
