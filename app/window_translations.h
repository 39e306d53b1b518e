// The translators behind the window's language: the program's own English, and Qt's texts for
// its standard dialogs and context menus in the same language.
#pragma once

#include <QObject>
#include <QTranslator>

#include "analysis/vocabulary.h"

namespace zelkon {

class WindowTranslations : public QObject {
    Q_OBJECT

public:
    // Installs Qt's Japanese: the window is Japanese until apply says otherwise.
    explicit WindowTranslations(QObject* parent = nullptr);
    ~WindowTranslations() override;

    // Every window follows at once: texts set with SetUiText here, the rest through
    // QEvent::LanguageChange.
    void apply(Language language);

private:
    QTranslator m_qt;
    QTranslator m_own;
};

}  // namespace zelkon
