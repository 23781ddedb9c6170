// Saves orders through the real store in an endless loop and reports each one that the store
// acknowledged: "add N" after order N's insert returned, "edit N" after its update returned. The
// crash test kills this process at random moments.
#include "CrashOrder.h"

#include "store/AppFolder.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

// crash_child FOLDER FIRST: saves orders FIRST, FIRST+1, ... into FOLDER/data.mdb.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        return 2;
    }
    const store::OrderStore orders(store::dataFileIn(args.at(1)));
    const int first = args.at(2).toInt();
    try {
        for (int n = first;; ++n) {
            orders.insert(crashorder::make(n, 1));
            std::printf("add %d\n", n);
            std::fflush(stdout);
            if (n % 3 == 0) {
                // The orders' ids are 1, 2, ... in the order they were added, as the test counts them.
                store::Order edited = crashorder::make(n, 2);
                edited.id = n;
                if (!orders.update(edited)) {
                    std::fprintf(stderr, "order %d is gone\n", n);
                    return 1;
                }
                std::printf("edit %d\n", n);
                std::fflush(stdout);
            }
        }
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().constData());
        return 1;
    }
}
