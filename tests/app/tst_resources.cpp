#include <QDateTime>
#include <QDirIterator>
#include <QTest>

// Two clones of the same source build the same program: no resource that the window links carries
// the time its file was checked out or made.
class TestResources : public QObject {
    Q_OBJECT

private slots:
    void noResourceCarriesAFileTime() {
        // The build pins the times to 1 s, or to SOURCE_DATE_EPOCH where the caller set one.
        const qint64 callersTime = qEnvironmentVariableIntValue("SOURCE_DATE_EPOCH");
        QStringList timed;
        int files = 0;
        QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.startsWith(QLatin1String(":/qt-project.org/")) ||
                path.startsWith(QLatin1String(":/qpdf/"))) {
                continue;  // Qt's own, made by Qt's build
            }
            ++files;
            const QDateTime time = it.fileInfo().lastModified();
            const qint64 seconds = time.isValid() ? time.toSecsSinceEpoch() : 0;
            if (seconds > 1 && seconds != callersTime) {
                timed << path + QLatin1Char(' ') + time.toString(Qt::ISODate);
            }
        }
        QVERIFY2(files >= 27 * 8, "the tiles, their rasters and the icons");
        QVERIFY2(timed.isEmpty(), qPrintable(timed.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
