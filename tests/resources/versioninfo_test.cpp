#include "ui/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <map>
#include <vector>

// Compiles the Windows resource script with the MinGW resource compiler and reads back what Windows
// shows in the file's properties.

namespace {

const QString resourcesDir = QStringLiteral(TALLYWICK_RESOURCES_DIR);
constexpr int RT_ICON = 3;
constexpr int RT_GROUP_ICON = 14;
constexpr int RT_VERSION = 16;
constexpr quint16 zhCN = 0x0804;

quint16 u16(const QByteArray& d, qsizetype at)
{
    return at + 2 <= d.size() ? qFromLittleEndian<quint16>(d.constData() + at) : 0;
}

quint32 u32(const QByteArray& d, qsizetype at)
{
    return at + 4 <= d.size() ? qFromLittleEndian<quint32>(d.constData() + at) : 0;
}

qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// A NUL-terminated UTF-16 text at `at`; moves `at` past the NUL.
QString utf16z(const QByteArray& d, qsizetype& at)
{
    QString s;
    while (at + 2 <= d.size()) {
        const quint16 c = u16(d, at);
        at += 2;
        if (c == 0) {
            break;
        }
        s.append(QChar(c));
    }
    return s;
}

// One entry of a compiled .res file; numeric type and name only (the script uses no named ones).
struct Resource
{
    int type = -1;
    int name = -1;
    quint16 language = 0;
    QByteArray data;
};

int idOrName(const QByteArray& d, qsizetype& at)
{
    if (u16(d, at) == 0xFFFF) {
        const int id = u16(d, at + 2);
        at += 4;
        return id;
    }
    utf16z(d, at);
    return -1;
}

std::vector<Resource> readRes(const QByteArray& d)
{
    std::vector<Resource> out;
    qsizetype at = 0;
    while (at + 8 <= d.size()) {
        const quint32 dataSize = u32(d, at);
        const quint32 headerSize = u32(d, at + 4);
        qsizetype p = at + 8;
        Resource r;
        r.type = idOrName(d, p);
        r.name = idOrName(d, p);
        p = align4(p);
        r.language = u16(d, p + 6);
        r.data = d.mid(at + headerSize, dataSize);
        if (dataSize > 0) {
            out.push_back(r);
        }
        at = align4(at + headerSize + dataSize);
    }
    return out;
}

// A node of the version block: key, value (text or bytes) and children.
struct VersionNode
{
    QString key;
    bool text = false;
    QByteArray value;
    std::vector<VersionNode> children;

    const VersionNode* child(const QString& k) const
    {
        for (const VersionNode& c : children) {
            if (c.key == k) {
                return &c;
            }
        }
        return nullptr;
    }
    QString textValue() const
    {
        qsizetype at = 0;
        return utf16z(value, at);
    }
};

VersionNode readVersionNode(const QByteArray& d, qsizetype at)
{
    VersionNode n;
    const qsizetype end = std::min<qsizetype>(at + u16(d, at), d.size());
    const int valueLength = u16(d, at + 2);
    n.text = u16(d, at + 4) == 1;
    qsizetype p = at + 6;
    n.key = utf16z(d, p);
    p = align4(p);
    const int valueBytes = n.text ? valueLength * 2 : valueLength;
    n.value = d.mid(p, valueBytes);
    p = align4(p + valueBytes);
    while (p + 6 <= end) {
        const quint16 length = u16(d, p);
        if (length == 0) {
            break;
        }
        n.children.push_back(readVersionNode(d, p));
        p = align4(p + length);
    }
    return n;
}

// Runs the resource compiler into a temporary folder; an empty result means it is not installed.
class CompiledResource
{
public:
    CompiledResource()
    {
        const QString windres = QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-windres"));
        if (windres.isEmpty()) {
            return;
        }
        QStringList args;
        // windres preprocesses with the MinGW C compiler; the host's cpp does the same job for a
        // script without #include.
        if (QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-gcc")).isEmpty()) {
            args << QStringLiteral("--preprocessor=cpp") << QStringLiteral("--preprocessor-arg=-xc")
                 << QStringLiteral("--preprocessor-arg=-DRC_INVOKED");
        }
        const QString out = m_dir.filePath(QStringLiteral("tallywick.res"));
        args << QStringLiteral("-I") << resourcesDir << QStringLiteral("-O") << QStringLiteral("res")
             << resourcesDir + QStringLiteral("/tallywick.rc") << QStringLiteral("-o") << out;
        QProcess p;
        p.start(windres, args);
        p.waitForFinished(-1);
        m_log = QString::fromLocal8Bit(p.readAllStandardError());
        m_ran = true;
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) {
            QFile f(out);
            if (f.open(QIODevice::ReadOnly)) {
                m_resources = readRes(f.readAll());
            }
        }
    }
    bool ran() const { return m_ran; }
    const QString& log() const { return m_log; }
    std::vector<const Resource*> ofType(int type) const
    {
        std::vector<const Resource*> out;
        for (const Resource& r : m_resources) {
            if (r.type == type) {
                out.push_back(&r);
            }
        }
        return out;
    }

private:
    QTemporaryDir m_dir;
    bool m_ran = false;
    QString m_log;
    std::vector<Resource> m_resources;
};

// Each test compiles the script afresh, into its own folder.
class VersionResource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!res.ran()) {
            GTEST_SKIP() << "x86_64-w64-mingw32-windres is not installed (binutils-mingw-w64-x86-64)";
        }
    }
    CompiledResource res;
};

} // namespace

TEST_F(VersionResource, NamesTheProgramItsVersionAndItsPublisherInChinese)
{
    const auto versions = res.ofType(RT_VERSION);
    ASSERT_EQ(versions.size(), 1u) << res.log().toStdString();
    EXPECT_EQ(versions[0]->language, zhCN);

    const VersionNode root = readVersionNode(versions[0]->data, 0);
    EXPECT_EQ(root.key, QStringLiteral("VS_VERSION_INFO"));
    // VS_FIXEDFILEINFO: the numeric versions, as the CMake project has them.
    ASSERT_EQ(root.value.size(), 52);
    EXPECT_EQ(u32(root.value, 0), 0xFEEF04BDu);
    const QStringList parts = QStringLiteral(TALLYWICK_VERSION).split(QLatin1Char('.'));
    ASSERT_EQ(parts.size(), 4);
    const quint32 ms = (parts[0].toUInt() << 16) | parts[1].toUInt();
    const quint32 ls = (parts[2].toUInt() << 16) | parts[3].toUInt();
    EXPECT_EQ(ms, 0x00010001u);
    EXPECT_EQ(ls, 0u);
    EXPECT_EQ(u32(root.value, 8), ms); // file version
    EXPECT_EQ(u32(root.value, 12), ls);
    EXPECT_EQ(u32(root.value, 16), ms); // product version
    EXPECT_EQ(u32(root.value, 20), ls);
    EXPECT_EQ(u32(root.value, 32), 0x40004u); // VOS_NT_WINDOWS32
    EXPECT_EQ(u32(root.value, 36), 1u);       // VFT_APP

    const VersionNode* strings = root.child(QStringLiteral("StringFileInfo"));
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children[0];
    EXPECT_EQ(table.key, QStringLiteral("080403a8"));
    std::map<QString, QString> values;
    for (const VersionNode& v : table.children) {
        EXPECT_TRUE(v.text) << v.key.toStdString();
        values[v.key] = v.textValue();
    }
    EXPECT_EQ(values[QStringLiteral("CompanyName")], ui::appinfo::credit);
    EXPECT_EQ(values[QStringLiteral("ProductName")], ui::appinfo::name);
    EXPECT_EQ(values[QStringLiteral("InternalName")], ui::appinfo::name);
    EXPECT_EQ(values[QStringLiteral("OriginalFilename")], ui::appinfo::name + QStringLiteral(".exe"));
    EXPECT_EQ(values[QStringLiteral("FileVersion")], ui::appinfo::versionText);
    EXPECT_EQ(values[QStringLiteral("ProductVersion")], ui::appinfo::versionText);
    EXPECT_EQ(values[QStringLiteral("FileDescription")], QStringLiteral("Tallywick 网店记账"));

    const VersionNode* vars = root.child(QStringLiteral("VarFileInfo"));
    ASSERT_NE(vars, nullptr);
    const VersionNode* translation = vars->child(QStringLiteral("Translation"));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->value.size(), 4);
    EXPECT_EQ(u16(translation->value, 0), zhCN);
    EXPECT_EQ(u16(translation->value, 2), 936);
}

TEST_F(VersionResource, CarriesTheTwelveIconImagesAsTheExecutablesIcon)
{
    const auto groups = res.ofType(RT_GROUP_ICON);
    ASSERT_EQ(groups.size(), 1u) << res.log().toStdString();
    EXPECT_EQ(groups[0]->name, 1); // the lowest id: Explorer shows it as the file's icon
    const QByteArray& group = groups[0]->data;
    ASSERT_EQ(u16(group, 2), 1); // icons
    const int count = u16(group, 4);
    ASSERT_EQ(count, 12);

    QFile icoFile(resourcesDir + QStringLiteral("/tallywick.ico"));
    ASSERT_TRUE(icoFile.open(QIODevice::ReadOnly));
    const QByteArray ico = icoFile.readAll();
    std::map<int, const Resource*> images;
    for (const Resource* r : res.ofType(RT_ICON)) {
        images[r->name] = r;
    }
    ASSERT_EQ(images.size(), 12u);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        // GRPICONDIRENTRY: like the .ico's directory entry, with the image's resource id at the end.
        const qsizetype e = 6 + 14 * i;
        const qsizetype fileEntry = 6 + 16 * i;
        EXPECT_EQ(group.mid(e, 12), ico.mid(fileEntry, 12));
        const int id = u16(group, e + 12);
        ASSERT_TRUE(images.count(id));
        const quint32 offset = u32(ico, fileEntry + 12);
        EXPECT_EQ(images[id]->data, ico.mid(offset, u32(ico, fileEntry + 8)));
    }
}
