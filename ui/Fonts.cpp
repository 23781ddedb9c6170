#include "ui/Fonts.h"

namespace ui::fonts {

QFont interfaceFont()
{
    QFont font;
    font.setFamilies(interfaceFamilies);
    font.setPointSize(interfacePointSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace ui::fonts
