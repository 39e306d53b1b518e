// The one rule of what a fault cannot show as itself, shared by the window and the command line,
// checked over every code point against a second method: Qt's Unicode tables.
#include <QTest>

#include "analysis/hand_notation.h"

using namespace zelkon;

class TestInvisibleCharacters : public QObject {
    Q_OBJECT

private slots:
    void theRuleMatchesTheUnicodeCategoriesOfEveryCodePoint() {
        int checked = 0;
        for (char32_t code = 0; code <= 0x10FFFF; ++code) {
            const QChar::Category category = QChar::category(code);
            // Where Qt's Unicode is older than the rule's (characters assigned since), or a
            // noncharacter, the tables cannot agree: nothing to compare.
            if (category == QChar::Other_NotAssigned) {
                continue;
            }
            const bool unseen =
                category == QChar::Other_Control || category == QChar::Other_Format ||
                category == QChar::Other_Surrogate || category == QChar::Other_PrivateUse ||
                category == QChar::Separator_Space || category == QChar::Separator_Line ||
                category == QChar::Separator_Paragraph;
            QVERIFY2(IsInvisibleCharacter(code) == unseen,
                     qPrintable(QStringLiteral("U+%1").arg(static_cast<uint>(code), 4, 16)));
            ++checked;
        }
        QVERIFY(checked > 280'000);
    }
};

QTEST_MAIN(TestInvisibleCharacters)
#include "tst_invisible_characters.moc"
