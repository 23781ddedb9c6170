#include "export/SaveQuestion.h"

#include "export/ExportTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPair>
#include <QQueue>
#include <QStandardPaths>

namespace xl {

namespace {

struct Seam
{
    bool armed = false;
    QQueue<QPair<QString, QString>> answers; // path, name filter
    int asked = 0;
    QString startFolder;
};

Seam& seam()
{
    static Seam s;
    return s;
}

QString defaultPath(const QString& startFolder)
{
    if (!startFolder.isEmpty() && QDir(startFolder).exists()) {
        return QDir(startFolder).filePath(texts::defaultFileName);
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Not every home has a documents folder; the dialog would then open elsewhere and show a full path.
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(texts::defaultFileName);
}

FileType typeOf(const QString& nameFilter)
{
    return nameFilter == texts::csvFilter ? FileType::Csv : FileType::Workbook;
}

QString suffixOf(FileType type)
{
    return type == FileType::Csv ? texts::csvSuffix : texts::saveSuffix;
}

// A new type picked in the dialog: the suffix of the name in the box follows, as users expect.
void followType(QFileDialog& dialog, const QString& nameFilter)
{
    const FileType type = typeOf(nameFilter);
    dialog.setDefaultSuffix(suffixOf(type));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) {
        return;
    }
    const QString other =
        QLatin1Char('.') + suffixOf(type == FileType::Csv ? FileType::Workbook : FileType::Csv);
    QString text = name->text();
    if (text.endsWith(other, Qt::CaseInsensitive)) {
        text.chop(other.size());
        name->setText(text + QLatin1Char('.') + suffixOf(type));
    }
}

// The answer the dialog gives for a chosen path and type (a name filter as the dialog shows it): a name
// without a suffix gets the type's suffix.
SaveAnswer answerFor(const QString& path, const QString& nameFilter)
{
    SaveAnswer answer;
    answer.type = typeOf(nameFilter);
    answer.path = path;
    const QFileInfo chosen(path);
    if (!path.isEmpty() && chosen.suffix().isEmpty() && !chosen.isDir() && !path.endsWith(QLatin1Char('.'))) {
        answer.path += QLatin1Char('.') + suffixOf(answer.type);
    }
    return answer;
}

} // namespace

SaveAnswer askSaveFile(QWidget* parent, const QString& startFolder)
{
    Seam& s = seam();
    if (s.armed) {
        ++s.asked;
        s.startFolder = QFileInfo(defaultPath(startFolder)).absolutePath();
        if (s.answers.isEmpty()) {
            return SaveAnswer();
        }
        const auto [path, filter] = s.answers.dequeue();
        return answerFor(path, filter);
    }
    // Qt's own dialog: it looks the same everywhere and asks before replacing an existing file.
    const QString path = defaultPath(startFolder);
    QFileDialog dialog(parent, texts::saveCaption, QFileInfo(path).absolutePath());
    dialog.setNameFilters({texts::saveFilter, texts::csvFilter});
    dialog.selectNameFilter(texts::saveFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(texts::saveSuffix);
    dialog.selectFile(QFileInfo(path).fileName());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { followType(dialog, filter); });
    if (dialog.exec() != QDialog::Accepted) {
        return SaveAnswer();
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? SaveAnswer() : answerFor(chosen.constFirst(), dialog.selectedNameFilter());
}

namespace savefile_seam {

void setNextFileName(const QString& path)
{
    setNextAnswer(path, texts::saveFilter);
}

void setNextAnswer(const QString& path, const QString& nameFilter)
{
    seam().armed = true;
    seam().answers.enqueue({path, nameFilter});
}

void reset()
{
    seam() = Seam();
}

int asked()
{
    return seam().asked;
}

QString startFolder()
{
    return seam().startFolder;
}

} // namespace savefile_seam

} // namespace xl
