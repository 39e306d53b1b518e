// The yardstick: a plain Qt Widgets window with a menu bar and a text box, ended at its first
// paint.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "first_paint_probe.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    zelkon::bench::FirstPaintProbe probe;
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("リセット(&R)"));
    file->addAction(QStringLiteral("アプリケーションの終了(&X)"));
    window.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"))->addAction(QStringLiteral("About"));
    QTextEdit text;
    text.setPlainText(QStringLiteral("何待ち？"));
    window.setCentralWidget(&text);
    window.resize(450, 345);
    window.show();
    return QApplication::exec();
}
