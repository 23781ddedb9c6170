#pragma once

#include "entry/EntryHost.h"
#include "entry/EntryWindow.h"
#include "store/AppFolder.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/MessageBox.h"

#include <QDate>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A main window stand-in: the store of the test's data.mdb, and a count of the refreshes.
class FakeHost final : public entry::EntryHost
{
public:
    store::OrderStore store{store::dataFileIn(store::appFolder())};
    int refreshes = 0;
    std::function<void()> onRefresh; // runs inside each refresh (a test may throw from it)
    // On the heap: the fixture's teardown deletes every top-level window itself.
    QPointer<QWidget> window = new QWidget;

    ~FakeHost() override { delete window; }

    const store::OrderStore& orderStore() const override { return store; }
    void refreshList() override
    {
        ++refreshes;
        if (onRefresh) {
            onRefresh();
        }
    }
    QWidget* hostWindow() override { return window; }
    void tellBackup(const store::BackupOutcome&) override {}
};

// Each test: a fresh data.mdb, the message-box seam armed, and an entry window over a fake host.
class EntryTest : public testsupport::GuiTest
{
protected:
    std::unique_ptr<FakeHost> hostHolder;
    std::unique_ptr<entry::EntryWindow> form;

    void SetUp() override
    {
        GuiTest::SetUp();
        hostHolder = std::make_unique<FakeHost>(); // on the test's data.mdb
    }
    void TearDown() override
    {
        form.reset();
        hostHolder.reset();
        GuiTest::TearDown();
    }
    FakeHost& host() { return *hostHolder; }

    // Loads a fresh window, for a new order or to change the order with orderId, and shows it (not
    // modally).
    entry::EntryWindow& open(std::optional<qint64> orderId = std::nullopt)
    {
        FakeHost& host = *hostHolder;
        host.window->resize(800, 600);
        host.window->show();
        form = std::make_unique<entry::EntryWindow>(host, orderId, host.window);
        form->load();
        form->show();
        return *form;
    }

    template <typename T = QLineEdit> T* find(const char* name) const
    {
        auto* w = form->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            throw std::runtime_error(name);
        }
        return w;
    }

    QString text(const char* box) const { return find(box)->text(); }

    // Replaces a box's text by typing.
    void type(const char* box, const QString& text)
    {
        QLineEdit* edit = find(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeInto(edit, text);
    }

    // Types text key by key; QTest::keyClicks knows ASCII only, so other characters (an emoji as its
    // surrogate pair) go as key events that carry their text.
    static void typeInto(QWidget* widget, const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text.at(i);
            if (ch.unicode() < 0x80) {
                QTest::keyClick(widget, ch.toLatin1());
                continue;
            }
            const qsizetype length = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
            i += length - 1;
        }
    }

    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    // Types a whole order that passes the check.
    void typeOrder(const QString& spname = QStringLiteral("茶杯"),
                   const QString& xsdate = QStringLiteral("2026/12/1"))
    {
        type("spname", spname);
        type("sl", QStringLiteral("2"));
        type("jj", QStringLiteral("10.5"));
        type("sj", QStringLiteral("18"));
        type("mjzh", QStringLiteral("buyer01"));
        type("kddh", QStringLiteral("SF1000"));
        type("xsdate", xsdate);
        type("bz", QStringLiteral("送货上门"));
    }

    static QString today() { return store::textforms::dateText(QDate::currentDate()); }

    static QStringList messages()
    {
        QStringList texts;
        for (const auto& shown : ui::msgbox_seam::shown()) {
            texts << shown.text;
        }
        return texts;
    }
};
