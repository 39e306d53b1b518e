// 問題を入力: a hand in the command line's notation, checked by the core's parser as it is typed.
#pragma once

#include <optional>

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "analysis/hand_notation.h"
#include "analysis/problem.h"

namespace zelkon {

struct EnteredHand {
    TileHand displayOrder{};  // as typed: 4, 7, 10 or 13 tiles
    SuitKind suit = -1;       // -1 when no letter was given
};

// The fault in the window's language, naming the sizes allowed; empty for HandFault::None.
QString FaultMessage(const HandNotationFault& fault, HandSizes allowed = kWaitingHandSizes);

// The hand in text, or the fault named. A hand of a waiting size is a problem; a won hand is not.
std::optional<EnteredHand> ReadEnteredHand(const QString& text, QString& fault);

class HandEntryDialog : public QDialog {
    Q_OBJECT

public:
    explicit HandEntryDialog(QWidget* parent = nullptr);

    // The valid hand typed so far.
    std::optional<EnteredHand> hand() const { return m_hand; }

    QLineEdit& edit() { return m_edit; }
    QLabel& faultLabel() { return m_fault; }
    QLabel& promptLabel() { return *m_prompt; }
    QPushButton& okButton() { return *m_buttons.button(QDialogButtonBox::Ok); }

    void accept() override;

private:
    void Check();

    QLabel* m_prompt;  // a child
    QLineEdit m_edit;
    QLabel m_fault;
    QDialogButtonBox m_buttons;
    std::optional<EnteredHand> m_hand;
};

}  // namespace zelkon
