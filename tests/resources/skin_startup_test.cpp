#include "entry/EntryWindow.h"
#include "entry/OpenEntryWindow.h"
#include "mainwindow/MainWindow.h"
#include "support/Fixtures.h"
#include "ui/AppIcon.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

// The program reads skin.she from its folder at start-up: with the shipped skin, without one and with a
// broken one the main window opens and lists; the skin changes colours only, never a size or a place.

namespace {

const QString shippedSkin = QStringLiteral(TALLYWICK_RESOURCES_DIR "/skin.she");

// Where every named control of a window is, relative to its container, and how tall the grid's
// header row is.
using Geometry = std::map<QString, QRect>;

Geometry geometryOf(const QWidget& window)
{
    Geometry g;
    g[QStringLiteral("(window)")] = QRect(QPoint(), window.size());
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            g[name] = w->geometry();
        }
    }
    if (const auto* grid = window.findChild<ui::FlexGrid*>(QStringLiteral("MSFlexGrid1"))) {
        g[QStringLiteral("(grid header)")] =
            QRect(0, 0, grid->horizontalHeader()->width(), grid->horizontalHeader()->height());
    }
    return g;
}

// The colour far right in a text box, where no text is drawn.
QColor boxBackground(QWidget* box)
{
    const QImage img = box->grab().toImage();
    return img.pixelColor(img.width() - 5, img.height() / 2);
}

// Whether a label draws any pure-looking red pixel.
bool drawsRed(QWidget* label)
{
    const QImage img = label->grab().toImage();
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() >= 200 && c.green() <= 80 && c.blue() <= 80) {
                return true;
            }
        }
    }
    return false;
}

class SkinStartup : public testsupport::GuiTest
{
protected:
    void TearDown() override
    {
        qApp->setStyleSheet(QString()); // the sheet is application-wide: later tests start plain
        GuiTest::TearDown();
    }

    QString skinPath() const { return QDir(store->folder()).filePath(QStringLiteral("skin.she")); }

    void writeSkin(const QByteArray& content) const
    {
        QFile f(skinPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    void copyShippedSkin() const
    {
        QFile f(shippedSkin);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << shippedSkin.toStdString();
        writeSkin(f.readAll());
    }

    // Starts the main window as the program does and waits until it is on screen.
    std::unique_ptr<mainwindow::MainWindow> start() const
    {
        auto form = std::make_unique<mainwindow::MainWindow>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    // Opens the entry window from form as the program does (a modal child of the main window) and runs
    // inspect on it while it is shown.
    static void withEntryWindow(mainwindow::MainWindow& form,
                                const std::function<void(entry::EntryWindow&)>& inspect)
    {
        bool ran = false;
        entry::entry_seam::setShownHook([&](entry::EntryWindow& dlg) {
            ran = true;
            EXPECT_EQ(dlg.parentWidget(), &form);
            inspect(dlg);
        });
        entry::openEntryWindow(form, std::nullopt);
        entry::entry_seam::reset();
        EXPECT_TRUE(ran);
    }

    // The geometry of both windows, started afresh.
    std::pair<Geometry, Geometry> startAndMeasure()
    {
        auto form = start();
        std::pair<Geometry, Geometry> g{geometryOf(*form), Geometry()};
        withEntryWindow(*form, [&](entry::EntryWindow& dlg) { g.second = geometryOf(dlg); });
        form->close();
        return g;
    }
};

} // namespace

TEST_F(SkinStartup, ShippedSkinIsAppliedAndKeepsTheRedLinksAndTheGreyDateBoxes)
{
    copyShippedSkin();
    store->addOrder(QStringLiteral("茶叶"), 10, 2, 15, QStringLiteral("buyer"), QStringLiteral("SF1"),
                    QDate::currentDate().toString(Qt::ISODate));
    auto form = start();
    ASSERT_TRUE(form->isVisible());
    QFile f(shippedSkin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(qApp->styleSheet(), QString::fromUtf8(f.readAll()));
    EXPECT_EQ(form->orderGrid->Rows(), 2); // today's order is listed
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());

    EXPECT_TRUE(drawsRed(form->shopLink));
    EXPECT_TRUE(drawsRed(form->homeLink));
    EXPECT_EQ(boxBackground(form->startDateBox), QColor(224, 224, 224));
    EXPECT_EQ(boxBackground(form->endDateBox), QColor(224, 224, 224));
    EXPECT_NE(boxBackground(form->keywordBox), QColor(224, 224, 224));

    withEntryWindow(*form, [](entry::EntryWindow& dlg) {
        auto* xsdate = dlg.findChild<QLineEdit*>(QStringLiteral("xsdate"));
        ASSERT_NE(xsdate, nullptr);
        EXPECT_EQ(boxBackground(xsdate), QColor(224, 224, 224));
        auto* spname = dlg.findChild<QLineEdit*>(QStringLiteral("spname"));
        ASSERT_NE(spname, nullptr);
        EXPECT_NE(boxBackground(spname), QColor(224, 224, 224));
        // The entry window's Label1 and Label3 are field captions, not links: ordinary text colour.
        for (const QString& name : {QStringLiteral("Label1"), QStringLiteral("Label3")}) {
            auto* caption = dlg.findChild<QLabel*>(name);
            ASSERT_NE(caption, nullptr);
            EXPECT_FALSE(drawsRed(caption)) << name.toStdString();
        }
    });
}

TEST_F(SkinStartup, SkinMovesAndResizesNothing)
{
    const auto plain = startAndMeasure();
    ASSERT_GT(plain.first.size(), 20u);
    ASSERT_GT(plain.second.size(), 20u);

    copyShippedSkin();
    const auto skinned = startAndMeasure();
    ASSERT_FALSE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(skinned.first, plain.first) << "main window";
    EXPECT_EQ(skinned.second, plain.second) << "entry window";
}

TEST_F(SkinStartup, WithoutSkinTheWindowOpensPlain)
{
    ASSERT_FALSE(QFile::exists(skinPath()));
    auto form = start();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    // The windows' own colours hold without a skin too.
    EXPECT_TRUE(drawsRed(form->shopLink));
    EXPECT_EQ(boxBackground(form->startDateBox), QColor(224, 224, 224));
}

TEST_F(SkinStartup, BrokenSkinStillOpensTheWindow)
{
    const QByteArray broken[] = {
        QByteArray("QPushButton { color: ; background: qlineargradient(; }}} #mainfrm {{ border"),
        QByteArray("\xff\xfe\x00\x01 not a style sheet \x00\x00", 22),
        QByteArray(),
    };
    for (const QByteArray& content : broken) {
        SCOPED_TRACE(content.toHex().left(40).toStdString());
        writeSkin(content);
        auto form = start();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->orderGrid->Rows(), 1); // today's (empty) list, header row only
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
        form->close();
        qApp->setStyleSheet(QString());
    }
    // A folder in the skin's place is no skin at all.
    ASSERT_TRUE(QFile::remove(skinPath()));
    ASSERT_TRUE(QDir(store->folder()).mkdir(QStringLiteral("skin.she")));
    auto form = start();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

TEST_F(SkinStartup, BothWindowsShowTheApplicationIcon)
{
    const QIcon before = QApplication::windowIcon();
    QApplication::setWindowIcon(ui::appIcon()); // as the program's main does
    auto form = start();
    const auto sizesOf = [](const QIcon& icon) { return icon.availableSizes(); };
    EXPECT_EQ(sizesOf(form->windowIcon()), sizesOf(ui::appIcon()));
    withEntryWindow(*form, [&](entry::EntryWindow& dlg) {
        EXPECT_EQ(sizesOf(dlg.windowIcon()), sizesOf(ui::appIcon()));
        EXPECT_EQ(dlg.windowIcon().pixmap(16).toImage(), ui::appIcon().pixmap(16).toImage());
    });
    QApplication::setWindowIcon(before);
}
