#include "records_texts.h"

#include <QCoreApplication>
#include <QDateTime>

#include "analysis/hand_notation.h"
#include "analysis/shape_family.h"
#include "quiz/window_language.h"
#include "records/answer_record.h"

namespace zelkon {

namespace {

// The context lupdate files these texts under.
class RecordsTexts {
    Q_DECLARE_TR_FUNCTIONS(zelkon::RecordsTexts)
};

// Paths may be of any length; the box shows at most this many characters of one, its middle cut.
constexpr qsizetype kPathCharacters = 160;

QString PathText(const std::filesystem::path& path) {
    const QString text = QString::fromStdString(path.string());
    if (text.size() <= kPathCharacters) {
        return text;
    }
    return text.left(kPathCharacters / 2) + QStringLiteral("…") + text.right(kPathCharacters / 2);
}

}  // namespace

QString RecordsFailureText(const RecordsStatus& status, const std::filesystem::path& path,
                           RecordsMoment moment) {
    const QString file = PathText(path);
    if (status.error == RecordsError::None) {
        return QString();
    }
    if (moment == RecordsMoment::Writing) {
        // Recording goes on: each answer is tried again, so the box says when it resumes.
        switch (status.error) {
            case RecordsError::DiskFull:
                return RecordsTexts::tr(
                           "ディスクがいっぱいで、この解答を成績ファイル「%1」に記録できませんでし"
                           "た。空きができれば、次の解答から記録を続けます。")
                    .arg(file);
            case RecordsError::Busy:
                return RecordsTexts::tr(
                           "成績ファイル「%1」をほかのプログラムが使用中で、この解答を記録できませ"
                           "んでした。次の解答から記録を続けます。")
                    .arg(file);
            case RecordsError::Corrupt:
                return RecordsTexts::tr(
                           "成績ファイル「%1」が壊れていて、この解答を記録できませんでした。")
                    .arg(file);
            default:
                return RecordsTexts::tr(
                           "成績ファイル「%1」に書き込めず、この解答を記録できませんでした。書き込"
                           "めるようになれば、次の解答から記録を続けます。")
                    .arg(file);
        }
    }
    const QString goesOn = RecordsTexts::tr("成績を記録せずに続けます。");
    switch (status.error) {
        case RecordsError::NotOurs:
            return RecordsTexts::tr(
                       "「%1」は成績ファイルではありません。このファイルは変更せず、%2")
                .arg(file, goesOn);
        case RecordsError::Newer:
            return RecordsTexts::tr(
                       "「%1」はこのプログラムより新しい形式の成績ファイルです。このファイルは変更"
                       "せず、%2")
                .arg(file, goesOn);
        case RecordsError::Corrupt:
            return RecordsTexts::tr("成績ファイル「%1」は壊れています。このファイルは変更せず、%2")
                .arg(file, goesOn);
        case RecordsError::DiskFull:
            return RecordsTexts::tr("ディスクがいっぱいで、成績ファイル「%1」に書き込めません。%2")
                .arg(file, goesOn);
        case RecordsError::Busy:
            return RecordsTexts::tr("成績ファイル「%1」はほかのプログラムが使用中です。%2")
                .arg(file, goesOn);
        case RecordsError::Failed:
            // SQLite's own words ("disk I/O error") tell a player nothing: the logs keep them.
            return RecordsTexts::tr(
                       "成績ファイル「%1」を読み書きできません（ディスクの読み書きに失敗"
                       "しました）。%2")
                .arg(file, goesOn);
        default:
            return RecordsTexts::tr("成績ファイル「%1」に書き込めません。%2").arg(file, goesOn);
    }
}

QString NoRecordsFolderText() {
    return RecordsTexts::tr(
        "成績ファイルの保存先がわかりません（HOME も XDG_DATA_HOME も設定されていません）。成績を"
        "記録せずに続けます。");
}

QString StatisticsUnavailableText(const QString& detail) {
    return RecordsTexts::tr("成績ウィンドウを開けません（%1）。").arg(detail);
}

QString UpgradeProgressText() {
    return RecordsTexts::tr("成績ファイルを新しい形式に更新しています…");
}

QString ReviewStatusText(std::int64_t dueCount) {
    return RecordsTexts::tr("復習 %1問").arg(dueCount);
}

QString WeakShapeStatusText(WaitShape shape) {
    return RecordsTexts::tr("出題：苦手な形（%1待ち）").arg(UiShapeName(shape));
}

QString WeakFamilyStatusText(FamilyIndex family) {
    return RecordsTexts::tr("出題：苦手な形（%1）")
        .arg(QString::fromUtf8(FamilyNameInSentence(family, UiLanguage())));
}

QString MistakeText(const Mistake& mistake) {
    const QString when =
        QDateTime::fromMSecsSinceEpoch(mistake.answeredAt).toString(QStringLiteral("M/d HH:mm"));
    const std::string picks = NumberSetText(mistake.picks);
    const std::string waits = NumberSetText(mistake.waits);
    const HandText hand =
        SpellHand(StoredTiles(mistake.hand, mistake.tiles, mistake.shortHand), mistake.suit);
    return RecordsTexts::tr("%1　%2　選んだ牌：%3　待ち：%4")
        .arg(when, QString::fromLatin1(hand.view()),
             picks.empty() ? QStringLiteral("—") : QString::fromStdString(picks),
             waits.empty() ? QStringLiteral("—") : QString::fromStdString(waits));
}

}  // namespace zelkon
