// The board at a device-pixel ratio of 2 (QT_SCALE_FACTOR=2): the layout stays in logical
// pixels and the tiles are drawn from art rendered at the ratio, pixel for pixel.
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
    void tilesAndMarksAreCrispAtRatioTwo() {
        test::UseSeededDraws(404);
        CZelkonView view;
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.devicePixelRatioF(), 2.0);
        QCOMPARE(view.size(), QSize(450, 322));

        view.LoadProblem(test::kKnownHands[2].hand);
        view.numberButton(1).click();
        view.okButton().click();
        const QPixmap grabbed = view.grab();
        QCOMPARE(grabbed.devicePixelRatio(), 2.0);
        const QImage image = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(900, 644));
        QCOMPARE(image.pixel(1, 1) & 0xffffff, kBoardColor & 0xffffff);
        for (int k = 0; k < 13; ++k) {
            const QPixmap tile = LoadTileBitmap(
                TileBitmapId(view.quiz().displayTile(k), view.quiz().suitKind()), 2.0);
            QVERIFY(!tile.isNull());
            QCOMPARE(tile.size(), QSize(2 * kTileWidth, 2 * kTileHeight));
            QCOMPARE(image.copy(2 * (kTileRowX + kTileWidth * k), 2 * kTileRowY, tile.width(),
                                tile.height()),
                     tile.toImage().convertToFormat(QImage::Format_RGB32));
        }
        const QRect circle = CZelkonView::markBox(view.buttonRect(1));
        const QRect band = view.buttonRect(1).adjusted(-3, -3, 3, 3);
        QCOMPARE(image.pixel(2 * band.left() + 1, 2 * band.center().y()) & 0xffffff,
                 kBandColor & 0xffffff);
        QCOMPARE(image.pixel(2 * circle.center().x(), 2 * circle.center().y()) & 0xffffff,
                 kBoardColor & 0xffffff);
        const QRect cross = CZelkonView::markBox(view.buttonRect(4));
        QCOMPARE(image.pixel(2 * cross.center().x(), 2 * cross.center().y()) & 0xffffff,
                 kCrossColor & 0xffffff);
    }
};

QTEST_MAIN(TestBoardScaling)
#include "tst_board_scaling.moc"
