#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

namespace orderimport {

// A zip archive read with minizip, one entry at a time, each entry as a sequential device that unpacks
// as it is read: a worksheet of many rows is never unpacked whole.
class ZipArchive final
{
public:
    // Throws ImportError (Damaged) when the file is no readable zip. path: also names the file in messages.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    Q_DISABLE_COPY_MOVE(ZipArchive)

    // The entry named so (case is ignored, as in a workbook's part names), open for reading, or null when
    // there is none. The device must be gone before the next entry is opened. A read error or a wrong
    // checksum shows as a failed read (-1) of the device.
    std::unique_ptr<QIODevice> open(const QString& name);

    const QString& path() const { return m_path; }

private:
    QString m_path;
    void* m_zip = nullptr;
};

} // namespace orderimport
