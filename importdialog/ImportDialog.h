#pragma once

#include "orderimport/OrderImport.h"

#include <QDialog>

class QTimer;
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTableWidget;

namespace store {
class OrderStore;
}

namespace importdialog {

class LeftOutModel;

// The import of one file: how it is read (encoding, separator, header row), which column holds which value
// of an order, the first rows as the program reads them, the rows left out and why, and how many orders an
// import stores. Every change of a setting checks the whole file again. Accepted by 导入 only when the
// settings are whole and at least one order would be stored.
//
// Controls by objectName: encodingBox, separatorBox, headerBox, dateFormBox, previewTable, leftOutList,
// summaryLabel, importButton, cancelButton, and per field (fieldKey) <key>Column and, but for the
// remark, <key>Value.
class ImportDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportDialog)
public:
    ImportDialog(const QString& path, const store::OrderStore& store, QWidget* parent = nullptr);
    ~ImportDialog() override;

    // Reads the first rows, guesses the settings and checks the file. Throws orderimport::ImportError, and
    // store::StoreError when the store cannot be asked for the waybill numbers it holds.
    void load();

    // The orders an import stores, in the order of the file: the rows without a likely duplicate and the
    // duplicates ticked back in.
    std::vector<store::Order> chosenOrders() const;

private:
    void buildControls();
    // The encoding or the separator changed: the first rows are read anew and the settings guessed again.
    void readAgain();
    void checkAgain();
    // The controls show the preview and the settings.
    void showPreview();
    void showSettings();
    void showSummary();
    void columnChosen(orderimport::OrderField field);
    void valueTyped(orderimport::OrderField field);
    void importPressed();

    QString m_path;
    const store::OrderStore& m_store;
    orderimport::Preview m_preview;
    orderimport::ImportSettings m_settings;
    orderimport::ImportCheck m_check;
    QString m_problem;      // what keeps the file from being imported; empty when nothing does
    bool m_filling = false; // the controls are being filled from the settings

    QLabel* m_encodingLabel = nullptr;
    QComboBox* m_encoding = nullptr;
    QLabel* m_separatorLabel = nullptr;
    QComboBox* m_separator = nullptr;
    QCheckBox* m_header = nullptr;
    QComboBox* m_dateForm = nullptr;
    QLabel* m_previewLabel = nullptr;
    QTableWidget* m_previewTable = nullptr;
    std::array<QComboBox*, orderimport::orderFieldCount> m_columns{};
    std::array<QLineEdit*, orderimport::orderFieldCount> m_values{}; // none for the remark
    LeftOutModel* m_leftOut = nullptr;
    QListView* m_leftOutList = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_importButton = nullptr;
    QTimer* m_typingPause = nullptr; // a value typed for every row is checked once the typing pauses
    static constexpr int typingPauseMs = 300;
};

// The word a field's controls are named by: goods, buyer, quantity, purchasePrice, sellingPrice,
// saleDate, waybill, remark.
QString fieldKey(orderimport::OrderField field);

} // namespace importdialog
