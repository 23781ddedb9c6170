#include "mainwindow/MainLayout.h"

#include "mainwindow/MainCaptions.h"
#include "ui/AppInfo.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>

namespace mainwindow {

namespace {

using C = MainControls;
namespace cap = texts;

const QColor linkRed(255, 0, 0);
const QColor dateGrey(224, 224, 224);

void paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

} // namespace

std::span<const ControlRow> mainLayoutTable()
{
    static const ControlRow table[] = {
        {"b1", &C::newOrderButton, nullptr, cap::newOrderButton, 120, 240, 1215, 855},
        {"b2", &C::editOrderButton, nullptr, cap::editOrderButton, 1440, 240, 1215, 855},
        {"b3", &C::deleteOrderButton, nullptr, cap::deleteOrderButton, 2760, 240, 1215, 855},
        {"Frame1", &C::filterFrame, nullptr, QString(), 4080, 0, 7335, 1215},
        {"c1", &C::fieldList, &C::filterFrame, QString(), 120, 240, 1335, 300},
        {"c2", &C::keywordBox, &C::filterFrame, cap::keywordPrompt, 1680, 240, 1575, 270},
        {"enddate", &C::endDateBox, &C::filterFrame, QString(), 1680, 720, 1575, 300},
        {"startdate", &C::startDateBox, &C::filterFrame, QString(), 120, 720, 1335, 300},
        {"Label2", &C::dateDash, &C::filterFrame, cap::dateDash, 1520, 780, 90, 180},
        {"MonthView1", &C::calendar, nullptr, QString(), 4080, 1080, 4065, 2220, true},
        {"b4", &C::queryButton, &C::filterFrame, cap::queryButton, 3360, 240, 1215, 855},
        {"b5", &C::allOrdersButton, &C::filterFrame, cap::allOrdersButton, 4680, 240, 1215, 855},
        {"b6", &C::exportButton, &C::filterFrame, cap::exportButton, 6000, 240, 1215, 855},
        {"Frame2", &C::shopLinkFrame, nullptr, QString(), 11520, 80, 1815, 495},
        {"Frame3", &C::homeLinkFrame, nullptr, QString(), 11520, 660, 1815, 495},
        {"Label1", &C::shopLink, &C::shopLinkFrame, cap::shopLink, 360, 195, 1080, 180},
        {"Label3", &C::homeLink, &C::homeLinkFrame, cap::homeLink, 600, 195, 720, 180},
        {"Frame4", &C::totalsFrame, nullptr, QString(), 120, 6480, 13215, 495},
        {"Label4", &C::ordersCaption, &C::totalsFrame, cap::ordersCaption, 240, 200, 900, 180},
        {"Label5", &C::piecesCaption, &C::totalsFrame, cap::piecesCaption, 2560, 200, 900, 180},
        {"Label6", &C::costCaption, &C::totalsFrame, cap::costCaption, 4920, 200, 900, 180},
        {"Label7", &C::salesCaption, &C::totalsFrame, cap::salesCaption, 7560, 200, 900, 180},
        {"Label8", &C::profitCaption, &C::totalsFrame, cap::profitCaption, 10600, 195, 720, 180},
        {"d1", &C::ordersTotal, &C::totalsFrame, QStringLiteral("1"), 1140, 195, 90, 180},
        {"d2", &C::piecesTotal, &C::totalsFrame, QStringLiteral("2"), 3480, 195, 90, 180},
        {"d3", &C::costTotal, &C::totalsFrame, QStringLiteral("3"), 5805, 195, 90, 180},
        {"d4", &C::salesTotal, &C::totalsFrame, QStringLiteral("4"), 8445, 195, 90, 180},
        {"d5", &C::profitTotal, &C::totalsFrame, QStringLiteral("5"), 11300, 195, 90, 180},
        {"MSFlexGrid1", &C::orderGrid, nullptr, QString(), 120, 1440, 13215, 5100},
        {"ddid", &C::selectedIdBox, nullptr, QString(), 12720, 6600, 495, 375, true},
    };
    return table;
}

void buildMainLayout(QMainWindow& window, MainControls& c)
{
    window.setWindowTitle(cap::titlePrefix + QLatin1Char('[') + ui::appinfo::credit + QLatin1Char(']'));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    window.setFont(ui::fonts::interfaceFont());
    // The controls lie in the client area, below the menu bar (and above a status bar), as in a window
    // with a menu.
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setMinimumSize(0, 0);
    window.setCentralWidget(client);
    ui::buildControls(*client, mainLayoutTable(), c);
    window.setGeometry(
        ui::twips::rect(frame::clientLeft, frame::clientTop, frame::clientWidth, frame::clientHeight));

    c.fieldList->addItems(cap::fields);
    c.fieldList->setCurrentIndex(-1); // nothing selected until start-up picks the prompt
    for (QLineEdit* box : {c.startDateBox, c.endDateBox}) {
        box->setReadOnly(true); // only the calendar writes them
        paint(box, QPalette::Base, dateGrey);
    }
    for (ui::Label* link : {c.shopLink, c.homeLink}) {
        paint(link, QPalette::WindowText, linkRed);
        link->setCursor(Qt::PointingHandCursor);
    }
    c.calendar->setValue(QDate(2011, 3, 2));
    c.calendar->raise(); // in front of the filter frame and the grid when it shows
}

} // namespace mainwindow
