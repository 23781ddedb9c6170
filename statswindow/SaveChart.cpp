#include "statswindow/SaveChart.h"

#include "statswindow/StatsTexts.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QQueue>
#include <QStandardPaths>
#include <QWidget>

namespace statswindow {

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(texts::defaultChartName);
}

QString askPath(QWidget* parent)
{
    Seam& s = seam();
    if (s.armed) {
        ++s.asked;
        return s.answers.isEmpty() ? QString() : s.answers.dequeue();
    }
    QFileDialog dialog(parent, texts::saveChartTitle, defaultPath(), texts::pngFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(texts::pngSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString saveChart(QWidget& widget)
{
    QString path = askPath(widget.window());
    if (path.isEmpty()) {
        return QString();
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + texts::pngSuffix;
    }
    if (!widget.grab().save(path, "PNG")) {
        ui::MsgBox(texts::chartNotSaved(QDir::toNativeSeparators(path)), ui::MB_OK_EXCLAMATION,
                   ui::texts::noticeTitle, widget.window());
        return QString();
    }
    return path;
}

namespace chartfile_seam {

void setNextFileName(const QString& path)
{
    seam().armed = true;
    seam().answers.enqueue(path);
}

void reset()
{
    seam() = Seam();
}

int asked()
{
    return seam().asked;
}

} // namespace chartfile_seam

} // namespace statswindow
