#include "mainwindow/Guarded.h"

#include "mainwindow/MainTexts.h"
#include "store/StoreError.h"
#include "ui/MessageBox.h"

#include <exception>

namespace mainwindow {

namespace {

void report(QWidget* parent, const QString& text, const Explain& explain)
{
    ui::MsgBox(explain ? explain(text) : text, ui::MB_OK_EXCLAMATION, main_texts::notice, parent);
}

} // namespace

bool runGuarded(QWidget* parent, const std::function<void()>& body, const Explain& explain)
{
    try {
        body();
        return true;
    } catch (const store::StoreError& e) {
        report(parent, e.description(), explain);
    } catch (const std::exception& e) {
        report(parent, main_texts::failed(QString::fromLocal8Bit(e.what())), explain);
    } catch (...) {
        report(parent, main_texts::unknownFailure, explain);
    }
    return false;
}

} // namespace mainwindow
