#include "orderimport/XlsxSheet.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"

namespace orderimport {

using namespace Qt::StringLiterals;

namespace {

constexpr int maxColumns = 16384;
constexpr int maxRows = 1048576;

} // namespace

int columnOfReference(QStringView reference)
{
    int column = 0;
    qsizetype letters = 0;
    while (letters < reference.size() && letters < 4) {
        const char16_t c = QChar::toUpper(reference[letters].unicode());
        if (c < u'A' || c > u'Z') {
            break;
        }
        column = column * 26 + (c - u'A' + 1);
        ++letters;
    }
    if (letters == 0 || column > maxColumns) {
        return -1;
    }
    return column - 1;
}

XlsxSheetSource::XlsxSheetSource(const QString& path)
    : m_zip(path)
    , m_parts(findWorkbookParts(m_zip))
{
    if (!m_parts.sharedStrings.isEmpty()) {
        m_strings = readSharedStrings(m_zip, m_parts.sharedStrings);
    }
    if (!m_parts.styles.isEmpty()) {
        m_formats = readCellFormats(m_zip, m_parts.styles);
    }
    m_sheet = m_zip.open(m_parts.sheet);
    if (!m_sheet) {
        throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(path)));
    }
    m_xml.setDevice(m_sheet.get());
}

void XlsxSheetSource::throwDamaged() const
{
    throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(m_zip.path())));
}

std::optional<SheetRow> XlsxSheetSource::next()
{
    while (!m_finished) {
        m_xml.readNext();
        if (m_xml.hasError()) {
            throwDamaged();
        }
        if (m_xml.isStartElement() && m_xml.name() == u"row") {
            SheetRow row;
            readRow(row);
            if (trimRow(row.cells)) {
                return row;
            }
        } else if (m_xml.atEnd()) {
            // Read the entry to its end, where its checksum is checked.
            char rest[4096];
            while (m_sheet->read(rest, sizeof rest) > 0) {
            }
            if (m_sheet->read(rest, 1) < 0) {
                throwDamaged();
            }
            m_finished = true;
        }
    }
    return std::nullopt;
}

void XlsxSheetSource::readRow(SheetRow& row)
{
    const QStringView number = m_xml.attributes().value(QLatin1String("r"));
    row.number = number.isEmpty() ? m_lastRow + 1 : number.toInt();
    // Rows go down the sheet: one that goes back would let a small file give rows without end.
    if (row.number <= m_lastRow || row.number > maxRows) {
        throwDamaged();
    }
    m_lastRow = row.number;
    int lastColumn = -1;
    while (!m_xml.atEnd()) {
        m_xml.readNext();
        if (m_xml.isEndElement() && m_xml.name() == u"row") {
            return;
        }
        if (!m_xml.isStartElement() || m_xml.name() != u"c") {
            continue;
        }
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const QStringView reference = attributes.value(QLatin1String("r"));
        const int column = reference.isEmpty() ? lastColumn + 1 : columnOfReference(reference);
        if (column < 0 || column >= maxColumns) {
            throwDamaged();
        }
        lastColumn = column;
        const QString type = attributes.value(QLatin1String("t")).toString();
        const QStringView style = attributes.value(QLatin1String("s"));
        QString value;
        QString inlineText;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && m_xml.name() == u"c") {
                break;
            }
            if (!m_xml.isStartElement()) {
                continue;
            }
            if (m_xml.name() == u"v") {
                value = m_xml.readElementText();
            } else if (m_xml.name() == u"is") {
                inlineText = readStringItem(m_xml);
            } else {
                m_xml.skipCurrentElement(); // a formula: its cached value is in <v>
            }
        }
        if (row.cells.size() <= std::size_t(column)) {
            row.cells.resize(column + 1);
        }
        row.cells[column] = cellValue(type, style.isEmpty() ? -1 : style.toInt(), value, inlineText);
    }
    if (m_xml.hasError()) {
        throwDamaged();
    }
}

CellValue
XlsxSheetSource::cellValue(QStringView type, int style, const QString& value, const QString& inlineText) const
{
    if (type == u"inlineStr") {
        return inlineText.isEmpty() ? CellValue() : CellValue(inlineText);
    }
    if (value.isEmpty()) {
        return CellValue();
    }
    if (type == u"s") {
        bool ok = false;
        const qulonglong index = value.toULongLong(&ok);
        if (!ok || index >= m_strings.size()) {
            throwDamaged();
        }
        return m_strings[index].isEmpty() ? CellValue() : CellValue(m_strings[index]);
    }
    if (type == u"e") {
        return CellValue(); // an error such as #N/A is no value: the row says what it lacks
    }
    if (type == u"str") {
        return unescapeOoxml(value); // a formula's text
    }
    if (type == u"b") {
        return value == u"1" ? u"TRUE"_s : u"FALSE"_s;
    }
    if (type == u"d") {
        const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
        return date.isValid() ? CellValue(date) : CellValue(value);
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) {
        return value;
    }
    if (style >= 0 && std::size_t(style) < m_formats.size() && m_formats[style] == NumberFormatKind::Date) {
        if (const auto date = dateFromSerial(number, m_parts.date1904)) {
            return *date;
        }
    }
    return number;
}

} // namespace orderimport
