#pragma once

#include <QtGlobal>
#include <functional>
#include <optional>

namespace entry {

class EntryHost;

class EntryWindow;

// Opens a fresh entry window modally, centred on the host's window, for a new order or to change the order
// with orderId, and returns once it is closed and gone: whether an order was saved meanwhile. A store
// failure while reading the order to change is told to the user and nothing opens.
bool openEntryWindow(EntryHost& host, std::optional<qint64> orderId);

// Test seam: while a hook is set, each opening calls it with the live window once it runs modally. The
// window is closed when the hook returns, unless the hook closed it.
namespace entry_seam {
void setShownHook(std::function<void(EntryWindow&)> hook);
void reset();
} // namespace entry_seam

} // namespace entry
