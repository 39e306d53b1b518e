// The window in two languages: every text of the English translation finished and fitting its
// place, the English window free of Japanese, and the Japanese window exactly as it was before
// any choice, also after English and back.
#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <QXmlStreamReader>

#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/hand_entry_dialog.h"
#include "app/main_frame.h"
#include "app/statistics_module.h"
#include "app/statistics_window.h"
#include "app/zelkon_app.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "tests/quiz/seeded_draws.h"
#include "tests/support/hand_strings.h"
#include "window_fixture.h"

using namespace zelkon;

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

QList<Message> TranslationSource() {
    QFile file(QStringLiteral(ZELKON_TS_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages << message;
        }
    }
    return xml.hasError() ? QList<Message>{} : messages;
}

// Kana, kanji and the full-width forms: what an English reader cannot read.
bool HasJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

// The one text that stays Japanese in English: the language's own name in the 言語 menu.
bool NamesJapanese(const QString& text) {
    return text == QStringLiteral("日本語(&J)");
}

QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%L?[1-9]"));
    QStringList found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text)) {
        found << m.captured().remove(QLatin1Char('L'));
    }
    found.sort();
    return found;
}

// The mnemonic letter of a menu text ("&Help" gives H), or a null QChar.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

// Every menu of the bar with its items, the bar itself first.
QList<QWidget*> Menus(QMenuBar& bar) {
    QList<QWidget*> menus{&bar};
    for (QMenu* menu : bar.findChildren<QMenu*>()) {
        menus << menu;
    }
    return menus;
}

// The literals of a C++ source, comments left out and neighbouring literals joined, with the
// escapes lupdate reads decoded.
QStringList JapaneseLiterals(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("cannot read ") + path};
    }
    const QString code = QString::fromUtf8(file.readAll());
    QStringList found;
    QString literal;
    bool joining = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'/' && i + 1 < code.size() && code[i + 1] == u'/') {
            i = code.indexOf(u'\n', i);
            if (i < 0) {
                break;
            }
            continue;
        }
        if (c == u'/' && i + 1 < code.size() && code[i + 1] == u'*') {
            i = code.indexOf(QStringLiteral("*/"), i + 2) + 1;
            if (i <= 0) {
                break;
            }
            continue;
        }
        if (c == u'\'') {
            // A character literal: skip it whole, an escaped quote included.
            i = code.indexOf(u'\'', i + (code[i + 1] == u'\\' ? 3 : 2));
            continue;
        }
        if (c == u'"') {
            QString part;
            for (++i; i < code.size() && code[i] != u'"'; ++i) {
                if (code[i] != u'\\') {
                    part += code[i];
                    continue;
                }
                const QChar e = code[++i];
                if (e == u'u') {
                    part += QChar(code.mid(i + 1, 4).toUShort(nullptr, 16));
                    i += 4;
                } else {
                    part += e == u'n' ? QChar(u'\n') : e;
                }
            }
            literal = joining ? literal + part : part;
            joining = true;
            continue;
        }
        if (joining && !c.isSpace()) {
            if (HasJapanese(literal)) {
                found << literal;
            }
            joining = false;
        }
    }
    return found;
}

QString Plain(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

}  // namespace

class TestTranslations : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    void startSeeded() {
        test::UseSeededDraws(4242);
        start();
        QCoreApplication::processEvents();
    }
    void choose(int languageId) {
        frame().action(languageId)->trigger();
        // Widgets hear of the change through posted events.
        QCoreApplication::processEvents();
    }
    // A question answered with a right pick, a wrong pick and a missed wait, the panel open.
    void answerWithThePanelOpen() {
        frame().action(ID_PRACTICE_EXPLAIN)->setChecked(true);
        view().LoadProblem(tests::Hand13Of("1111234567888"));
        for (const TileNumber n : {3, 5}) {
            view().numberButton(n).click();
        }
        view().okButton().click();
        QCoreApplication::processEvents();
    }

    // Texts the player reads, each with the widget that must hold it.
    static QList<std::pair<QWidget*, QString>> ShownTexts(QWidget& window) {
        QList<std::pair<QWidget*, QString>> texts;
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* w : widgets) {
            if (!w->isVisibleTo(&window) && w != &window) {
                continue;
            }
            if (auto* label = qobject_cast<QLabel*>(w)) {
                texts << std::pair{w, label->text()};
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                texts << std::pair{w, button->text()};
            } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
                texts << std::pair{w, edit->toPlainText()};
            }
            // Tooltips may hold the Japanese beside the English on purpose.
            if (!w->toolTip().isEmpty()) {
                QString tip = w->toolTip();
                texts << std::pair{
                    nullptr, tip.remove(QRegularExpression(QStringLiteral(": [^\\n]*(\\n|$)")))};
            }
            if (w->isWindow()) {
                texts << std::pair{nullptr, w->windowTitle()};
            }
        }
        return texts;
    }

    // Each line of text within the widget's contents, by the widget's own font.
    static void checkFits(QWidget* widget, const QString& text) {
        if (widget == nullptr || text.isEmpty()) {
            return;
        }
        const QFontMetrics metrics(widget->font());
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
            return;
        }
        // A push button's frame and padding take a few pixels of each side.
        const int room = widget->contentsRect().width() -
                         (qobject_cast<QPushButton*>(widget) != nullptr ? 6 : 0);
        const QStringList lines = Plain(text).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            QVERIFY2(metrics.horizontalAdvance(line) <= room,
                     qPrintable(QStringLiteral("%1: %2 > %3 px")
                                    .arg(line)
                                    .arg(metrics.horizontalAdvance(line))
                                    .arg(room)));
        }
        // One line keeps the height the Japanese has; more lines must have room below.
        QVERIFY2(lines.size() == 1 ||
                     (lines.size() - 1) * metrics.lineSpacing() + metrics.height() <=
                         widget->contentsRect().height() ||
                     qobject_cast<QTextEdit*>(widget) != nullptr,
                 qPrintable(text));
    }

    void checkMenus(bool english) {
        for (QWidget* menu : Menus(*frame().menuBar())) {
            QSet<QChar> mnemonics;
            for (QAction* item : menu->actions()) {
                if (item->isSeparator() || item->text().isEmpty()) {
                    continue;
                }
                if (english) {
                    QVERIFY2(!HasJapanese(item->text()) || NamesJapanese(item->text()),
                             qPrintable(item->text()));
                }
                const QChar mnemonic = Mnemonic(item->text());
                if (!mnemonic.isNull()) {
                    QVERIFY2(!mnemonics.contains(mnemonic), qPrintable(item->text()));
                    mnemonics.insert(mnemonic);
                }
            }
        }
        // The bar keeps every menu in sight: none is pushed behind an extension button.
        const QList<QAction*> top = frame().menuBar()->actions();
        QVERIFY(frame().menuBar()->actionGeometry(top.last()).right() < frame().width());
    }

private slots:
    void init() { m_settings.wipe(); }
    void cleanup() { stop(); }

    // Every text lupdate found has its English, with the same arguments and a mnemonic where
    // the Japanese has one.
    void everyTextOfTheSourceIsTranslated() {
        const QList<Message> messages = TranslationSource();
        QVERIFY(!messages.isEmpty());
        for (const Message& m : messages) {
            const QString where = m.context + QStringLiteral(": ") + m.source;
            QVERIFY2(m.type.isEmpty(), qPrintable(where + QStringLiteral(" is ") + m.type));
            QVERIFY2(!m.translation.isEmpty(), qPrintable(where));
            QVERIFY2(!HasJapanese(m.translation), qPrintable(where));
            QCOMPARE(Placeholders(m.translation), Placeholders(m.source));
            // English may add a mnemonic where the Japanese has none, never drop one.
            QVERIFY2(Mnemonic(m.source).isNull() || !Mnemonic(m.translation).isNull(),
                     qPrintable(where));
        }
    }

    // No Japanese text of the window's code bypasses the translation: each is a source of the
    // .ts file.
    void everyJapaneseTextOfTheWindowIsInTheTranslation() {
        QSet<QString> sources;
        for (const Message& m : TranslationSource()) {
            sources.insert(m.source);
        }
        QStringList untranslated;
        for (const char* folder : {"app", "quiz"}) {
            const QDir dir(QStringLiteral(ZELKON_SOURCE_DIR "/") + QLatin1String(folder));
            for (const QString& name :
                 dir.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files)) {
                QFile file(dir.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly));
                // The quiz's core files hold no Qt; --help goes to the terminal, in English,
                // before any window.
                const bool core =
                    QLatin1String(folder) == u"quiz" && !file.readAll().contains("#include <Q");
                if (core || name.startsWith(u"startup_options")) {
                    continue;
                }
                for (const QString& literal : JapaneseLiterals(dir.filePath(name))) {
                    if (!sources.contains(literal) && !NamesJapanese(literal)) {
                        untranslated << name + QStringLiteral(": ") + literal;
                    }
                }
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    }

    void nothingChosenIsJapaneseAndWritesNothing() {
        startSeeded();
        QCOMPARE(frame().windowTitle(), QStringLiteral("カルデナ"));
        QVERIFY(frame().action(ID_LANGUAGE_JAPANESE)->isChecked());
        QVERIFY(!frame().action(ID_LANGUAGE_ENGLISH)->isChecked());
        QCOMPARE(view().answerBox().toPlainText(), QStringLiteral("何待ち？"));
        QVERIFY(view().answerBox().toolTip().isEmpty());
        checkMenus(false);
        QVERIFY(m_settings.files().isEmpty());
    }

    // The language menu's items in their place and order, whatever the language.
    void languageMenuClosesThePracticeMenu() {
        startSeeded();
        const QList<QAction*> items = frame().practiceMenu()->actions();
        QVERIFY(items[items.size() - 2]->isSeparator());
        QMenu* languages = items.last()->menu();
        QVERIFY(languages != nullptr);
        QCOMPARE(items.last()->text(), QStringLiteral("言語(&L)"));
        QCOMPARE(languages->actions().size(), 2);
        QCOMPARE(languages->actions()[0]->text(), QStringLiteral("日本語(&J)"));
        QCOMPARE(languages->actions()[1]->text(), QStringLiteral("English(&N)"));
        choose(ID_LANGUAGE_ENGLISH);
        QCOMPARE(items.last()->text(), QStringLiteral("&Language"));
        QCOMPARE(languages->actions()[0]->text(), QStringLiteral("日本語(&J)"));
    }

    void englishIsKeptAndReadOnTheNextStart() {
        startSeeded();
        choose(ID_LANGUAGE_ENGLISH);
        QCOMPARE(QSettings(QStringLiteral("zelkon"), QStringLiteral("zelkon"))
                     .value(QStringLiteral("ui/language")),
                 QVariant(QStringLiteral("en")));
        stop();
        startSeeded();
        QCOMPARE(frame().windowTitle(), QStringLiteral("Zelkon"));
        QVERIFY(frame().action(ID_LANGUAGE_ENGLISH)->isChecked());
        QCOMPARE(view().answerBox().toPlainText(), QStringLiteral("What are the waits?"));
    }

    // A value some other hand wrote is no choice: the window stays Japanese.
    void anUnknownLanguageIsJapanese() {
        QSettings(QStringLiteral("zelkon"), QStringLiteral("zelkon"))
            .setValue(QStringLiteral("ui/language"), QStringLiteral("fr"));
        startSeeded();
        QCOMPARE(frame().windowTitle(), QStringLiteral("カルデナ"));
        QVERIFY(frame().action(ID_LANGUAGE_JAPANESE)->isChecked());
    }

    // The whole window in English at once, nothing Japanese left and nothing cut off; run at
    // ratios 1 and 2.
    void theEnglishWindowReadsInEnglishAndFits() {
        startSeeded();
        answerWithThePanelOpen();
        choose(ID_LANGUAGE_ENGLISH);
        QCOMPARE(frame().windowTitle(), QStringLiteral("Zelkon"));
        const QList<QAction*> top = frame().menuBar()->actions();
        QCOMPARE(top.last()->text(), QStringLiteral("&Help"));
        QCOMPARE(top.last()->menu()->actions().first()->text(), QStringLiteral("&About Zelkon..."));
        checkMenus(true);
        QVERIFY(
            view().answerBox().toPlainText().startsWith(QStringLiteral("<Waits and patterns>")));
        QCOMPARE(view().okButton().text(), QStringLiteral("Next"));
        for (const auto& [widget, text] : ShownTexts(frame())) {
            QVERIFY2(!HasJapanese(text), qPrintable(text));
            checkFits(widget, text);
        }
        // The panel paints its lines itself, wrapping them to its width.
        ExplanationPanel& panel = frame().explanationPanel();
        QVERIFY(!panel.headerLines().isEmpty());
        for (const QString& line : panel.headerLines()) {
            QVERIFY2(!HasJapanese(line), qPrintable(line));
        }
        for (const ExplanationRow& row : panel.rows()) {
            QVERIFY2(!HasJapanese(row.verdict + row.waitText), qPrintable(row.verdict));
        }
        // A verdict's tooltip gives the Japanese of its shape and patterns.
        const int right = 1;  // the row of 3, picked: penchan
        QHelpEvent help(QEvent::ToolTip, panel.verdictRect(right).center(),
                        panel.rowsWidget().mapToGlobal(panel.verdictRect(right).center()));
        QCoreApplication::sendEvent(&panel.rowsWidget(), &help);
        QVERIFY2(QToolTip::text().contains(QStringLiteral("penchan: 辺張")),
                 qPrintable(QToolTip::text()));
        // A learner sees the Japanese of each pattern named in the answer beside it.
        QVERIFY(view().answerBox().toolTip().contains(QStringLiteral("一気通貫")));
        // A short hand scores no pattern: nothing of the last 13-tile answer stays behind.
        QVERIFY(view().LoadTiles(tests::TilesOf("3334555")));
        QTest::keyClick(&view(), Qt::Key_Return);
        QVERIFY(view().quiz().answered());
        QVERIFY2(view().answerBox().toolTip().isEmpty(), qPrintable(view().answerBox().toolTip()));

        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Zelkon"));
        for (const auto& [widget, text] : ShownTexts(about)) {
            QVERIFY2(!HasJapanese(text), qPrintable(text));
            checkFits(widget, text);
        }

        // Each fault of a typed hand, shown as the player types it.
        HandEntryDialog entry(&frame());
        entry.show();
        QVERIFY(QTest::qWaitForWindowExposed(&entry));
        for (const char* typed : {"1112345678999", "11123456789990", "1112345678999P",
                                  "111234567899\xEF\xBC\x99", "1112345678999x", "1112345678999pm",
                                  "p1112345678999", "111123456789", "11111234567899"}) {
            entry.edit().setText(QString::fromUtf8(typed));
            QCoreApplication::processEvents();
            for (const auto& [widget, text] : ShownTexts(entry)) {
                // A fault quotes what was typed, a full-width digit too.
                QString ours = text;
                for (const QChar c : entry.edit().text()) {
                    ours.remove(c);
                }
                QVERIFY2(!HasJapanese(ours), qPrintable(text));
                checkFits(widget, text);
            }
        }
    }

    // The 成績 window follows at once: its fixed texts by themselves, the page's own when the
    // records feature gives it again (as it does for an open window).
    void theStatisticsWindowFollowsTheLanguage() {
        StatisticsModule module;
        QVERIFY2(module.load(StatisticsModuleFolders(QCoreApplication::applicationDirPath())),
                 qPrintable(module.error()));
        startSeeded();
        StatisticsPage page;
        page.figures.problems = 4;
        page.figures.fullyRight = 1;
        page.figures.days[29].problems = 4;
        page.figures.days[29].fullyRight = 1;
        for (int s = 0; s < kWaitShapeCount; ++s) {
            page.shapeNames << QString::fromUtf8(kWaitShapeTerms[static_cast<std::size_t>(s)].en);
        }
        std::unique_ptr<QWidget> window(module.create(page, nullptr));
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("成績"));
        choose(ID_LANGUAGE_ENGLISH);
        module.show(window.get(), page);
        QCOMPARE(window->windowTitle(), QStringLiteral("Statistics"));
        QStringList texts;
        for (const auto& [widget, text] : ShownTexts(*window)) {
            texts << text;
        }
        for (QChartView* view : window->findChildren<QChartView*>()) {
            texts << view->chart()->title();
            for (QAbstractAxis* axis : view->chart()->axes()) {
                texts << axis->titleText();
            }
            for (QAbstractSeries* series : view->chart()->series()) {
                texts << series->name();
            }
        }
        for (const QString& text : texts) {
            QVERIFY2(!HasJapanese(text), qPrintable(text));
        }
        choose(ID_LANGUAGE_JAPANESE);
        QCOMPARE(window->windowTitle(), QStringLiteral("成績"));
    }

    // Qt's own menus follow the window: the answer box's context menu.
    void standardMenusFollowTheLanguage() {
        startSeeded();
        choose(ID_LANGUAGE_ENGLISH);
        std::unique_ptr<QMenu> menu(view().answerBox().createStandardContextMenu());
        QStringList texts;
        for (const QAction* a : menu->actions()) {
            texts << a->text();
        }
        QVERIFY2(texts.join(QString()).contains(QStringLiteral("Copy")),
                 qPrintable(texts.join(',')));
        QVERIFY(!HasJapanese(texts.join(QString())));
    }

    // Japanese after English is the window of a start with nothing chosen, to the byte and the
    // pixel: menus, title, answer and the picture of the form and panel.
    void backToJapaneseIsTheUntouchedWindow() {
        startSeeded();
        answerWithThePanelOpen();
        const QImage before = frame().grab().toImage();
        const std::string answerBefore(view().quiz().answerText());
        QStringList textsBefore;
        for (const auto& [widget, text] : ShownTexts(frame())) {
            textsBefore << text;
        }
        for (QAction* a : frame().findChildren<QAction*>()) {
            textsBefore << a->text() + a->toolTip();
        }

        choose(ID_LANGUAGE_ENGLISH);
        QVERIFY(frame().grab().toImage() != before);
        choose(ID_LANGUAGE_JAPANESE);
        QStringList textsAfter;
        for (const auto& [widget, text] : ShownTexts(frame())) {
            textsAfter << text;
        }
        for (QAction* a : frame().findChildren<QAction*>()) {
            textsAfter << a->text() + a->toolTip();
        }
        QCOMPARE(textsAfter, textsBefore);
        QCOMPARE(std::string(view().quiz().answerText()), answerBefore);
        QVERIFY(frame().grab().toImage() == before);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
