#include "orderimport/XlsxParts.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"

#include <QDir>
#include <algorithm>
#include <map>

namespace orderimport {

using namespace Qt::StringLiterals;

namespace {

// The most text the shared strings may hold: a workbook past it is refused rather than filling memory.
constexpr qsizetype maxSharedText = qsizetype(1) << 28;

[[noreturn]] void throwDamaged(const ZipArchive& zip)
{
    throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(zip.path())));
}

struct Relationship
{
    QString id;
    QString type;
    QString target; // a part name within the zip
};

// A relationship's target as a part name: relative to the source part's folder, or absolute.
QString resolveTarget(const QString& sourcePart, const QString& target)
{
    if (target.startsWith(u'/')) {
        return QDir::cleanPath(target.mid(1));
    }
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return QDir::cleanPath(slash < 0 ? target : sourcePart.left(slash + 1) + target);
}

// "xl/workbook.xml" keeps its relationships in "xl/_rels/workbook.xml.rels"; the package, "_rels/.rels".
QString relationshipsPart(const QString& sourcePart)
{
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return sourcePart.left(slash + 1) + u"_rels/"_s + sourcePart.mid(slash + 1) + u".rels"_s;
}

bool hasType(const Relationship& relationship, QStringView type)
{
    // Transitional and strict workbooks differ in the URI before the last part only.
    return relationship.type.endsWith(type) && relationship.type.size() > type.size() &&
           relationship.type[relationship.type.size() - type.size() - 1] == u'/';
}

std::vector<Relationship> readRelationships(ZipArchive& zip, const QString& sourcePart)
{
    std::vector<Relationship> relationships;
    const std::unique_ptr<QIODevice> device = zip.open(relationshipsPart(sourcePart));
    if (!device) {
        return relationships;
    }
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.value(QLatin1String("TargetMode")) == u"External") {
                continue;
            }
            relationships.push_back(
                {attributes.value(QLatin1String("Id")).toString(),
                 attributes.value(QLatin1String("Type")).toString(),
                 resolveTarget(sourcePart, attributes.value(QLatin1String("Target")).toString())});
        }
    }
    if (xml.hasError()) {
        throwDamaged(zip);
    }
    return relationships;
}

const Relationship* findRelationship(const std::vector<Relationship>& relationships, QStringView type)
{
    for (const Relationship& relationship : relationships) {
        if (hasType(relationship, type)) {
            return &relationship;
        }
    }
    return nullptr;
}

// The relationship id of a <sheet>: r:id, whatever prefix the file binds to its namespace.
QString relationshipId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty()) {
            return attribute.value().toString();
        }
    }
    return QString();
}

bool isAsciiHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isTrue(QStringView value)
{
    return value == u"1" || value == u"true";
}

} // namespace

WorkbookParts findWorkbookParts(ZipArchive& zip)
{
    const std::vector<Relationship> package = readRelationships(zip, QString());
    const Relationship* document = findRelationship(package, u"officeDocument");
    const QString workbook = document ? document->target : u"xl/workbook.xml"_s;

    WorkbookParts parts;
    struct Sheet
    {
        QString id;
        bool visible;
    };
    std::vector<Sheet> sheets;
    {
        const std::unique_ptr<QIODevice> device = zip.open(workbook);
        if (!device) {
            throwDamaged(zip); // a zip, but no workbook
        }
        QXmlStreamReader xml(device.get());
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            if (xml.name() == u"workbookPr") {
                parts.date1904 = isTrue(xml.attributes().value(QLatin1String("date1904")));
            } else if (xml.name() == u"sheet") {
                const QStringView state = xml.attributes().value(QLatin1String("state"));
                sheets.push_back({relationshipId(xml.attributes()), state.isEmpty() || state == u"visible"});
            }
        }
        if (xml.hasError()) {
            throwDamaged(zip);
        }
    }

    const std::vector<Relationship> relationships = readRelationships(zip, workbook);
    // The first sheet the seller sees: hidden sheets and chart sheets come after.
    for (const bool visibleOnly : {true, false}) {
        for (const Sheet& sheet : sheets) {
            if (!parts.sheet.isEmpty() || (visibleOnly && !sheet.visible)) {
                continue;
            }
            for (const Relationship& relationship : relationships) {
                if (relationship.id == sheet.id && hasType(relationship, u"worksheet")) {
                    parts.sheet = relationship.target;
                    break;
                }
            }
        }
    }
    if (parts.sheet.isEmpty()) {
        throw ImportError(ImportError::Kind::NotATable, texts::noSheet().arg(shownName(zip.path())));
    }
    if (const Relationship* strings = findRelationship(relationships, u"sharedStrings")) {
        parts.sharedStrings = strings->target;
    }
    if (const Relationship* styles = findRelationship(relationships, u"styles")) {
        parts.styles = styles->target;
    }
    return parts;
}

QString readStringItem(QXmlStreamReader& xml)
{
    const QString element = xml.name().toString();
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == element) {
            break;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == u"rPh") {
            xml.skipCurrentElement(); // a phonetic guide above the text, not part of it
        } else if (xml.name() == u"t") {
            text += xml.readElementText();
        }
    }
    return unescapeOoxml(text);
}

std::vector<QString> readSharedStrings(ZipArchive& zip, const QString& part)
{
    std::vector<QString> strings;
    const std::unique_ptr<QIODevice> device = zip.open(part);
    if (!device) {
        throwDamaged(zip); // the workbook names it, so it must be there
    }
    QXmlStreamReader xml(device.get());
    qsizetype total = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            strings.push_back(readStringItem(xml));
            total += strings.back().size();
            if (total > maxSharedText) {
                throw ImportError(ImportError::Kind::TooLarge,
                                  texts::tooManyTexts().arg(shownName(zip.path())));
            }
        }
    }
    if (xml.hasError()) {
        throwDamaged(zip);
    }
    return strings;
}

std::vector<NumberFormatKind> readCellFormats(ZipArchive& zip, const QString& part)
{
    const std::unique_ptr<QIODevice> device = zip.open(part);
    if (!device) {
        throwDamaged(zip);
    }
    std::map<int, NumberFormatKind> ownFormats;
    std::vector<int> formatIds;
    bool inCellFormats = false;
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellFormats = false;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"numFmt") {
            ownFormats[attributes.value(QLatin1String("numFmtId")).toInt()] =
                formatCodeKind(attributes.value(QLatin1String("formatCode")));
        } else if (xml.name() == u"cellXfs") {
            inCellFormats = true; // the <xf> of cellStyleXfs are the named styles', not the cells'
        } else if (xml.name() == u"xf" && inCellFormats) {
            formatIds.push_back(attributes.value(QLatin1String("numFmtId")).toInt());
        }
    }
    if (xml.hasError()) {
        throwDamaged(zip);
    }
    std::vector<NumberFormatKind> kinds;
    kinds.reserve(formatIds.size());
    for (const int id : formatIds) {
        const auto own = ownFormats.find(id);
        kinds.push_back(own != ownFormats.end() ? own->second : builtInFormatKind(id));
    }
    return kinds;
}

QString unescapeOoxml(const QString& text)
{
    if (!text.contains(u"_x")) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            const QStringView hex = QStringView(text).mid(i + 2, 4);
            const bool ok = std::all_of(hex.begin(), hex.end(), [](QChar c) { return isAsciiHexDigit(c); });
            if (ok) {
                const ushort code = hex.toUShort(nullptr, 16);
                out.append(QChar(code));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

} // namespace orderimport
