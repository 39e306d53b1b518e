#include <QTest>

#include "app/about_dlg.h"

using namespace zelkon;

class TestAboutDlg : public QObject {
    Q_OBJECT

private slots:
    void showsIconNameAndVersionWithOk() {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(about.text().text(), QString::fromUtf8("カルデナ\u3000Version 1.0"));
        QCOMPARE(about.text().text().at(4), QChar(0x3000));
        QCOMPARE(about.text().textFormat(), Qt::PlainText);
        QVERIFY(!about.icon().pixmap().isNull());
        QCOMPARE(about.okButton().text(), QStringLiteral("OK"));
        QVERIFY(about.okButton().isDefault());
        QVERIFY(about.isModal());
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    }

    void laysOutLeftToRightInsideTheBox() {
        CAboutDlg about;
        const QRect box(QPoint(0, 0), about.size());
        const QRect icon = about.icon().geometry();
        const QRect text = about.text().geometry();
        const QRect ok = about.okButton().geometry();
        QVERIFY(box.contains(icon) && box.contains(text) && box.contains(ok));
        QVERIFY(icon.right() < text.left());
        QVERIFY(text.right() < ok.left());
        QVERIFY(text.width() >= about.text().sizeHint().width());
        QCOMPARE(about.minimumSize(), about.maximumSize());
    }

    void okCloses() {
        CAboutDlg about;
        about.show();
        QTest::mouseClick(&about.okButton(), Qt::LeftButton);
        QCOMPARE(about.result(), static_cast<int>(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestAboutDlg)
#include "tst_about_dlg.moc"
