#pragma once

#include <functional>

namespace entry {

class EntryHost;

class add;

// Opens a fresh entry window modally, centred on the host's window, and returns once it is closed and
// gone. A store failure while reading the order to edit is told to the user and nothing opens.
void openEntryWindow(EntryHost& host);

// Test seam: while a hook is set, each opening calls it with the live window once it runs modally. The
// window is closed when the hook returns, unless the hook closed it.
namespace entry_seam {
void setShownHook(std::function<void(add&)> hook);
void reset();
} // namespace entry_seam

} // namespace entry
