#include "about_dlg.h"

#include "quiz/dialog_units.h"
#include "quiz/window_language.h"
#include "res/tile_art.h"

namespace zelkon {

namespace {

constexpr int kAboutPointSize = 9;
constexpr int kIconSize = 32;

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    SetUiText(this, staticMetaObject, kAboutCaption, UiTextRole::WindowTitle);
    setModal(true);
    setFont(FormFont(kAboutPointSize));
    const DialogUnits units(kAboutPointSize, logicalDpiY());
    setFixedSize(units.rect(0, 0, 235, 55).size());

    m_icon.setParent(this);
    m_icon.setPixmap(ApplicationIcon().pixmap(kIconSize, kIconSize));
    m_icon.setGeometry(QRect(units.rect(11, 17, 0, 0).topLeft(), QSize(kIconSize, kIconSize)));

    m_text.setParent(this);
    m_text.setTextFormat(Qt::PlainText);
    SetUiText(&m_text, staticMetaObject, kAboutText);
    m_text.setGeometry(units.rect(40, 10, 119, 8));

    m_ok.setParent(this);
    m_ok.setText(QStringLiteral("OK"));
    m_ok.setDefault(true);
    m_ok.setGeometry(units.rect(178, 7, 50, 16));
    connect(&m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

}  // namespace zelkon
