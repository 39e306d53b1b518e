#include <QApplication>

#include "zelkon_app.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    zelkon::CZelkonApp theApp;
    if (!theApp.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
