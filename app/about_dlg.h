// The About box: icon, name and version, OK.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QtGlobal>

namespace zelkon {

inline constexpr const char* kAboutCaption =
    QT_TRANSLATE_NOOP("zelkon::CAboutDlg", "バージョン情報");
inline constexpr const char* kAboutText =
    QT_TRANSLATE_NOOP("zelkon::CAboutDlg", "カルデナ\u3000Version 1.0");

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    const QLabel& icon() const { return m_icon; }
    const QLabel& text() const { return m_text; }
    QPushButton& okButton() { return m_ok; }

private:
    QLabel m_icon;
    QLabel m_text;
    QPushButton m_ok;
};

}  // namespace zelkon
