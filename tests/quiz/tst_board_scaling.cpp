// The board at the device-pixel ratio that QT_SCALE_FACTOR sets (1.25, 1.5, 2): the layout stays
// in logical pixels and the tiles are drawn from art rendered at the ratio, pixel for pixel and
// touching each other.
#include <QImage>
#include <QTest>

#include "known_hands.h"
#include "quiz/zelkon_view.h"
#include "res/tile_art.h"
#include "seeded_draws.h"

using namespace zelkon;

class TestBoardScaling : public QObject {
    Q_OBJECT

private slots:
    void tilesAndMarksAreCrispAtTheRatio() {
        test::UseSeededDraws(404);
        CZelkonView view;
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const qreal ratio = view.devicePixelRatioF();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        QCOMPARE(view.size(), QSize(450, 322));

        view.LoadProblem(test::kKnownHands[2].hand);
        view.numberButton(1).click();
        view.okButton().click();
        const QPixmap grabbed = view.grab();
        QCOMPARE(grabbed.devicePixelRatio(), ratio);
        const QImage image = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(qRound(450 * ratio), qRound(322 * ratio)));
        QCOMPARE(image.pixel(1, 1) & 0xffffff, kBoardColor & 0xffffff);
        QPoint at(qRound(kTileRowX * ratio), qRound(kTileRowY * ratio));
        for (int k = 0; k < 13; ++k) {
            const QPixmap tile = LoadTileBitmap(
                TileBitmapId(view.quiz().displayTile(k), view.quiz().suitKind()), ratio);
            QVERIFY(!tile.isNull());
            QCOMPARE(tile.size(), QSize(qRound(kTileWidth * ratio), qRound(kTileHeight * ratio)));
            QCOMPARE(image.copy(QRect(at, tile.size())),
                     tile.toImage().convertToFormat(QImage::Format_RGB32));
            at.rx() += tile.width();
        }
        // The whole row stays inside the form.
        QVERIFY(at.x() <= image.width());
        const auto scaled = [ratio](int v) { return qRound(v * ratio); };
        const QRect circle = CZelkonView::markBox(view.buttonRect(1));
        const QRect band = view.buttonRect(1).adjusted(-3, -3, 3, 3);
        QCOMPARE(image.pixel(scaled(band.left() + 1), scaled(band.center().y())) & 0xffffff,
                 kBandColor & 0xffffff);
        QCOMPARE(image.pixel(scaled(circle.center().x()), scaled(circle.center().y())) & 0xffffff,
                 kBoardColor & 0xffffff);
        const QRect cross = CZelkonView::markBox(view.buttonRect(4));
        QCOMPARE(image.pixel(scaled(cross.center().x()), scaled(cross.center().y())) & 0xffffff,
                 kCrossColor & 0xffffff);
    }
};

QTEST_MAIN(TestBoardScaling)
#include "tst_board_scaling.moc"
