#include "orderimport/OrderImport.h"

#include "orderimport/ImportTexts.h"
#include "orderimport/SellerNumber.h"
#include "store/CsvGuard.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"

#include <QHash>
#include <cmath>

namespace orderimport {

namespace {

// The fields every order needs, in the order the entry window checks them.
constexpr OrderField checkedFields[] = {
    OrderField::Goods, OrderField::Quantity, OrderField::PurchasePrice, OrderField::SellingPrice,
    OrderField::Buyer, OrderField::Waybill,  OrderField::SaleDate};

bool isNumberField(OrderField field)
{
    return field == OrderField::Quantity || field == OrderField::PurchasePrice ||
           field == OrderField::SellingPrice;
}

// The values of one row by the settings.
class RowReader final
{
public:
    RowReader(const ImportSettings& settings, bool textFile)
        : m_settings(settings)
        , m_textFile(textFile)
    {}

    CellValue cell(const SheetRow& row, OrderField field) const
    {
        const FieldSource& source = m_settings.fields[std::size_t(field)];
        if (source.column) {
            return std::size_t(*source.column) < row.cells.size() ? row.cells[std::size_t(*source.column)]
                                                                  : CellValue();
        }
        return source.constant.isEmpty() ? CellValue() : CellValue(source.constant);
    }
    // A text as the file holds it; the guard this program's CSV export puts before a formula-like text
    // is taken off again.
    QString text(const CellValue& cell) const
    {
        if (const auto* t = std::get_if<QString>(&cell)) {
            // Only a text with an apostrophe in front can carry the guard: the others are shared, not copied.
            return m_textFile && t->startsWith(u'\'') ? store::withoutCsvGuard(*t) : *t;
        }
        return cellText(cell);
    }
    std::optional<double> number(const CellValue& cell) const
    {
        if (const auto* n = std::get_if<double>(&cell)) {
            // A spreadsheet's number (13.530000000000001 from a formula) is stored as the number it shows,
            // as typing that number into the entry window stores it.
            return std::isfinite(*n) ? store::textforms::readNumber(store::textforms::numberText(*n))
                                     : std::nullopt;
        }
        if (const auto* t = std::get_if<QString>(&cell)) {
            return readSellerNumber(*t);
        }
        return std::nullopt;
    }
    std::optional<QDate> date(const CellValue& cell) const
    {
        if (const auto* d = std::get_if<QDate>(&cell)) {
            return store::textforms::inCalendarRange(*d) ? std::optional<QDate>(*d) : std::nullopt;
        }
        if (const auto* t = std::get_if<QString>(&cell); t && m_settings.dateForm) {
            return readSellerDate(*t, *m_settings.dateForm);
        }
        return std::nullopt;
    }

    // The order of the row, or why it makes none.
    std::variant<store::Order, QString> order(const SheetRow& row) const
    {
        store::Order o;
        for (const OrderField field : checkedFields) {
            const CellValue value = cell(row, field);
            if (isEmptyCell(value)) {
                return texts::missing(fieldName(field));
            }
            if (isNumberField(field)) {
                const std::optional<double> n = number(value);
                if (!n) {
                    return texts::notNumber(fieldName(field), text(value));
                }
                (field == OrderField::Quantity        ? o.quantity
                 : field == OrderField::PurchasePrice ? o.purchasePrice
                                                      : o.sellingPrice) = store::Number(*n);
            } else if (field == OrderField::SaleDate) {
                const std::optional<QDate> day = date(value);
                if (!day) {
                    return texts::notDate(text(value));
                }
                o.saleDate = *day;
            } else {
                (field == OrderField::Goods   ? o.goods
                 : field == OrderField::Buyer ? o.buyer
                                              : o.waybill) = text(value);
            }
        }
        // As the entry window stores an empty remark box: an empty text, never an absent remark.
        o.remark = text(cell(row, OrderField::Remark));
        return o;
    }

private:
    const ImportSettings& m_settings;
    bool m_textFile;
};

} // namespace

Preview readPreview(const QString& path, const ReadOptions& options)
{
    const std::unique_ptr<SheetSource> source = openSheet(path, options);
    Preview preview;
    preview.kind = source->kind();
    preview.encoding = source->encoding();
    preview.separator = source->separator();
    while (int(preview.rows.size()) < previewRows) {
        std::optional<SheetRow> row = source->next();
        if (!row) {
            break;
        }
        preview.rows.push_back(std::move(*row));
    }
    return preview;
}

ImportSettings guessSettings(const Preview& preview, const ReadOptions& options)
{
    ImportSettings settings;
    settings.read = options;
    std::vector<QString> headers;
    if (!preview.rows.empty()) {
        for (const CellValue& cell : preview.rows.front().cells) {
            headers.push_back(cellText(cell));
        }
    }
    const ColumnMap columns = guessColumns(headers);
    const auto named =
        std::count_if(columns.begin(), columns.end(), [](const auto& c) { return c.has_value(); });
    settings.firstRowIsHeader = named >= 2;
    if (settings.firstRowIsHeader) {
        for (std::size_t f = 0; f < orderFieldCount; ++f) {
            settings.fields[f].column = columns[f];
        }
    }
    // The date form the date column's texts fit; a column of date cells needs none, but takes the usual one.
    settings.dateForm = DateForm::YearMonthDay;
    if (const std::optional<int> dateColumn = settings.fields[std::size_t(OrderField::SaleDate)].column) {
        std::vector<QString> samples;
        for (std::size_t r = settings.firstRowIsHeader ? 1 : 0; r < preview.rows.size(); ++r) {
            const SheetRow& row = preview.rows[r];
            if (std::size_t(*dateColumn) < row.cells.size()) {
                if (const auto* t = std::get_if<QString>(&row.cells[std::size_t(*dateColumn)])) {
                    samples.push_back(*t);
                }
            }
        }
        const DateFormGuess guess = guessDateForms(samples);
        if (guess.dayMonthAmbiguous()) {
            settings.dateForm.reset();
        } else if (!guess.forms.empty()) {
            settings.dateForm = guess.forms.front();
        }
    }
    return settings;
}

QString settingsProblem(const ImportSettings& settings)
{
    for (const OrderField field : checkedFields) {
        const FieldSource& source = settings.fields[std::size_t(field)];
        if (!source.column && source.constant.isEmpty()) {
            return texts::needColumn(fieldName(field));
        }
        if (!source.column && isNumberField(field) && !readSellerNumber(source.constant)) {
            return texts::notNumber(fieldName(field), source.constant);
        }
    }
    if (!settings.dateForm) {
        return texts::needDateForm;
    }
    const FieldSource& date = settings.fields[std::size_t(OrderField::SaleDate)];
    if (!date.column && !readSellerDate(date.constant, *settings.dateForm)) {
        return texts::notDate(date.constant);
    }
    return QString();
}

ImportCheck checkFile(const QString& path, const ImportSettings& settings, const store::OrderStore& store)
{
    ImportCheck check;
    const std::unique_ptr<SheetSource> source = openSheet(path, settings.read);
    const RowReader reader(settings, source->kind() == FileKind::Text);
    bool header = settings.firstRowIsHeader;
    QHash<QString, int> firstRowOf; // waybill -> the first row that has it
    firstRowOf.reserve(4096);
    while (std::optional<SheetRow> row = source->next()) {
        if (std::exchange(header, false)) {
            continue;
        }
        std::variant<store::Order, QString> made = reader.order(*row);
        if (auto* reason = std::get_if<QString>(&made)) {
            check.rejected.push_back({row->number, std::move(*reason)});
            continue;
        }
        ImportRow& imported = check.rows.emplace_back();
        imported.fileRow = row->number;
        imported.order = std::move(std::get<store::Order>(made));
        if (const auto at = firstRowOf.constFind(imported.order.waybill); at != firstRowOf.cend()) {
            imported.duplicate = ImportRow::Duplicate::EarlierInFile;
            imported.earlierRow = *at;
        } else {
            firstRowOf.insert(imported.order.waybill, row->number);
        }
    }
    // One question to the store for every waybill of the file.
    const QSet<QString> stored =
        store.storedWaybills(QStringList(firstRowOf.keyBegin(), firstRowOf.keyEnd()));
    for (ImportRow& row : check.rows) {
        if (stored.contains(row.order.waybill)) {
            row.duplicate = ImportRow::Duplicate::Stored;
        }
    }
    return check;
}

} // namespace orderimport
