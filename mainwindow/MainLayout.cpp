#include "mainwindow/MainLayout.h"

#include "mainwindow/MainCaptions.h"
#include "ui/AppInfo.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/MonthView.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QLineEdit>

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
        {"b1", &C::b1, nullptr, cap::b1, 120, 240, 1215, 855},
        {"b2", &C::b2, nullptr, cap::b2, 1440, 240, 1215, 855},
        {"b3", &C::b3, nullptr, cap::b3, 2760, 240, 1215, 855},
        {"Frame1", &C::Frame1, nullptr, QString(), 4080, 0, 7335, 1215},
        {"c1", &C::c1, &C::Frame1, QString(), 120, 240, 1335, 300},
        {"c2", &C::c2, &C::Frame1, cap::keywordPrompt, 1680, 240, 1575, 270},
        {"enddate", &C::enddate, &C::Frame1, QString(), 1680, 720, 1575, 300},
        {"startdate", &C::startdate, &C::Frame1, QString(), 120, 720, 1335, 300},
        {"Label2", &C::Label2, &C::Frame1, cap::Label2, 1520, 780, 90, 180},
        {"MonthView1", &C::MonthView1, nullptr, QString(), 4080, 1080, 4065, 2220, true},
        {"b4", &C::b4, &C::Frame1, cap::b4, 3360, 240, 1215, 855},
        {"b5", &C::b5, &C::Frame1, cap::b5, 4680, 240, 1215, 855},
        {"b6", &C::b6, &C::Frame1, cap::b6, 6000, 240, 1215, 855},
        {"Frame2", &C::Frame2, nullptr, QString(), 11520, 80, 1815, 495},
        {"Frame3", &C::Frame3, nullptr, QString(), 11520, 660, 1815, 495},
        {"Label1", &C::Label1, &C::Frame2, cap::Label1, 360, 195, 1080, 180},
        {"Label3", &C::Label3, &C::Frame3, cap::Label3, 600, 195, 720, 180},
        {"Frame4", &C::Frame4, nullptr, QString(), 120, 6480, 13215, 495},
        {"Label4", &C::Label4, &C::Frame4, cap::Label4, 240, 200, 900, 180},
        {"Label5", &C::Label5, &C::Frame4, cap::Label5, 2560, 200, 900, 180},
        {"Label6", &C::Label6, &C::Frame4, cap::Label6, 4920, 200, 900, 180},
        {"Label7", &C::Label7, &C::Frame4, cap::Label7, 7560, 200, 900, 180},
        {"Label8", &C::Label8, &C::Frame4, cap::Label8, 10600, 195, 720, 180},
        {"d1", &C::d1, &C::Frame4, QStringLiteral("1"), 1140, 195, 90, 180},
        {"d2", &C::d2, &C::Frame4, QStringLiteral("2"), 3480, 195, 90, 180},
        {"d3", &C::d3, &C::Frame4, QStringLiteral("3"), 5805, 195, 90, 180},
        {"d4", &C::d4, &C::Frame4, QStringLiteral("4"), 8445, 195, 90, 180},
        {"d5", &C::d5, &C::Frame4, QStringLiteral("5"), 11300, 195, 90, 180},
        {"MSFlexGrid1", &C::MSFlexGrid1, nullptr, QString(), 120, 1440, 13215, 5100},
        {"ddid", &C::ddid, nullptr, QString(), 12720, 6600, 495, 375, true},
    };
    return table;
}

void buildMainLayout(QWidget& form, MainControls& c)
{
    form.setWindowTitle(cap::titlePrefix + QLatin1Char('[') + ui::appinfo::credit + QLatin1Char(']'));
    form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    form.setFont(ui::fonts::interfaceFont());
    form.setGeometry(
        ui::twips::rect(frame::clientLeft, frame::clientTop, frame::clientWidth, frame::clientHeight));
    ui::buildControls(form, mainLayoutTable(), c);

    c.c1->addItems(cap::fields);
    c.c1->setCurrentIndex(-1); // nothing selected until start-up picks the prompt
    for (QLineEdit* box : {c.startdate, c.enddate}) {
        box->setReadOnly(true); // only the calendar writes them
        paint(box, QPalette::Base, dateGrey);
    }
    for (ui::Label* link : {c.Label1, c.Label3}) {
        paint(link, QPalette::WindowText, linkRed);
        link->setCursor(Qt::PointingHandCursor);
    }
    c.MonthView1->setValue(QDate(2011, 3, 2));
    c.MonthView1->raise(); // in front of the filter frame and the grid when it shows
}

} // namespace mainwindow
