#include "entry/OpenEntryWindow.h"

#include "entry/AddForm.h"
#include "entry/EntryHost.h"
#include "entry/EntryTexts.h"
#include "store/StoreError.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QPointer>
#include <QTimer>

namespace entry {

namespace {

std::function<void(add&)>& shownHook()
{
    static std::function<void(add&)> hook;
    return hook;
}

} // namespace

void openEntryWindow(EntryHost& host)
{
    QWidget* owner = host.hostWindow();
    // A child dialog of the main window: Qt centres it on its owner and keeps it in front.
    QPointer<add> form = new add(host, owner);
    if (const auto failure = ui::guarded<store::StoreError>([&] { form->load(); })) {
        delete form;
        ui::MsgBox(failure->described() ? texts::loadFailed + failure->words : texts::unexpectedFailure,
                   ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, owner);
        return;
    }
    if (const auto hook = shownHook()) {
        QTimer::singleShot(0, form, [form, hook] {
            hook(*form);
            if (form && form->isVisible()) {
                form->close();
            }
        });
    }
    form->exec();
    delete form;
}

namespace entry_seam {

void setShownHook(std::function<void(add&)> hook)
{
    shownHook() = std::move(hook);
}

void reset()
{
    shownHook() = nullptr;
}

} // namespace entry_seam

} // namespace entry
