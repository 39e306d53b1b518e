// The language the window speaks, and texts that follow it: a text set here from its source
// (the Japanese of the code, marked for lupdate) is re-translated whenever the language changes.
#pragma once

#include <QMetaObject>
#include <QString>

#include "analysis/decomposition.h"
#include "analysis/vocabulary.h"

class QObject;

namespace zelkon {

// Japanese until the application's language switch says otherwise.
Language UiLanguage();
// For the language switch alone, before it changes the translators.
void SetUiLanguage(Language language);

// A wait shape's name in the window's language.
QString UiShapeName(WaitShape shape);
// A game term from the core's table in the window's language.
QString UiTerm(const Term& term);
// The term's Japanese, for a tooltip beside its English; empty while the window is Japanese.
QString JapaneseBeside(const Term& term);

enum class UiTextRole {
    Text,         // QAction, QAbstractButton, QLabel, QGroupBox title
    WindowTitle,  // any widget
    ToolTip,      // QAction or any widget
};

// Sets the role's text of target to the translation of source in context (the class whose
// tr() lupdate filed it under: QT_TR_NOOP there) now and after every language change.
void SetUiText(QObject* target, const QMetaObject& context, const char* source,
               UiTextRole role = UiTextRole::Text);

// Sets again every text that SetUiText gave to a widget, its actions and menus, and theirs.
void RetranslateUiTexts();

}  // namespace zelkon
