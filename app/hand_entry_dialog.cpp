#include "hand_entry_dialog.h"

#include <string>

#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/hand_notation.h"

namespace zelkon {

namespace {

// Controls, format characters (bidi marks among them) and separators would vanish from the
// message or reorder it around them.
bool Invisible(char32_t code) {
    switch (QChar::category(code)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
}

// The character a fault points at, as the player sees it; invisible ones by their code.
QString Shown(char32_t code) {
    if (Invisible(code)) {
        return QStringLiteral("U+%1")
            .arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'))
            .toUpper();
    }
    const char32_t one[] = {code};
    return HandEntryDialog::tr("「%1」").arg(QString::fromUcs4(one, 1));
}

QString At(std::int32_t position) {
    return HandEntryDialog::tr("%1文字目").arg(position);
}

QString SuitLetterText(SuitKind suit) {
    return QString(QLatin1Char(SuitLetter(suit)));
}

}  // namespace

QString FaultMessage(const HandNotationFault& fault) {
    switch (fault.code) {
        case HandFault::None:
            return {};
        case HandFault::Empty:
            return HandEntryDialog::tr("手牌を 1〜9 の数字13個で入力してください。");
        case HandFault::ZeroDigit:
            return HandEntryDialog::tr("%1の「0」は牌ではありません。数字は 1〜9 です。")
                .arg(At(fault.position));
        case HandFault::CapitalSuit:
            return HandEntryDialog::tr("%1の%2: 種類は小文字の m、p、s で書きます。")
                .arg(At(fault.position), Shown(fault.character));
        case HandFault::WideDigit:
            return HandEntryDialog::tr("%1の%2は全角です。半角の数字 1〜9 で書きます。")
                .arg(At(fault.position), Shown(fault.character));
        case HandFault::NotATile:
            return HandEntryDialog::tr(
                       "%1の%2は牌ではありません。数字 1〜9 と、最後に m、p、s "
                       "のどれか1文字だけが使えます。")
                .arg(At(fault.position), Shown(fault.character));
        case HandFault::StrayByte:
            return HandEntryDialog::tr("%1に読めない文字があります。").arg(At(fault.position));
        case HandFault::DigitAfterSuit:
            return HandEntryDialog::tr("%1の種類「%2」は数字のあと、最後に書きます。")
                .arg(At(fault.suitPosition), SuitLetterText(fault.suit));
        case HandFault::TwoSuits:
            return HandEntryDialog::tr(
                       "種類が2つあります（%1の「%2」と%3の%4）。種類は1つだけです。")
                .arg(At(fault.suitPosition), SuitLetterText(fault.suit), At(fault.position),
                     Shown(fault.character));
        case HandFault::TileCount:
            return HandEntryDialog::tr("牌が%1枚です。手牌は13枚です。").arg(fault.count);
        case HandFault::FifthCopy:
            return HandEntryDialog::tr("%1が%2枚あります。同じ牌は4枚までです。")
                .arg(fault.number)
                .arg(fault.count);
    }
    return HandEntryDialog::tr("手牌として読めません。");
}

std::optional<EnteredHand> ReadEnteredHand(const QString& text, QString& fault) {
    // Blanks around a pasted hand are no fault; positions still count from what was typed.
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead).isSpace()) {
        ++lead;
    }
    const QString trimmed = text.trimmed();
    const std::string utf8 = trimmed.toStdString();
    HandNotation hand;
    HandNotationFault read = ParseHandNotation(utf8, hand);
    if (read.code == HandFault::None && hand.count != 13) {
        read.code = HandFault::TileCount;
        read.count = hand.count;
    }
    if (read.code != HandFault::None) {
        if (read.position > 0) {
            read.position += static_cast<std::int32_t>(lead);
        }
        if (read.suitPosition > 0) {
            read.suitPosition += static_cast<std::int32_t>(lead);
        }
        fault = FaultMessage(read);
        return std::nullopt;
    }
    fault.clear();
    EnteredHand entered;
    std::copy_n(hand.typed.begin(), entered.displayOrder.size(), entered.displayOrder.begin());
    entered.suit = hand.suit;
    return entered;
}

HandEntryDialog::HandEntryDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("問題を入力"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt =
        new QLabel(tr("手牌を数字13個で入力してください（例: 1112345678999p）。\n"
                      "最後に m（マンズ）、p（ピンズ）、s（ソウズ）を付けると種類を選べます。"),
                   this);
    layout->addWidget(prompt);
    m_edit.setObjectName(QStringLiteral("hand"));
    m_edit.setMaxLength(64);
    layout->addWidget(&m_edit);
    m_fault.setObjectName(QStringLiteral("fault"));
    m_fault.setWordWrap(true);
    layout->addWidget(&m_fault);
    m_buttons.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // Enter must never fall through to Cancel while OK is disabled.
    m_buttons.button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    okButton().setDefault(true);
    layout->addWidget(&m_buttons);
    connect(&m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_edit, &QLineEdit::textChanged, this, &HandEntryDialog::Check);
    Check();
}

void HandEntryDialog::Check() {
    QString fault;
    m_hand = ReadEnteredHand(m_edit.text(), fault);
    m_fault.setText(fault);
    okButton().setEnabled(m_hand.has_value());
}

void HandEntryDialog::accept() {
    // Enter reaches here even with OK disabled.
    if (!m_hand) {
        return;
    }
    QDialog::accept();
}

}  // namespace zelkon
