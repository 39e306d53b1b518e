#include <memory>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "known_hands.h"
#include "quiz/zelkon_view.h"
#include "res/tile_art.h"
#include "seeded_draws.h"

using namespace zelkon;

namespace {

const QColor kBoard(kBoardColor);

QImage Grab(CZelkonView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool AnyPixelOf(const QImage& image, const QRect& box, QRgb color) {
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == (color & 0xffffff)) {
                return true;
            }
        }
    }
    return false;
}

bool AllPixelsOf(const QImage& image, const QRect& box, QRgb color) {
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != (color & 0xffffff)) {
                return false;
            }
        }
    }
    return true;
}

QString BoxText(CZelkonView& view) {
    return view.answerBox().toPlainText();
}

QString Shown(std::string_view answer) {
    QString text = QString::fromUtf8(answer.data(), static_cast<qsizetype>(answer.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &release);
}

// Waits 1, 4 and 7.
const test::KnownHand& kMixedHand = test::kKnownHands[2];

}  // namespace

class TestZelkonView : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CZelkonView> m_view;

    CZelkonView& view() { return *m_view; }

    void checkUnanswered() {
        QVERIFY(!view().quiz().answered());
        for (TileNumber n = 1; n <= 9; ++n) {
            QVERIFY(view().numberButton(n).isEnabled());
            QCOMPARE(view().quiz().mark(n), MarkKind::MarkNone);
        }
        QCOMPARE(view().okButton().text(), QStringLiteral("OK"));
        QCOMPARE(BoxText(view()), QStringLiteral("何待ち？"));
    }

private slots:
    void init() {
        test::UseSeededDraws(20241);
        m_view = std::make_unique<CZelkonView>();
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() { m_view.reset(); }

    void formLaysOutAsOnItsHomePlatform() {
        QCOMPARE(view().size(), QSize(450, 322));
        const QString family = QFontInfo(view().font()).family();
        QVERIFY2(family == QStringLiteral("MS UI Gothic") || family == QStringLiteral("IPAGothic"),
                 qPrintable(family));
        QCOMPARE(view().font().pointSize(), 12);
        QCOMPARE(view().buttonRect(1), QRect(14, 106, 27, 30));
        // The whole tile row fits, and each mark box lies between the row and its button.
        QVERIFY(view().width() > kTileRowX + 13 * kTileWidth);
        for (TileNumber n = 1; n <= 9; ++n) {
            const QRect button = view().buttonRect(n);
            const QRect box = CZelkonView::markBox(button);
            QVERIFY(box.top() > kTileRowY + kTileHeight - 1);
            QVERIFY(box.bottom() < button.top());
            QVERIFY(box.width() > 0 && box.height() > 0);
            if (n > 1) {
                // Bands of neighbours never touch.
                QVERIFY(view().buttonRect(n - 1).right() + 6 < button.left());
            }
        }
        QVERIFY(view().okButton().geometry().left() > view().buttonRect(9).right() + 3);
        QVERIFY(view().okButton().geometry().right() < view().width());
        QVERIFY(view().answerBox().geometry().top() > view().buttonRect(1).bottom() + 3);
        QCOMPARE(view().answerBox().geometry().bottom(), view().height() - 1);
    }

    // The board's green stays on the form: the controls take the colours they would anywhere.
    void controlsKeepTheirOwnColours() {
        QList<QWidget*> controls{&view().okButton(), &view().answerBox()};
        for (TileNumber n = 1; n <= 9; ++n) {
            controls << &view().numberButton(n);
        }
        for (QWidget* control : controls) {
            const QPalette plain = QApplication::palette(control);
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto r = static_cast<QPalette::ColorRole>(role);
                QCOMPARE(control->palette().color(QPalette::Active, r),
                         plain.color(QPalette::Active, r));
                QCOMPARE(control->palette().color(QPalette::Disabled, r),
                         plain.color(QPalette::Disabled, r));
            }
            // No pixel of a control, outline and frame included, leans to green.
            const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = QColor::fromRgb(image.pixel(x, y));
                    QVERIFY2(!(c.green() > c.red() + 40 && c.green() > c.blue() + 40),
                             qPrintable(QStringLiteral("%1 at %2,%3")
                                            .arg(control->objectName())
                                            .arg(x)
                                            .arg(y)));
                }
            }
        }
        QCOMPARE(Grab(view()).pixel(1, 1) & 0xffffff, kBoardColor & 0xffffff);
    }

    void tabIntoTheAnswerBoxShowsItsFocus() {
        view().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view()));
        view().okButton().setFocus(Qt::OtherFocusReason);
        const QImage unfocused = view().answerBox().grab().toImage();
        QTest::keyClick(&view().okButton(), Qt::Key_Tab);
        QTRY_VERIFY(view().answerBox().hasFocus());
        QVERIFY(view().answerBox().grab().toImage() != unfocused);
        // Keys for the quiz still reach it from the box.
        QTest::keyClick(&view().answerBox(), Qt::Key_3);
        QVERIFY(view().quiz().selected(3));
    }

    void clicksToggleAndOkAnswers() {
        view().LoadProblem(kMixedHand.hand);
        checkUnanswered();
        QTest::mouseClick(&view().numberButton(1), Qt::LeftButton);
        QTest::mouseClick(&view().numberButton(2), Qt::LeftButton);
        QTest::mouseClick(&view().numberButton(3), Qt::LeftButton);
        QTest::mouseClick(&view().numberButton(3), Qt::LeftButton);
        QVERIFY(view().quiz().selected(1));
        QVERIFY(view().quiz().selected(2));
        QVERIFY(!view().quiz().selected(3));
        QTest::mouseClick(&view().okButton(), Qt::LeftButton);

        QVERIFY(view().quiz().answered());
        QCOMPARE(std::string(view().quiz().answerText()), std::string(kMixedHand.answer));
        QCOMPARE(BoxText(view()), Shown(kMixedHand.answer));
        QVERIFY(!BoxText(view()).contains(QLatin1Char('\r')));
        QCOMPARE(view().okButton().text(), QStringLiteral("次へ"));
        QVERIFY(view().okButton().isEnabled());
        for (TileNumber n = 1; n <= 9; ++n) {
            QVERIFY(!view().numberButton(n).isEnabled());
        }
        QCOMPARE(view().quiz().mark(1), MarkKind::MarkCircle);
        QCOMPARE(view().quiz().mark(2), MarkKind::MarkCross);
        QCOMPARE(view().quiz().mark(3), MarkKind::MarkNone);
        QCOMPARE(view().quiz().mark(4), MarkKind::MarkCross);

        // A disabled button takes no click: the picks stay as answered.
        QTest::mouseClick(&view().numberButton(5), Qt::LeftButton);
        QVERIFY(!view().quiz().selected(5));

        const long drawsBefore = test::Draws().count;
        QTest::mouseClick(&view().okButton(), Qt::LeftButton);
        checkUnanswered();
        QVERIFY(test::Draws().count > drawsBefore);
        for (TileNumber n = 1; n <= 9; ++n) {
            QVERIFY(!view().quiz().selected(n));
        }
    }

    void everyKnownHandAnswersByteForByte_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < static_cast<int>(test::kKnownHands.size()); ++i) {
            QTest::newRow(test::kKnownHands[static_cast<std::size_t>(i)].name) << i;
        }
    }
    void everyKnownHandAnswersByteForByte() {
        QFETCH(int, index);
        const test::KnownHand& known = test::kKnownHands[static_cast<std::size_t>(index)];
        view().LoadProblem(known.hand);
        SendKey(&view().numberButton(1), Qt::Key_Return);
        QCOMPARE(std::string(view().quiz().answerText()), std::string(known.answer));
        QCOMPARE(BoxText(view()), Shown(known.answer));
    }

    void answerBoxShowsTheLongestAnswerWhole() {
        // Nine waits: the header and nine lines, each of which must be in sight without scrolling.
        view().LoadProblem({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9});
        view().okButton().click();
        QCoreApplication::processEvents();
        QTextEdit& box = view().answerBox();
        QCOMPARE(box.document()->blockCount(), 10);
        QCOMPARE(box.verticalScrollBar()->maximum(), 0);
        const QTextBlock last = box.document()->lastBlock();
        QVERIFY(box.cursorRect(QTextCursor(last)).bottom() < box.viewport()->height());
    }

    void digitKeysToggleThroughTheirButtons() {
        view().LoadProblem(kMixedHand.hand);
        SendKey(&view().answerBox(), Qt::Key_4);
        QVERIFY(view().quiz().selected(4));
        QCOMPARE(QApplication::focusWidget(), &view().numberButton(4));
        SendKey(QApplication::focusWidget(), Qt::Key_7, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(view().quiz().selected(7));
        QCOMPARE(QApplication::focusWidget(), &view().numberButton(7));
        // A held key repeats, and every repeat toggles again.
        SendKey(&view().numberButton(7), Qt::Key_2);
        SendKey(&view().numberButton(2), Qt::Key_2, Qt::NoModifier, true);
        SendKey(&view().numberButton(2), Qt::Key_2, Qt::NoModifier, true);
        QVERIFY(view().quiz().selected(2));
        // Keypad digits and Alt with a digit are not quiz keys.
        SendKey(&view().numberButton(2), Qt::Key_5, Qt::KeypadModifier);
        SendKey(&view().numberButton(2), Qt::Key_6, Qt::AltModifier);
        QVERIFY(!view().quiz().selected(5));
        QVERIFY(!view().quiz().selected(6));
        SendKey(&view().numberButton(2), Qt::Key_0);
        for (TileNumber n : {1, 3, 8, 9}) {
            QVERIFY(!view().quiz().selected(n));
        }
    }

    void shiftedDigitRowKeysStillToggle() {
        view().LoadProblem(kMixedHand.hand);
        // Shift+8 arrives as "(" from the key with X11 code 17; a symbol key elsewhere does not.
        QKeyEvent shifted(QEvent::KeyPress, Qt::Key_ParenLeft, Qt::ShiftModifier, 17, 0x28, 0,
                          QStringLiteral("("));
        QCoreApplication::sendEvent(&view().numberButton(1), &shifted);
        QVERIFY(view().quiz().selected(8));
        QKeyEvent other(QEvent::KeyPress, Qt::Key_ParenLeft, Qt::ShiftModifier, 19, 0x28, 0,
                        QStringLiteral("("));
        QCoreApplication::sendEvent(&view().numberButton(1), &other);
        for (TileNumber n = 1; n <= 9; ++n) {
            QCOMPARE(view().quiz().selected(n), n == 8);
        }
    }

    void enterMovesFocusToOkAndAlternates() {
        view().LoadProblem(kMixedHand.hand);
        view().numberButton(3).setFocus();
        SendKey(&view().numberButton(3), Qt::Key_1);
        SendKey(&view().numberButton(1), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), &view().okButton());
        QVERIFY(view().quiz().answered());
        QCOMPARE(view().quiz().mark(1), MarkKind::MarkCircle);

        // Keys 1 to 9 are swallowed after the answer and change nothing.
        SendKey(&view().okButton(), Qt::Key_1);
        SendKey(&view().okButton(), Qt::Key_5);
        QVERIFY(view().quiz().selected(1));
        QVERIFY(!view().quiz().selected(5));
        QCOMPARE(QApplication::focusWidget(), &view().okButton());

        SendKey(&view().okButton(), Qt::Key_Return, Qt::NoModifier, true);
        checkUnanswered();
        SendKey(&view().okButton(), Qt::Key_Return, Qt::NoModifier, true);
        QVERIFY(view().quiz().answered());
        SendKey(&view().okButton(), Qt::Key_Return, Qt::AltModifier);
        QVERIFY(view().quiz().answered());
    }

    void boardShowsTheTilesInDisplayOrder() {
        view().LoadProblem(kMixedHand.hand);
        const QImage image = Grab(view());
        QCOMPARE(image.pixelColor(0, 0), kBoard);
        QCOMPARE(image.pixelColor(449, 100), kBoard);
        QCOMPARE(image.pixelColor(5, 40), kBoard);
        QCOMPARE(image.pixelColor(kTileRowX + 13 * kTileWidth + 1, 40), kBoard);
        QCOMPARE(image.pixelColor(200, kTileRowY + kTileHeight + 2), kBoard);
        for (int k = 0; k < 13; ++k) {
            const QPixmap tile = LoadTileBitmap(
                TileBitmapId(view().quiz().displayTile(k), view().quiz().suitKind()), 1.0);
            QVERIFY2(!tile.isNull(), qPrintable(QString::number(k)));
            const QImage expected = tile.toImage().convertToFormat(QImage::Format_RGB32);
            const QImage shown =
                image.copy(kTileRowX + kTileWidth * k, kTileRowY, kTileWidth, kTileHeight);
            QCOMPARE(shown, expected);
        }
    }

    void bandsSurroundPickedButtonsBeforeAndAfterTheAnswer() {
        view().LoadProblem(kMixedHand.hand);
        QTest::mouseClick(&view().numberButton(2), Qt::LeftButton);
        QTest::mouseClick(&view().numberButton(4), Qt::LeftButton);
        for (int round = 0; round < 2; ++round) {
            const QImage image = Grab(view());
            for (TileNumber n = 1; n <= 9; ++n) {
                const QRect r = view().buttonRect(n);
                const QRect band = r.adjusted(-3, -3, 3, 3);
                const QRgb want = view().quiz().selected(n) ? kBandColor : kBoardColor;
                QVERIFY(AllPixelsOf(image, QRect(band.left(), band.top(), band.width(), 3), want));
                QVERIFY(AllPixelsOf(image, QRect(band.left(), r.top(), 3, r.height()), want));
                QVERIFY(AllPixelsOf(image, QRect(r.right() + 1, r.top(), 3, r.height()), want));
                QVERIFY(
                    AllPixelsOf(image, QRect(band.left(), r.bottom() + 1, band.width(), 3), want));
                // Just outside the band the board shows again, and the button covers its inside.
                QCOMPARE(image.pixel(band.left() - 1, r.center().y()) & 0xffffff,
                         kBoardColor & 0xffffff);
                QVERIFY(!AnyPixelOf(image, r.adjusted(2, 2, -2, -2), kBandColor));
            }
            SendKey(&view().okButton(), Qt::Key_Return);
        }
    }

    void marksAppearOnlyAfterTheAnswer() {
        view().LoadProblem(kMixedHand.hand);
        QTest::mouseClick(&view().numberButton(1), Qt::LeftButton);
        QTest::mouseClick(&view().numberButton(9), Qt::LeftButton);
        QImage image = Grab(view());
        for (TileNumber n = 1; n <= 9; ++n) {
            QVERIFY(AllPixelsOf(image, CZelkonView::markBox(view().buttonRect(n)), kBoardColor));
        }
        SendKey(&view().okButton(), Qt::Key_Return);
        image = Grab(view());
        for (TileNumber n = 1; n <= 9; ++n) {
            const QRect box = CZelkonView::markBox(view().buttonRect(n));
            const bool circle = view().quiz().mark(n) == MarkKind::MarkCircle;
            const bool cross = view().quiz().mark(n) == MarkKind::MarkCross;
            QCOMPARE(AnyPixelOf(image, box, kCircleColor), circle);
            QCOMPARE(AnyPixelOf(image, box, kCrossColor), cross);
            // A 3-pixel pen leaves the middle of a circle empty and crosses it with a cross.
            const QPoint middle = box.center();
            if (circle) {
                QCOMPARE(image.pixel(middle) & 0xffffff, kBoardColor & 0xffffff);
            }
            if (cross) {
                QCOMPARE(image.pixel(middle) & 0xffffff, kCrossColor & 0xffffff);
            }
            // Nothing is drawn between the box and the band.
            QVERIFY(AllPixelsOf(image, QRect(box.left(), box.bottom() + 3, box.width(), 2),
                                kBoardColor));
        }
        QCOMPARE(view().quiz().mark(1), MarkKind::MarkCircle);
        QCOMPARE(view().quiz().mark(9), MarkKind::MarkCross);
        QCOMPARE(view().quiz().mark(4), MarkKind::MarkCross);
        QCOMPARE(view().quiz().mark(5), MarkKind::MarkNone);
    }

    void everyTileImageExistsAtEveryRatio_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.25") << 1.25;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }
    void everyTileImageExistsAtEveryRatio() {
        QFETCH(qreal, ratio);
        for (SuitKind suit = -1; suit <= 3; ++suit) {
            for (TileNumber n = 0; n <= 10; ++n) {
                const QPixmap tile = LoadTileBitmap(TileBitmapId(n, suit), ratio);
                QVERIFY2(!tile.isNull(), qPrintable(QStringLiteral("%1 %2").arg(n).arg(suit)));
                QCOMPARE(tile.deviceIndependentSize().toSize(), QSize(kTileWidth, kTileHeight));
                QCOMPARE(tile.devicePixelRatio(), ratio);
            }
        }
    }
};

QTEST_MAIN(TestZelkonView)
#include "tst_zelkon_view.moc"
