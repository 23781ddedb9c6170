#include "WorkbookReadback.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <algorithm>

namespace exporttest {

int ReadSheet::maxColumn() const
{
    int most = 0;
    for (auto it = cells.keyBegin(); it != cells.keyEnd(); ++it) {
        most = std::max(most, it->second);
    }
    return most;
}

int ReadSheet::maxRow() const
{
    return cells.isEmpty() ? 0 : cells.lastKey().first;
}

namespace {

// Runs one of the reader scripts on path and parses what it prints.
QJsonDocument runReader(const QString& script, const QString& path, QString* error)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {script, path});
    if (!python.waitForFinished(120000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        *error = QString::fromUtf8(python.readAllStandardError());
        if (error->isEmpty()) {
            *error = python.errorString();
        }
        return QJsonDocument();
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(python.readAllStandardOutput(), &parse);
    if (parse.error != QJsonParseError::NoError) {
        *error = parse.errorString();
    } else {
        error->clear();
    }
    return doc;
}

} // namespace

QList<QStringList> readCsv(const QString& path, QString* error)
{
    QList<QStringList> records;
    const QJsonDocument doc = runReader(QStringLiteral(TALLY_READ_CSV_SCRIPT), path, error);
    for (const QJsonValue& record : doc.array()) {
        QStringList fields;
        for (const QJsonValue& field : record.toArray()) {
            fields << field.toString();
        }
        records << fields;
    }
    return records;
}

ReadSheet readWorkbook(const QString& path, QString* error)
{
    ReadSheet sheet;
    const QJsonDocument doc = runReader(QStringLiteral(TALLY_READ_WORKBOOK_SCRIPT), path, error);
    if (!error->isEmpty()) {
        return sheet;
    }
    const QJsonObject root = doc.object();
    sheet.sheets = root.value(QStringLiteral("sheets")).toInt();
    for (const QJsonValue& v : root.value(QStringLiteral("cells")).toArray()) {
        const QJsonObject c = v.toObject();
        const QJsonValue value = c.value(QStringLiteral("value"));
        ReadCell cell;
        cell.value = value.isString() ? value.toString() : value.toVariant().toString();
        cell.number = value.toDouble();
        cell.type = c.value(QStringLiteral("type")).toString();
        cell.align = c.value(QStringLiteral("align")).toString();
        cell.format = c.value(QStringLiteral("format")).toString();
        cell.bold = c.value(QStringLiteral("bold")).toBool();
        sheet.cells.insert(
            {c.value(QStringLiteral("row")).toInt(), c.value(QStringLiteral("column")).toInt()}, cell);
    }
    sheet.frozen = root.value(QStringLiteral("frozen")).toString();
    sheet.filter = root.value(QStringLiteral("filter")).toString();
    const QJsonObject widths = root.value(QStringLiteral("widths")).toObject();
    for (auto it = widths.begin(); it != widths.end(); ++it) {
        sheet.widths.insert(it.key().toInt(), it.value().toDouble());
    }
    return sheet;
}

} // namespace exporttest
