#include "ui/Fonts.h"

namespace fonts {

QFont interfaceFont()
{
    QFont font;
    font.setFamilies(interfaceFamilies);
    font.setPointSize(interfacePointSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace fonts
