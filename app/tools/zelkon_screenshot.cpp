// Writes a picture of the window in the middle of a question: picks made, answer shown.
// Usage: zelkon_screenshot OUTPUT.png [SEED] [--explain] [--english] [--tiles N] [--ladder]
// [--hints N] [--statistics N]   (--explain: with the 解説 panel open; --english: in English, as
// 練習 ▸ 言語 chooses it; --tiles: hands of N tiles; --ladder: 段階練習 on; --hints: N hints
// shown in the panel and no answer given; --statistics: the 成績 window over N answers of the
// last 30 days, of every size and family, some with hints)
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/records_feature.h"
#include "app/zelkon_app.h"
#include "dealing/family_dealer.h"
#include "dealing/random_source.h"
#include "quiz/zelkon_view.h"
#include "records/records_store.h"

namespace {

// answers answers spread over the last 30 days, by the seeded draws: a family and size each,
// right about two times in three, a hint before one in five.
bool WriteRecords(const std::filesystem::path& path, int answers) {
    using namespace zelkon;
    OpenedRecords opened = RecordsStore::open(path, OpenMode::CreateIfMissing);
    if (!opened.store) {
        return false;
    }
    constexpr int kSizes[] = {4, 7, 10, 13};
    const UnixMillis now = NowUnixMillis();
    std::vector<AnswerRecord> records;
    while (static_cast<int>(records.size()) < answers) {
        const auto family = static_cast<FamilyIndex>(Draw() % kFamilyCount);
        const int tiles = kSizes[Draw() % 4];
        TileHand hand;
        if (!DealFamilyHand(family, tiles, hand)) {
            continue;
        }
        const UnixMillis at = now - static_cast<UnixMillis>(Draw() % (30 * 86'400)) * 1000;
        const NumberSet waits = MakeAnswerRecord(hand, kSuitPinzu, DealKind::Family,
                                                 RecordedBand::None, 0, 1, at, family, 0)
                                    .waits;
        const NumberSet picks =
            Draw() % 3 == 0 ? static_cast<NumberSet>(waits ^ NumberBit(1 + Draw() % 9)) : waits;
        records.push_back(MakeAnswerRecord(hand, kSuitPinzu, DealKind::Family, RecordedBand::None,
                                           picks, 2.0 + Draw() % 20, at, family,
                                           Draw() % 5 == 0 ? 1 + Draw() % 3 : 0));
    }
    return opened.store->addAnswers(records).ok();
}

}  // namespace

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
    const int statistics = option(QStringLiteral("--statistics"));
    explain = explain || hints > 0;
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: zelkon_screenshot OUTPUT.png [SEED] [--explain] [--english] "
                               "[--tiles N] [--ladder] [--hints N] [--statistics N]\n";
        return 2;
    }
    // The picture is of the plain quiz, whatever practice settings this machine's player keeps.
    QTemporaryDir noSettings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, noSettings.path());
    QTemporaryDir records;
    if (statistics > 0) {
        zelkon::SeedDraws(args.size() > 2 ? args[2].toUInt() : 21u);
        const std::filesystem::path file =
            std::filesystem::path(records.path().toStdString()) / "zelkon" / "records.sqlite3";
        if (!WriteRecords(file, statistics)) {
            QTextStream(stderr) << "cannot write the records\n";
            return 1;
        }
        qputenv("XDG_DATA_HOME", records.path().toLocal8Bit());
        QSettings(QStringLiteral("zelkon"), QStringLiteral("zelkon"))
            .setValue(QString::fromLatin1(zelkon::kRecordKey), true);
    }
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
    if (statistics > 0) {
        zelkon::RecordsFeature& feature = *frame.records();
        while (!feature.figuresReady()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        feature.statisticsAction()->trigger();
        QCoreApplication::processEvents();
        QWidget* window = feature.statisticsWindow();
        return window != nullptr && window->grab().toImage().save(args[1]) ? 0 : 1;
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
