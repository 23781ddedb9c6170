#include "mainwindow/Guarded.h"

#include "mainwindow/MainTexts.h"
#include "store/StoreError.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

namespace mainwindow {

bool runGuarded(QWidget* parent, const std::function<void()>& body, const Explain& explain)
{
    const std::optional<ui::Failure> failure = ui::guarded<store::StoreError>(body);
    if (!failure) {
        return true;
    }
    const QString text = failure->described()                          ? failure->words
                         : failure->kind == ui::Failure::Kind::Unknown ? texts::unknownFailure
                                                                       : texts::failed(failure->words);
    ui::MsgBox(explain ? explain(text) : text, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
    return false;
}

} // namespace mainwindow
