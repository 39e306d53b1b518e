#include "hand_entry_dialog.h"

#include <string>

#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/hand_fault_text.h"
#include "analysis/hand_notation.h"
#include "quiz/window_language.h"

namespace zelkon {

QString FaultMessage(const HandNotationFault& fault, HandSizes allowed) {
    return QString::fromUtf8(HandFaultWords(fault, allowed, UiLanguage()).view());
}

std::optional<EnteredHand> ReadEnteredHand(const QString& text, QString& fault) {
    HandNotation hand;
    const HandNotationFault read = ReadTypedHand(text.toStdString(), kWaitingHandSizes, hand);
    if (read.code != HandFault::None) {
        fault = FaultMessage(read);
        return std::nullopt;
    }
    fault.clear();
    return EnteredHand{hand.typedHand(), hand.suit};
}

HandEntryDialog::HandEntryDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("問題を入力"));
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(
        HandEntryDialog::tr(
            "手牌を数字4・7・10・13個のどれかで入力してください（例：1112345678999p）。\n"
            "最後にm（マンズ）・p（ピンズ）・s（ソウズ）を付けると牌の種類を選べます"
            "（付けなければ今の種類のまま）。"),
        this);
    m_prompt->setWordWrap(true);
    // As wide as the first line, so that only the longer second one wraps. Measured as a label
    // lays it out: the font metrics' advance is a few pixels short of a wrapped label's need.
    const QLabel firstLine(m_prompt->text().section(QLatin1Char('\n'), 0, 0));
    m_prompt->setMinimumWidth(firstLine.sizeHint().width());
    layout->addWidget(m_prompt);
    m_edit.setObjectName(QStringLiteral("hand"));
    m_edit.setMaxLength(64);
    layout->addWidget(&m_edit);
    m_fault.setObjectName(QStringLiteral("fault"));
    m_fault.setWordWrap(true);
    // Two lines of room from the start: most faults fit, and the dialog grows for a longer one.
    m_fault.setMinimumHeight(2 * m_fault.fontMetrics().lineSpacing());
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
    // An empty field is no fault yet: the prompt above says what to type.
    m_fault.setText(m_edit.text().isEmpty() ? QString() : fault);
    okButton().setEnabled(m_hand.has_value());
    // Wrapped labels do not make a window taller by themselves; nothing may be cut off.
    if (!isVisible()) {
        return;
    }
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height()) {
        resize(width(), needed);
    }
}

void HandEntryDialog::accept() {
    // Enter reaches here even with OK disabled.
    if (!m_hand) {
        return;
    }
    QDialog::accept();
}

}  // namespace zelkon
