#include "store/EmptyStore.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>

// tallywick-mkstore PATH: writes an empty order store at PATH; refuses to replace an existing file.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tallywick-mkstore PATH\n");
        return 2;
    }
    try {
        store::createEmptyStore(args.at(1));
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
