#include "orderimport/ZipArchive.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"

#include <QFile>
#include <climits>
#include <unzip.h>

namespace orderimport {

namespace {

class ZipEntryDevice final : public QIODevice
{
public:
    explicit ZipEntryDevice(unzFile zip)
        : m_zip(zip)
    {
        // Unbuffered: minizip buffers already, and its reader asks for large blocks.
        QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~ZipEntryDevice() override
    {
        if (!m_ended) {
            unzCloseCurrentFile(m_zip);
        }
    }
    Q_DISABLE_COPY_MOVE(ZipEntryDevice)

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_ended && QIODevice::atEnd(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_ended) {
            return m_failed ? -1 : 0;
        }
        if (maxSize <= 0) {
            return 0; // minizip answers 0 for a read of nothing, which is no end
        }
        const int read = unzReadCurrentFile(m_zip, data, unsigned(std::min<qint64>(maxSize, INT_MAX)));
        if (read > 0) {
            return read;
        }
        // The end: closing checks the entry's CRC now that it has been read whole.
        m_ended = true;
        const int closed = unzCloseCurrentFile(m_zip);
        m_failed = read < 0 || closed != UNZ_OK;
        if (m_failed) {
            setErrorString(QStringLiteral("zip entry damaged"));
        }
        return m_failed ? -1 : 0;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    unzFile m_zip;
    bool m_ended = false;
    bool m_failed = false;
};

} // namespace

ZipArchive::ZipArchive(const QString& path)
    : m_path(path)
    , m_zip(unzOpen64(QFile::encodeName(path).constData()))
{
    if (m_zip == nullptr) {
        throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(path)));
    }
}

ZipArchive::~ZipArchive()
{
    unzClose(m_zip);
}

std::unique_ptr<QIODevice> ZipArchive::open(const QString& name)
{
    constexpr int ignoreCase = 2;
    if (unzLocateFile(m_zip, name.toUtf8().constData(), ignoreCase) != UNZ_OK) {
        return nullptr;
    }
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(m_path)));
    }
    if (info.flag & 1) { // the entry is encrypted with a zip password
        throw ImportError(ImportError::Kind::Encrypted, texts::encrypted().arg(shownName(m_path)));
    }
    if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
        throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(m_path)));
    }
    return std::make_unique<ZipEntryDevice>(m_zip);
}

} // namespace orderimport
