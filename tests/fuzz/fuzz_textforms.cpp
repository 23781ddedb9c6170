// The date and number readers take any text: they answer with a value or with nothing, never crash, and
// what they accept they can write back and read again to the same value.
#include "store/TextForms.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const QLocale locales[] = {QLocale(QLocale::Chinese, QLocale::China),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany), QLocale::c()};
    store::textforms::setUiLocale(locales[data[0] % 4]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    if (const auto date = store::textforms::readDate(text)) {
        if (!date->isValid() || store::textforms::readDate(store::textforms::dateText(*date)) != date) {
            std::abort();
        }
    }
    if (const auto number = store::textforms::readNumber(text)) {
        const QString shown = store::textforms::numberText(*number);
        if (std::isfinite(*number) && !store::textforms::readNumber(shown)) {
            std::abort();
        }
    }
    return 0;
}
