#include "importdialog/FailureWords.h"

#include "importdialog/ImportTexts.h"
#include "orderimport/ImportError.h"
#include "store/StoreError.h"
#include "ui/Guarded.h"

namespace importdialog {

QString failureWords(const std::function<void()>& body)
{
    QString words;
    const std::optional<ui::Failure> failure = ui::guarded<store::StoreError>([&] {
        try {
            body();
        } catch (const orderimport::ImportError& e) {
            words = e.message();
        }
    });
    if (failure) {
        words = failure->described() ? failure->words : texts::unexpectedFailure;
    }
    return words;
}

} // namespace importdialog
