// The program's own start-up (as app/main.cpp), ended at its first paint.
#include <QApplication>

#include "app/zelkon_app.h"
#include "first_paint_probe.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    zelkon::bench::FirstPaintProbe probe;
    zelkon::CZelkonApp theApp;
    if (!theApp.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
