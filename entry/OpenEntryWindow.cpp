#include "entry/OpenEntryWindow.h"

#include "entry/EntryHost.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWindow.h"
#include "store/StoreError.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/ShownHook.h"
#include "ui/UiTexts.h"

#include <QPointer>

namespace entry {

namespace {

ui::ShownHook<EntryWindow>& shownHook()
{
    static ui::ShownHook<EntryWindow> hook;
    return hook;
}

} // namespace

bool openEntryWindow(EntryHost& host, std::optional<qint64> orderId)
{
    QWidget* owner = host.hostWindow();
    // A child dialog of the main window: Qt centres it on its owner and keeps it in front.
    QPointer<EntryWindow> form = new EntryWindow(host, orderId, owner);
    if (const auto failure = ui::guarded<store::StoreError>([&] { form->load(); })) {
        delete form;
        ui::MsgBox(failure->described() ? texts::loadFailed + failure->words : texts::unexpectedFailure,
                   ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, owner);
        return false;
    }
    shownHook().armFor(form);
    form->exec();
    const bool saved = form && form->savedAny();
    delete form;
    return saved;
}

namespace entry_seam {

void setShownHook(std::function<void(EntryWindow&)> hook)
{
    shownHook().set(std::move(hook));
}

void reset()
{
    shownHook().reset();
}

} // namespace entry_seam

} // namespace entry
