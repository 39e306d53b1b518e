#include "window_language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace zelkon {

namespace {

Language g_language = Language::Japanese;

// Dynamic properties keep the source beside each text, one pair per role.
constexpr const char* kContextKeys[] = {"zelkonTextContext", "zelkonTitleContext",
                                        "zelkonTipContext"};
constexpr const char* kSourceKeys[] = {"zelkonTextSource", "zelkonTitleSource", "zelkonTipSource"};

void Apply(QObject* target, UiTextRole role, const QString& text) {
    switch (role) {
        case UiTextRole::Text:
            if (auto* action = qobject_cast<QAction*>(target)) {
                action->setText(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
                button->setText(text);
            } else if (auto* label = qobject_cast<QLabel*>(target)) {
                label->setText(text);
            } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
                group->setTitle(text);
            }
            break;
        case UiTextRole::WindowTitle:
            if (auto* widget = qobject_cast<QWidget*>(target)) {
                widget->setWindowTitle(text);
            }
            break;
        case UiTextRole::ToolTip:
            if (auto* action = qobject_cast<QAction*>(target)) {
                action->setToolTip(text);
            } else if (auto* widget = qobject_cast<QWidget*>(target)) {
                widget->setToolTip(text);
            }
            break;
    }
}

void Retranslate(QObject* target) {
    for (int r = 0; r < 3; ++r) {
        const QVariant source = target->property(kSourceKeys[r]);
        if (source.isValid()) {
            const QByteArray context = target->property(kContextKeys[r]).toByteArray();
            Apply(
                target, static_cast<UiTextRole>(r),
                QCoreApplication::translate(context.constData(), source.toByteArray().constData()));
        }
    }
}

}  // namespace

Language UiLanguage() {
    return g_language;
}

void SetUiLanguage(Language language) {
    g_language = language;
}

QString UiShapeName(WaitShape shape) {
    return QString::fromUtf8(WaitShapeName(shape, g_language));
}

QString UiTerm(const Term& term) {
    return QString::fromUtf8(term.in(g_language));
}

QString JapaneseBeside(const Term& term) {
    return g_language == Language::English ? QString::fromUtf8(term.ja) : QString();
}

void SetUiText(QObject* target, const QMetaObject& context, const char* source, UiTextRole role) {
    const auto r = static_cast<std::size_t>(role);
    target->setProperty(kContextKeys[r], QByteArray(context.className()));
    target->setProperty(kSourceKeys[r], QByteArray(source));
    Retranslate(target);
}

void RetranslateUiTexts() {
    // Every action that shows is in some widget's list, whoever owns it: a submenu's own action
    // is in its parent menu's.
    for (QWidget* widget : QApplication::allWidgets()) {
        Retranslate(widget);
        for (QAction* action : widget->actions()) {
            Retranslate(action);
        }
    }
}

}  // namespace zelkon
