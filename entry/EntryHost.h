#pragma once

#include "store/DbConfig.h"

#include <QString>

class QWidget;

namespace entry {

// The main window's Tag that asks for the selected order to be changed.
inline const QString editMarker = QStringLiteral("edit");

// What the entry window reads from and calls on the main window that opened it.
class EntryHost
{
public:
    virtual ~EntryHost() = default;

    // editMarker to change the selected order, empty for a new one.
    virtual QString Tag() const = 0;
    // The selected order's id as text (the hidden ddid box).
    virtual QString ddidText() const = 0;
    // Lists the orders that match condition (empty: every order).
    virtual void ddlist(const QString& condition) = 0;
    // Lists by the filter controls.
    virtual void cxtj() = 0;
    // The window the entry window is centred on.
    virtual QWidget* hostWindow() = 0;

    // Lists again the way the list on screen was made: every order, or by the filter controls.
    void refreshByListmode()
    {
        if (db_config::listmode == db_config::listmodeAll) {
            ddlist(QString());
        } else {
            cxtj();
        }
    }
};

} // namespace entry
