#include "export/ExportToExcel.h"

// Placeholder until the workbook layer lands.
bool ExportToExcel(ui::FlexGrid&, QWidget*)
{
    return false;
}
