#include "ui/MainLayout.h"

#include "ui/AppInfo.h"
#include "ui/FieldList.h"
#include "ui/FlexGrid.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/MainCaptions.h"
#include "ui/MonthView.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace {

using K = ControlRow::Kind;
namespace cap = main_captions;

const QColor linkRed(255, 0, 0);
const QColor dateGrey(224, 224, 224);

QWidget* makeControl(const ControlRow& item, QWidget* container)
{
    switch (item.kind) {
    case K::Button:
        return new QPushButton(item.caption, container);
    case K::Frame: {
        auto* frame = new QGroupBox(container); // untitled: a plain etched box
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case K::ComboBox: {
        auto* box = new FieldList(container);
        box->addItems(cap::fields);
        box->setCurrentIndex(-1); // nothing selected until start-up picks the prompt
        return box;
    }
    case K::TextBox: {
        QLineEdit* box = newTextBox(container);
        box->setText(item.caption);
        return box;
    }
    case K::Label: {
        auto* label = new Label(container);
        label->move(twips::toPixels(item.left), twips::toPixels(item.top));
        label->setText(item.caption);
        return label;
    }
    case K::Calendar:
        return new MonthView(container);
    case K::Grid:
        return new FlexGrid(container);
    }
    return nullptr;
}

template <typename T> T* find(const QHash<QString, QWidget*>& built, const char* name)
{
    return qobject_cast<T*>(built.value(QString::fromLatin1(name)));
}

void paintBase(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    widget->setPalette(p);
}

void paintText(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

} // namespace

const std::vector<ControlRow>& mainLayoutTable()
{
    static const std::vector<ControlRow> table = {
        {"b1", K::Button, "", cap::b1, 120, 240, 1215, 855, 0},
        {"b2", K::Button, "", cap::b2, 1440, 240, 1215, 855, 1},
        {"b3", K::Button, "", cap::b3, 2760, 240, 1215, 855, 2},
        {"Frame1", K::Frame, "", QString(), 4080, 0, 7335, 1215, 3},
        {"c1", K::ComboBox, "Frame1", QString(), 120, 240, 1335, 300, 4},
        {"c2", K::TextBox, "Frame1", cap::keywordPrompt, 1680, 240, 1575, 270, 5},
        {"enddate", K::TextBox, "Frame1", QString(), 1680, 720, 1575, 300, 6},
        {"startdate", K::TextBox, "Frame1", QString(), 120, 720, 1335, 300, 7},
        {"Label2", K::Label, "Frame1", cap::Label2, 1520, 780, 90, 180, 8},
        {"MonthView1", K::Calendar, "", QString(), 4080, 1080, 4065, 2220, 9},
        {"b4", K::Button, "Frame1", cap::b4, 3360, 240, 1215, 855, 10},
        {"b5", K::Button, "Frame1", cap::b5, 4680, 240, 1215, 855, 11},
        {"b6", K::Button, "Frame1", cap::b6, 6000, 240, 1215, 855, 12},
        {"Frame2", K::Frame, "", QString(), 11520, 80, 1815, 495, 13},
        {"Frame3", K::Frame, "", QString(), 11520, 660, 1815, 495, 14},
        {"Label1", K::Label, "Frame2", cap::Label1, 360, 195, 1080, 180, 15},
        {"Label3", K::Label, "Frame3", cap::Label3, 600, 195, 720, 180, 16},
        {"Frame4", K::Frame, "", QString(), 120, 6480, 13215, 495, 17},
        {"Label4", K::Label, "Frame4", cap::Label4, 240, 200, 900, 180, 18},
        {"Label5", K::Label, "Frame4", cap::Label5, 2560, 200, 900, 180, 19},
        {"Label6", K::Label, "Frame4", cap::Label6, 4920, 200, 900, 180, 20},
        {"Label7", K::Label, "Frame4", cap::Label7, 7560, 200, 900, 180, 21},
        {"Label8", K::Label, "Frame4", cap::Label8, 10600, 195, 720, 180, 22},
        {"d1", K::Label, "Frame4", QStringLiteral("1"), 1140, 195, 90, 180, 23},
        {"d2", K::Label, "Frame4", QStringLiteral("2"), 3480, 195, 90, 180, 24},
        {"d3", K::Label, "Frame4", QStringLiteral("3"), 5805, 195, 90, 180, 25},
        {"d4", K::Label, "Frame4", QStringLiteral("4"), 8445, 195, 90, 180, 26},
        {"d5", K::Label, "Frame4", QStringLiteral("5"), 11300, 195, 90, 180, 27},
        {"MSFlexGrid1", K::Grid, "", QString(), 120, 1440, 13215, 5100, 28},
        {"ddid", K::TextBox, "", QString(), 12720, 6600, 495, 375, 29},
    };
    return table;
}

MainControls buildMainLayout(QWidget* form)
{
    namespace frame = mainwindow_frame;
    form->setWindowTitle(cap::titlePrefix + QLatin1Char('[') + appinfo::credit + QLatin1Char(']'));
    form->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    form->setFont(fonts::interfaceFont());
    form->setGeometry(
        twips::rect(frame::clientLeft, frame::clientTop, frame::clientWidth, frame::clientHeight));

    QHash<QString, QWidget*> built;
    QList<QWidget*> tabChain;
    for (const ControlRow& item : mainLayoutTable()) {
        const QString container = QString::fromLatin1(item.container);
        QWidget* parent = container.isEmpty() ? form : built.value(container);
        Q_ASSERT(parent);
        QWidget* widget = makeControl(item, parent);
        widget->setObjectName(QString::fromLatin1(item.name));
        if (item.kind != K::Label) { // labels size themselves from their left edge
            widget->setGeometry(twips::rect(item.left, item.top, item.width, item.height));
        }
        built.insert(widget->objectName(), widget);
        if (widget->focusPolicy() != Qt::NoFocus) {
            tabChain.append(widget);
        }
    }
    for (qsizetype i = 1; i < tabChain.size(); ++i) {
        QWidget::setTabOrder(tabChain.at(i - 1), tabChain.at(i));
    }

    MainControls c;
    c.MSFlexGrid1 = find<FlexGrid>(built, "MSFlexGrid1");
    c.MonthView1 = find<MonthView>(built, "MonthView1");
    c.b1 = find<QPushButton>(built, "b1");
    c.b2 = find<QPushButton>(built, "b2");
    c.b3 = find<QPushButton>(built, "b3");
    c.b4 = find<QPushButton>(built, "b4");
    c.b5 = find<QPushButton>(built, "b5");
    c.b6 = find<QPushButton>(built, "b6");
    c.c1 = find<QComboBox>(built, "c1");
    c.c2 = find<QLineEdit>(built, "c2");
    c.startdate = find<QLineEdit>(built, "startdate");
    c.enddate = find<QLineEdit>(built, "enddate");
    c.ddid = find<QLineEdit>(built, "ddid");
    c.Frame1 = find<QGroupBox>(built, "Frame1");
    c.Frame2 = find<QGroupBox>(built, "Frame2");
    c.Frame3 = find<QGroupBox>(built, "Frame3");
    c.Frame4 = find<QGroupBox>(built, "Frame4");
    c.Label1 = find<Label>(built, "Label1");
    c.Label2 = find<Label>(built, "Label2");
    c.Label3 = find<Label>(built, "Label3");
    c.Label4 = find<Label>(built, "Label4");
    c.Label5 = find<Label>(built, "Label5");
    c.Label6 = find<Label>(built, "Label6");
    c.Label7 = find<Label>(built, "Label7");
    c.Label8 = find<Label>(built, "Label8");
    c.d1 = find<Label>(built, "d1");
    c.d2 = find<Label>(built, "d2");
    c.d3 = find<Label>(built, "d3");
    c.d4 = find<Label>(built, "d4");
    c.d5 = find<Label>(built, "d5");

    for (QLineEdit* box : {c.startdate, c.enddate}) {
        box->setReadOnly(true); // only the calendar writes them
        paintBase(box, dateGrey);
    }
    for (Label* link : {c.Label1, c.Label3}) {
        paintText(link, linkRed);
        link->setCursor(Qt::PointingHandCursor);
    }
    c.ddid->setHidden(true);
    c.MonthView1->setHidden(true);
    c.MonthView1->setValue(QDate(2011, 3, 2));
    c.MonthView1->raise(); // in front of the filter frame and the grid when it shows
    return c;
}

} // namespace ui
