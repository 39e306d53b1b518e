#include <QTest>

#include "app/startup_options.h"

using namespace zelkon;

class TestStartupOptions : public QObject {
    Q_OBJECT

private slots:
    void helpAndVersionPrint_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("starts");
        const QString usage = QStringLiteral("Usage: zelkon [--help | --version]\n");
        const QString version = QStringLiteral("zelkon " ZELKON_VERSION "\n");
        QTest::newRow("help") << QStringList{"--help"} << usage;
        QTest::newRow("version") << QStringList{"--version"} << version;
        QTest::newRow("help wins") << QStringList{"--version", "--help"} << usage;
        // Qt's own arguments and unknown ones beside do not hide the request.
        QTest::newRow("after unknown")
            << QStringList{"--bogus", "1112345678999", "--version"} << version;
        QTest::newRow("after Qt's") << QStringList{"-platform", "offscreen", "--help"} << usage;
    }
    void helpAndVersionPrint() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, starts);
        arguments.prepend(QStringLiteral("zelkon"));
        const std::optional<QString> reply = startupReply(arguments);
        QVERIFY(reply.has_value());
        QVERIFY2(reply->startsWith(starts), qPrintable(*reply));
        QVERIFY(reply->endsWith(QLatin1Char('\n')));
    }

    void helpNamesBothOptionsAndTheFiles() {
        const QString help = startupReply({"zelkon", "--help"}).value_or(QString());
        for (const char* part : {"  --help ", "  --version ", "~/.config/zelkon/zelkon.conf",
                                 "~/.local/share/zelkon/records.sqlite3"}) {
            QVERIFY2(help.contains(QLatin1String(part)), part);
        }
    }

    // Whatever opened the window before still does.
    void everythingElseOpensTheWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("short forms") << QStringList{"-h", "-v"};
        QTest::newRow("single dash") << QStringList{"-help", "-version"};
        QTest::newRow("longer names") << QStringList{"--helpme", "--versions", "--help-all"};
        QTest::newRow("unknown") << QStringList{"--bogus", "1112345678999"};
        QTest::newRow("Qt's own") << QStringList{"-platform", "offscreen", "-reverse"};
        QTest::newRow("after --") << QStringList{"--", "--help", "--version"};
    }
    void everythingElseOpensTheWindow() {
        QFETCH(QStringList, arguments);
        arguments.prepend(QStringLiteral("zelkon"));
        const std::optional<QString> reply = startupReply(arguments);
        QVERIFY2(!reply.has_value(), qPrintable(reply.value_or(QString())));
    }
};

QTEST_APPLESS_MAIN(TestStartupOptions)
#include "tst_startup_options.moc"
