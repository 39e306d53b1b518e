// Writes a picture of the window in the middle of a question: picks made, answer shown.
// Usage: zelkon_screenshot OUTPUT.png [SEED] [--explain] [--english] [--tiles N] [--ladder]
// [--hints N]   (--explain: with the 解説 panel open; --english: in English, as 練習 ▸ 言語
// chooses it; --tiles: hands of N tiles; --ladder: 段階練習 on; --hints: N hints shown in the
// panel and no answer given)
#include <cstdlib>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/zelkon_app.h"
#include "dealing/random_source.h"
#include "quiz/zelkon_view.h"

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    QStringList args = QCoreApplication::arguments();
    bool explain = args.removeAll(QStringLiteral("--explain")) > 0;
    const bool english = args.removeAll(QStringLiteral("--english")) > 0;
    const bool ladder = args.removeAll(QStringLiteral("--ladder")) > 0;
    const auto option = [&args](const QString& name) {
        const qsizetype at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size()) {
            return 0;
        }
        const int value = args[at + 1].toInt();
        args.remove(at, 2);
        return value;
    };
    const int tiles = option(QStringLiteral("--tiles"));
    const int hints = option(QStringLiteral("--hints"));
    explain = explain || hints > 0;
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: zelkon_screenshot OUTPUT.png [SEED] [--explain] [--english] "
                               "[--tiles N] [--ladder] [--hints N]\n";
        return 2;
    }
    // The picture is of the plain quiz, whatever practice settings this machine's player keeps.
    QTemporaryDir noSettings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, noSettings.path());
    zelkon::CZelkonApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    zelkon::CMainFrame& frame = *app.mainFrame();
    zelkon::CZelkonView& view = *frame.GetActiveView();

    // A fixed seed gives the same picture on every run.
    zelkon::SeedDraws(args.size() > 2 ? args[2].toUInt() : 21u);
    frame.action(zelkon::ID_SUIT_PINZU)->trigger();
    if (english) {
        frame.action(zelkon::ID_LANGUAGE_ENGLISH)->trigger();
    }
    zelkon::PracticeRuns& runs = *frame.practiceRuns();
    for (int i = 0; tiles != 0 && i < static_cast<int>(zelkon::kSizeItems.size()); ++i) {
        if (zelkon::kSizeItems[static_cast<std::size_t>(i)] == tiles) {
            runs.sizeAction(i)->trigger();
        }
    }
    if (ladder) {
        runs.ladderAction()->trigger();
    }
    if (explain) {
        frame.setExplanationPanelOpen(true);
    }
    view.NewProblem();
    if (hints > 0) {
        for (int i = 0; i < hints; ++i) {
            frame.action(zelkon::ID_PRACTICE_HINT)->trigger();
        }
        QCoreApplication::processEvents();
        return frame.grab().toImage().save(args[1]) ? 0 : 1;
    }
    // One right pick, one wrong pick, one wait left out: circle, cross and both kinds of cross.
    int right = 0;
    int wrong = 0;
    for (zelkon::TileNumber n = 1; n <= 9; ++n) {
        const bool wait = view.quiz().isWait(n);
        if (wait && right == 0) {
            right = n;
        } else if (!wait && wrong == 0) {
            wrong = n;
        }
    }
    for (const int n : {right, wrong}) {
        if (n != 0) {
            view.numberButton(n).click();
        }
    }
    view.okButton().click();
    QCoreApplication::processEvents();

    if (!frame.grab().toImage().save(args[1])) {
        QTextStream(stderr) << "cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
