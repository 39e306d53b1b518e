#include <cstdio>

#include <QApplication>
#include <QStringList>

#include "startup_options.h"
#include "zelkon_app.h"

int main(int argc, char* argv[]) {
    // Before QApplication: printing needs no display, and the window's application needs one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (const std::optional<QString> reply = zelkon::startupReply(arguments)) {
        const bool written = std::fputs(reply->toUtf8().constData(), stdout) >= 0;
        return written && std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication qtApp(argc, argv);
    zelkon::CZelkonApp theApp;
    if (!theApp.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
