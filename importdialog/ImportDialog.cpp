#include "importdialog/ImportDialog.h"

#include "importdialog/FailureWords.h"
#include "importdialog/ImportTexts.h"
#include "importdialog/LeftOutModel.h"
#include "orderimport/ImportError.h"
#include "ui/Fonts.h"
#include "ui/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace importdialog {

using orderimport::DateForm;
using orderimport::Encoding;
using orderimport::OrderField;

namespace {

constexpr Encoding encodingAt[] = {Encoding::Utf8, Encoding::Gb18030, Encoding::Utf16LE, Encoding::Utf16BE};
constexpr char16_t separatorAt[] = {u',', u'\t', u';'};
constexpr DateForm dateFormAt[] = {DateForm::YearMonthDay, DateForm::DayMonthYear, DateForm::MonthDayYear};
// The fields as the dialog lays them out: the texts on the left, the numbers and the date on the right.
constexpr OrderField leftFields[] = {OrderField::Goods, OrderField::Buyer, OrderField::Waybill,
                                     OrderField::Remark};
constexpr OrderField rightFields[] = {OrderField::Quantity, OrderField::PurchasePrice,
                                      OrderField::SellingPrice, OrderField::SaleDate};
// A long header or sample would widen the dialog past a small screen: a combo shows this many characters.
constexpr int shownCharacters = 14;
constexpr int firstTextShown = 24;

template <class T, std::size_t N> int indexOf(const T (&values)[N], T value)
{
    const auto at = std::find(std::begin(values), std::end(values), value);
    return at == std::end(values) ? -1 : int(at - std::begin(values));
}

// A spreadsheet's name of a column counted from 0: A ... Z, AA, AB ...
QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    }
    return letters;
}

QComboBox* comboOf(const QStringList& items, const QString& name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setObjectName(name);
    return combo;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QString fieldKey(OrderField field)
{
    static const QString keys[orderimport::orderFieldCount] = {
        QStringLiteral("goods"),         QStringLiteral("buyer"),        QStringLiteral("quantity"),
        QStringLiteral("purchasePrice"), QStringLiteral("sellingPrice"), QStringLiteral("saleDate"),
        QStringLiteral("waybill"),       QStringLiteral("remark")};
    return keys[std::size_t(field)];
}

ImportDialog::ImportDialog(const QString& path, const store::OrderStore& store, QWidget* parent)
    : QDialog(parent)
    , m_path(path)
    , m_store(store)
{
    setWindowTitle(texts::caption);
    setFont(ui::fonts::interfaceFont());
    setSizeGripEnabled(true);
    buildControls();
    // As tall as the screen allows up to a size that shows the preview well; on a 1024 x 768 screen at
    // 125 % (819 x 614 points) the window, frame and task bar included, still fits.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(780, screen.width() - 40), std::min(640, screen.height() - 60));
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::buildControls()
{
    auto* file = new QLabel(texts::fileLabel + orderimport::shownName(m_path), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_encoding = comboOf(texts::encodings, QStringLiteral("encodingBox"), this);
    m_encodingLabel = labelFor(texts::encodingLabel, m_encoding, this);
    m_separator = comboOf(texts::separators, QStringLiteral("separatorBox"), this);
    m_separatorLabel = labelFor(texts::separatorLabel, m_separator, this);
    m_header = new QCheckBox(texts::firstRowIsHeader, this);
    m_header->setObjectName(QStringLiteral("headerBox"));
    auto* reading = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_encodingLabel, m_encoding, m_separatorLabel, m_separator}) {
        reading->addWidget(w);
    }
    reading->addSpacing(12);
    reading->addWidget(m_header);
    reading->addStretch();

    m_previewTable = new QTableWidget(this);
    m_previewTable->setObjectName(QStringLiteral("previewTable"));
    m_previewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_previewTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_previewTable->setWordWrap(false);
    m_previewTable->verticalHeader()->setDefaultSectionSize(m_previewTable->fontMetrics().height() + 6);
    m_previewTable->setMinimumHeight(80);
    m_previewLabel = labelFor(texts::previewLabel.arg(orderimport::previewRows), m_previewTable, this);

    auto* fieldsBox = new QGroupBox(texts::fieldsTitle, this);
    auto* fields = new QGridLayout(fieldsBox);
    fields->setVerticalSpacing(4);
    const auto addField = [&](OrderField field, int row, int column) {
        const std::size_t f = std::size_t(field);
        QComboBox* combo = m_columns[f] = new QComboBox(fieldsBox);
        combo->setObjectName(fieldKey(field) + QStringLiteral("Column"));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(shownCharacters);
        fields->addWidget(labelFor(texts::fieldLabels[qsizetype(f)], combo, fieldsBox), row, column);
        fields->addWidget(combo, row, column + 1);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field] { columnChosen(field); });
        if (field != OrderField::Remark) {
            QLineEdit* value = m_values[f] = new QLineEdit(fieldsBox);
            value->setObjectName(fieldKey(field) + QStringLiteral("Value"));
            value->setPlaceholderText(texts::sameForEveryRow);
            fields->addWidget(value, row, column + 2);
            connect(value, &QLineEdit::textChanged, this, [this, field] { valueTyped(field); });
        }
    };
    for (int i = 0; i < 4; ++i) {
        addField(leftFields[i], i, 0);
    }
    fields->setColumnMinimumWidth(3, 12);
    for (int i = 0; i < 4; ++i) {
        addField(rightFields[i], i, 4);
    }
    m_dateForm = comboOf(texts::dateForms, QStringLiteral("dateFormBox"), fieldsBox);
    fields->addWidget(labelFor(texts::dateFormLabel, m_dateForm, fieldsBox), 4, 4);
    fields->addWidget(m_dateForm, 4, 5);
    fields->setColumnStretch(1, 2);
    fields->setColumnStretch(2, 1);
    fields->setColumnStretch(5, 2);
    fields->setColumnStretch(6, 1);

    m_leftOut = new LeftOutModel(this);
    m_leftOutList = new QListView(this);
    m_leftOutList->setObjectName(QStringLiteral("leftOutList"));
    m_leftOutList->setModel(m_leftOut);
    m_leftOutList->setUniformItemSizes(true); // a long list of left-out rows scrolls at once
    m_leftOutList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_leftOutList->setMinimumHeight(60);
    auto* leftOutLabel = labelFor(texts::leftOutLabel, m_leftOutList, this);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    m_importButton = buttons->addButton(texts::importButton, QDialogButtonBox::AcceptRole);
    m_importButton->setObjectName(QStringLiteral("importButton"));
    m_importButton->setDefault(true);
    QPushButton* cancel = buttons->addButton(texts::cancelButton, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    // The dialog is accepted only when there is something to import.
    connect(m_importButton, &QPushButton::clicked, this, &ImportDialog::importPressed);
    m_typingPause = new QTimer(this);
    m_typingPause->setSingleShot(true);
    m_typingPause->setInterval(typingPauseMs);
    connect(m_typingPause, &QTimer::timeout, this, &ImportDialog::checkAgain);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addLayout(reading);
    layout->addWidget(m_previewLabel);
    layout->addWidget(m_previewTable, 3);
    layout->addWidget(fieldsBox);
    layout->addWidget(leftOutLabel);
    layout->addWidget(m_leftOutList, 1);
    layout->addLayout(bottom);

    connect(m_encoding, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling) {
            m_settings.read.encoding = encodingAt[index];
            readAgain();
        }
    });
    connect(m_separator, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling) {
            m_settings.read.separator = QChar(separatorAt[index]);
            readAgain();
        }
    });
    connect(m_header, &QCheckBox::toggled, this, [this](bool header) {
        if (!m_filling) {
            m_settings.firstRowIsHeader = header;
            checkAgain();
        }
    });
    connect(m_dateForm, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling) {
            m_settings.dateForm =
                index < 0 ? std::nullopt : std::optional<DateForm>(dateFormAt[std::size_t(index)]);
            checkAgain();
        }
    });
    connect(m_leftOut, &LeftOutModel::chosenChanged, this, &ImportDialog::showSummary);
}

void ImportDialog::load()
{
    m_preview = orderimport::readPreview(m_path, {});
    // The encoding and separator read with are the settings from now on: a re-read keeps one when the
    // other changes.
    const orderimport::ReadOptions read{m_preview.encoding, m_preview.separator};
    m_settings = orderimport::guessSettings(m_preview, read);
    showPreview();
    showSettings();
    m_problem = orderimport::settingsProblem(m_settings);
    if (m_problem.isEmpty()) {
        // A file that breaks off after its first rows is refused as one that cannot be read at all.
        const ui::WaitCursor waiting;
        m_check = orderimport::checkFile(m_path, m_settings, m_store);
    }
    m_leftOut->show(&m_check);
}

void ImportDialog::readAgain()
{
    const orderimport::ReadOptions read = m_settings.read;
    const QString failure = failureWords([&] { m_preview = orderimport::readPreview(m_path, read); });
    if (!failure.isEmpty()) {
        m_preview.rows.clear();
        m_leftOut->show(nullptr);
        m_check = {};
        showPreview();
        m_problem = failure;
        showSummary();
        return;
    }
    m_leftOut->untickAll();
    m_settings = orderimport::guessSettings(m_preview, read);
    showPreview();
    showSettings();
    checkAgain();
}

void ImportDialog::checkAgain()
{
    m_leftOut->show(nullptr); // lets go of the rows of the last check
    m_check = {};
    m_problem = orderimport::settingsProblem(m_settings);
    if (m_problem.isEmpty()) {
        const ui::WaitCursor waiting;
        m_problem = failureWords([&] { m_check = orderimport::checkFile(m_path, m_settings, m_store); });
        if (!m_problem.isEmpty()) {
            m_check = {};
        }
    }
    m_leftOut->show(&m_check); // shows the summary
}

void ImportDialog::showPreview()
{
    int columns = 0;
    for (const orderimport::SheetRow& row : m_preview.rows) {
        columns = std::max(columns, int(row.cells.size()));
    }
    m_previewTable->clear();
    m_previewTable->setRowCount(int(m_preview.rows.size()));
    m_previewTable->setColumnCount(columns);
    QStringList letters;
    for (int c = 0; c < columns; ++c) {
        letters.append(columnLetters(c));
    }
    m_previewTable->setHorizontalHeaderLabels(letters);
    QStringList numbers;
    for (int r = 0; r < int(m_preview.rows.size()); ++r) {
        const orderimport::SheetRow& row = m_preview.rows[std::size_t(r)];
        numbers.append(QString::number(row.number));
        for (int c = 0; c < int(row.cells.size()); ++c) {
            m_previewTable->setItem(r, c,
                                    new QTableWidgetItem(orderimport::cellText(row.cells[std::size_t(c)])));
        }
    }
    m_previewTable->setVerticalHeaderLabels(numbers);
    m_previewTable->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c) {
        m_previewTable->setColumnWidth(c, std::min(m_previewTable->columnWidth(c), 220));
    }

    // Each field's choices: no column, then every column by its letter and first text.
    const std::vector<orderimport::CellValue> noCells;
    const auto& first = m_preview.rows.empty() ? noCells : m_preview.rows.front().cells;
    m_filling = true;
    for (std::size_t f = 0; f < orderimport::orderFieldCount; ++f) {
        QComboBox* combo = m_columns[f];
        combo->clear();
        combo->addItem(OrderField(f) == OrderField::Remark ? texts::notImported : texts::noColumn);
        for (int c = 0; c < columns; ++c) {
            QString text =
                std::size_t(c) < first.size() ? orderimport::cellText(first[std::size_t(c)]) : QString();
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
            if (text.size() > firstTextShown) {
                text = text.left(firstTextShown) + QStringLiteral("…");
            }
            combo->addItem(texts::column(letters[c], text));
        }
    }
    m_filling = false;
}

void ImportDialog::showSettings()
{
    m_filling = true;
    const bool text = m_preview.kind == orderimport::FileKind::Text;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_encodingLabel, m_encoding, m_separatorLabel, m_separator}) {
        w->setVisible(text);
    }
    if (m_settings.read.encoding) {
        m_encoding->setCurrentIndex(indexOf(encodingAt, *m_settings.read.encoding));
    }
    if (m_settings.read.separator) {
        m_separator->setCurrentIndex(indexOf(separatorAt, char16_t(m_settings.read.separator->unicode())));
    }
    m_header->setChecked(m_settings.firstRowIsHeader);
    m_dateForm->setCurrentIndex(m_settings.dateForm ? indexOf(dateFormAt, *m_settings.dateForm) : -1);
    for (std::size_t f = 0; f < orderimport::orderFieldCount; ++f) {
        const orderimport::FieldSource& source = m_settings.fields[f];
        m_columns[f]->setCurrentIndex(source.column ? *source.column + 1 : 0);
        if (m_values[f] != nullptr) {
            m_values[f]->setText(source.constant);
            m_values[f]->setEnabled(!source.column);
        }
    }
    m_filling = false;
}

void ImportDialog::showSummary()
{
    const bool blocked = !m_problem.isEmpty();
    m_summary->setText(blocked ? m_problem
                               : texts::summary(m_leftOut->chosenCount(), m_leftOut->leftOutCount()));
    m_summary->setStyleSheet(blocked ? QStringLiteral("color: #b00000;") : QString());
    m_importButton->setEnabled(!blocked && m_leftOut->chosenCount() > 0);
}

void ImportDialog::columnChosen(OrderField field)
{
    if (m_filling) {
        return;
    }
    const std::size_t f = std::size_t(field);
    const int index = m_columns[f]->currentIndex();
    m_settings.fields[f].column = index > 0 ? std::optional<int>(index - 1) : std::nullopt;
    if (m_values[f] != nullptr) {
        m_values[f]->setEnabled(index <= 0);
    }
    checkAgain();
}

void ImportDialog::valueTyped(OrderField field)
{
    if (!m_filling) {
        m_settings.fields[std::size_t(field)].constant = m_values[std::size_t(field)]->text();
        // Each key would read the whole file again: the check waits for a pause in the typing.
        m_typingPause->start();
    }
}

void ImportDialog::importPressed()
{
    if (m_typingPause->isActive()) {
        m_typingPause->stop();
        checkAgain();
    }
    if (m_problem.isEmpty() && m_leftOut->chosenCount() > 0) {
        accept();
    }
}

std::vector<store::Order> ImportDialog::chosenOrders() const
{
    std::vector<store::Order> orders;
    for (const orderimport::ImportRow& row : m_check.rows) {
        if (m_leftOut->isChosen(row)) {
            orders.push_back(row.order);
        }
    }
    return orders;
}

} // namespace importdialog
