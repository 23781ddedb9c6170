#include "mainwindow/RestoreDialog.h"

#include "mainwindow/MainTexts.h"
#include "store/Backup.h"
#include "store/StoreError.h"
#include "store/TextForms.h"
#include "ui/MessageBox.h"
#include "ui/ShownHook.h"
#include "ui/UiTexts.h"
#include "ui/WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace mainwindow {

namespace {

ui::ShownHook<RestoreDialog>& shownHook()
{
    static ui::ShownHook<RestoreDialog> hook;
    return hook;
}

} // namespace

RestoreDialog::RestoreDialog(std::vector<store::BackupCopy> copies, QWidget* parent)
    : QDialog(parent)
    , backupList(new QListWidget(this))
    , restoreButton(new QPushButton(texts::restoreButton, this))
    , cancelButton(new QPushButton(texts::restoreCancelButton, this))
    , m_copies(std::move(copies))
{
    setObjectName(QStringLiteral("restoreDialog"));
    setWindowTitle(texts::restoreTitle);
    setModal(true);
    auto* caption = new QLabel(texts::restoreListCaption, this);
    caption->setBuddy(backupList);
    backupList->setObjectName(QStringLiteral("backupList"));
    backupList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const store::BackupCopy& copy : m_copies) {
        backupList->addItem(texts::backupLine(madeText(copy), copy.orders));
    }
    restoreButton->setObjectName(QStringLiteral("restoreButton"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    restoreButton->setDefault(true);
    restoreButton->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(backupList);
    layout->addLayout(buttons);
    connect(backupList, &QListWidget::itemSelectionChanged, this,
            [this] { restoreButton->setEnabled(chosen().has_value()); });
    connect(backupList, &QListWidget::itemActivated, this, [this] {
        if (chosen()) {
            accept();
        }
    });
    connect(restoreButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    backupList->setFocus();
}

std::optional<store::BackupCopy> RestoreDialog::chosen() const
{
    const QList<QListWidgetItem*> selected = backupList->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return m_copies.at(std::size_t(backupList->row(selected.front())));
}

QString madeText(const store::BackupCopy& copy)
{
    const QString day = store::textforms::dateText(copy.made.date());
    if (copy.made.time() == QTime(0, 0)) {
        return day;
    }
    return day + QLatin1Char(' ') + copy.made.time().toString(QStringLiteral("HH:mm"));
}

bool offerStartupRestore(QWidget* parent,
                         const QString& dataFile,
                         const store::StoreError& failure,
                         const store::BackupCopy& newest)
{
    const bool missing = failure.kind() == store::StoreError::Kind::FileMissing;
    const QString kept =
        missing ? QString()
                : store::momentFileName(QStringLiteral("data-damaged"), QDateTime::currentDateTime());
    const QString question = texts::offerRestore(QDir::toNativeSeparators(dataFile), failure.description(),
                                                 madeText(newest), newest.orders, kept);
    if (ui::MsgBox(question, ui::MB_YESNO_QUESTION, ui::texts::noticeTitle, parent) != ui::IDYES) {
        return false;
    }
    store::restoreBackup(dataFile, newest, kept);
    return true;
}

std::optional<RestoreChoice> chooseBackup(QWidget* parent, const QString& dataFile)
{
    std::vector<store::BackupCopy> copies = [&] {
        const ui::WaitCursor waiting; // every copy is opened and checked
        return store::goodBackups(dataFile);
    }();
    if (copies.empty()) {
        ui::MsgBox(texts::noBackups, ui::MB_OK_EXCLAMATION, ui::texts::noticeTitle, parent);
        return std::nullopt;
    }
    QPointer<RestoreDialog> dialog = new RestoreDialog(std::move(copies), parent);
    shownHook().armFor(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const std::optional<store::BackupCopy> chosen = dialog ? dialog->chosen() : std::nullopt;
    delete dialog;
    if (!accepted || !chosen) {
        return std::nullopt;
    }
    RestoreChoice choice{
        *chosen, store::momentFileName(QStringLiteral("data-before-restore"), QDateTime::currentDateTime())};
    // A data file that is not there is not kept.
    const bool keeps = QFileInfo::exists(dataFile) || QFileInfo(dataFile).isSymLink();
    if (ui::MsgBox(texts::confirmRestore(madeText(choice.copy), choice.copy.orders,
                                         keeps ? choice.keptName : QString()),
                   ui::MB_YESNO_QUESTION, ui::texts::noticeTitle, parent) != ui::IDYES) {
        return std::nullopt;
    }
    return choice;
}

namespace restore_seam {

void setShownHook(std::function<void(RestoreDialog&)> hook)
{
    shownHook().set(std::move(hook));
}

void reset()
{
    shownHook().reset();
}

} // namespace restore_seam

} // namespace mainwindow
