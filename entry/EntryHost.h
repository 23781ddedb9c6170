#pragma once

#include <QString>

class QWidget;

// What the entry window reads from and calls on the main window that opened it.
class EntryHost
{
public:
    virtual ~EntryHost() = default;

    // "edit" to change the selected order, empty for a new one.
    virtual QString Tag() const = 0;
    // The selected order's id as text (the hidden ddid box).
    virtual QString ddidText() const = 0;
    // Lists the orders that match condition (empty: every order).
    virtual void ddlist(const QString& condition) = 0;
    // Lists by the filter controls.
    virtual void cxtj() = 0;
    // The window the entry window is centred on.
    virtual QWidget* hostWindow() = 0;
};
