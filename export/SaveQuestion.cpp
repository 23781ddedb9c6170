#include "export/SaveQuestion.h"

#include "export/ExportTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QStandardPaths>

namespace xl {

namespace {

struct Seam
{
    bool armed = false;
    QQueue<QString> answers;
    int asked = 0;
};

Seam& seam()
{
    static Seam s;
    return s;
}

QString defaultPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Not every home has a documents folder; the dialog would then open elsewhere and show a full path.
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(exporttexts::defaultFileName);
}

} // namespace

QString askSaveFileName(QWidget* parent)
{
    Seam& s = seam();
    if (s.armed) {
        ++s.asked;
        return s.answers.isEmpty() ? QString() : s.answers.dequeue();
    }
    // Qt's own dialog: it looks the same everywhere and asks before replacing an existing file.
    const QString path = defaultPath();
    QFileDialog dialog(parent, exporttexts::saveCaption, QFileInfo(path).absolutePath(),
                       exporttexts::saveFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(exporttexts::saveSuffix);
    dialog.selectFile(QFileInfo(path).fileName());
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

namespace savefile_seam {

void setNextFileName(const QString& path)
{
    seam().armed = true;
    seam().answers.enqueue(path);
}

void reset()
{
    seam() = Seam();
}

bool armed()
{
    return seam().armed;
}

int asked()
{
    return seam().asked;
}

} // namespace savefile_seam

} // namespace xl
