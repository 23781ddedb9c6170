#pragma once

#include <QString>
#include <stdexcept>

namespace xl {

// The one error type of the workbook layer: every failure of a member carries a Chinese description that
// the export shows as it stands.
class SheetError final : public std::runtime_error
{
public:
    explicit SheetError(const QString& description);

    const QString& description() const { return m_description; }

private:
    QString m_description;
};

} // namespace xl
