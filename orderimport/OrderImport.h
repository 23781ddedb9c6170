#pragma once

#include "orderimport/HeaderGuess.h"
#include "orderimport/SellerDate.h"
#include "orderimport/SheetSource.h"
#include "store/Order.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace store {
class OrderStore;
}

namespace orderimport {

// Where one value of every order comes from: a column of the file (counted from 0), or one value for every
// row (a purchase price the shop's export does not know).
struct FieldSource
{
    std::optional<int> column;
    QString constant;
};

// How a file becomes orders.
struct ImportSettings
{
    ReadOptions read;
    bool firstRowIsHeader = true;
    std::array<FieldSource, orderFieldCount> fields; // indexed by OrderField
    std::optional<DateForm> dateForm;                // none: not chosen yet
};

// The first rows of a file as the program reads them, and what it read them with.
struct Preview
{
    FileKind kind = FileKind::Text;
    std::optional<Encoding> encoding;
    std::optional<QChar> separator;
    std::vector<SheetRow> rows;
};
constexpr int previewRows = 20;
// Throws ImportError.
Preview readPreview(const QString& path, const ReadOptions& options);

// A first guess of the settings from the preview: a header row when it names two fields or more, the
// columns it names, and the date form the date column's values fit. When day and month cannot be told
// apart no form is guessed: the seller picks it.
ImportSettings guessSettings(const Preview& preview, const ReadOptions& options);

// One row of the file that makes an order.
struct ImportRow
{
    enum class Duplicate {
        None,
        Stored,       // an order with its waybill number is stored already
        EarlierInFile // a row above it has its waybill number
    };
    int fileRow = 0;
    store::Order order;
    Duplicate duplicate = Duplicate::None;
    int earlierRow = 0; // EarlierInFile: the row above
};

// One row of the file that makes no order, and why, in Chinese.
struct RejectedRow
{
    int fileRow = 0;
    QString reason;
};

struct ImportCheck
{
    std::vector<ImportRow> rows;
    std::vector<RejectedRow> rejected;
};

// Reads the whole file by the settings, one row at a time, and checks every row as the entry window checks
// an order: every value but the remark is there, the numbers are numbers, the date is a day of the
// calendar. Rows whose waybill number is stored or stands on a row above are marked; they still make
// orders. Throws ImportError for a file that cannot be read, StoreError when the store cannot be asked.
ImportCheck checkFile(const QString& path, const ImportSettings& settings, const store::OrderStore& store);

// The settings' mistakes that leave no row to check: a required value with neither a column nor a value,
// a number given for every row that is no number, no date form chosen. Empty when there are none.
QString settingsProblem(const ImportSettings& settings);

} // namespace orderimport
