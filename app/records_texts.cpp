#include "records_texts.h"

#include <QDateTime>

#include "analysis/hand_notation.h"
#include "records/answer_record.h"

namespace zelkon {

namespace {

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

QString RecordsFailureText(const RecordsStatus& status, const std::filesystem::path& path) {
    const QString file = PathText(path);
    const QString goesOn = QStringLiteral("成績は記録せずに続けます。");
    switch (status.error) {
        case RecordsError::None:
            return QString();
        case RecordsError::NotOurs:
            return QStringLiteral("%1 は成績のファイルではありません。ファイルには手を付けず、%2")
                .arg(file, goesOn);
        case RecordsError::Newer:
            return QStringLiteral(
                       "%1 はこのプログラムより新しい版の成績です。ファイルには手を付けず、%2")
                .arg(file, goesOn);
        case RecordsError::CannotCreate:
        case RecordsError::ReadOnly:
        case RecordsError::NotFound:
            return QStringLiteral("成績のファイル %1 に書き込めません。%2").arg(file, goesOn);
        case RecordsError::DiskFull:
            return QStringLiteral("ディスクがいっぱいで、成績を %1 に書き込めません。%2")
                .arg(file, goesOn);
        case RecordsError::Busy:
            return QStringLiteral("成績のファイル %1 をほかのプログラムが使い続けています。%2")
                .arg(file, goesOn);
        case RecordsError::Failed:
            break;
    }
    return QStringLiteral("成績のファイル %1 を使えません（%2）。%3")
        .arg(file, QString::fromStdString(status.message), goesOn);
}

QString NoRecordsFolderText() {
    return QStringLiteral(
        "成績の置き場所が決まりません（HOME も XDG_DATA_HOME もありません）。成績は記録せずに"
        "続けます。");
}

QString StatisticsUnavailableText(const QString& detail) {
    return QStringLiteral("成績の画面を開けません（%1）。").arg(detail);
}

QString ReviewStatusText(std::int64_t dueCount) {
    return QStringLiteral("復習 %1問").arg(dueCount);
}

QString WeakShapeStatusText(WaitShape shape) {
    return QStringLiteral("苦手な形 %1").arg(QString::fromUtf8(WaitShapeName(shape)));
}

QString MistakeText(const Mistake& mistake) {
    const QString when =
        QDateTime::fromMSecsSinceEpoch(mistake.answeredAt).toString(QStringLiteral("M/d HH:mm"));
    const std::string picks = NumberSetText(mistake.picks);
    const std::string waits = NumberSetText(mistake.waits);
    return QStringLiteral("%1  %2%3  選択 %4　待ち %5")
        .arg(when, QString::fromStdString(HandDigits(mistake.hand)),
             QString(QLatin1Char(SuitLetter(mistake.suit))),
             picks.empty() ? QStringLiteral("なし") : QString::fromStdString(picks),
             waits.empty() ? QStringLiteral("なし") : QString::fromStdString(waits));
}

}  // namespace zelkon
